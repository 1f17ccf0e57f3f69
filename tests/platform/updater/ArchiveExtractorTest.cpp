// Unpacking a version folder: the sizes the archive announces are checked
// before anything is written.
#include "platform/updater/ArchiveExtractor.h"

#include "TestArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::TestArchive;

// A tar stream whose one header announces `size` bytes, followed by only a
// little of them, compressed with xz.
QByteArray headerAnnouncing(qint64 size) {
    QByteArray header(512, '\0');
    const auto put = [&](int offset, const QByteArray& field) {
        header.replace(offset, field.size(), field);
    };
    put(0, "zeros");
    put(100, "0000644");
    put(108, "0000000");
    put(116, "0000000");
    put(124, QByteArray::number(size, 8).rightJustified(11, '0'));
    put(136, "00000000000");
    put(148, "        ");
    put(156, "0");
    put(257, QByteArray("ustar\0"
                        "00",
                        8));
    unsigned sum = 0;
    for (const char byte : header)
        sum += quint8(byte);
    put(148, QByteArray::number(sum, 8).rightJustified(6, '0') + QByteArray("\0 ", 2));
    const QByteArray tar = header + QByteArray(4096, '\0');

    archive* writer = archive_write_new();
    archive_write_add_filter_xz(writer);
    archive_write_set_format_raw(writer);
    QByteArray output(1024 * 1024, '\0');
    size_t used = 0;
    archive_write_open_memory(writer, output.data(), size_t(output.size()), &used);
    archive_entry* entry = archive_entry_new();
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_write_header(writer, entry);
    archive_write_data(writer, tar.constData(), size_t(tar.size()));
    archive_entry_free(entry);
    archive_write_close(writer);
    archive_write_free(writer);
    output.truncate(qsizetype(used));
    return output;
}

TEST(ArchiveExtractor, RefusesBeforeWritingWhatDoesNotFit) {
    const QByteArray roomy = TestArchive::versionFolder("1.1")
                                 .file("share/zeros", QByteArray(4 * 1000 * 1000, '\0'))
                                 .toTarXz();
    struct Case {
        const char* name;
        QByteArray package;
        qint64 freeBytes;
        QString error;
    };
    const Case cases[] = {
        {"a bomb announcing more than the limit", headerAnnouncing(qint64(3) << 30),
         qint64(1) << 40, "The update unpacks to more than 2 GB."},
        {"more than the disk holds", roomy, 1000 * 1000,
         "There is not enough free space for the update (4.0 MB needed)"},
        {"room enough", roomy, 5 * 1000 * 1000, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir work;
        QFile package(work.filePath("package.tar.xz"));
        ASSERT_TRUE(package.open(QIODevice::WriteOnly));
        package.write(c.package);
        package.close();
        const QString destination = work.filePath("unpacked");
        QString askedAbout;
        int progressCalls = 0;
        const QString error = ArchiveExtractor::extract(
            package.fileName(), destination, [&](double) { ++progressCalls; },
            [&](const QString& folder) {
                askedAbout = folder;
                return c.freeBytes;
            });
        EXPECT_EQ(error.toStdString(), c.error.toStdString());
        if (!c.error.isEmpty()) {
            EXPECT_FALSE(QFile::exists(destination));
            EXPECT_EQ(progressCalls, 0) << "nothing was unpacked";
        } else {
            EXPECT_EQ(QFile(destination + "/share/zeros").size(), 4 * 1000 * 1000);
        }
        if (c.freeBytes < (qint64(1) << 40)) {
            EXPECT_EQ(askedAbout, work.path());
        }
    }
}

} // namespace
} // namespace vellaro
