#include "workspaces/CaptureNamePrompt.h"

#include "workspaces/CaptureNameView.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

class CaptureNamePromptTest : public ::testing::Test {
protected:
    qsizetype saved = 3;
    QStringList captured;
    CaptureNamePrompt prompt{[this] { return saved; },
                             [this](const QString& name) { captured << name; }};

    CaptureNameView& open() {
        prompt.show();
        EXPECT_TRUE(prompt.window());
        return *prompt.window();
    }
    // Lets the dropped window's deferred deletion run.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(CaptureNamePromptTest, ProposesTheNextNumberedName) {
    CaptureNameView& view = open();
    EXPECT_EQ(view.nameField()->text(), QStringLiteral("Workspace 4"));
    EXPECT_EQ(view.nameField()->placeholderText(), QStringLiteral("Workspace name"));
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Capture Workspace"));
    EXPECT_EQ(view.width(), 360);
    EXPECT_FALSE(view.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(view.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(view.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QStringList texts;
    for (const QLabel* label : view.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Capture the current window setup")));
    EXPECT_TRUE(texts.contains(QStringLiteral(
        "Running apps, their windows, positions, and open documents are saved so this "
        "arrangement can be restored later.")));
    EXPECT_TRUE(view.captureButton()->isEnabled());

    QDir().mkpath(QStringLiteral(VELLARO_TEST_OUTPUT_DIR));
    view.grab().save(QStringLiteral(VELLARO_TEST_OUTPUT_DIR "/capture-prompt.png"));
}

TEST_F(CaptureNamePromptTest, ABlankNameCannotBeCaptured) {
    for (const QString& blank : {QString(), QStringLiteral("   "), QStringLiteral("\t \t"),
                                 QStringLiteral("\u00a0 \u2003")}) {
        SCOPED_TRACE(blank.toStdString());
        CaptureNameView& view = open();
        view.nameField()->setText(blank);
        EXPECT_FALSE(view.captureButton()->isEnabled());
        QTest::keyClick(view.nameField(), Qt::Key_Return);
        QTest::keyClick(view.nameField(), Qt::Key_Enter);
        EXPECT_EQ(prompt.window(), &view) << "Return does nothing";
        QPointer<CaptureNameView> dropped = &view;
        QTest::keyClick(view.nameField(), Qt::Key_Escape);
        EXPECT_EQ(prompt.window(), nullptr) << "Escape cancels";
        settle();
        EXPECT_FALSE(dropped);
    }
    EXPECT_TRUE(captured.isEmpty());
}

TEST_F(CaptureNamePromptTest, CapturesTheTrimmedName) {
    CaptureNameView& view = open();
    view.nameField()->setText(QStringLiteral(" \tMorning  desk \u00a0"));
    EXPECT_TRUE(view.captureButton()->isEnabled());
    QTest::keyClick(view.nameField(), Qt::Key_Return);
    EXPECT_EQ(captured, QStringList{QStringLiteral("Morning  desk")});
    EXPECT_EQ(prompt.window(), nullptr);
    settle();

    open().nameField()->setText(QStringLiteral("  Evening "));
    QTest::mouseClick(prompt.window()->captureButton(), Qt::LeftButton);
    EXPECT_EQ(captured, (QStringList{QStringLiteral("Morning  desk"), QStringLiteral("Evening")}));
}

TEST_F(CaptureNamePromptTest, ReopensOrRebuildsAsItWasLeft) {
    // Shown again while open: the same window with what was typed.
    CaptureNameView* first = &open();
    first->nameField()->setText(QStringLiteral("Half typed"));
    EXPECT_EQ(&open(), first);
    EXPECT_EQ(first->nameField()->text(), QStringLiteral("Half typed"));

    // Closed from the title bar: kept, with its old text and old default.
    first->close();
    EXPECT_FALSE(first->isVisible());
    saved = 5;
    EXPECT_EQ(&open(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->nameField()->text(), QStringLiteral("Half typed"));

    // After Cancel: a new window, counted afresh.
    QPointer<CaptureNameView> cancelled = first;
    first->cancelButton()->click();
    settle();
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(open().nameField()->text(), QStringLiteral("Workspace 6"));

    // After Capture, with the capture counted in between.
    prompt.window()->captureButton()->click();
    saved = 6;
    settle();
    EXPECT_EQ(open().nameField()->text(), QStringLiteral("Workspace 7"));
    EXPECT_EQ(captured, QStringList{QStringLiteral("Workspace 6")});
}

} // namespace
} // namespace vellaro
