#pragma once
// Small helpers shared by the benchmark programs.
#include <QElapsedTimer>
#include <QString>

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
