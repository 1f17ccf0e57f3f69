#include "platform/clipboard/X11Pasteboard.h"
#include "support/ClipboardOwnerProcess.h"
#include "support/WaitUntil.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace vellaro {
namespace {

using test::ClipboardOwnerProcess;
using test::waitUntil;

// Waits for the content a new owner offers (a change to no owner at all,
// left by the previous test's owner, does not count).
std::optional<PasteboardContent> nextContent(X11Pasteboard& pasteboard, std::int64_t after) {
    const auto offered = [&] {
        return pasteboard.changeCount() > after && pasteboard.content() &&
               pasteboard.content()->changeCount == pasteboard.changeCount() &&
               !pasteboard.content()->types.isEmpty();
    };
    if (!waitUntil(offered))
        return std::nullopt;
    return pasteboard.content();
}

struct OwnerCase {
    const char* name;
    std::function<std::unique_ptr<ClipboardOwnerProcess>()> owner;
    std::function<void(const PasteboardContent&)> check;
};

class X11PasteboardOwners : public testing::TestWithParam<OwnerCase> {};

TEST_P(X11PasteboardOwners, ReadsWhatTheOwnerOffers) {
    X11Pasteboard pasteboard;
    waitUntil([&] { return pasteboard.content().has_value(); });
    const std::int64_t before = pasteboard.changeCount();
    auto owner = GetParam().owner();
    const auto content = nextContent(pasteboard, before);
    ASSERT_TRUE(content) << "no change seen";
    GetParam().check(*content);
}

const QByteArray cap(PasteboardContent::maximumImageSize, '\x5a');
// A minified document: 24 MB without a line break.
const QByteArray oneLongLine =
    QByteArray("{\"data\": \"") + QByteArray(24 * 1024 * 1024, 'j') + "\"}";

const OwnerCase ownerCases[] = {
    {"Utf8Text", [] { return ClipboardOwnerProcess::xclip("grüße\nzwei", "UTF8_STRING"); },
     [](const PasteboardContent& c) {
         ASSERT_TRUE(c.text);
         EXPECT_EQ(c.text->text(), QString("grüße\nzwei"));
         EXPECT_EQ(c.text->title(), QString("grüße"));
         EXPECT_TRUE(c.files.isEmpty());
     }},
    {"OneLineOf24MegabytesGetsABoundedTitleWhereItIsRead",
     [] { return ClipboardOwnerProcess::xclip(oneLongLine, "UTF8_STRING"); },
     [](const PasteboardContent& c) {
         ASSERT_TRUE(c.text);
         EXPECT_EQ(c.text->text().size(), oneLongLine.size());
         EXPECT_EQ(c.text->title(),
                   QString::fromLatin1(oneLongLine.left(CopiedText::titleCharacters)));
         EXPECT_EQ(c.text->preview().size(), CopiedText::previewCharacters);
     }},
    {"Latin1String", [] { return ClipboardOwnerProcess::xclip(QByteArray("caf\xe9"), "STRING"); },
     [](const PasteboardContent& c) {
         ASSERT_TRUE(c.text);
         EXPECT_EQ(c.text->text(), QString("café"));
     }},
    {"FileList",
     [] {
         return ClipboardOwnerProcess::xclip(
             "# copied\r\nfile:///tmp/a.txt\r\nfile:///tmp/b%20c\r\n", "text/uri-list");
     },
     [](const PasteboardContent& c) {
         ASSERT_EQ(c.files.size(), 2);
         EXPECT_EQ(c.files[1].toLocalFile(), "/tmp/b c");
     }},
    {"UriListNotAllFiles",
     [] {
         return ClipboardOwnerProcess::xclip("file:///tmp/a\nhttps://example.org\n",
                                             "text/uri-list");
     },
     [](const PasteboardContent& c) {
         EXPECT_TRUE(c.files.isEmpty());
         EXPECT_FALSE(c.text);
     }},
    {"PngAtTheCapInIncrements", [] { return ClipboardOwnerProcess::xclip(cap, "image/png"); },
     [](const PasteboardContent& c) {
         EXPECT_EQ(c.imageType, "public.png");
         ASSERT_TRUE(c.imageData);
         EXPECT_EQ(*c.imageData, cap);
         EXPECT_FALSE(c.imageTooLarge);
     }},
    {"PngOverTheCapIsStopped", [] { return ClipboardOwnerProcess::xclip(cap + "!", "image/png"); },
     [](const PasteboardContent& c) {
         EXPECT_TRUE(c.imageTooLarge);
         EXPECT_FALSE(c.imageData);
     }},
    {"TextWithAConcealedMarker",
     [] {
         return ClipboardOwnerProcess::qtHelper(CLIPBOARD_OWNER, "hunter2",
                                                {"org.nspasteboard.ConcealedType"});
     },
     [](const PasteboardContent& c) {
         EXPECT_TRUE(c.types.contains("org.nspasteboard.ConcealedType"));
         EXPECT_TRUE(c.isConcealed());
         ASSERT_TRUE(c.text);
         EXPECT_EQ(c.text->text(), QString("hunter2"));
     }},
};

INSTANTIATE_TEST_SUITE_P(Owners, X11PasteboardOwners, testing::ValuesIn(ownerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An owner that takes the clipboard and never answers.
class SilentOwner {
public:
    SilentOwner() {
        connection_ = xcb_connect(nullptr, nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        auto* atom = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, 9, "CLIPBOARD"), nullptr);
        xcb_set_selection_owner(connection_, window, atom->atom, XCB_CURRENT_TIME);
        std::free(atom);
        // A round trip: the server has made it the owner.
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }
    ~SilentOwner() { xcb_disconnect(connection_); }

private:
    xcb_connection_t* connection_;
};

TEST(X11Pasteboard, AnOwnerThatNeverAnswersLeavesTheMainThreadTurning) {
    X11Pasteboard pasteboard;
    waitUntil([&] { return pasteboard.content().has_value(); });
    const std::int64_t before = pasteboard.changeCount();
    bool contentArrived = false;
    QObject::connect(&pasteboard, &Pasteboard::contentRead, [&] { contentArrived = true; });
    SilentOwner owner;
    ASSERT_TRUE(waitUntil([&] { return pasteboard.changeCount() > before; }));
    // The read is under way on the worker; the main thread still runs its timers.
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    ASSERT_TRUE(waitUntil([&] { return timerRan; }));
    EXPECT_FALSE(contentArrived);
    // The read gives up after its time-out with nothing read.
    ASSERT_TRUE(waitUntil([&] { return contentArrived; }));
    EXPECT_TRUE(pasteboard.content()->types.isEmpty());
    EXPECT_FALSE(pasteboard.content()->text);
}

TEST(X11Pasteboard, OwnWritesAreCountedAtOnceAndServedToOthers) {
    X11Pasteboard pasteboard;
    waitUntil([&] { return pasteboard.content().has_value(); });
    std::vector<std::int64_t> readCounts;
    QObject::connect(&pasteboard, &Pasteboard::contentRead,
                     [&](std::int64_t count) { readCounts.push_back(count); });
    std::vector<std::int64_t> ownCounts;
    // Each write is counted before it returns, and its snapshot is the content.
    auto counted = [&](const std::function<void()>& write) {
        const std::int64_t before = pasteboard.changeCount();
        write();
        EXPECT_EQ(pasteboard.changeCount(), before + 1);
        EXPECT_EQ(pasteboard.content()->changeCount, pasteboard.changeCount());
        ownCounts.push_back(pasteboard.changeCount());
    };

    counted([&] { pasteboard.writeText("own text"); });
    EXPECT_EQ(ClipboardOwnerProcess::readWithXclip("UTF8_STRING"), QByteArray("own text"));

    const QList<QUrl> files{QUrl::fromLocalFile("/tmp/one"), QUrl::fromLocalFile("/tmp/two 2")};
    counted([&] { pasteboard.writeFiles(files); });
    EXPECT_EQ(ClipboardOwnerProcess::readWithXclip("text/uri-list").trimmed().split('\n').size(),
              2);
    EXPECT_EQ(ClipboardOwnerProcess::readWithXclip("x-special/gnome-copied-files"),
              QByteArray("copy\nfile:///tmp/one\nfile:///tmp/two%202"));

    counted([&] { pasteboard.writeImage(QByteArray("png bytes"), PasteboardContent::pngType); });
    EXPECT_EQ(ClipboardOwnerProcess::readWithXclip("image/png"), QByteArray("png bytes"));
    for (std::int64_t own : ownCounts)
        EXPECT_EQ(std::ranges::count(readCounts, own), 0) << "own writes are never read back";
}

} // namespace
} // namespace vellaro
