#include "platform/hid/HidDevices.h"

#include <QDir>
#include <QFile>
#include <limits>

namespace vellaro {

namespace {

// One field of HID_ID: up to eight hex digits whose value fits in 16 bits
// (the kernel prints vendor and product zero-padded to eight).
std::optional<std::uint16_t> parseHexField(QByteArrayView field) {
    if (field.isEmpty() || field.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : field) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    if (value > std::numeric_limits<std::uint16_t>::max())
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

} // namespace

HidDevices::HidDevices(QString root) : root_(std::move(root)) {}

std::optional<HidDevice> HidDevices::parseUevent(QByteArrayView text) {
    std::optional<HidDevice> device;
    QString name;
    for (const QByteArray& line : text.toByteArray().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArrayView key = QByteArrayView(line).first(equals);
        const QByteArrayView value = QByteArrayView(line).sliced(equals + 1);
        if (key == "HID_NAME") {
            name = QString::fromUtf8(value).trimmed();
        } else if (key == "HID_ID") {
            const QList<QByteArray> fields = value.toByteArray().trimmed().split(':');
            if (fields.size() != 3)
                return std::nullopt;
            const auto bus = parseHexField(fields[0]);
            const auto vendor = parseHexField(fields[1]);
            const auto product = parseHexField(fields[2]);
            if (!bus || !vendor || !product)
                return std::nullopt;
            device = HidDevice{*bus, *vendor, *product, {}};
        }
    }
    if (device)
        device->name = name;
    return device;
}

QList<HidDevice> HidDevices::devices() const {
    QList<HidDevice> result;
    const QDir dir(root_);
    const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        QFile file(dir.filePath(entry + QStringLiteral("/uevent")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // uevent files are a few hundred bytes; cap the read against odd files.
        if (auto device = parseUevent(file.read(64 * 1024)))
            result.append(*device);
    }
    return result;
}

QList<HidDevice> HidDevices::devices(std::uint16_t vendorId) const {
    QList<HidDevice> result = devices();
    result.removeIf([vendorId](const HidDevice& d) { return d.vendorId != vendorId; });
    return result;
}

} // namespace vellaro
