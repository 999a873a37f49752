// Times the demo ledger generator: `demo_bench [ITEMS]` makes a working
// directory with ITEMS ledger items (default one million) the way
// `tarvedo-cli init-demo` does and prints items per second. The directory
// is left in place for the report benchmarks (path on the last line).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "ledger/demo_setup.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    const qlonglong items = argc > 1 ? QString::fromLatin1(argv[1]).toLongLong() : 1000000;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::temp().filePath(QStringLiteral("tarvedo-bench-%1").arg(items));
    QDir(dir).removeRecursively();

    QElapsedTimer timer;
    timer.start();
    const QString error = CreateDemoWorkingDirectory(dir, {items, 2025, 1});
    const double seconds = double(timer.elapsed()) / 1000.0;
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    PrintRate(QStringLiteral("init-demo %1 items").arg(items), double(items), QStringLiteral("items"), seconds);
    std::printf("peak memory: %.0f MB\n", PeakMemoryMb());
    std::printf("%s\n", dir.toUtf8().constData());
    return 0;
}
