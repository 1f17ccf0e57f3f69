#include "process_figures.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace {

QByteArray readProcFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The number after `name` on its line of a /proc status-like text; -1 when absent.
long fieldOf(const QByteArray& text, const char* name) {
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(name))
            return line.mid(int(std::strlen(name))).trimmed().split(' ').front().toLong();
    }
    return -1;
}

} // namespace

Resident residentOf(qint64 pid) {
    const QByteArray status = readProcFile(QStringLiteral("/proc/%1/status").arg(pid));
    return {fieldOf(status, "VmRSS:"), fieldOf(status, "RssAnon:"), fieldOf(status, "RssFile:"),
            fieldOf(status, "RssShmem:")};
}

double cpuSecondsOf(qint64 pid) {
    const QByteArray text = readProcFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // Fields after the parenthesised command name; utime and stime are 14 and 15.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toDouble() + fields[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
}

WakeUps wakeUpsOf(qint64 pid) {
    WakeUps counts;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const long switches =
            fieldOf(readProcFile(tasks.filePath(task + QStringLiteral("/status"))),
                    "voluntary_ctxt_switches:");
        if (switches >= 0)
            counts[task] = switches;
    }
    return counts;
}

long wakeUpsBetween(const WakeUps& before, const WakeUps& after) {
    long total = 0;
    for (const auto& [task, count] : after) {
        const auto earlier = before.find(task);
        total += count - (earlier == before.end() ? 0 : earlier->second);
    }
    return total;
}

std::vector<MappedFile> largestMappedFiles(qint64 pid, std::size_t count) {
    // smaps: a header line per mapping (address range first, path last), then
    // "Key: value kB" lines; only file mappings count here.
    QHash<QString, long> byPath;
    QString current;
    for (const QByteArray& line :
         readProcFile(QStringLiteral("/proc/%1/smaps").arg(pid)).split('\n')) {
        if (line.isEmpty())
            continue;
        if (!line.contains(':') || line.indexOf(' ') < line.indexOf(':')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            current = parts.size() >= 6 && parts[5].startsWith('/')
                          ? QString::fromLocal8Bit(parts[5])
                          : QString();
            continue;
        }
        if (!current.isEmpty() && line.startsWith("Rss:"))
            byPath[current] += line.mid(4).trimmed().split(' ').front().toLong();
    }
    std::vector<MappedFile> files;
    for (auto it = byPath.cbegin(); it != byPath.cend(); ++it)
        files.push_back({it.key(), it.value()});
    std::sort(files.begin(), files.end(), [](const MappedFile& a, const MappedFile& b) {
        return a.residentKiB > b.residentKiB;
    });
    if (files.size() > count)
        files.resize(count);
    return files;
}
