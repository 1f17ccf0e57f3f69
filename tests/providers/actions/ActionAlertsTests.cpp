#include "providers/actions/ActionAlerts.h"
#include "support/WaitUntil.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

QMessageBox* shownAlert() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

QAbstractButton* button(QMessageBox* box, const QString& text) {
    for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

// The alerts never block: the call returns with the alert up.
TEST(ActionAlertsTest, DoNotDisturbSetupOffersTheNotificationSettings) {
    struct Case {
        const char* pressed;
        int opened;
    };
    for (const Case& c : {Case{"Open Settings", 1}, Case{"Later", 0}}) {
        SCOPED_TRACE(c.pressed);
        int opened = 0;
        ActionAlerts::showDoNotDisturbSetup(QStringLiteral("Which servers."), [&] { ++opened; });
        QMessageBox* alert = shownAlert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->text(), QStringLiteral("One-time setup for Do Not Disturb"));
        EXPECT_EQ(alert->informativeText(), QStringLiteral("Which servers."));
        ASSERT_TRUE(button(alert, "Open Settings"));
        ASSERT_TRUE(button(alert, "Later"));
        button(alert, QLatin1String(c.pressed))->click();
        EXPECT_EQ(opened, c.opened);
        EXPECT_TRUE(test::waitUntil([] { return shownAlert() == nullptr; }));
    }
}

TEST(ActionAlertsTest, FailureShowsTheMessage) {
    ActionAlerts::showFailure(
        QStringLiteral("Vellaro could not lock the screen: no screen locker is running."));
    QMessageBox* alert = shownAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->text(),
              QStringLiteral("Vellaro could not lock the screen: no screen locker is running."));
    alert->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(test::waitUntil([] { return shownAlert() == nullptr; }));
}

} // namespace
} // namespace vellaro
