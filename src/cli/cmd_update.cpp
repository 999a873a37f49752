// update [--silent] [--program FILE]: the program update from the
// installation's FTP server, without the window. The messages the desktop
// program shows are printed; the exit code is 1 when the update failed.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/altproc.h"
#include "db/ui_hooks.h"
#include "update/program_update.h"

namespace {

void print(FILE* stream, QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stream, "%s\n", text.toUtf8().constData());
}

int update(CliContext& context) {
    const bool silent = TakeFlag(context.args, QStringLiteral("--silent"));
    // The desktop program beside this tool, unless another file is named.
    const QString program = TakeOption(context.args, QStringLiteral("--program"),
                                       QCoreApplication::applicationDirPath() + QStringLiteral("/tarvedo"));
    if (!context.args.isEmpty())
        return CliFail(QStringLiteral("Használat: tarvedo-cli update [--silent] [--program FILE]"));

    Installation installation;
    QString error;
    if (!ReadInstallation(installation, error)) return CliFail(error);
    UpdateSettings settings = RunningProgramUpdate(installation);
    settings.programPath = QFileInfo(program).absoluteFilePath();

    // The update's messages go to stdout, or to stderr when it failed.
    QStringList messages;
    UiHooks::setMessage([&messages](const QString& text) { messages.append(text); });
    UiHooks::setDialog([](const QString& text, int, const QStringList&) {
        print(stderr, text);
        return 0;
    });
    const UpdateResult result =
        RunUpdate(settings, FileVersionText(QString()), installation.kod, installation.nev, silent);
    UiHooks::setMessage({});
    UiHooks::setDialog({});
    for (const QString& message : messages) print(result.failed ? stderr : stdout, message);
    return result.failed ? 1 : 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("update"),
     QStringLiteral("update [--silent] [--program FILE]  programfrissítés a telepítés FTP tárhelyéről"), true, update});

}  // namespace
