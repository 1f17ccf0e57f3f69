// apps.json's decoder on any bytes: it never crashes, and what it accepts
// is written and read back unchanged.
#include "FuzzCheck.h"
#include "providers/apps/AppsConfiguration.h"

#include <QJsonDocument>
#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!document.isObject())
        return 0;
    const std::optional<AppsConfiguration> decoded = AppsConfiguration::fromJson(document.object());
    if (!decoded)
        return 0;
    const QByteArray written = QJsonDocument(decoded->toJson()).toJson();
    const std::optional<AppsConfiguration> again =
        AppsConfiguration::fromJson(QJsonDocument::fromJson(written).object());
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *decoded);
    return 0;
}
