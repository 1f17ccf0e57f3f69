// The harness's capture file on any bytes: decoding never crashes, what it
// accepts encodes and decodes again to the same moment and windows, and
// titles print without control characters.
#include "FuzzCheck.h"
#include "harness/SpikeCaptureFile.h"
#include "harness/SpikeText.h"

#include <cstddef>
#include <cstdint>

using namespace vellaro;

namespace {

bool printable(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::optional<SpikeCapture> capture = SpikeCaptureFile::decode(bytes, &error);
    FUZZ_CHECK(capture || !error.isEmpty());
    if (!capture)
        return 0;
    const std::optional<SpikeCapture> again =
        SpikeCaptureFile::decode(SpikeCaptureFile::encode(*capture), &error);
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->capturedAt == capture->capturedAt);
    FUZZ_CHECK(again->windows.size() == capture->windows.size());
    for (const CapturedWindow& window : capture->windows) {
        FUZZ_CHECK(printable(escapedControlCharacters(window.title)));
        FUZZ_CHECK(printable(escapedControlCharacters(window.bundleID)));
    }
    return 0;
}
