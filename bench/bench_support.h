#pragma once
// Small helpers shared by the benchmark programs.
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

// Peak resident memory of this process so far, in megabytes.
double PeakMemoryMb();

// Processor time of this process so far, in seconds (the embedded engine
// runs inside it): on a machine shared with other work it tells the rate an
// idle one would give.
double CpuSeconds();

// Prints one result line: "<what>: <rate> <unit>/s (<seconds> s)".
void PrintRate(const QString& what, double count, const QString& unit, double seconds);

// Opens the demo working directory `dir` as the session, making it first
// with a ledger of `items` items when it does not exist. False after
// printing why it could not.
bool OpenDemoCompany(const QString& dir, qlonglong items);

// The wall-clock and processor time of one piece of work.
struct Timed {
    double wall = 0, cpu = 0;
};

template <typename Fn>
Timed Measure(Fn&& fn) {
    QElapsedTimer timer;
    const double cpu = CpuSeconds();
    timer.start();
    fn();
    return {double(timer.nsecsElapsed()) / 1e9, CpuSeconds() - cpu};
}

// Wall-clock seconds of one piece of work.
template <typename Fn>
double Seconds(Fn&& fn) {
    return Measure(fn).wall;
}

// The value of "--name VALUE" in the arguments (removed from them), or `fallback`.
QString TakeBenchOption(QStringList& args, const QString& name, const QString& fallback);
