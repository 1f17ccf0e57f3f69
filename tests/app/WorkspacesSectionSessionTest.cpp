// The dial's workspaces section as the program makes it: "Capture Setup"
// brings up the name prompt, Capture walks the session's windows, and the
// report panel and the new fan item follow.
#include "app/SectionProviderFactory.h"
#include "support/SessionPrograms.h"
#include "support/WaitUntil.h"
#include "workspaces/CaptureNameView.h"
#include "workspaces/RestoreReportHUD.h"
#include "workspaces/RestoreReportView.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

CaptureNameView* shownPrompt() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* prompt = dynamic_cast<CaptureNameView*>(widget); prompt && prompt->isVisible())
            return prompt;
    return nullptr;
}

TEST(WorkspacesSectionSession, CaptureSetupPromptsCapturesAndReports) {
    test::SessionPrograms programs;
    programs.startEyesClockAndNotes();
    ASSERT_TRUE(waitUntil(
        [] {
            return test::SessionPrograms::windowTitled("xeyes") &&
                   test::SessionPrograms::windowTitled("Clock") &&
                   test::SessionPrograms::windowTitled("Notes");
        },
        60000));

    const std::unique_ptr<SectionProvider> section = makeSectionProvider(SectionKind::workspaces);
    int changes = 0;
    section->setOnChange([&] { ++changes; });
    std::vector<MenuItem> items = section->items();
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0].label(), "Capture Setup");
    items[0].action();

    CaptureNameView* prompt = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (prompt = shownPrompt()) != nullptr; }));
    QTest::mouseClick(prompt->captureButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return changes == 1; }));

    items = section->items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].label(), "Workspace 1");
    EXPECT_EQ(items[0].sublabel, QStringLiteral(u"3 apps \u00b7 3 windows"));
    const RestoreReportView* report = RestoreReportHUD::shared().panel();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->content().text, QStringLiteral(u"Workspace 1 \u2014 restored 3 windows"));
}

} // namespace
} // namespace vellaro
