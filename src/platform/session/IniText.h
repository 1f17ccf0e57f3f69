#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace vellaro {

// The text of an INI file as QSettings writes and reads it, so files move
// between versions unchanged. Qt keeps its codec to files of its own, so
// reading runs QSettings on a scratch copy in a private temporary folder;
// the Booleans and texts the program keeps are written here in Qt's form,
// since QSettings does not check its writes. The kept file itself is read
// and written only through OwnedFile.
class IniText {
public:
    IniText() = delete;

    // Keys as QSettings gives them ("group/key"); absent, with `error`, when
    // the text does not parse.
    static std::optional<QVariantMap> decode(const QByteArray& text, QString* error);
    static std::optional<QByteArray> encode(const QVariantMap& values, QString* error);

private:
    static std::optional<QByteArray> encodeWithQSettings(const QVariantMap& values, QString* error);
};

} // namespace vellaro
