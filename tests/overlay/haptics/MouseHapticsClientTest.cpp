#include "overlay/MouseHapticsClient.h"

#include "support/ManualScheduler.h"
#include "support/TestCertificates.h"
#include "support/TlsTestServers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace std::chrono_literals;
using vellaro::HidDevices;
using vellaro::LoopbackTrust;
using vellaro::MouseHapticsClient;
using vellaro::test::closedPort;
using vellaro::test::ManualScheduler;
using vellaro::test::NotFoundServer;
using vellaro::test::SilentServer;
using vellaro::test::TestCertificates;
using vellaro::test::TestIdentity;
using vellaro::test::TickServer;

namespace {

// Waits for network events (never for a timer the test could advance).
bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 10000);
}

class HapticsNetwork : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        certificates = std::make_unique<TestCertificates>(QString(LoopbackTrust::pluginHostName));
    }
    static void TearDownTestSuite() { certificates.reset(); }

    void SetUp() override {
        ASSERT_TRUE(certificates->error().isEmpty()) << certificates->error().toStdString();
    }

    std::unique_ptr<MouseHapticsClient> clientFor(vellaro::Scheduler& scheduler, quint16 port) {
        return std::make_unique<MouseHapticsClient>(scheduler, "127.0.0.1", port,
                                                    QList{certificates->ca()});
    }

    // Runs the probe and waits for its one answer.
    static bool probe(MouseHapticsClient& client) {
        std::optional<bool> answer;
        client.isPluginReachable(nullptr, [&answer](bool reachable) { answer = reachable; });
        EXPECT_TRUE(waitFor([&] { return answer.has_value(); }));
        return answer.value_or(false);
    }

    static inline std::unique_ptr<TestCertificates> certificates;
    ManualScheduler manual;
};

TEST_F(HapticsNetwork, BurstArrivesAsFourTicksOnOneConnection) {
    TickServer server(certificates->pluginLeaf());
    ASSERT_TRUE(server.listen());
    auto client = clientFor(manual, server.port());
    // Opened first so that every pass finds the socket; a tick waiting for
    // the socket is covered below.
    client->connect();
    ASSERT_TRUE(waitFor([&] { return client->isSocketOpen(); }));

    client->sendTestBurst();
    for (qsizetype pass = 0; pass < 4; ++pass) {
        if (pass > 0) {
            manual.advance(MouseHapticsClient::burstSpacing - 1ms);
            QTest::qWait(20);
            EXPECT_EQ(server.messages().size(), pass) << "tick " << pass << " came early";
        }
        manual.advance(pass > 0 ? 1ms : 0ms);
        ASSERT_TRUE(waitFor([&] { return server.messages().size() == pass + 1; })) << pass;
    }
    manual.advance(1s);
    QTest::qWait(20);

    EXPECT_EQ(server.payloads(), QByteArray(4, '\x06'));
    EXPECT_EQ(server.connectionPaths(), QStringList{"/ws"});
    EXPECT_TRUE(client->isSocketOpen());
}

TEST_F(HapticsNetwork, TickBeforeTheSocketOpensWaitsAndOnlyTheNewestOneDoes) {
    TickServer server(certificates->pluginLeaf());
    ASSERT_TRUE(server.listen());
    auto client = clientFor(manual, server.port());

    client->tick(1);
    client->tick(2);
    client->tick(6);
    EXPECT_FALSE(client->isSocketOpen());

    ASSERT_TRUE(waitFor([&] { return server.payloads().contains('\x06'); }));
    EXPECT_EQ(server.payloads(), QByteArray("\x06"));
    EXPECT_TRUE(client->isSocketOpen());

    client->tick(6);
    ASSERT_TRUE(waitFor([&] { return server.messages().size() == 2; }));
    EXPECT_EQ(server.connectionPaths().size(), 1);
}

TEST_F(HapticsNetwork, SocketClosedByThePluginIsReopenedByALaterTick) {
    TickServer server(certificates->pluginLeaf());
    ASSERT_TRUE(server.listen());
    auto client = clientFor(manual, server.port());
    client->tick(6);
    ASSERT_TRUE(waitFor([&] { return server.messages().size() == 1; }));

    server.closeConnections();
    ASSERT_TRUE(waitFor([&] { return !client->hasSocket(); }));
    manual.advance(MouseHapticsClient::reconnectInterval);
    client->tick(6);
    ASSERT_TRUE(waitFor([&] { return server.messages().size() == 2; }));
    EXPECT_EQ(server.connectionPaths().size(), 2);
}

struct TrustCase {
    const char* label;
    TestIdentity (TestCertificates::*identity)() const;
    bool trusted;
};

class HapticsTrust : public HapticsNetwork, public ::testing::WithParamInterface<TrustCase> {};

TEST_P(HapticsTrust, OnlyThePluginNameOnATrustedChainGetsTicksAndCountsAsAnswer) {
    const TestIdentity identity = (certificates.get()->*GetParam().identity)();
    TickServer tickServer(identity);
    ASSERT_TRUE(tickServer.listen());
    auto tickClient = clientFor(manual, tickServer.port());
    tickClient->tick(6);
    if (GetParam().trusted) {
        EXPECT_TRUE(waitFor([&] { return tickServer.payloads() == "\x06"; }));
    } else {
        ASSERT_TRUE(waitFor([&] { return !tickClient->hasSocket(); }));
        QTest::qWait(50);
        EXPECT_TRUE(tickServer.messages().isEmpty());
        EXPECT_TRUE(tickServer.connectionPaths().isEmpty());
    }

    NotFoundServer webServer(identity);
    auto probeClient = clientFor(manual, webServer.port());
    EXPECT_EQ(probe(*probeClient), GetParam().trusted);
    EXPECT_EQ(webServer.requestCount(), GetParam().trusted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HapticsTrust,
    ::testing::Values(TrustCase{"pluginNameFromTrustedCa", &TestCertificates::pluginLeaf, true},
                      TrustCase{"otherNameFromTrustedCa", &TestCertificates::otherNameLeaf, false},
                      TrustCase{"pluginNameSelfSigned",
                                &TestCertificates::untrustedPluginCertificate, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(HapticsNetwork, TrustIgnoresOnlyANameMismatchForThePluginOnItsLoopbackEndpoint) {
    const QSslCertificate plugin = certificates->pluginLeaf().certificate;
    const QSslCertificate other = certificates->otherNameLeaf().certificate;
    const QSslError pluginMismatch(QSslError::HostNameMismatch, plugin);
    const QUrl endpoint("wss://127.0.0.1:41443/ws");
    const LoopbackTrust trust("127.0.0.1", 41443, LoopbackTrust::pluginHostName);
    const struct {
        const char* label;
        LoopbackTrust trust;
        QUrl endpoint;
        QList<QSslError> errors;
        bool accepted;
    } cases[] = {
        {"plugin name", trust, endpoint, {pluginMismatch}, true},
        {"probe address", trust, QUrl("https://127.0.0.1:41443/"), {pluginMismatch}, true},
        {"other port", trust, QUrl("wss://127.0.0.1:41444/ws"), {pluginMismatch}, false},
        {"other host", trust, QUrl("wss://localhost:41443/ws"), {pluginMismatch}, false},
        {"client not on loopback address",
         LoopbackTrust("localhost", 41443, LoopbackTrust::pluginHostName),
         QUrl("wss://localhost:41443/ws"),
         {pluginMismatch},
         false},
        {"other name", trust, endpoint, {QSslError(QSslError::HostNameMismatch, other)}, false},
        {"untrusted chain too",
         trust,
         endpoint,
         {pluginMismatch, QSslError(QSslError::UnableToGetLocalIssuerCertificate, plugin)},
         false},
        {"expired", trust, endpoint, {QSslError(QSslError::CertificateExpired, plugin)}, false},
        {"no certificate", trust, endpoint, {QSslError(QSslError::HostNameMismatch)}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.trust.acceptsErrors(c.endpoint, c.errors), c.accepted) << c.label;
}

// A redirect from the plug-in's endpoint elsewhere (here to a self-signed
// server on another loopback port) is an answer, and is never followed.
TEST_F(HapticsNetwork, ProbeFollowsNoRedirect) {
    NotFoundServer elsewhere(certificates->untrustedPluginCertificate());
    const QByteArray redirect = QStringLiteral("HTTP/1.1 302 Found\r\nLocation: "
                                               "https://127.0.0.1:%1/\r\nContent-Length: 0\r\n\r\n")
                                    .arg(elsewhere.port())
                                    .toLatin1();
    NotFoundServer plugin(certificates->pluginLeaf(), redirect);
    auto client = clientFor(manual, plugin.port());
    EXPECT_TRUE(probe(*client));
    EXPECT_EQ(plugin.requestCount(), 1);
    QTest::qWait(50);
    EXPECT_EQ(elsewhere.requestCount(), 0);
}

// Nothing the plug-in sends is read; a large message closes the socket
// instead of filling the memory.
TEST_F(HapticsNetwork, ALargeIncomingMessageClosesTheSocket) {
    TickServer server(certificates->pluginLeaf());
    ASSERT_TRUE(server.listen());
    auto client = clientFor(manual, server.port());
    client->tick(6);
    ASSERT_TRUE(waitFor([&] { return server.messages().size() == 1; }));
    server.sendToClients(QByteArray(MouseHapticsClient::maximumIncomingMessage + 1, 'x'));
    EXPECT_TRUE(waitFor([&] { return !client->hasSocket(); }));
}

TEST_F(HapticsNetwork, ProbeSaysFalseOnAClosedPort) {
    auto client = clientFor(manual, closedPort());
    EXPECT_FALSE(probe(*client));
}

TEST_F(HapticsNetwork, ProbeGivesUpOnASilentServerAfterTwoSeconds) {
    SilentServer server;
    auto client = clientFor(manual, server.port());
    std::optional<bool> answer;
    client->isPluginReachable(nullptr, [&answer](bool reachable) { answer = reachable; });
    ASSERT_TRUE(waitFor([&] { return server.connectionCount() == 1; }));

    manual.advance(1999ms);
    QTest::qWait(20);
    EXPECT_FALSE(answer.has_value());

    manual.advance(1ms);
    ASSERT_TRUE(waitFor([&] { return answer.has_value(); }));
    EXPECT_FALSE(*answer);
}

TEST_F(HapticsNetwork, ProbeAnswerIsNotDeliveredToAGoneContext) {
    NotFoundServer server(certificates->pluginLeaf());
    auto client = clientFor(manual, server.port());
    bool called = false;
    auto context = std::make_unique<QObject>();
    client->isPluginReachable(context.get(), [&called](bool) { called = true; });
    context.reset();
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    QTest::qWait(50);
    EXPECT_FALSE(called);
}

TEST_F(HapticsNetwork, SocketThatNeverOpensIsGivenUp) {
    SilentServer server;
    auto client = clientFor(manual, server.port());
    client->tick(6);
    ASSERT_TRUE(waitFor([&] { return server.connectionCount() == 1; }));

    manual.advance(MouseHapticsClient::openTimeout - 1ms);
    EXPECT_TRUE(client->hasSocket());
    manual.advance(1ms);
    EXPECT_FALSE(client->hasSocket());

    client->tick(6);
    EXPECT_TRUE(client->hasSocket());
}

// A missing plug-in costs at most one socket attempt every five seconds.
TEST_F(HapticsNetwork, RefusedSocketIsRetriedOnlyAfterFiveSeconds) {
    auto client = clientFor(manual, closedPort());
    const struct {
        std::chrono::milliseconds at;
        bool opens;
    } steps[] = {{0ms, true}, {1000ms, false}, {4999ms, false}, {5000ms, true}, {9999ms, false}};

    auto elapsed = 0ms;
    for (const auto& step : steps) {
        manual.advance(step.at - elapsed);
        elapsed = step.at;
        client->tick(6);
        EXPECT_EQ(client->hasSocket(), step.opens) << "tick at " << step.at.count() << " ms";
        ASSERT_TRUE(waitFor([&] { return !client->hasSocket(); }));
    }
}

TEST_F(HapticsNetwork, BurstInsideTheRetryWindowSendsOnlyOnceItEnds) {
    const quint16 port = closedPort();
    auto client = clientFor(manual, port);
    client->tick(6); // refused: the next attempt may come five seconds later
    ASSERT_TRUE(waitFor([&] { return !client->hasSocket(); }));

    TickServer server(certificates->pluginLeaf());
    ASSERT_TRUE(server.listen(port));
    manual.advance(4800ms);
    client->sendTestBurst();
    manual.advance(0ms);   // pass 1 at 4.80 s
    manual.advance(150ms); // pass 2 at 4.95 s
    EXPECT_FALSE(client->hasSocket());
    manual.advance(150ms); // pass 3 at 5.10 s opens the socket
    EXPECT_TRUE(client->hasSocket());
    ASSERT_TRUE(waitFor([&] { return server.messages().size() == 1; }));
    manual.advance(150ms); // pass 4 at 5.25 s uses it
    ASSERT_TRUE(waitFor([&] { return server.messages().size() == 2; }));
    EXPECT_EQ(server.connectionPaths().size(), 1);
    manual.advance(1s);
    QTest::qWait(50);
    EXPECT_EQ(server.messages().size(), 2);
}

TEST(HapticsTickThrottle, OnlyTicksMoreThanFortyMillisecondsApartPass) {
    ManualScheduler manual;
    MouseHapticsClient client(manual, "127.0.0.1", closedPort());
    const struct {
        std::chrono::milliseconds at;
        bool passes;
    } steps[] = {
        {0ms, true},                  // the first tick after start passes
        {30ms, false}, {40ms, false}, // exactly 40 ms is not enough
        {41ms, true},  {71ms, false}, {100ms, true}, {130ms, false}, {160ms, true},
    };
    auto elapsed = 0ms;
    for (const auto& step : steps) {
        manual.advance(step.at - elapsed);
        elapsed = step.at;
        EXPECT_EQ(client.tickIfDue(), step.passes) << "tick at " << step.at.count() << " ms";
    }
    EXPECT_EQ(client.lastTick(), manual.now() - 0ms);
}

struct MouseCase {
    const char* label;
    const char* uevent;
    bool supported;
};

class MouseDetection : public ::testing::TestWithParam<MouseCase> {};

TEST_P(MouseDetection, LooksForTheVendorsMXMaster) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("0003:0000:0000.0001"));
    QFile uevent(root.filePath("0003:0000:0000.0001/uevent"));
    ASSERT_TRUE(uevent.open(QIODevice::WriteOnly));
    uevent.write(GetParam().uevent);
    uevent.close();
    EXPECT_EQ(MouseHapticsClient::isMXMasterConnected(HidDevices(root.path())),
              GetParam().supported);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MouseDetection,
    ::testing::Values(
        MouseCase{"mxMaster3S", "HID_ID=0003:0000046D:0000B034\nHID_NAME=Logitech MX Master 3S\n",
                  true},
        MouseCase{"lowerCaseWithSuffix",
                  "HID_ID=0005:0000046D:0000B042\nHID_NAME=mx master 4 mac\n", true},
        MouseCase{"vendorKeyboard", "HID_ID=0003:0000046D:0000B378\nHID_NAME=Logitech MX Keys S\n",
                  false},
        MouseCase{"otherVendor", "HID_ID=0003:00001532:00000084\nHID_NAME=Fake MX Master\n", false},
        MouseCase{"malformedId", "HID_ID=0003:046D\nHID_NAME=Logitech MX Master 3S\n", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(HapticsPluginFolder, IsLookedForInTheDataFolder) {
    QTemporaryDir dataHome;
    EXPECT_EQ(MouseHapticsClient::pluginFolderPath(dataHome.path()),
              dataHome.path() + "/Logi/LogiPluginService/Plugins/HapticWeb");
    EXPECT_FALSE(MouseHapticsClient::isPluginFolderPresent(dataHome.path()));
    ASSERT_TRUE(QDir(dataHome.path()).mkpath("Logi/LogiPluginService/Plugins/HapticWeb"));
    EXPECT_TRUE(MouseHapticsClient::isPluginFolderPresent(dataHome.path()));
}

} // namespace
