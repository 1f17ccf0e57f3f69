#pragma once

#include <QByteArray>
#include <QString>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vellaro::test {

// Runs `work` in a child whose files may not grow past `limit` bytes, as on
// a full disk (SIGXFSZ ignored: a write fails with EFBIG instead of killing
// it). Returns the text `work` returned.
inline QString inFullDiskChild(rlim_t limit, const std::function<QString()>& work) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const QByteArray answer = work().toUtf8();
        [[maybe_unused]] const ssize_t sent = ::write(pipeFds[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return QString::fromUtf8(answer);
}

} // namespace vellaro::test
