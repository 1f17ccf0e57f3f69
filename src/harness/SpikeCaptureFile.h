#pragma once

#include "harness/SpikeCapture.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace vellaro {

// The capture file: one pretty-printed JSON object with sorted keys,
// "capturedAt" (internet date-time in UTC, no fractional seconds) and
// "windows". Unknown keys are ignored; a missing key, a wrong type or a date
// in another form makes the file unreadable.
class SpikeCaptureFile {
public:
    SpikeCaptureFile() = delete;

    static constexpr qint64 maxBytes = 64 * 1024 * 1024;

    static QJsonObject toJson(const SpikeCapture& capture);
    static QByteArray encode(const SpikeCapture& capture);
    // Absent, with `error` saying why, when the bytes are no capture.
    static std::optional<SpikeCapture> decode(const QByteArray& bytes, QString* error);

    // Reads at most maxBytes; absent, with `error` saying why, on failure.
    static std::optional<SpikeCapture> read(const QString& path, QString* error);

    // A regular file (or a new one, its folder made) is replaced whole or not
    // at all; other targets (a pipe, /dev/stdout) are written directly, never
    // replaced.
    static bool write(const QString& path, const SpikeCapture& capture, QString* error);
};

} // namespace vellaro
