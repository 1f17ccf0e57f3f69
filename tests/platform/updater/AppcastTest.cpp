#include "platform/updater/Appcast.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

const QByteArray signature = QByteArray(64, 's').toBase64();

QByteArray feed(const QByteArray& namespaces, const QByteArray& items) {
    return "<?xml version=\"1.0\"?><rss version=\"2.0\" " + namespaces + "><channel>" + items +
           "</channel></rss>";
}

const QByteArray standardNamespaces =
    "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\" "
    "xmlns:vellaro=\"urn:org.vellaro:appcast\"";

QByteArray item(const QByteArray& enclosureAttributes, const QByteArray& prefix = "sparkle") {
    return "<item><title>Vellaro 1.1</title><" + prefix + ":version>101</" + prefix + ":version><" +
           prefix + ":shortVersionString>1.1</" + prefix +
           ":shortVersionString><description><![CDATA[<h2>1.1</h2><li>a & b</li>]]>"
           "</description><enclosure url=\"https://example.org/v.tar.xz\" " +
           enclosureAttributes + "/></item>";
}

const QByteArray goodEnclosure = "length=\"1000\" type=\"application/x-xz-compressed-tar\" "
                                 "sparkle:os=\"linux\" vellaro:arch=\"x86_64\" "
                                 "sparkle:edSignature=\"" +
                                 signature + "\"";

TEST(Appcast, ReadsAnItemWithItsReleaseNotesAndEnclosure) {
    QString error;
    const auto items = Appcast::parse(feed(standardNamespaces, item(goodEnclosure)), &error);
    ASSERT_EQ(items.size(), 1) << error.toStdString();
    const AppcastItem& read = items.first();
    EXPECT_EQ(read.buildVersion, "101");
    EXPECT_EQ(read.displayVersion, "1.1");
    EXPECT_EQ(read.description, "<h2>1.1</h2><li>a & b</li>");
    EXPECT_EQ(read.url, QUrl("https://example.org/v.tar.xz"));
    EXPECT_EQ(read.length, 1000);
    EXPECT_EQ(read.type, "application/x-xz-compressed-tar");
    EXPECT_EQ(read.edSignature, QByteArray(64, 's'));
    EXPECT_EQ(read.os, "linux");
    EXPECT_EQ(read.architecture, "x86_64");
    EXPECT_EQ(read.defect, QString());
}

TEST(Appcast, MatchesTheFrameworkNamespaceByUriNeverByPrefix) {
    const QByteArray otherPrefix =
        "xmlns:su=\"http://www.andymatuschak.org/xml-namespaces/sparkle\" "
        "xmlns:v=\"urn:org.vellaro:appcast\"";
    QByteArray enclosure = goodEnclosure;
    enclosure.replace("sparkle:", "su:").replace("vellaro:", "v:");
    auto items = Appcast::parse(feed(otherPrefix, item(enclosure, "su")), nullptr);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].buildVersion, "101");
    EXPECT_EQ(items[0].os, "linux");
    EXPECT_EQ(items[0].architecture, "x86_64");
    EXPECT_EQ(items[0].defect, QString());

    const QByteArray impostor = "xmlns:sparkle=\"http://example.org/not-sparkle\" "
                                "xmlns:vellaro=\"urn:example:other\"";
    items = Appcast::parse(feed(impostor, item(goodEnclosure)), nullptr);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].buildVersion, QString());
    EXPECT_EQ(items[0].os, QString());
    EXPECT_EQ(items[0].architecture, QString());
    EXPECT_TRUE(items[0].edSignature.isEmpty());
}

TEST(Appcast, MarksItemsThatMustNotBeDownloaded) {
    struct Case {
        const char* name;
        QByteArray from;
        QByteArray to;
        const char* defect;
    };
    const Case cases[] = {
        {"no length", "length=\"1000\"", "", "malformed"},
        {"zero length", "length=\"1000\"", "length=\"0\"", "malformed"},
        {"negative length", "length=\"1000\"", "length=\"-5\"", "malformed"},
        {"over 512 MiB", "length=\"1000\"", "length=\"536870913\"", "malformed"},
        {"exactly 512 MiB", "length=\"1000\"", "length=\"536870912\"", nullptr},
        {"one byte", "length=\"1000\"", "length=\"1\"", nullptr},
        {"text length", "length=\"1000\"", "length=\"lots\"", "malformed"},
        {"no signature", "sparkle:edSignature=\"" + signature + "\"", "", "not signed"},
        {"short signature", signature, QByteArray(63, 's').toBase64(), "not signed"},
    };
    for (const Case& c : cases) {
        QByteArray enclosure = goodEnclosure;
        enclosure.replace(c.from, c.to);
        const auto items = Appcast::parse(feed(standardNamespaces, item(enclosure)), nullptr);
        ASSERT_EQ(items.size(), 1) << c.name;
        if (c.defect)
            EXPECT_TRUE(items[0].defect.contains(c.defect)) << c.name;
        else
            EXPECT_EQ(items[0].defect, QString()) << c.name;
    }
    QByteArray unsafeBuild = item(goodEnclosure);
    unsafeBuild.replace("<sparkle:version>101<", "<sparkle:version>../../101<");
    const auto items = Appcast::parse(feed(standardNamespaces, unsafeBuild), nullptr);
    ASSERT_EQ(items.size(), 1);
    EXPECT_TRUE(items[0].defect.contains("malformed"));
}

TEST(Appcast, RefusesDocumentsThatAreNotPlainFeeds) {
    const QByteArray dtd = "<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY e \"boom\">]>" +
                           feed(standardNamespaces, item(goodEnclosure)).mid(21);
    struct Case {
        const char* name;
        QByteArray document;
    };
    const Case cases[] = {
        {"document type", dtd},
        {"not XML", "this is not a feed"},
        {"unclosed", "<rss><channel><item>"},
        {"not RSS", "<html><item/></html>"},
        {"over the cap", feed(standardNamespaces, "<!--" + QByteArray(Appcast::maximumSize, 'x') +
                                                      "-->" + item(goodEnclosure))},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_TRUE(Appcast::parse(c.document, &error).isEmpty()) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
    }
}

} // namespace
} // namespace vellaro
