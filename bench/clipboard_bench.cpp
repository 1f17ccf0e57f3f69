// Clipboard figures: a poll that finds nothing new, the main thread's
// longest turn while a 4 MiB PNG and a 24 MB line of text are read from
// another program, the dial's clipboard items for that line, and sealing and
// writing five 4 MiB images. Prints numbers; asserts nothing on time. All
// but the last need an X display (scripts/test-session).
#include "ClipboardBenchHistory.h"

#include "clipboard/ClipboardProvider.h"
#include "clipboard/ClipboardStore.h"
#include "clipboard/SealedHistoryFile.h"
#include "platform/clipboard/X11Pasteboard.h"
#include "platform/secrets/FileSecretStore.h"
#include "platform/time/QtScheduler.h"
#include "support/ClipboardOwnerProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace vellaro;
using Clock = std::chrono::steady_clock;

namespace {

double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void benchUnchangedPoll(ClipboardProvider& provider) {
    constexpr int rounds = 1'000'000;
    provider.poll();
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        provider.poll();
    std::printf("poll with an unchanged count: %.4f us per poll\n",
                microseconds(Clock::now() - start) / rounds);
}

void benchLargeRead(X11Pasteboard& pasteboard, ClipboardProvider& provider) {
    const std::size_t before = provider.entries().size();
    const QByteArray png(PasteboardContent::maximumImageSize, '\x5a');
    auto owner = test::ClipboardOwnerProcess::xclip(png, "image/png");
    Clock::duration longestTurn{};
    const auto start = Clock::now();
    while (provider.entries().size() == before && Clock::now() - start < std::chrono::seconds(20)) {
        const auto turn = Clock::now();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        longestTurn = std::max(longestTurn, Clock::now() - turn);
    }
    std::printf("4 MiB PNG from xclip: recorded after %.1f ms; longest main-thread turn %.3f ms "
                "(change count %lld)\n",
                microseconds(Clock::now() - start) / 1000, microseconds(longestTurn) / 1000,
                static_cast<long long>(pasteboard.changeCount()));
}

// A minified document on one line: recorded without stalling the main
// thread, and its fan item built from a bounded title and preview.
void benchLongLine(ClipboardProvider& provider) {
    const QByteArray line = QByteArray("{\"data\": \"") + QByteArray(24 * 1024 * 1024, 'j') + "\"}";
    auto owner = test::ClipboardOwnerProcess::xclip(line, "UTF8_STRING");
    Clock::duration longestTurn{};
    const auto start = Clock::now();
    auto recorded = [&] {
        return !provider.entries().empty() &&
               provider.entries().front().title.startsWith(QLatin1String("{\"data\""));
    };
    while (!recorded() && Clock::now() - start < std::chrono::seconds(30)) {
        const auto turn = Clock::now();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        longestTurn = std::max(longestTurn, Clock::now() - turn);
    }
    const auto recordedAfter = Clock::now() - start;
    const auto build = Clock::now();
    const std::vector<MenuItem> items = provider.items();
    const auto built = Clock::now() - build;
    const QFontMetrics metrics(QApplication::font());
    metrics.horizontalAdvance(QStringLiteral("warm")); // the font is loaded once, not measured
    const auto layout = Clock::now();
    const int width = items.size() > 1 ? metrics.horizontalAdvance(items[1].label()) : 0;
    const auto laidOut = Clock::now() - layout;
    std::printf("24 MB line from xclip: recorded after %.1f ms; longest main-thread turn %.3f ms; "
                "clipboard items built in %.3f ms, the entry's label (%lld characters) laid out "
                "in %.3f ms (%d px)\n",
                microseconds(recordedAfter) / 1000, microseconds(longestTurn) / 1000,
                microseconds(built) / 1000,
                static_cast<long long>(items.size() > 1 ? items[1].label().size() : 0),
                microseconds(laidOut) / 1000, width);
}

void benchSealAndWrite() {
    QTemporaryDir folder;
    FileSecretStore secrets(folder.filePath("keys"), "key");
    SealedHistoryFile file(folder.filePath("clipboard.sealed"), secrets, {});
    std::vector<StoredEntry> records;
    for (int i = 0; i < 5; ++i) {
        StoredEntry record;
        record.kind = StoredEntry::Kind::image;
        record.imageData = QByteArray(PasteboardContent::maximumImageSize, char('a' + i));
        record.imageType = QString::fromLatin1(PasteboardContent::pngType);
        record.title = QStringLiteral("Image");
        records.push_back(record);
    }
    file.write(records); // creates the key
    constexpr int rounds = 5;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        file.write(records);
    std::printf("seal and write five 4 MiB images: %.1f ms per write\n",
                microseconds(Clock::now() - start) / rounds / 1000);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchSealAndWrite();
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::printf("no X display: the poll and read figures need scripts/test-session\n");
        return 0;
    }
    ClipboardBenchHistory history;
    benchUnchangedPoll(history.provider);
    benchLargeRead(history.pasteboard, history.provider);
    benchLongLine(history.provider);
    return 0;
}
