#include "app/QuitSignals.h"

#include "app/Logging.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vellaro {

namespace {

int pipeEnds[2] = {-1, -1};

void onSignal(int number) {
    const int saved = errno;
    const char byte = char(number);
    // Async-signal-safe; a full pipe already holds a quit.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(appLog) << "Cannot watch for SIGTERM and SIGINT:" << strerror(errno);
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::quit);
    struct sigaction action {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (!notifier_)
        return;
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void QuitSignals::quit() {
    char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) {
    }
    qCInfo(appLog).noquote() << "Quitting on" << (byte == SIGINT ? "SIGINT" : "SIGTERM");
    QCoreApplication::quit();
}

} // namespace vellaro
