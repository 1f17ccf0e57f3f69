#include "harness/SpikeCaptureFile.h"

#include "harness/SpikeText.h"
#include "platform/session/JsonFile.h"
#include "platform/session/OwnedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

namespace vellaro {

namespace {

const QString capturedAtKey = QStringLiteral("capturedAt");
const QString windowsKey = QStringLiteral("windows");

QString internetDateTime(const QDateTime& moment) {
    return moment.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QLatin1Char('Z');
}

// "2026-12-09T08:14:14Z" or with an offset "+01:00"; no fractional seconds.
std::optional<QDateTime> parseInternetDateTime(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})(?:(Z)|([+-])(\d{2}):(\d{2}))$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto number = [&](int group) { return match.captured(group).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    int offsetSeconds = 0;
    if (match.captured(7).isEmpty()) {
        if (number(9) > 23 || number(10) > 59)
            return std::nullopt;
        offsetSeconds = (number(9) * 60 + number(10)) * 60;
        if (match.captured(8) == QLatin1String("-"))
            offsetSeconds = -offsetSeconds;
    }
    return QDateTime(date, time, Qt::UTC).addSecs(-offsetSeconds);
}

// Devices and process links name something that must never be replaced.
bool isReplaceableFile(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (absolute.startsWith(QLatin1String("/dev/")) || absolute.startsWith(QLatin1String("/proc/")))
        return false;
    const QFileInfo info(absolute);
    return !info.exists() || info.isFile();
}

// True when `path` names the file this process's standard output is open
// on (/dev/stdout, /proc/self/fd/1, or that file by its own name).
bool isStandardOutput(const QString& path) {
    struct stat target {};
    struct stat output {};
    return ::stat(QFile::encodeName(path).constData(), &target) == 0 &&
           ::fstat(STDOUT_FILENO, &output) == 0 && target.st_dev == output.st_dev &&
           target.st_ino == output.st_ino;
}

bool writeDirectly(const QString& path, const QByteArray& bytes, QString* error) {
    QFile file(path);
    // Opened anew, standard output's file would be written from its start
    // while the summary line, printed through standard output, lands at that
    // descriptor's own offset over the capture: share the descriptor instead.
    const bool opened = isStandardOutput(path) ? file.open(STDOUT_FILENO, QIODevice::WriteOnly,
                                                           QFileDevice::DontCloseHandle)
                                               : file.open(QIODevice::WriteOnly);
    if (!opened || file.write(bytes) != bytes.size() || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QJsonObject SpikeCaptureFile::toJson(const SpikeCapture& capture) {
    QJsonArray windows;
    for (const CapturedWindow& window : capture.windows)
        windows.append(window.toJson());
    return QJsonObject{{capturedAtKey, internetDateTime(capture.capturedAt)},
                       {windowsKey, windows}};
}

QByteArray SpikeCaptureFile::encode(const SpikeCapture& capture) {
    // QJsonObject keeps its keys sorted.
    return QJsonDocument(toJson(capture)).toJson(QJsonDocument::Indented);
}

std::optional<SpikeCapture> SpikeCaptureFile::decode(const QByteArray& bytes, QString* error) {
    if (bytes.size() > maxBytes) {
        *error = QStringLiteral("the file is larger than 64 MiB");
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("not JSON (%1 at offset %2)")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("the file holds no JSON object");
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const QJsonValue capturedAt = object.value(capturedAtKey);
    if (!capturedAt.isString()) {
        *error = capturedAt.isUndefined() ? QStringLiteral("\"capturedAt\" is missing")
                                          : QStringLiteral("\"capturedAt\" is not text");
        return std::nullopt;
    }
    SpikeCapture capture;
    const std::optional<QDateTime> moment = parseInternetDateTime(capturedAt.toString());
    if (!moment) {
        *error = QStringLiteral("\"capturedAt\" must be a date and time in whole seconds with Z "
                                "or an offset, such as 2026-12-09T08:14:14Z or "
                                "2026-12-09T09:14:14+01:00, not \"%1\"")
                     .arg(escapedControlCharacters(capturedAt.toString()));
        return std::nullopt;
    }
    capture.capturedAt = *moment;
    const QJsonValue windows = object.value(windowsKey);
    if (!windows.isArray()) {
        *error = windows.isUndefined() ? QStringLiteral("\"windows\" is missing")
                                       : QStringLiteral("\"windows\" is not an array");
        return std::nullopt;
    }
    const QJsonArray list = windows.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        std::optional<CapturedWindow> window = CapturedWindow::fromJson(list.at(i));
        if (!window) {
            *error = QStringLiteral("window %1 lacks \"bundleID\", \"title\" or a [[x, y], "
                                    "[width, height]] \"frame\"")
                         .arg(i);
            return std::nullopt;
        }
        capture.windows.push_back(std::move(*window));
    }
    return capture;
}

std::optional<SpikeCapture> SpikeCaptureFile::read(const QString& path, QString* error) {
    // A pipe without a writer is refused, not waited on.
    const OwnedFile::ReadResult file = OwnedFile::read(path, maxBytes);
    if (file.status != OwnedFile::ReadStatus::ok) {
        *error = file.error;
        return std::nullopt;
    }
    return decode(file.data, error);
}

bool SpikeCaptureFile::write(const QString& path, const SpikeCapture& capture, QString* error) {
    return isReplaceableFile(path)
               ? JsonFile::write(path, toJson(capture), error, QJsonDocument::Indented, maxBytes)
               : writeDirectly(path, encode(capture), error);
}

} // namespace vellaro
