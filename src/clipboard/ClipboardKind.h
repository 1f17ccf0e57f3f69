#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <variant>

namespace vellaro {

// The payload of one clipboard history entry. Two kinds are equal only when
// they are the same case with equal contents (files in order, image bytes
// and type).
struct ClipboardKind {
    struct Text {
        QString text; // as copied, untrimmed
        bool operator==(const Text&) const = default;
    };
    struct Url {
        QString address; // trimmed
        bool operator==(const Url&) const = default;
    };
    struct Files {
        QList<QUrl> files;
        bool operator==(const Files&) const = default;
    };
    struct Image {
        QByteArray data;
        QString type; // "public.png" or "public.tiff"
        bool operator==(const Image&) const = default;
    };

    std::variant<Text, Url, Files, Image> value;

    bool operator==(const ClipboardKind&) const = default;
};

} // namespace vellaro
