#pragma once

#include "overlay/LoopbackTrust.h"
#include "platform/hid/HidDevices.h"
#include "platform/time/Scheduler.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QWebSocket;

namespace vellaro {

// Client of the mouse vendor's haptics plug-in, which serves HTTPS and a
// WebSocket on the loopback interface. Each tick is one binary message of one
// byte; nothing the plug-in sends is read. The client keeps one socket,
// opened on demand at most once every five seconds, and never closes it
// itself. Main thread only.
class MouseHapticsClient final : public QObject {
public:
    static constexpr auto defaultHost = "127.0.0.1";
    static constexpr quint16 defaultPort = 41443;
    static constexpr std::uint8_t tickByte = 6;
    // The dial view lets a tick through only when strictly more than this
    // has passed since the last one it let through.
    static constexpr std::chrono::milliseconds tickInterval{40};
    static constexpr std::chrono::seconds reconnectInterval{5};
    static constexpr std::chrono::milliseconds burstSpacing{150};
    static constexpr int burstLength = 4;
    static constexpr std::chrono::seconds probeTimeout{2};
    // A socket that is still not open after this long is given up, so a
    // plug-in that accepts but never answers cannot hold the client forever.
    static constexpr std::chrono::seconds openTimeout{60};
    // The plug-in sends nothing we read: anything larger closes the socket.
    static constexpr quint64 maximumIncomingMessage = 1024;

    // `scheduler` must outlive the client. The program uses the defaults;
    // tests point it at their own loopback server and certificate authority.
    MouseHapticsClient(Scheduler& scheduler, QString host = QString::fromLatin1(defaultHost),
                       quint16 port = defaultPort, QList<QSslCertificate> extraCaCertificates = {},
                       QObject* parent = nullptr);
    ~MouseHapticsClient() override;

    static MouseHapticsClient& shared();

    // The plug-in's web page, which the haptics setup opens in the browser.
    static QUrl pluginPageURL();

    // Sends one tick; opens the socket first when there is none and the
    // five-second limit allows, else drops the tick. Never waits.
    void tick(std::uint8_t byte);

    // The dial view's entry on a change of highlighted section: sends a tick
    // of `tickByte` when strictly more than `tickInterval` has passed since
    // `lastTick`, and moves `lastTick` to now. Returns whether the tick was
    // let through. The caller checks the haptics setting and never ticks
    // from the console's preview dial.
    bool tickIfDue();

    // Opens a new socket unless the last attempt lies less than five seconds
    // back. Does not wait for it to open.
    void connect();

    // Four ticks, `burstSpacing` apart, starting on the next turn of the
    // event loop. Returns at once; a burst that cannot reach the plug-in is
    // lost silently.
    void sendTestBurst();

    // HTTPS GET of "/" with a two-second time-out. `done` runs once on the
    // main thread with true when any HTTP response arrived, whatever its
    // status, and false on refusal, time-out or rejected certificate; it does
    // not run when a given `context` is gone by then.
    void isPluginReachable(const QObject* context, std::function<void(bool)> done);

    // Whether a mouse of the supported family (the vendor's "MX Master")
    // is attached.
    static bool isMXMasterConnected(const HidDevices& hid = HidDevices());

    // The plug-in's folder in the user's data folder (or below `dataHome`),
    // and whether a file or folder is there.
    static QString pluginFolderPath(const QString& dataHome = {});
    static bool isPluginFolderPresent(const QString& dataHome = {});

    Scheduler::TimePoint lastTick() const { return lastTick_; }
    void setLastTick(Scheduler::TimePoint time) { lastTick_ = time; }

    // Whether a socket is open or opening.
    bool hasSocket() const { return !socket_.isNull(); }
    bool isSocketOpen() const;

private:
    QUrl socketURL() const;
    QUrl probeURL() const;
    QUrl endpointURL(const QString& scheme, const QString& path) const;
    // `withNewPins`: the second opening after the first met acceptable errors;
    // it is never followed by a third.
    void openSocket(bool withNewPins = false);
    const QSslConfiguration& sslConfiguration();
    bool trustsPeer(const QUrl& endpoint, const QList<QSslError>& errors) const;
    void send(std::uint8_t byte);
    void flushPendingTick();
    void dropSocket();
    void runBurstPass(int pass);

    Scheduler& scheduler_;
    QString host_;
    quint16 port_;
    QList<QSslCertificate> extraCaCertificates_;
    std::optional<QSslConfiguration> sslConfiguration_;
    LoopbackTrust trust_;
    QPointer<QWebSocket> socket_;
    Scheduler::TaskId openTimeoutTask_ = 0;
    // While the socket opens, only the newest tick waits: older ones would
    // arrive late as one stale buzz.
    std::optional<std::uint8_t> pendingTick_;
    // The TLS errors of the plug-in's endpoint that were found acceptable;
    // QWebSocket takes such a list only before it opens, so a socket that
    // met newly acceptable errors is opened once more with them.
    QList<QSslError> pinnedErrors_;
    bool reopenWithPinnedErrors_ = false;
    Scheduler::TimePoint lastTick_;
    std::optional<Scheduler::TimePoint> lastAttempt_;
    QNetworkAccessManager* session_ = nullptr;
};

} // namespace vellaro
