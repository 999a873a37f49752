#pragma once
// Small helpers shared by the benchmark programs.
#include <QElapsedTimer>
#include <QString>

// Peak resident memory of this process so far, in megabytes.
double PeakMemoryMb();

// Prints one result line: "<what>: <rate> <unit>/s (<seconds> s)".
void PrintRate(const QString& what, double count, const QString& unit, double seconds);
