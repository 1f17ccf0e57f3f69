#pragma once

#include <QString>
#include <QtGlobal>

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

// Times any thread of the process went to sleep and was woken again
// (voluntary context switches, summed over its threads).
long wakeUpsOf(qint64 pid);

// Resident KiB per mapped file, largest first.
struct MappedFile {
    QString path;
    long residentKiB = 0;
};
std::vector<MappedFile> largestMappedFiles(qint64 pid, std::size_t count);
