#pragma once

#include "platform/hid/HidDevice.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace vellaro {

// The attached HID devices, read from the kernel's HID bus in sysfs: one
// folder per device, each with a `uevent` file holding HID_ID and HID_NAME.
// Reading never fails: unreadable or malformed entries are skipped.
class HidDevices {
public:
    static constexpr auto defaultRoot = "/sys/bus/hid/devices";

    explicit HidDevices(QString root = QString::fromLatin1(defaultRoot));

    QList<HidDevice> devices() const;
    QList<HidDevice> devices(std::uint16_t vendorId) const;

    // A device from the text of its uevent file; none when HID_ID is absent
    // or not of the form bus:vendor:product in hexadecimal.
    static std::optional<HidDevice> parseUevent(QByteArrayView text);

private:
    QString root_;
};

} // namespace vellaro
