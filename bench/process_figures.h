#pragma once

#include <QString>
#include <QtGlobal>

#include <map>
#include <vector>

// Figures of a running process read from /proc, as any outside tool would.

// Resident memory in KiB: all of it (VmRSS) and its anonymous, file-backed
// (mostly libraries' pages) and shared-memory parts.
struct Resident {
    long total = -1, anonymous = -1, files = -1, shared = -1;
};
Resident residentOf(qint64 pid);

// User plus system CPU time, in seconds.
double cpuSecondsOf(qint64 pid);

// Times each thread of the process went to sleep and was woken again
// (voluntary context switches), by thread id.
using WakeUps = std::map<QString, long>;
WakeUps wakeUpsOf(qint64 pid);
// Wake-ups from `before` to `after`: a thread new since counts whole, one
// that ended since (an idle pool thread retiring) counts for nothing.
long wakeUpsBetween(const WakeUps& before, const WakeUps& after);

// Resident KiB per mapped file, largest first.
struct MappedFile {
    QString path;
    long residentKiB = 0;
};
std::vector<MappedFile> largestMappedFiles(qint64 pid, std::size_t count);
