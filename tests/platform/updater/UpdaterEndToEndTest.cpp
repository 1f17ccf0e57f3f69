// The update engine against a real HTTPS server on the loopback interface,
// with keys made at test time and installs in temporary folders.
#include "InstallTree.h"
#include "RecordingDriver.h"
#include "TestArchive.h"
#include "platform/crypto/Ed25519.h"
#include "platform/session/Defaults.h"
#include "platform/updater/Appcast.h"
#include "platform/updater/HttpsTransfer.h"
#include "platform/updater/Updater.h"
#include "support/LoopbackHttpServer.h"
#include "support/ManualScheduler.h"
#include "support/TestCertificates.h"
#include "support/WaitUntil.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::InstallTree;
using test::LoopbackHttpServer;
using test::RecordingDriver;
using test::TestArchive;
using test::waitUntil;

// What the feed says about one package.
struct Release {
    QString build = "101";
    QString display = "1.1";
    QString path = "/vellaro-1.1.tar.xz";
    qint64 length = -1;     // the package's size unless set
    QByteArray signature;   // base64; the package's own unless set
    bool unsigned_ = false; // no signature attribute at all
    QString type = InstallLocation::versionFolderType;
    QString os = "linux";
    QString arch = QSysInfo::buildCpuArchitecture();
    QUrl url; // the server's path unless set
};

class UpdaterEndToEnd : public ::testing::Test {
public:
    static void SetUpTestSuite() { certificates = new test::TestCertificates("localhost"); }
    static void TearDownTestSuite() { delete certificates; }

    void SetUp() override {
        ASSERT_TRUE(certificates->error().isEmpty()) << certificates->error().toStdString();
        server = std::make_unique<LoopbackHttpServer>(certificates->pluginLeaf());
        keys = *Ed25519::generate();
        host.version = "1.0";
        host.buildVersion = "100";
        host.appcastUrl = server->url("/appcast.xml");
        host.publicKey = keys.publicKey;
        host.architecture = QSysInfo::buildCpuArchitecture();
    }

    std::unique_ptr<Updater> makeUpdater(const InstallLocation& location) {
        auto updater = std::make_unique<Updater>(
            Updater::Collaborators{host,
                                   location,
                                   driver,
                                   defaults,
                                   scheduler,
                                   [] { return QDateTime::currentDateTimeUtc(); },
                                   {certificates->ca()},
                                   [this](const QList<AppcastItem>& items) { loaded = items; },
                                   [this](const QString& launcher) {
                                       relaunched << launcher;
                                       return true;
                                   },
                                   [this] { ++quits; }});
        return updater;
    }

    QByteArray itemXml(const Release& release, const QByteArray& package) const {
        const QByteArray signature = release.signature.isEmpty()
                                         ? Ed25519::sign(keys.privateKeyPem, package).toBase64()
                                         : release.signature;
        const QUrl url = release.url.isEmpty() ? server->url(release.path) : release.url;
        return "<item><title>Vellaro " + release.display.toUtf8() +
               "</title>"
               "<sparkle:version>" +
               release.build.toUtf8() +
               "</sparkle:version>"
               "<sparkle:shortVersionString>" +
               release.display.toUtf8() +
               "</sparkle:shortVersionString>"
               "<description><![CDATA[<h2>" +
               release.display.toUtf8() +
               "</h2><h3>New</h3><ul><li>Faster</li></ul>]]></description>"
               "<enclosure url=\"" +
               url.toEncoded() + "\" length=\"" +
               QByteArray::number(release.length >= 0 ? release.length : package.size()) +
               "\" type=\"" + release.type.toUtf8() + "\" sparkle:os=\"" + release.os.toUtf8() +
               "\" vellaro:arch=\"" + release.arch.toUtf8() + "\"" +
               (release.unsigned_ ? QByteArray() : " sparkle:edSignature=\"" + signature + "\"") +
               "/></item>";
    }

    static QByteArray feed(const QByteArray& items) {
        return "<?xml version=\"1.0\"?><rss version=\"2.0\" "
               "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\" "
               "xmlns:vellaro=\"urn:org.vellaro:appcast\"><channel><title>Vellaro</title>" +
               items + "</channel></rss>";
    }

    static Release appImageRelease(const QString& build = "101") {
        Release release;
        release.build = build;
        release.type = InstallLocation::appImageType;
        release.path = "/Vellaro-1.1.AppImage";
        return release;
    }

    // Serves `package` and a feed offering it.
    void publish(const Release& release, const QByteArray& package) {
        server->serve(release.path, {200, package, {}});
        server->serve("/appcast.xml", {200, feed(itemXml(release, package)), {}});
    }

    // Checks, accepts the offer and waits until the update is ready to install.
    void checkAndDownload(Updater& updater) {
        updater.checkForUpdates();
        waitFor("found 101");
        driver.updateReply(UpdateChoice::install);
        waitFor("ready");
    }

    // A fresh updater for `tree` takes the offered update: downloaded,
    // staged and installed; then `package` is what runs.
    void installInto(const InstallTree& tree, const QByteArray& package) {
        driver = RecordingDriver();
        const auto updater = makeUpdater(tree.location);
        ASSERT_TRUE(updater->start());
        checkAndDownload(*updater);
        driver.installReply(UpdateChoice::install);
        if (tree.location.kind == InstallLocation::Kind::appImage) {
            EXPECT_EQ(tree.read("Vellaro.AppImage"), QString::fromUtf8(package));
        } else {
            EXPECT_EQ(tree.read("current/bin/vellaro"), "#!/bin/sh\necho 1.1\n");
        }
    }

    void waitFor(const QString& call) {
        ASSERT_TRUE(waitUntil([&] { return driver.calls.contains(call); }))
            << driver.calls.join(", ").toStdString();
    }

    static inline test::TestCertificates* certificates = nullptr;
    std::unique_ptr<LoopbackHttpServer> server;
    Ed25519::KeyPair keys;
    HostInfo host;
    RecordingDriver driver;
    Defaults defaults{QString()};
    test::ManualScheduler scheduler;
    QList<AppcastItem> loaded;
    QStringList relaunched;
    int quits = 0;
};

TEST_F(UpdaterEndToEnd, UpToDateWhenNothingOfOursIsNewer) {
    struct Case {
        const char* name;
        Release release;
    };
    Release same;
    same.build = "100";
    Release windows;
    windows.os = "windows";
    Release otherArch;
    otherArch.arch = "sparc";
    Release appImage;
    appImage.type = InstallLocation::appImageType;
    for (const Case& c : {Case{"same build", same}, Case{"other os", windows},
                          Case{"other arch", otherArch}, Case{"other type", appImage}}) {
        InstallTree tree = InstallTree::versioned("100");
        publish(c.release, TestArchive::versionFolder("1.1").toTarXz());
        driver = RecordingDriver();
        const auto updater = makeUpdater(tree.location);
        ASSERT_TRUE(updater->start());
        updater->checkForUpdates();
        waitFor("not found");
        EXPECT_EQ(loaded.size(), 1) << c.name;
        EXPECT_TRUE(updater->lastUpdateCheckDate().has_value());
        driver.acknowledge();
        EXPECT_EQ(driver.calls, QStringList({"checking", "not found", "dismiss"})) << c.name;
    }
}

TEST_F(UpdaterEndToEnd, InstallsASignedVersionFolderAndRelaunches) {
    InstallTree tree = InstallTree::versioned("100");
    const QByteArray package = TestArchive::versionFolder("1.1").toTarXz();
    publish(Release(), package);
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    const QString before = tree.snapshot();

    updater->checkForUpdates();
    waitFor("found 101");
    EXPECT_EQ(driver.found.displayVersion, "1.1");
    driver.updateReply(UpdateChoice::install);
    waitFor("ready");
    EXPECT_EQ(driver.received, quint64(package.size()));
    EXPECT_EQ(driver.lastProgress, 1.0);
    // Staged beside the install; nothing in use has changed.
    EXPECT_EQ(QFileInfo(tree.path("current")).symLinkTarget(), tree.path("versions/100"));
    QStringList staged = tree.snapshot().split('\n');
    staged.removeIf([](const QString& line) { return line.startsWith("versions/101"); });
    EXPECT_EQ(staged.join('\n'), before);
    EXPECT_EQ(tree.read("versions/100/bin/vellaro"), "#!/bin/sh\necho running\n");

    driver.installReply(UpdateChoice::install);
    EXPECT_EQ(driver.calls,
              QStringList({"checking", "found 101", "download",
                           QStringLiteral("expect %1").arg(package.size()), "extracting", "ready",
                           "installing", "installed relaunched", "dismiss"}));
    EXPECT_EQ(QFileInfo(tree.path("current")).symLinkTarget(), tree.path("versions/101"));
    EXPECT_EQ(tree.read("current/bin/vellaro"), "#!/bin/sh\necho 1.1\n");
    EXPECT_TRUE(QFileInfo(tree.path("current/bin/vellaro")).isExecutable());
    EXPECT_EQ(QFileInfo(tree.path("current/share/program")).canonicalFilePath(),
              QFileInfo(tree.path("versions/101/bin/vellaro")).canonicalFilePath());
    EXPECT_TRUE(QFileInfo::exists(tree.path("versions/100"))) << "the running copy stays";
    EXPECT_FALSE(QFileInfo::exists(tree.path("versions/99")));
    EXPECT_FALSE(QFileInfo::exists(tree.path("current.new")));
    EXPECT_EQ(relaunched, QStringList{tree.location.launcherPath});
    EXPECT_EQ(quits, 1);
}

TEST_F(UpdaterEndToEnd, FollowsUpToFiveRedirectsThatStayOnHttps) {
    // Feed and package each reached through a chain of `hops` redirects.
    const auto chain = [this](const QString& path, int hops) {
        const LoopbackHttpServer::Response target = server->response(path);
        QString from = path;
        for (int hop = 1; hop <= hops; ++hop) {
            const QString to = QStringLiteral("%1.hop%2").arg(path).arg(hop);
            server->serve(from, {302, "moved", server->url(to).toEncoded()});
            from = to;
        }
        server->serve(from, target);
    };
    for (const int hops : {2, 5, 6}) {
        SCOPED_TRACE(hops);
        server = std::make_unique<LoopbackHttpServer>(certificates->pluginLeaf());
        host.appcastUrl = server->url("/appcast.xml");
        InstallTree tree = InstallTree::versioned("100");
        publish(Release(), TestArchive::versionFolder("1.1").toTarXz());
        chain("/appcast.xml", hops);
        chain("/vellaro-1.1.tar.xz", std::min(hops, 2));
        driver = RecordingDriver();
        const auto updater = makeUpdater(tree.location);
        ASSERT_TRUE(updater->start());
        if (hops > HttpsTransfer::maximumRedirects) {
            updater->checkForUpdates();
            waitFor("error");
            EXPECT_EQ(driver.errorMessage, "The update server answered with too many redirects.");
            EXPECT_EQ(server->requestedPaths().size(), HttpsTransfer::maximumRedirects + 1);
            continue;
        }
        checkAndDownload(*updater);
        EXPECT_EQ(server->requestedPaths().size(), hops + 1 + 3);
        EXPECT_EQ(server->requestedPaths().last(), "/vellaro-1.1.tar.xz.hop2");
        driver.installReply(UpdateChoice::install);
        EXPECT_EQ(tree.read("current/bin/vellaro"), "#!/bin/sh\necho 1.1\n");
    }
}

TEST_F(UpdaterEndToEnd, ATricklingFeedIsEndedByTheCheckDeadline) {
    // A byte every 10 s never stalls the transfer; the deadline ends it.
    server->serve("/appcast.xml",
                  {200, feed(QByteArray(4000, ' ')), {}, std::chrono::milliseconds(10)});
    QNetworkAccessManager network;
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    HttpsTransfer transfer(network, scheduler, sink, {Appcast::maximumSize, Updater::checkDeadline},
                           {certificates->ca()});
    qint64 received = 0;
    std::optional<QString> error;
    QObject::connect(&transfer, &HttpsTransfer::received, [&](qint64 bytes) { received += bytes; });
    QObject::connect(&transfer, &HttpsTransfer::finished,
                     [&](const QString& text) { error = text; });
    const auto started = scheduler.now();
    transfer.start(server->url("/appcast.xml"));
    while (!error) {
        const qint64 before = received;
        ASSERT_TRUE(waitUntil([&] { return received > before; }));
        scheduler.advance(std::chrono::seconds(10));
        ASSERT_LE(scheduler.now() - started, Updater::checkDeadline);
    }
    EXPECT_EQ(error->toStdString(), "The update server took too long to answer.");
    EXPECT_TRUE(scheduler.now() - started == Updater::checkDeadline);
    EXPECT_LT(received, 4000);
}

TEST_F(UpdaterEndToEnd, AFeedThatSendsNothingEndsTheCheckAndLaterChecksRun) {
    InstallTree tree = InstallTree::versioned("100");
    server->serve("/appcast.xml", {200, feed(""), {}, std::chrono::hours(1)});
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    scheduler.advance(Updater::firstCheckDelay);
    ASSERT_TRUE(waitUntil([&] { return server->requestedPaths().size() == 1; }));
    scheduler.advance(HttpsTransfer::stallTimeout);
    EXPECT_TRUE(updater->isIdle()) << "a stuck check does not hold later ones back";
    updater->checkForUpdates();
    scheduler.advance(HttpsTransfer::stallTimeout);
    EXPECT_EQ(driver.calls, QStringList({"checking", "error"}));
    EXPECT_EQ(driver.errorMessage.toStdString(), "The update server stopped answering.");
}

TEST_F(UpdaterEndToEnd, InstallsASignedAppImageKeepingItsMode) {
    InstallTree tree = InstallTree::appImage();
    // A download a stopped run left goes; another program's beside it stays.
    tree.write(".Vellaro.AppImage-99.download", "half");
    tree.write(".other.download", "not ours");
    const QByteArray package = TestArchive::appImage("new appimage bytes");
    publish(appImageRelease(), package);
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());

    checkAndDownload(*updater);
    EXPECT_EQ(tree.read("Vellaro.AppImage"), "running appimage");
    driver.installReply(UpdateChoice::install);

    EXPECT_EQ(tree.read("Vellaro.AppImage"), package);
    EXPECT_EQ(QFileInfo(tree.path("Vellaro.AppImage")).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                  QFile::WriteUser | QFile::ExeUser | QFile::ReadGroup | QFile::ExeGroup);
    EXPECT_EQ(QDir(tree.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({".other.download", "Vellaro.AppImage"}));
}

TEST_F(UpdaterEndToEnd, LaterInstallsOnQuitAndAStagedCopyIsOfferedAsSuch) {
    InstallTree tree = InstallTree::versioned("100");
    publish(Release(), TestArchive::versionFolder("1.1").toTarXz());
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    updater->checkForUpdates();
    waitFor("found 101");
    updater->checkForUpdates();
    EXPECT_EQ(driver.calls.last(), "in focus") << "a waiting flow comes forward";
    driver.updateReply(UpdateChoice::install);
    waitFor("ready");
    driver.installReply(UpdateChoice::dismiss);
    EXPECT_EQ(driver.calls.last(), "dismiss");
    EXPECT_TRUE(updater->hasUpdateForQuit());

    // Checking again finds the staged copy; its reply would install at once.
    driver.calls.clear();
    updater->checkForUpdates();
    waitFor("found 101 staged");
    driver.updateReply(UpdateChoice::dismiss);
    EXPECT_EQ(QFileInfo(tree.path("current")).symLinkTarget(), tree.path("versions/100"));

    updater->installOnQuit();
    EXPECT_EQ(QFileInfo(tree.path("current")).symLinkTarget(), tree.path("versions/101"));
    EXPECT_TRUE(relaunched.isEmpty());
}

TEST_F(UpdaterEndToEnd, AStagedCopyNotCarryingItsBuildIsDownloadedAgain) {
    // What an older Vellaro may have staged from a replayed package.
    struct Case {
        const char* name;
        bool appImage;
        QString staged;
        QByteArray content;
    };
    for (const Case& c :
         {Case{"version folder without a manifest", false, "versions/101/bin/vellaro",
               "#!/bin/sh\necho replayed\n"},
          // Its program is there, only the manifest differs.
          Case{"version folder of another build", false, "versions/101/vellaro-update.json",
               TestArchive::manifest("99")},
          Case{"AppImage without a manifest", true, ".Vellaro.AppImage-101", "replayed image"},
          Case{"AppImage of another build", true, ".Vellaro.AppImage-101",
               TestArchive::appImage("replayed image", "99")}}) {
        SCOPED_TRACE(c.name);
        InstallTree tree = c.appImage ? InstallTree::appImage() : InstallTree::versioned("100");
        if (!c.appImage)
            tree.write("versions/101/bin/vellaro", "#!/bin/sh\necho replayed\n", 0755);
        tree.write(c.staged, c.content, 0755);
        const QByteArray package = c.appImage ? TestArchive::appImage("new image")
                                              : TestArchive::versionFolder("1.1").toTarXz();
        publish(c.appImage ? appImageRelease() : Release(), package);
        installInto(tree, package);
    }
}

TEST_F(UpdaterEndToEnd, RefusesEveryTamperedOrBrokenUpdateLeavingTheInstallAlone) {
    const QByteArray package = TestArchive::versionFolder("1.1").toTarXz();
    QByteArray flipped = package;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x20);
    const auto otherKey = Ed25519::generate();
    const auto signedArchive = [](const TestArchive& archive) { return archive.toTarXz(); };
    const QString absolute = QDir::temp().filePath(
        QStringLiteral("vellaro-absolute-%1").arg(QCoreApplication::applicationPid()));

    const QString replayed = "The update is build 101, but the feed announced build 999.";
    const QString noManifest = "The update carries no build number (vellaro-update.json); "
                               "packages made before Vellaro checked it are refused.";

    struct Case {
        QString name;
        std::function<void(UpdaterEndToEnd&)> setUp;
        QString error = {}; // the message, where it is the point of the case
        bool appImage = false;
    };
    const QList<Case> cases = {
        {"flipped byte",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), package);
             t.server->serve("/vellaro-1.1.tar.xz", {200, flipped, {}});
         }},
        {"other key",
         [&](UpdaterEndToEnd& t) {
             Release release;
             release.signature = Ed25519::sign(otherKey->privateKeyPem, package).toBase64();
             t.publish(release, package);
         }},
        {"unsigned",
         [&](UpdaterEndToEnd& t) {
             Release release;
             release.unsigned_ = true;
             t.publish(release, package);
         }},
        {"shorter than announced",
         [&](UpdaterEndToEnd& t) {
             Release release;
             release.length = package.size() + 1;
             t.publish(release, package);
         }},
        {"longer than announced",
         [&](UpdaterEndToEnd& t) {
             Release release;
             release.length = package.size() - 1;
             t.publish(release, package);
         }},
        {"package missing",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), package);
             t.server->serve("/vellaro-1.1.tar.xz", {404, "gone", {}});
         }},
        {"feed missing",
         [&](UpdaterEndToEnd& t) {
             t.server->serve("/appcast.xml", {404, "", {}});
         }},
        {"malformed feed",
         [&](UpdaterEndToEnd& t) {
             t.server->serve("/appcast.xml", {200, "<rss><channel><item></channel>", {}});
         }},
        {"feed over the cap",
         [&](UpdaterEndToEnd& t) {
             t.server->serve("/appcast.xml", {200,
                                              feed("<!--" + QByteArray(Appcast::maximumSize, 'x') +
                                                   "-->" + t.itemXml(Release(), package)),
                                              {}});
             t.server->serve("/vellaro-1.1.tar.xz", {200, package, {}});
         }},
        {"redirect to plain http",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), package);
             t.server->serve("/vellaro-1.1.tar.xz",
                             {302, "", "http://192.0.2.1/vellaro-1.1.tar.xz"});
         }},
        {"redirect loop",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), package);
             t.server->serve("/vellaro-1.1.tar.xz",
                             {302, "", t.server->url("/vellaro-1.1.tar.xz").toEncoded()});
         }},
        {"plain http elsewhere",
         [&](UpdaterEndToEnd& t) {
             Release release;
             release.url = QUrl("http://192.0.2.1/vellaro-1.1.tar.xz");
             t.publish(release, package);
         }},
        {"parent folder in the archive",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(),
                       signedArchive(TestArchive::versionFolder("1.1").file("../escaped", "x")));
         }},
        {"absolute path in the archive",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(),
                       signedArchive(TestArchive::versionFolder("1.1").file(absolute, "x")));
         }},
        {"link leading out of the archive",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), signedArchive(TestArchive::versionFolder("1.1").link(
                                      "share/out", "../../..")));
         }},
        {"writing through a link",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), signedArchive(TestArchive::versionFolder("1.1")
                                                    .link("share/here", ".")
                                                    .file("share/here/planted", "x")));
         }},
        {"link through a link",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), signedArchive(TestArchive::versionFolder("1.1")
                                                    .link("share/up", "..")
                                                    .link("escape", "share/up/share/up/..")));
         }},
        {"no program inside",
         [&](UpdaterEndToEnd& t) {
             t.publish(Release(), signedArchive(TestArchive().file("readme", "nothing")));
         }},
        // A genuinely signed older build replayed under a newer number.
        {"older build announced as newer",
         [&](UpdaterEndToEnd& t) {
             Release release;
             release.build = "999";
             t.publish(release, package);
         },
         replayed},
        {"no manifest",
         [&](UpdaterEndToEnd& t) {
             TestArchive archive = TestArchive::versionFolder("1.1");
             archive.entries.removeFirst();
             t.publish(Release(), signedArchive(archive));
         },
         noManifest},
        {"AppImage: older build announced as newer",
         [&](UpdaterEndToEnd& t) {
             t.publish(appImageRelease("999"), TestArchive::appImage("older image"));
         },
         replayed, true},
        {"AppImage: no manifest",
         [&](UpdaterEndToEnd& t) {
             t.publish(appImageRelease(), "an AppImage made before the manifest");
         },
         noManifest, true},
        {"AppImage: footer longer than the file",
         [&](UpdaterEndToEnd& t) {
             t.publish(appImageRelease(), "{}vellaro-update.json 00000999\n");
         },
         "The update's build number cannot be read (vellaro-update.json).", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        server = std::make_unique<LoopbackHttpServer>(certificates->pluginLeaf());
        host.appcastUrl = server->url("/appcast.xml");
        InstallTree tree = c.appImage ? InstallTree::appImage() : InstallTree::versioned("100");
        c.setUp(*this);
        driver = RecordingDriver();
        const auto updater = makeUpdater(tree.location);
        ASSERT_TRUE(updater->start());
        const QString before = tree.snapshot();
        updater->checkForUpdates();
        ASSERT_TRUE(waitUntil([&] {
            return driver.calls.contains("error") ||
                   !driver.calls.filter(QRegularExpression("^found ")).isEmpty();
        })) << driver.calls.join(", ").toStdString();
        if (!driver.calls.contains("error"))
            driver.updateReply(UpdateChoice::install);
        waitFor("error");
        EXPECT_FALSE(driver.errorMessage.isEmpty());
        if (!c.error.isEmpty()) {
            EXPECT_EQ(driver.errorMessage, c.error);
        }
        EXPECT_FALSE(driver.calls.contains("ready"));
        EXPECT_EQ(tree.snapshot(), before);
        EXPECT_FALSE(QFileInfo::exists(absolute));
        EXPECT_FALSE(QFileInfo::exists(tree.path("../escaped")));
        driver.acknowledge();
        EXPECT_EQ(driver.calls.last(), "dismiss");
        if (c.name == "unsigned" || c.name == "plain http elsewhere") {
            EXPECT_FALSE(server->requestedPaths().contains("/vellaro-1.1.tar.xz"));
        }
    }
}

TEST_F(UpdaterEndToEnd, CancellingWhileCheckingOrDownloadingLeavesNothingBehind) {
    InstallTree tree = InstallTree::versioned("100");
    const QString untouched = tree.snapshot();
    // What a stopped run left behind goes when the updater starts.
    tree.write("versions/.102.download", "half a package");
    tree.write("versions/.102.partial/bin/vellaro", "half unpacked");
    publish(Release(), TestArchive::versionFolder("1.1").toTarXz());
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    const QString before = tree.snapshot();
    EXPECT_EQ(before, untouched);

    updater->checkForUpdates();
    driver.cancel();
    EXPECT_EQ(driver.calls, QStringList({"checking", "dismiss"}));
    EXPECT_TRUE(updater->isIdle());

    driver.calls.clear();
    updater->checkForUpdates();
    waitFor("found 101");
    // Cancelled as soon as the download has begun: the partial file goes.
    driver.onDownloadInitiated = [&] {
        ASSERT_TRUE(waitUntil([&] { return tree.snapshot() != before; }));
        driver.cancel();
    };
    driver.updateReply(UpdateChoice::install);
    EXPECT_EQ(driver.calls.last(), "dismiss");
    EXPECT_TRUE(updater->isIdle());
    EXPECT_EQ(tree.snapshot(), before);
}

QStringList* capturedLines = nullptr;

void captureLine(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    capturedLines->append(QString::fromLatin1(type == QtInfoMsg ? "info " : "other ") +
                          QString::fromLatin1(context.category) + ": " + text);
}

TEST_F(UpdaterEndToEnd, ACopyThatCannotUpdateItselfSaysWhyWithoutAsking) {
    InstallLocation system;
    system.reason = "installed by your system's package manager; update it there";
    system.launcherPath = "/usr/bin/vellaro";
    const auto updater = makeUpdater(system);
    QStringList lines;
    capturedLines = &lines;
    const QtMessageHandler previous = qInstallMessageHandler(captureLine);
    EXPECT_FALSE(updater->start());
    qInstallMessageHandler(previous);
    EXPECT_EQ(lines, QStringList({"info vellaro.updates: Updates are off: installed by your "
                                  "system's package manager; update it there (/usr/bin/vellaro "
                                  "is neither an AppImage nor a versioned install)"}));
    updater->checkForUpdates();
    EXPECT_EQ(driver.calls, QStringList({"checking", "error"}));
    EXPECT_EQ(driver.errorMessage, system.reason);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    EXPECT_EQ(server->connectionCount(), 0);
}

TEST_F(UpdaterEndToEnd, ScheduledChecksRunDailyAndDownloadSilentlyWhenAllowed) {
    InstallTree tree = InstallTree::versioned("100");
    publish(Release(), TestArchive::versionFolder("1.1").toTarXz());
    defaults.setValue(Updater::automaticDownloadsKey, true);
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    EXPECT_TRUE(server->requestedPaths().isEmpty());
    scheduler.advance(std::chrono::seconds(59));
    EXPECT_TRUE(server->requestedPaths().isEmpty());
    scheduler.advance(std::chrono::seconds(1));
    ASSERT_TRUE(waitUntil([&] { return updater->hasUpdateForQuit(); }));
    EXPECT_TRUE(driver.calls.isEmpty()) << driver.calls.join(", ").toStdString();
    EXPECT_EQ(QFileInfo(tree.path("current")).symLinkTarget(), tree.path("versions/100"));
    EXPECT_EQ(scheduler.pendingCount(), 1u);

    updater->installOnQuit();
    EXPECT_EQ(QFileInfo(tree.path("current")).symLinkTarget(), tree.path("versions/101"));
}

TEST_F(UpdaterEndToEnd, ScheduledChecksThatFindNothingOrFailOnlyLog) {
    QStringList lines;
    capturedLines = &lines;
    const QtMessageHandler previous = qInstallMessageHandler(captureLine);
    InstallTree tree = InstallTree::versioned("100");
    Release same;
    same.build = "100";
    publish(same, TestArchive::versionFolder("1.0").toTarXz());
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    scheduler.advance(Updater::firstCheckDelay);
    ASSERT_TRUE(waitUntil([&] { return !lines.isEmpty(); }));
    EXPECT_EQ(lines.last(), "info vellaro.updates: No update available");

    server->serve("/appcast.xml", {404, "", {}});
    scheduler.advance(Updater::checkInterval);
    ASSERT_TRUE(waitUntil([&] { return lines.size() == 2; }));
    EXPECT_TRUE(lines.last().startsWith("other vellaro.updates: Update check failed:"));
    qInstallMessageHandler(previous);
    EXPECT_TRUE(driver.calls.isEmpty()) << driver.calls.join(", ").toStdString();
}

TEST_F(UpdaterEndToEnd, ScheduledCheckShowsTheWindowWithoutAutomaticDownloads) {
    InstallTree tree = InstallTree::versioned("100");
    publish(Release(), TestArchive::versionFolder("1.1").toTarXz());
    defaults.setValue(Updater::lastCheckKey,
                      QDateTime::currentDateTimeUtc().addSecs(-3600).toString(Qt::ISODate));
    const auto updater = makeUpdater(tree.location);
    ASSERT_TRUE(updater->start());
    scheduler.advance(std::chrono::hours(22));
    EXPECT_TRUE(server->requestedPaths().isEmpty()) << "checked an hour ago";
    scheduler.advance(std::chrono::hours(1));
    waitFor("found 101");
    EXPECT_EQ(driver.calls.first(), "found 101");

    updater->setAutomaticallyChecksForUpdates(false);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

} // namespace
} // namespace vellaro

namespace vellaro {
namespace {

void runCMake(const QStringList& arguments, const QString& folder) {
    QProcess cmake;
    cmake.setWorkingDirectory(folder);
    cmake.start(CMAKE_COMMAND, arguments);
    ASSERT_TRUE(cmake.waitForFinished(30000));
    ASSERT_EQ(cmake.exitCode(), 0) << cmake.readAllStandardError().toStdString();
}

QString runTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(VELLARO_SIGN_UPDATE, arguments);
    tool.waitForFinished(30000);
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

TEST_F(UpdaterEndToEnd, AReleaseMadeAsDocumentedIsAccepted) {
    QTemporaryDir work;
    const QString key = work.filePath("vellaro-update.pem");
    const QString publicKey = runTool({"generate-key", key});
    EXPECT_EQ(QFileInfo(key).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    QProcess again;
    again.start(VELLARO_SIGN_UPDATE, {"generate-key", key});
    again.waitForFinished(30000);
    EXPECT_NE(again.exitCode(), 0) << "never overwrites a key";

    QFile manifest(work.filePath("vellaro-update.json"));
    ASSERT_TRUE(manifest.open(QIODevice::WriteOnly));
    manifest.write(TestArchive::manifest("101"));
    manifest.close();

    // The version folder, packed the way the update-package target packs it.
    ASSERT_TRUE(QDir(work.path()).mkpath("version/bin"));
    QFile program(work.filePath("version/bin/vellaro"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\necho 1.1\n");
    program.setPermissions(program.permissions() | QFile::ExeOwner);
    program.close();
    ASSERT_TRUE(manifest.copy(work.filePath("version/vellaro-update.json")));
    const QString archivePath = work.filePath("vellaro-1.1.0-linux-x86_64.tar.xz");
    ASSERT_NO_FATAL_FAILURE(runCMake(
        {"-E", "tar", "cJf", archivePath, "bin", "vellaro-update.json"}, work.filePath("version")));

    // The AppImage an AppImage tool made, given its manifest by the target's script.
    const QByteArray image = "\x7f"
                             "ELF the runtime, then the image";
    QFile madeByTool(work.filePath("made.AppImage"));
    ASSERT_TRUE(madeByTool.open(QIODevice::WriteOnly));
    madeByTool.write(image);
    madeByTool.close();
    const QString appImagePath = work.filePath("Vellaro-1.1.0-x86_64.AppImage");
    ASSERT_NO_FATAL_FAILURE(
        runCMake({"-DAPPIMAGE=" + madeByTool.fileName(), "-DMANIFEST=" + manifest.fileName(),
                  "-DOUTPUT=" + appImagePath, "-P", APPEND_UPDATE_MANIFEST},
                 work.path()));

    host.publicKey = QByteArray::fromBase64(publicKey.toLatin1());
    struct Package {
        const char* name;
        QString path;
        QString type;
        bool appImage;
    };
    for (const Package& packaged :
         {Package{"version folder", archivePath, InstallLocation::versionFolderType, false},
          Package{"AppImage", appImagePath, InstallLocation::appImageType, true}}) {
        SCOPED_TRACE(packaged.name);
        QFile file(packaged.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray package = file.readAll();
        const QString attributes = runTool({"sign", key, packaged.path});
        ASSERT_TRUE(attributes.startsWith("sparkle:edSignature=\"")) << attributes.toStdString();
        ASSERT_TRUE(attributes.endsWith(QStringLiteral(" length=\"%1\"").arg(package.size())));
        const QByteArray item =
            "<item><title>Vellaro 1.1</title><sparkle:version>101</sparkle:version>"
            "<sparkle:shortVersionString>1.1</sparkle:shortVersionString>"
            "<enclosure url=\"" +
            server->url("/releases/package").toEncoded() + "\" type=\"" + packaged.type.toUtf8() +
            "\" sparkle:os=\"linux\" vellaro:arch=\"" + QSysInfo::buildCpuArchitecture().toUtf8() +
            "\" " + attributes.toUtf8() + "/></item>";
        server->serve("/releases/package", {200, package, {}});
        server->serve("/appcast.xml", {200, feed(item), {}});

        if (packaged.appImage) {
            EXPECT_TRUE(package.startsWith(image)) << "the runtime finds its image unchanged";
        }
        installInto(packaged.appImage ? InstallTree::appImage() : InstallTree::versioned("100"),
                    package);
    }
}

} // namespace
} // namespace vellaro
