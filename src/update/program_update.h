#pragma once
// The program update from the installation's FTP server. The server's
// information file (B + ".INF", B the program's base name in upper case)
// announces the latest version and may carry database update scripts
// (merged into "UPDATES.SQL", which the next start runs), settings lines for
// B + ".INI" and news lines ("UPDATES_INFO.TXT"). A newer version brings the
// new program file.
//
// Nothing half-done is ever left behind: the new program is downloaded to a
// temporary name in its final folder, checked (the whole announced size, a
// complete executable of this machine, the SHA-256 digest when the server
// announces one), made executable and only then put in place by one rename,
// the old file kept under its versioned name. The scripts, news and settings
// lines are written only together with a program that arrived whole; any
// failure leaves the program and every waiting file as they were. A program
// already in place (or already waiting for the administrator) is not brought
// again, so its scripts never run twice.
#include <QString>
#include <QStringList>
#include <functional>

inline const QString UpdateRemoteDir = QStringLiteral("public_html/exefiles");
inline const QString UpdateScriptFile = QStringLiteral("UPDATES.SQL");
inline const QString UpdateInfoFile = QStringLiteral("UPDATES_INFO.TXT");

struct UpdateServer {
    QString host, user, password;
};

struct UpdateSettings {
    UpdateServer server;
    QString wdpath = UpdateRemoteDir;  // the remote folder
    QString wsavepath;                 // the working directory, with a trailing "/"
    QString programPath;               // the program file to update (the running one)
    // What the update is doing, and the bytes of the file travelling (0, 0 between files).
    std::function<void(const QString& step, qint64 done, qint64 total)> progress;
};

// Names derived from the program file: its folder (with a trailing "/"), its
// file name, and B, the file name without its last extension, upper-cased.
// Remote names and the local update files use B; the program's own copies
// keep the file name's case.
struct ProgramNames {
    QString folder, fileName, base;
};
ProgramNames DeriveProgramNames(const QString& programPath);

// What the information file says, read from the top to the first blank line.
struct UpdateInfo {
    QString version = QStringLiteral("0");
    bool newer = false;    // strictly newer than the running version
    QStringList addToIni;  // ADDTOINI values
    QStringList info;      // INFO values
    QStringList updates;   // UPDATES script names, "NONE" left out
    QString sha256;        // SHA256: the program file's digest, empty when not announced
    QString error;         // a VERSION that is not a version number
};
UpdateInfo ReadUpdateInfo(const QStringList& lines, const QString& runningVersion);

struct UpdateResult {
    QString version = QStringLiteral("0");  // the announced version
    bool newer = false;        // and not already in place
    bool installed = false;    // the new program is in place of the old one
    QString waitingProgram;    // the new program left for the administrator (program folder not writable)
    bool failed = false;       // an error was shown; nothing was replaced
};

// Runs the whole update and shows its messages (errors through the system's
// dialog, the rest as plain messages). `silent` only keeps back
// "Nincs újabb frissítés.".
UpdateResult RunUpdate(const UpdateSettings& settings, const QString& runningVersion, const QString& kod,
                       const QString& nev, bool silent);

// The installation record (SZISZTEM) of the system database with its FTP
// server, unscrambled. False, with the message in `error`, when it cannot
// be read or names no server.
struct Installation {
    QString kod, nev;
    UpdateServer server;
};
bool ReadInstallation(Installation& installation, QString& error);

// The update of the program running now, from the installation's server,
// with the working directory of the run.
UpdateSettings RunningProgramUpdate(const Installation& installation);
