#pragma once

#include <QString>

#include <string>

namespace vellaro {

// The build number a package carries inside its signed bytes, so that a feed
// cannot offer an older signed package under a newer build. The manifest is
// {"build": "101", "version": 1}, written by the update-package target: a
// version folder holds it as vellaro-update.json at its root; an AppImage
// carries it appended after the image, followed by the footer line
// "vellaro-update.json NNNNNNNN\n" giving its length in bytes, where the
// AppImage runtime never reads.
class UpdateManifest {
public:
    static constexpr const char* fileName = "vellaro-update.json";
    // The footer: the name, a space, the length as 8 decimal digits, a newline.
    static constexpr qsizetype footerSize =
        qsizetype(std::char_traits<char>::length(fileName)) + 1 + 8 + 1;
    static constexpr qsizetype maximumSize = 4096;

    // Why the unpacked folder may not be installed as `build`; empty when its
    // manifest names exactly that build.
    static QString check(const QString& folder, const QString& build);
    // The same for an AppImage file.
    static QString checkAppImage(const QString& appImage, const QString& build);
};

} // namespace vellaro
