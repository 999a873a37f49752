#pragma once
// At the end of the run the database address, company and year in use are
// written back into the settings file, so the next start opens the same ones.
// The file is edited line by line: the old setting is disabled with a leading
// "*" and the new one is enabled or appended; other lines stay as they are.
#include <QString>

struct StartupSettings {
    QString dbServer;    // DBSERVER
    QString defaultCeg;  // DEFAULTCEG
    QString defaultEv;   // DEFAULTEV
    bool operator==(const StartupSettings&) const = default;
};

// `atStart` holds the values read from the file at start, `now` the ones in
// use. A missing file is written with the three settings; an unchanged run
// leaves the file untouched. False only when the file could not be read or
// written.
bool WriteBackStartupSettings(const QString& file, const StartupSettings& atStart,
                              const StartupSettings& now);
