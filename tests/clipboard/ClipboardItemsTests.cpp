#include "ProviderFixture.h"

#include "model/SymbolCatalog.h"
#include "platform/input/MacKeyCodes.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::editor;
using test::ProviderFixture;
using test::textContent;

struct AgeCase {
    double seconds;
    const char* text;
};

TEST(ClipboardEntryRelativeTime, Table) {
    const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
    const AgeCase cases[] = {
        {-30, "just now"},  {0, "just now"},
        {59.9, "just now"}, {60, "1 min ago"},
        {125, "2 min ago"}, {3599.9, "59 min ago"},
        {3600, "1 h ago"},  {86399, "23 h ago"},
        {86400, "1 d ago"}, {400 * 86400.0, "400 d ago"},
    };
    for (const AgeCase& c : cases) {
        ClipboardEntry entry;
        entry.copiedAt = now.addMSecs(qint64(-c.seconds * 1000));
        EXPECT_EQ(entry.relativeTime(now), QString(c.text)) << c.seconds;
    }
}

QStringList labels(const std::vector<MenuItem>& items) {
    QStringList list;
    for (const MenuItem& item : items)
        list << item.label();
    return list;
}

QStringList menuTitles(const MenuItem& item) {
    QStringList list;
    for (const MenuAction& action : item.menuActions)
        list << action.title();
    return list;
}

TEST(ClipboardItems, EmptyHistory) {
    ProviderFixture f;
    const auto empty = f.provider->items();
    ASSERT_EQ(labels(empty), QStringList{"Clipboard Is Empty"});
    EXPECT_EQ(empty[0].icon().symbolName(), "doc.on.clipboard");
    EXPECT_FALSE(empty[0].action);

    // Blank text on the clipboard counts as none; it is never recorded either.
    f.copyText("  \n");
    EXPECT_EQ(labels(f.provider->items()), QStringList{"Clipboard Is Empty"});
}

TEST(ClipboardItems, EmptyHistoryWithTextOnTheClipboard) {
    ProviderFixture f(false);
    // Copied before launch: offered to paste, never recorded.
    f.pasteboard.copyElsewhere(textContent("on the clipboard"));
    f.start();
    const auto items = f.provider->items();
    ASSERT_EQ(labels(items), QStringList{"Paste as Plain Text"});
    EXPECT_EQ(items[0].preview->text(), "on the clipboard");
    items[0].action();
    f.scheduler.advance(ClipboardProvider::pasteDelay);
    EXPECT_EQ(f.keys.strokes.size(), 1u);
    EXPECT_TRUE(f.provider->entries().empty());
}

TEST(ClipboardItems, TwelveEntriesShowFiveAndTheHistory) {
    ProviderFixture f;
    for (int i = 1; i <= 12; ++i)
        f.copyText(QString("entry %1").arg(i));
    const auto items = f.provider->items();
    EXPECT_EQ(labels(items), QStringList({"Paste as Plain Text", "entry 12", "entry 11", "entry 10",
                                          "entry 9", "entry 8", "History…"}));
    EXPECT_EQ(items[0].icon().symbolName(), "textformat");
    EXPECT_EQ(items[0].preview->text(), "entry 12");
    EXPECT_TRUE(items[0].menuActions.empty());
    EXPECT_EQ(items.back().sublabel, QString("12 items"));
    EXPECT_EQ(items.back().icon().symbolName(), "clock.arrow.circlepath");
    items.back().action();
    EXPECT_EQ(f.historyShown, 1);
}

TEST(ClipboardItems, OneEntryIsOneItems) {
    ProviderFixture f;
    f.copyText("only");
    EXPECT_EQ(f.provider->items().back().sublabel, QString("1 items"));
}

TEST(ClipboardItems, ContextMenusByKind) {
    ProviderFixture f;
    PasteboardContent files;
    files.files = {QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b.txt")};
    f.pasteboard.copyElsewhere(files);
    f.copyText("https://example.org");
    f.copyText("some text");
    const auto& entries = f.provider->entries();
    ASSERT_EQ(entries.size(), 3u);
    const QStringList pasteAndCopy{"Paste", "Copy Only"};
    EXPECT_EQ(menuTitles(f.provider->menuItem(entries[0])),
              QStringList({"Paste", "Copy Only", "Paste as Plain Text"}));
    EXPECT_EQ(menuTitles(f.provider->menuItem(entries[1])), pasteAndCopy);
    const MenuItem filesItem = f.provider->menuItem(entries[2]);
    EXPECT_EQ(menuTitles(filesItem), pasteAndCopy);
    EXPECT_EQ(filesItem.preview->text(), "a.txt\nb.txt");
    EXPECT_EQ(f.provider->menuItem(entries[1]).preview->text(), "https://example.org");
}

TEST(ClipboardItems, PreviewsStopAtTwelveHundredCharactersAsTheUserSeesThem) {
    ProviderFixture f;
    // 1,199 letters, then a family emoji of several code points across the 1,200th.
    const QString family = QString::fromUtf8("👨‍👩‍👧");
    const QString text = QString(1199, 'a') + family + "tail";
    f.copyText(text);
    const auto items = f.provider->items();
    const QString expected = QString(1199, 'a') + family;
    EXPECT_EQ(items[0].preview->text(), expected) << "the plain-text item";
    EXPECT_EQ(items[1].preview->text(), expected) << "the entry";
}

TEST(ClipboardItems, AnUnknownSourceHasNoSublabelAndAnUnknownCaption) {
    ProviderFixture f;
    f.copyText("orphan");
    const MenuItem item = f.provider->menuItem(f.provider->entries()[0]);
    EXPECT_FALSE(item.sublabel);
    EXPECT_EQ(item.previewCaption, QString("Unknown · just now"));
    f.front.front = editor;
    f.copyText("credited");
    f.now = f.now.addSecs(125);
    const MenuItem credited = f.provider->menuItem(f.provider->entries()[0]);
    EXPECT_EQ(credited.sublabel, QString("Text Editor"));
    EXPECT_EQ(credited.previewCaption, QString("Text Editor · 2 min ago"));
}

TEST(ClipboardItems, AConcealedClipboardShowsNoPreviewText) {
    ProviderFixture f;
    PasteboardContent secret = textContent("hunter2");
    secret.types << "org.nspasteboard.ConcealedType";
    f.pasteboard.copyElsewhere(secret);
    const auto items = f.provider->items();
    ASSERT_EQ(labels(items), QStringList{"Paste as Plain Text"});
    EXPECT_FALSE(items[0].preview);
}

TEST(ClipboardItems, EverySymbolIsInTheCatalog) {
    ProviderFixture f;
    PasteboardContent image;
    image.imageData = QByteArray("not an image");
    image.imageType = PasteboardContent::pngType;
    f.pasteboard.copyElsewhere(image);
    f.copyText("https://example.org");
    f.copyText("text");
    QStringList symbols{"doc"}; // shown for files when the theme has no icon
    for (const MenuItem& item : f.provider->items())
        symbols << item.icon().symbolName();
    for (const QString& symbol : symbols)
        EXPECT_TRUE(SymbolCatalog::knownSymbols().contains(symbol)) << symbol.toStdString();
    EXPECT_TRUE(symbols.contains("photo"));
}

TEST(ClipboardPaste, OneCtrlVAfterTheDelayWithTheGrant) {
    ProviderFixture f;
    f.copyText("older");
    f.copyText("newest");
    const auto start = f.scheduler.now();
    f.provider->items()[2].action(); // "older"
    EXPECT_EQ(f.pasteboard.content()->text->text(), QString("older"));
    f.scheduler.advance(119ms);
    EXPECT_TRUE(f.keys.strokes.empty());
    f.scheduler.advance(1ms);
    ASSERT_EQ(f.keys.strokes.size(), 1u);
    EXPECT_EQ(f.keys.strokes[0].keysym, std::uint32_t(XK_v));
    EXPECT_EQ(f.keys.strokes[0].at - start, ClipboardProvider::pasteDelay);
    f.scheduler.advance(2s);
    EXPECT_EQ(f.keys.strokes.size(), 1u);
    EXPECT_EQ(f.titles(), QStringList({"newest", "older"})) << "own write not recorded, not moved";
}

TEST(ClipboardPaste, TheKeystrokeIsTheOneTheWindowInFrontPastesWith) {
    struct Case {
        QStringList windowClass;
        std::uint32_t keysym;
        std::uint16_t modifiers;
        bool primary;
    };
    const std::uint16_t control = MacKeyCodes::xControlMask;
    const std::uint16_t shift = MacKeyCodes::xShiftMask;
    const Case cases[] = {
        {{"xterm", "XTerm"}, XK_Insert, shift, true},
        {{"uxterm", "UXTerm"}, XK_Insert, shift, true},
        {{"gnome-terminal-server", "Gnome-terminal"}, XK_v, std::uint16_t(control | shift), false},
        {{"urxvt", "URxvt"}, XK_v, std::uint16_t(control | shift), false},
        {{"Alacritty", "Alacritty"}, XK_v, std::uint16_t(control | shift), false},
        {{"st-256color", "st-256color"}, XK_v, std::uint16_t(control | shift), false},
        {{"kitty", "kitty"}, XK_v, std::uint16_t(control | shift), false},
        {{"gedit", "Gedit"}, XK_v, control, false},
        {{"stalonetray", "stalonetray"}, XK_v, control, false},
        {{}, XK_v, control, false},
    };
    for (const Case& c : cases) {
        ProviderFixture f;
        f.keys.windowClass = c.windowClass;
        f.copyText("entry");
        f.copyText("newer");
        f.provider->paste(f.provider->entries()[1]);
        f.scheduler.advance(ClipboardProvider::pasteDelay);
        const std::string name = c.windowClass.join('/').toStdString();
        ASSERT_EQ(f.keys.strokes.size(), 1u) << name;
        EXPECT_EQ(f.keys.strokes[0].keysym, c.keysym) << name;
        EXPECT_EQ(f.keys.strokes[0].modifiers, c.modifiers) << name;
        ASSERT_EQ(f.pasteboard.primary.has_value(), c.primary) << name;
        if (c.primary) {
            EXPECT_EQ(f.pasteboard.primary->text->text(), QString("entry")) << name;
        }
        EXPECT_EQ(f.titles(), QStringList({"newer", "entry"})) << name;
    }
}

TEST(ClipboardPaste, WithoutTheGrantTheEntryIsOnlyCopied) {
    ProviderFixture f;
    f.trust.trusted = false;
    f.copyText("entry");
    f.provider->paste(f.provider->entries()[0]);
    f.provider->pastePlainText("plain");
    f.scheduler.advance(1s);
    EXPECT_TRUE(f.keys.strokes.empty());
    EXPECT_EQ(f.pasteboard.content()->text->text(), QString("plain"));
    EXPECT_EQ(f.titles(), QStringList{"entry"});
}

TEST(ClipboardPaste, CopyWritesEachKindAsRecorded) {
    ProviderFixture f;
    PasteboardContent files;
    files.files = {QUrl::fromLocalFile("/tmp/a.txt")};
    f.pasteboard.copyElsewhere(files);
    PasteboardContent image;
    image.imageData = QByteArray("tiff bytes");
    image.imageType = PasteboardContent::tiffType;
    f.pasteboard.copyElsewhere(image);
    for (const auto& entry : std::vector(f.provider->entries()))
        f.provider->copy(entry);
    ASSERT_EQ(f.pasteboard.writes.size(), 2u);
    EXPECT_EQ(f.pasteboard.writes[0].imageData, QByteArray("tiff bytes"));
    EXPECT_EQ(f.pasteboard.writes[0].imageType, "public.tiff");
    EXPECT_EQ(f.pasteboard.writes[1].files, files.files);
    f.scheduler.advance(1s);
    EXPECT_EQ(f.provider->entries().size(), 2u);
}

} // namespace
} // namespace vellaro
