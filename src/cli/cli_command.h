#pragma once
// The commands of tarvedo-cli. Each command lives in its own file and
// registers itself, so adding a command touches no other file.
#include <QString>
#include <QStringList>
#include <functional>

struct CliContext {
    QString workdir;      // --workdir, default the current directory
    QStringList args;     // the command's own arguments
};

struct CliCommand {
    QString name;
    QString usage;        // one line for the help text
    bool needsSession;    // opens the working directory's databases first
    std::function<int(CliContext&)> run;
};

bool RegisterCliCommand(CliCommand command);
const QList<CliCommand>& CliCommands();

// Prints a Hungarian error to stderr and returns the exit code 1.
int CliFail(const QString& message);
// Value of "--name VALUE" in the arguments (removed from them), or `fallback`.
QString TakeOption(QStringList& args, const QString& name, const QString& fallback = {});
bool TakeFlag(QStringList& args, const QString& name);
