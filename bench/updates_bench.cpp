// Update engine figures: release notes of a broken feed, a large feed, and
// the signature check over a large package. Printed, never asserted.
#include "platform/crypto/Ed25519.h"
#include "platform/updater/Appcast.h"
#include "updates/ReleaseNotes.h"

#include <benchmark/benchmark.h>

using namespace vellaro;

// 1 MiB of list items that are never closed: each opening must not rescan
// the rest of the text.
static void releaseNotesUnclosedItems(benchmark::State& state) {
    QString html = QStringLiteral("<h2>1.0</h2><h3>New</h3>");
    while (html.size() < 1024 * 1024)
        html += QStringLiteral("<li>item ");
    for (auto _ : state)
        benchmark::DoNotOptimize(ReleaseNotes::parse(html, QStringLiteral("1.0")));
}
BENCHMARK(releaseNotesUnclosedItems)->Unit(benchmark::kMillisecond);

static void appcastOf500Items(benchmark::State& state) {
    QByteArray feed = "<?xml version=\"1.0\"?><rss version=\"2.0\" "
                      "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\" "
                      "xmlns:vellaro=\"urn:org.vellaro:appcast\"><channel>";
    const QByteArray signature = QByteArray(64, 's').toBase64();
    for (int i = 0; i < 500; ++i) {
        const QByteArray build = QByteArray::number(i + 1);
        feed += "<item><title>Vellaro " + build + "</title><sparkle:version>" + build +
                "</sparkle:version><sparkle:shortVersionString>1." + build +
                "</sparkle:shortVersionString><description><![CDATA[<h2>1." + build +
                "</h2><h3>New</h3><ul><li>One</li><li>Two</li></ul>]]></description>"
                "<enclosure url=\"https://vellaro.example/v" +
                build +
                ".tar.xz\" length=\"14523360\" type=\"application/x-xz-compressed-tar\" "
                "sparkle:os=\"linux\" vellaro:arch=\"x86_64\" sparkle:edSignature=\"" +
                signature + "\"/></item>";
    }
    feed += "</channel></rss>";
    for (auto _ : state)
        benchmark::DoNotOptimize(Appcast::parse(feed, nullptr));
}
BENCHMARK(appcastOf500Items)->Unit(benchmark::kMillisecond);

static void ed25519Over64MiB(benchmark::State& state) {
    const auto keys = Ed25519::generate();
    const QByteArray package(64 * 1024 * 1024, 'p');
    const QByteArray signature = Ed25519::sign(keys->privateKeyPem, package);
    for (auto _ : state)
        benchmark::DoNotOptimize(Ed25519::verify(keys->publicKey, package, signature));
}
BENCHMARK(ed25519Over64MiB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
