#include "EventPump.h"
#include "support/XcbTestClient.h"

#include "platform/input/MacKeyCodes.h"
#include "platform/input/QtXcbConnection.h"
#include "platform/input/XTestKeySender.h"

#include <QKeyEvent>
#include <QWidget>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <vector>

namespace vellaro {
namespace {

using test::pumpUntil;
using test::XcbTestClient;

class KeyRecorder : public QWidget {
public:
    struct Stroke {
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    std::vector<Stroke> strokes;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        strokes.push_back({event->key(), event->modifiers()});
    }
};

struct SendCase {
    const char* name;
    std::uint32_t keysym; // 0: the paste shortcut
    std::uint16_t modifiers;
    int expectedKey;
    Qt::KeyboardModifiers expectedModifiers;
};

class XTestKeySenderTest : public testing::TestWithParam<SendCase> {};

// The user still holds Alt and Super from the trigger; the stroke must arrive
// with exactly the modifiers asked for.
TEST_P(XTestKeySenderTest, HeldModifiersAreLetGoFirst) {
    ASSERT_NE(QtXcbConnection::connection(), nullptr) << "needs the X session";
    const SendCase& c = GetParam();
    KeyRecorder recorder;
    recorder.setGeometry(60, 500, 200, 100);
    recorder.show();
    recorder.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&recorder));

    XcbTestClient user;
    user.key(XK_Alt_L, true);
    user.key(XK_Super_L, true);
    XTestKeySender sender;
    const bool sent = c.keysym == 0 ? sender.sendPaste() : sender.sendKey(c.keysym, c.modifiers);
    ASSERT_TRUE(sent);
    ASSERT_TRUE(pumpUntil([&] {
        return std::ranges::any_of(recorder.strokes,
                                   [&](const auto& s) { return s.key == c.expectedKey; });
    }));
    const auto stroke =
        std::ranges::find(recorder.strokes, c.expectedKey, &KeyRecorder::Stroke::key);
    EXPECT_EQ(stroke->modifiers, c.expectedModifiers);
    user.key(XK_Super_L, false);
    user.key(XK_Alt_L, false);
}

INSTANTIATE_TEST_SUITE_P(
    Strokes, XTestKeySenderTest,
    testing::Values(SendCase{"Paste", 0, 0, Qt::Key_V, Qt::ControlModifier},
                    SendCase{"ShiftA", XK_a, MacKeyCodes::xShiftMask, Qt::Key_A, Qt::ShiftModifier},
                    SendCase{"PlainTab", XK_Tab, 0, Qt::Key_Tab, Qt::NoModifier}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XTestKeySender, KeysymOnNoKeyIsNotSent) {
    ASSERT_NE(QtXcbConnection::connection(), nullptr) << "needs the X session";
    XTestKeySender sender;
    EXPECT_FALSE(sender.sendKey(XK_Hangul_J_KiyeogSios, 0));
}

} // namespace
} // namespace vellaro
