#pragma once

#include <QObject>
#include <cstdint>
#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

namespace vellaro {

// Tells when the CLIPBOARD selection changes hands, from the X server's
// XFixes selection events on a connection of its own, read when they arrive:
// nothing wakes while nobody copies. Main thread.
class XFixesSelectionWatcher final : public QObject {
    Q_OBJECT
public:
    explicit XFixesSelectionWatcher(QObject* parent = nullptr);
    ~XFixesSelectionWatcher() override;

    // False without an X display or without XFixes on its server.
    bool isWatching() const { return notifier_ != nullptr; }
    bool hasDisplay() const { return connection_ != nullptr; }

Q_SIGNALS:
    // A program took the selection (`owner` its window) or its owner went
    // (`owner` 0).
    void ownerChanged(std::uint32_t owner);

private:
    void readEvents();

    xcb_connection_t* connection_ = nullptr;
    std::uint8_t firstEvent_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vellaro
