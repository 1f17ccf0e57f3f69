#include "providers/actions/ActionAlerts.h"

#include <QMessageBox>
#include <QPushButton>

namespace vellaro::ActionAlerts {

void showDoNotDisturbSetup(const QString& explanation, std::function<void()> openSettings) {
    auto* alert = new QMessageBox;
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowTitle(QStringLiteral("Vellaro"));
    alert->setText(QStringLiteral("One-time setup for Do Not Disturb"));
    alert->setInformativeText(explanation);
    QPushButton* open = alert->addButton(QStringLiteral("Open Settings"), QMessageBox::AcceptRole);
    alert->addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
    alert->setDefaultButton(open);
    QObject::connect(alert, &QMessageBox::buttonClicked, alert,
                     [open, openSettings = std::move(openSettings)](QAbstractButton* button) {
                         if (button == open && openSettings)
                             openSettings();
                     });
    alert->open();
}

void showFailure(const QString& message) {
    auto* alert =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Vellaro"), message, QMessageBox::Ok);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->open();
}

} // namespace vellaro::ActionAlerts
