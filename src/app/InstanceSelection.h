#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QSocketNotifier;
struct xcb_connection_t;

namespace vellaro {

// One copy of Vellaro per X display, kept by X itself: the running copy owns
// the selection _VELLARO_S<screen> with a small window on a connection of its
// own. Every spelling of DISPLAY reaches the same server, and the server
// drops the selection when its owner dies, so nothing goes stale. A later
// launch finds the owner and sends its request to the owner's window as a
// client message, which needs nothing but the X server.
class InstanceSelection : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        owner,      // this process now runs as the one copy
        handedOver, // the request went to the copy already running
        failed,     // no X display to hold a selection on
    };

    explicit InstanceSelection(QObject* parent = nullptr);
    ~InstanceSelection() override;
    InstanceSelection(const InstanceSelection&) = delete;
    InstanceSelection& operator=(const InstanceSelection&) = delete;

    // Connects to `display` (DISPLAY when empty), then takes the selection,
    // or hands `actions` to the copy that holds it.
    Outcome claimOrHandOver(const QString& display, std::uint32_t actions);
    // Why the last claim failed.
    QString errorString() const { return error_; }

    // Once the event loop runs: calls `onRequest` with the actions of each
    // later launch.
    void listen(std::function<void(std::uint32_t actions)> onRequest);

    static QString selectionName(int screen);

private:
    bool intern();
    void readEvents();

    QString display_;
    QString name_; // the selection's
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t window_ = 0;
    std::uint32_t selection_ = 0;
    std::uint32_t requestType_ = 0;
    QString error_;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void(std::uint32_t)> onRequest_;
};

} // namespace vellaro
