#pragma once
// Memory the test process has used, for tests of readers that once took
// gigabytes on small files.
#include <QtGlobal>
#include <sys/resource.h>

// The process's peak resident memory so far, in MB.
inline qint64 PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) / 1024;
}

// A bound on the memory a run may add. AddressSanitizer pads every block and
// keeps freed memory in quarantine: its builds get three times as much,
// still far below the gigabytes of the faults these bounds guard against.
inline qint64 MemoryBoundMb(qint64 normalBuild) {
#if defined(__SANITIZE_ADDRESS__)
    return 3 * normalBuild;
#else
    return normalBuild;
#endif
}
