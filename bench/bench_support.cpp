#include "bench_support.h"

#include <sys/resource.h>

#include <cstdio>

double PeakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void PrintRate(const QString& what, double count, const QString& unit, double seconds) {
    std::printf("%s: %.0f %s/s (%.2f s)\n", what.toUtf8().constData(), seconds > 0 ? count / seconds : 0.0,
                unit.toUtf8().constData(), seconds);
}
