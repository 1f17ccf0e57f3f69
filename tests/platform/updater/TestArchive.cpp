#include "TestArchive.h"

#include <archive.h>
#include <archive_entry.h>

namespace vellaro::test {

TestArchive& TestArchive::file(const QString& path, const QByteArray& content, int mode) {
    entries.append({Entry::Kind::file, path, content, {}, mode});
    return *this;
}

TestArchive& TestArchive::folder(const QString& path) {
    entries.append({Entry::Kind::folder, path, {}, {}, 0755});
    return *this;
}

TestArchive& TestArchive::link(const QString& path, const QString& target) {
    entries.append({Entry::Kind::link, path, {}, target, 0777});
    return *this;
}

QByteArray TestArchive::manifest(const QByteArray& build) {
    return "{\n    \"build\": \"" + build + "\",\n    \"version\": 1\n}\n";
}

QByteArray TestArchive::appImage(const QByteArray& image, const QByteArray& build) {
    const QByteArray text = manifest(build);
    return image + text + "vellaro-update.json " +
           QByteArray::number(text.size()).rightJustified(8, '0') + '\n';
}

TestArchive TestArchive::versionFolder(const QByteArray& version, const QByteArray& build) {
    TestArchive archive;
    archive.file("vellaro-update.json", manifest(build))
        .folder("bin")
        .file("bin/vellaro", "#!/bin/sh\necho " + version + "\n", 0755)
        .folder("share")
        .file("share/notes.txt", "version " + version + "\n")
        .link("share/program", "../bin/vellaro");
    return archive;
}

QByteArray TestArchive::toTarXz() const {
    archive* writer = archive_write_new();
    archive_write_add_filter_xz(writer);
    archive_write_set_format_pax_restricted(writer);
    QByteArray output(4 * 1024 * 1024, '\0');
    size_t used = 0;
    archive_write_open_memory(writer, output.data(), size_t(output.size()), &used);
    for (const Entry& item : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, item.path.toUtf8().constData());
        archive_entry_set_perm(entry, mode_t(item.mode));
        switch (item.kind) {
        case Entry::Kind::file:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, item.content.size());
            break;
        case Entry::Kind::folder:
            archive_entry_set_filetype(entry, AE_IFDIR);
            break;
        case Entry::Kind::link:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, item.linkTarget.toUtf8().constData());
            break;
        }
        archive_write_header(writer, entry);
        if (item.kind == Entry::Kind::file)
            archive_write_data(writer, item.content.constData(), size_t(item.content.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    output.truncate(qsizetype(used));
    return output;
}

} // namespace vellaro::test
