#pragma once
// The command-line tool run as a real process, as scripts run it.
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliResult {
    int code = -1;
    QString out, err;
};

inline CliResult RunCli(const QStringList& args, int timeoutMs = 300000) {
    QProcess process;
    process.start(QStringLiteral(TARVEDO_CLI_PATH), args);
    process.waitForFinished(timeoutMs);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
