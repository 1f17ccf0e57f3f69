#include "PrivateXSession.h"

#include "XcbAtom.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace vellaro::test {

namespace {

constexpr int startBoundMs = 15000;
constexpr int stopBoundMs = 5000;

// Starts `arguments[0]` from PATH with its output discarded; 0 on failure.
// `keepFd`, when not -1, stays open in the child.
pid_t spawn(const QStringList& arguments, const QStringList& environment, int keepFd = -1) {
    std::vector<QByteArray> storage;
    for (const QString& s : arguments)
        storage.push_back(s.toLocal8Bit());
    const std::size_t argumentCount = storage.size();
    for (const QString& s : environment)
        storage.push_back(s.toLocal8Bit());
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::size_t i = 0; i < storage.size(); ++i)
        (i < argumentCount ? argv : envp).push_back(storage[i].data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (keepFd != -1)
        fcntl(keepFd, F_SETFD, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = 0;
    if (keepFd != -1)
        fcntl(keepFd, F_SETFD, FD_CLOEXEC);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Reaps the process when it has ended and forgets its id then.
bool reapedExit(pid_t& pid) {
    int status = 0;
    if (pid == 0 || waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        return true;
    }
    return false;
}

// Asks the process to end, waits for it, and kills it when it lingers.
void stopProcess(pid_t& pid) {
    if (reapedExit(pid))
        return;
    kill(pid, SIGTERM);
    const QDeadlineTimer deadline(stopBoundMs);
    while (!reapedExit(pid)) {
        if (deadline.hasExpired()) {
            kill(pid, SIGKILL);
            int status = 0;
            while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
            }
            pid = 0;
            return;
        }
        QThread::msleep(10);
    }
}

// The display number Xvfb writes to its -displayfd once it accepts clients.
QString readDisplayNumber(int fd, pid_t& server) {
    QByteArray line;
    const QDeadlineTimer deadline(startBoundMs);
    while (!line.endsWith('\n')) {
        if (deadline.hasExpired() || reapedExit(server))
            return {};
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, 50) <= 0)
            continue;
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return {};
        line.append(buffer, n);
    }
    return QString::fromLatin1(line.trimmed());
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// The first 32-bit value of a property, if it has one.
std::optional<std::uint32_t> firstValue(xcb_connection_t* c, xcb_window_t window,
                                        std::uint32_t property, std::uint32_t type) {
    std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

bool listsAtom(xcb_connection_t* c, xcb_window_t window, std::uint32_t property,
               std::uint32_t atom) {
    std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, atom) != atoms + count;
}

} // namespace

PrivateXSession::~PrivateXSession() {
    stop();
}

bool PrivateXSession::start() {
    if (serverPid_ != 0)
        return true;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    serverPid_ = spawn({"Xvfb", "-displayfd", QString::number(fds[1]), "-screen", "0",
                        "1440x900x24", "-nolisten", "tcp", "-noreset"},
                       QProcessEnvironment::systemEnvironment().toStringList(), fds[1]);
    close(fds[1]);
    const QString number = serverPid_ != 0 ? readDisplayNumber(fds[0], serverPid_) : QString();
    close(fds[0]);
    if (number.isEmpty()) {
        stop();
        return false;
    }
    display_ = QLatin1Char(':') + number;
    return true;
}

bool PrivateXSession::startWindowManager() {
    if (serverPid_ == 0)
        return false;
    if (windowManagerPid_ != 0)
        return true;
    windowManagerPid_ = spawn({"openbox", "--sm-disable"}, environment().toStringList());
    if (windowManagerPid_ == 0)
        return false;
    const QDeadlineTimer deadline(startBoundMs);
    while (!windowManagerAnswers()) {
        if (deadline.hasExpired() || reapedExit(windowManagerPid_)) {
            stopWindowManager();
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

void PrivateXSession::stopWindowManager() {
    stopProcess(windowManagerPid_);
}

void PrivateXSession::killWindowManager() {
    if (windowManagerPid_ == 0)
        return;
    kill(windowManagerPid_, SIGKILL);
    int status = 0;
    while (waitpid(windowManagerPid_, &status, 0) == -1 && errno == EINTR) {
    }
    windowManagerPid_ = 0;
}

void PrivateXSession::stop() {
    stopWindowManager();
    stopProcess(serverPid_);
    display_.clear();
}

QProcessEnvironment PrivateXSession::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!display_.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display_);
    return environment;
}

// The check window names itself and the client list is supported, as the
// program's own test of an EWMH window manager asks.
bool PrivateXSession::windowManagerAnswers() const {
    xcb_connection_t* c = xcb_connect(display_.toLocal8Bit().constData(), nullptr);
    bool answers = false;
    if (!xcb_connection_has_error(c)) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const std::uint32_t check = internAtom(c, "_NET_SUPPORTING_WM_CHECK");
        const std::optional<std::uint32_t> window = firstValue(c, root, check, XCB_ATOM_WINDOW);
        answers =
            window && firstValue(c, *window, check, XCB_ATOM_WINDOW) == window &&
            listsAtom(c, root, internAtom(c, "_NET_SUPPORTED"), internAtom(c, "_NET_CLIENT_LIST"));
    }
    xcb_disconnect(c);
    return answers;
}

} // namespace vellaro::test
