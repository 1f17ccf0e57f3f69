#include "app/StatusItem.h"

#include "app/Logging.h"
#include "app/SettingsConsole.h"
#include "app/SetupAssistant.h"
#include "app/StatusMark.h"
#include "app/UpdateService.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

namespace vellaro {

StatusItem::StatusItem(Collaborators collaborators, QObject* parent)
    : QObject(parent), c_(std::move(collaborators)) {
    menu_ = new QMenu;
    QAction* open = menu_->addAction(QStringLiteral("Open Vellaro at Pointer"));
    connect(open, &QAction::triggered, this, [this] { c_.openAtPointer(); });
    hintItem_ = menu_->addAction(QString());
    hintItem_->setEnabled(false);
    menu_->addSeparator();

    // Windows not in this build yet keep their entries, disabled.
    QAction* settings = menu_->addAction(QStringLiteral("Settings…"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setEnabled(c_.settingsConsole.isAvailable());
    connect(settings, &QAction::triggered, this, [this] { c_.settingsConsole.show(); });
    QAction* setup = menu_->addAction(QStringLiteral("Setup…"));
    setup->setEnabled(c_.setupAssistant.isAvailable());
    connect(setup, &QAction::triggered, this, [this] { c_.setupAssistant.show(true); });
    QAction* updates = menu_->addAction(QStringLiteral("Check for Updates…"));
    updates->setEnabled(c_.updates.isAvailable());
    connect(updates, &QAction::triggered, this, [this] { c_.updates.checkForUpdates(); });
    menu_->addSeparator();

    QAction* quit = menu_->addAction(QStringLiteral("Quit Vellaro"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(menu_, &QMenu::aboutToShow, this, &StatusItem::menuNeedsUpdate);

    statusItem_ = new QSystemTrayIcon(this);
    statusItem_->setToolTip(QStringLiteral("Vellaro"));
    statusItem_->setContextMenu(menu_);
    // XEmbed trays show the context menu only on a right click; a left click
    // brings up the same menu.
    connect(statusItem_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger && !menu_->isVisible())
                    menu_->popup(QCursor::pos());
            });
    redraw();
    menuNeedsUpdate(); // the hint also shows before the first opening
    hasStatusArea_ = c_.statusAreaAvailable();
    statusItem_->show();
    // Nobody sees the mark turn without a status area: no timer then.
    if (hasStatusArea_)
        scheduleTick();
    else
        qCInfo(appLog) << "No status area on this desktop; Vellaro runs on without its status item";
}

StatusItem::~StatusItem() {
    if (markTimer_ != 0)
        c_.scheduler.cancel(markTimer_);
    delete menu_;
}

void StatusItem::menuNeedsUpdate() {
    hintItem_->setText(c_.hintText());
}

void StatusItem::scheduleTick() {
    markTimer_ = c_.scheduler.schedule(tickInterval, [this] {
        markTimer_ = 0;
        advanceMark(tickStep);
        scheduleTick();
    });
}

void StatusItem::advanceMark(double step) {
    if (c_.reduceMotion()) {
        if (markAngle_ == 0)
            return;
        markAngle_ = 0;
        redraw();
        return;
    }
    markAngle_ += step;
    if (markAngle_ >= 360)
        markAngle_ -= 360;
    redraw();
}

void StatusItem::redraw() {
    if (!statusItem_)
        return;
    const qreal ratio =
        qGuiApp->primaryScreen() ? qGuiApp->primaryScreen()->devicePixelRatio() : 1.0;
    const QColor ink = StatusMark::inkFor(c_.panelIsDark());
    statusItem_->setIcon(QIcon(QPixmap::fromImage(StatusMark::draw(markAngle_, ink, ratio))));
}

} // namespace vellaro
