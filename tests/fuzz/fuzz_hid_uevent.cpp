// The uevent parser on any bytes: it never crashes, and a device it reads
// comes out the same when its own fields are written back as a uevent.
#include "FuzzCheck.h"
#include "platform/hid/HidDevices.h"

#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto device = HidDevices::parseUevent(text);
    if (!device || device->name.contains(QLatin1Char('\n')))
        return 0;
    const QByteArray written = QStringLiteral("HID_ID=%1:%2:%3\nHID_NAME=%4\n")
                                   .arg(device->bus, 4, 16, QLatin1Char('0'))
                                   .arg(device->vendorId, 8, 16, QLatin1Char('0'))
                                   .arg(device->productId, 8, 16, QLatin1Char('0'))
                                   .arg(device->name)
                                   .toUtf8();
    const auto again = HidDevices::parseUevent(written);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->bus == device->bus && again->vendorId == device->vendorId &&
               again->productId == device->productId && again->name == device->name);
    return 0;
}
