#include "bench_support.h"

#include <sys/resource.h>

#include <cstdio>

double PeakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void PrintRate(const QString& what, double count, const QString& unit, double seconds) {
    std::printf("%s: %.0f %s/s (%.2f s)\n", what.toUtf8().constData(), seconds > 0 ? count / seconds : 0.0,
                unit.toUtf8().constData(), seconds);
}
