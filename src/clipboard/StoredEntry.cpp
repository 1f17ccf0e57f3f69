#include "clipboard/StoredEntry.h"

#include "model/JsonValues.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace vellaro {

namespace {

constexpr std::array kindNames{"text", "url", "files", "image"};

const QDateTime& referenceDate() {
    static const QDateTime date(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    return date;
}

// Standard alphabet, padded: what QByteArray::toBase64 gives, without the copies.
void appendBase64(QByteArray& out, const char* data, qsizetype size) {
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto* in = reinterpret_cast<const unsigned char*>(data);
    const qsizetype start = out.size();
    out.resize(start + (size + 2) / 3 * 4);
    char* o = out.data() + start;
    qsizetype i = 0;
    for (; i + 3 <= size; i += 3) {
        const std::uint32_t v =
            (std::uint32_t(in[i]) << 16) | (std::uint32_t(in[i + 1]) << 8) | in[i + 2];
        *o++ = alphabet[v >> 18];
        *o++ = alphabet[(v >> 12) & 63];
        *o++ = alphabet[(v >> 6) & 63];
        *o++ = alphabet[v & 63];
    }
    if (i < size) {
        const bool two = i + 1 < size;
        const std::uint32_t v =
            (std::uint32_t(in[i]) << 16) | (two ? std::uint32_t(in[i + 1]) << 8 : 0);
        *o++ = alphabet[v >> 18];
        *o++ = alphabet[(v >> 12) & 63];
        *o++ = two ? alphabet[(v >> 6) & 63] : '=';
        *o++ = '=';
    }
}

std::optional<StoredEntry::Kind> kindNamed(const QString& name) {
    for (std::size_t i = 0; i < kindNames.size(); ++i) {
        if (name == QLatin1String(kindNames[i]))
            return StoredEntry::Kind(i);
    }
    return std::nullopt;
}

// Reads an optional key: absent is fine, present with another type is not.
template <class T, class Convert>
bool readOptional(const QJsonObject& object, const char* key, std::optional<T>& into,
                  Convert convert) {
    const auto found = object.constFind(QLatin1String(key));
    if (found == object.constEnd())
        return true;
    into = convert(*found);
    return into.has_value();
}

std::optional<QByteArray> asBase64(const QJsonValue& value) {
    if (!value.isString())
        return std::nullopt;
    auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? std::optional(std::move(*decoded)) : std::nullopt;
}

std::optional<StoredEntry> decodeEntry(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue kind = object.value(QLatin1String("kind"));
    const QJsonValue title = object.value(QLatin1String("title"));
    const QJsonValue copiedAt = object.value(QLatin1String("copiedAt"));
    if (!kind.isString() || !title.isString() || !copiedAt.isDouble())
        return std::nullopt;
    StoredEntry entry;
    const auto parsedKind = kindNamed(kind.toString());
    if (!parsedKind)
        return std::nullopt;
    entry.kind = *parsedKind;
    entry.title = title.toString();
    entry.copiedAt = copiedAt.toDouble();
    if (!readOptional(object, "text", entry.text, json::toString) ||
        !readOptional(object, "paths", entry.paths, json::toStringList) ||
        !readOptional(object, "imageData", entry.imageData, asBase64) ||
        !readOptional(object, "imageType", entry.imageType, json::toString) ||
        !readOptional(object, "sourceApp", entry.sourceApp, json::toString))
        return std::nullopt;
    return entry;
}

} // namespace

void StoredEntry::encodeList(const std::vector<StoredEntry>& entries, const Sink& sink) {
    // Megabytes of image bytes go in as Base64 written straight into the
    // output: through QJsonValue they would be widened to UTF-16 and copied
    // several times. Base64 needs no escaping.
    constexpr qsizetype pieceSize = 256 * 1024;
    constexpr qsizetype imageSlice = 3 * 16384; // a multiple of 3: padding only at the end
    QByteArray piece;
    piece.reserve(pieceSize + 4 * imageSlice / 3 + 64);
    const auto passOn = [&](bool always) {
        if (always || piece.size() >= pieceSize) {
            sink(piece.constData(), piece.size());
            piece.resize(0);
        }
    };
    const auto put = [&](const QByteArray& bytes) {
        piece += bytes;
        passOn(false);
    };
    put("[");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const StoredEntry& entry = entries[i];
        QJsonObject object{{"kind", kindNames[std::size_t(entry.kind)]},
                           {"title", entry.title},
                           {"copiedAt", entry.copiedAt}};
        if (entry.text)
            object.insert("text", *entry.text);
        if (entry.paths)
            object.insert("paths", QJsonArray::fromStringList(*entry.paths));
        if (entry.imageType)
            object.insert("imageType", *entry.imageType);
        if (entry.sourceApp)
            object.insert("sourceApp", *entry.sourceApp);
        QByteArray record = QJsonDocument(object).toJson(QJsonDocument::Compact);
        if (i > 0)
            put(",");
        if (!entry.imageData) {
            put(record);
            continue;
        }
        record.chop(1); // the closing brace of a non-empty object
        put(record + ",\"imageData\":\"");
        const QByteArray& data = *entry.imageData;
        for (qsizetype at = 0; at < data.size(); at += imageSlice) {
            appendBase64(piece, data.constData() + at, std::min(imageSlice, data.size() - at));
            passOn(false);
        }
        put("\"}");
    }
    put("]");
    passOn(true);
}

QByteArray StoredEntry::encodeList(const std::vector<StoredEntry>& entries) {
    QByteArray document;
    encodeList(entries, [&](const char* data, qsizetype size) { document.append(data, size); });
    return document;
}

std::optional<std::vector<StoredEntry>> StoredEntry::decodeList(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    std::vector<StoredEntry> entries;
    for (const QJsonValue& value : document.array()) {
        auto entry = decodeEntry(value);
        if (!entry)
            return std::nullopt;
        entries.push_back(std::move(*entry));
    }
    return entries;
}

double StoredEntry::secondsSinceReference(const QDateTime& date) {
    return double(referenceDate().msecsTo(date)) / 1000.0;
}

QDateTime StoredEntry::dateFromReference(double seconds) {
    if (!std::isfinite(seconds))
        return referenceDate();
    // Beyond a few million years QDateTime has no answer; clamp first.
    const double clamped = std::clamp(seconds, -1e13, 1e13);
    return referenceDate().addMSecs(qint64(std::llround(clamped * 1000.0)));
}

} // namespace vellaro
