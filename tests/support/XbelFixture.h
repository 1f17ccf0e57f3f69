#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <vector>

namespace vellaro::test {

// One bookmark of a recently-used.xbel fixture.
struct XbelBookmark {
    QString href;
    QString modified;
    QString visited = {};
    bool isPrivate = false;
    QString mimeType = QStringLiteral("text/plain");
};

// A recently-used.xbel as GLib writes it.
inline QByteArray xbelDocument(const std::vector<XbelBookmark>& bookmarks) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<xbel version=\"1.0\"\n"
        "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
        "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const XbelBookmark& b : bookmarks) {
        xml += "  <bookmark href=\"" + b.href.toUtf8() + "\" added=\"2020-01-01T00:00:00Z\"";
        if (!b.modified.isEmpty())
            xml += " modified=\"" + b.modified.toUtf8() + "\"";
        if (!b.visited.isEmpty())
            xml += " visited=\"" + b.visited.toUtf8() + "\"";
        xml += ">\n    <info>\n      <metadata owner=\"http://freedesktop.org\">\n"
               "        <mime:mime-type type=\"" +
               b.mimeType.toUtf8() +
               "\"/>\n"
               "        <bookmark:applications>\n"
               "          <bookmark:application name=\"Text Editor\" exec=\"&apos;gedit %u&apos;\" "
               "modified=\"2024-01-01T00:00:00Z\" count=\"1\"/>\n"
               "        </bookmark:applications>\n";
        if (b.isPrivate)
            xml += "        <bookmark:private/>\n";
        xml += "      </metadata>\n    </info>\n  </bookmark>\n";
    }
    xml += "</xbel>\n";
    return xml;
}

// Replaces the file the way GLib saves it: a new file renamed over the old.
inline bool replaceFile(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

} // namespace vellaro::test
