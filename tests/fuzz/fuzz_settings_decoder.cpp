// The settings decoder on any bytes: it never crashes, and a record it
// accepts encodes and decodes back to itself.
#include "FuzzCheck.h"
#include "model/VellaroSettings.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!document.isObject())
        return 0;
    QString error;
    const auto decoded = VellaroSettings::fromJson(document.object(), &error);
    if (!decoded) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const VellaroSettings migrated = decoded->migrated();
    for (const VellaroSettings& record : {*decoded, migrated}) {
        const auto encoded = record.toJson(&error);
        FUZZ_CHECK(encoded.has_value()); // numbers read from JSON are finite
        const auto again = VellaroSettings::fromJson(*encoded, &error);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(*again == record);
    }
    return 0;
}
