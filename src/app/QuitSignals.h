#pragma once

#include <QObject>

class QSocketNotifier;

namespace vellaro {

// SIGTERM and SIGINT (the session ending, Ctrl+C) quit through the event
// loop, so that everything hooked to aboutToQuit (saves, an update waiting
// to install) still runs. The handler only writes a byte to a pipe; the
// main thread reads it and quits. One instance per process.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    void quit();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vellaro
