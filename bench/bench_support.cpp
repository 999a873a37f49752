#include "bench_support.h"

#include <sys/resource.h>

#include <QFileInfo>

#include <cstdio>

#include "db/session.h"
#include "ledger/demo_setup.h"

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

bool OpenDemoCompany(const QString& dir, qlonglong items) {
    if (!QFileInfo::exists(dir + QStringLiteral("/TARVEDO.INI"))) {
        std::printf("making %s with %lld items...\n", dir.toUtf8().constData(), items);
        const QString error = CreateDemoWorkingDirectory(dir, {items, 2025, 1});
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", error.toUtf8().constData());
            return false;
        }
    }
    const SessionResult session = OpenWorkingDirectory(dir);
    if (!session.ok) std::fprintf(stderr, "%s\n", session.error.toUtf8().constData());
    return session.ok;
}

QString TakeBenchOption(QStringList& args, const QString& name, const QString& fallback) {
    const qsizetype at = args.indexOf(name);
    if (at < 0 || at + 1 >= args.size()) return fallback;
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}
