#pragma once
// The command-line tool run as a real process, as scripts run it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

// A test suite on one demo working directory, made once by the tool itself
// with `Items` ledger items of 2025. `Suite` is the deriving class, so that
// each suite has its own directory.
template <class Suite, int Items>
class DemoWorkdirSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        work = dir->filePath(QStringLiteral("minta"));
        const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"),
                                       QString::number(Items), QStringLiteral("--year"), QStringLiteral("2025")});
        ASSERT_EQ(made.code, 0) << made.err.toStdString();
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    // tarvedo-cli --workdir DIR ARGS...
    static CliResult Run(const QStringList& args) { return RunCli(QStringList{QStringLiteral("--workdir"), work} + args); }
    static CliResult Report(const QStringList& args) { return Run(QStringList{QStringLiteral("report")} + args); }
    static inline QTemporaryDir* dir = nullptr;
    static inline QString work;
};
