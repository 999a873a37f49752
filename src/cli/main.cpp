// tarvedo-cli: the program's logic without windows, for scripts, tests and
// benchmarks. It works in a working directory whose TARVEDO.INI names the
// databases, exactly as the desktop program starts, without the login.
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <unistd.h>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/app_conventions.h"
#include "db/db_error.h"
#include "db/session.h"

namespace {

QList<CliCommand>& registry() {
    static QList<CliCommand> commands;
    return commands;
}

void printUsage() {
    std::fprintf(stderr, "Használat: tarvedo-cli [--workdir DIR] PARANCS [ARGUMENTUMOK]\n");
    for (const CliCommand& command : CliCommands())
        std::fprintf(stderr, "  %s\n", command.usage.toUtf8().constData());
}

}  // namespace

bool RegisterCliCommand(CliCommand command) {
    registry().append(std::move(command));
    return true;
}

const QList<CliCommand>& CliCommands() { return registry(); }

int CliFail(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return 1;
}

QString TakeOption(QStringList& args, const QString& name, const QString& fallback) {
    const qsizetype at = args.indexOf(name);
    if (at < 0 || at + 1 >= args.size()) return fallback;
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

bool TakeFlag(QStringList& args, const QString& name) { return args.removeOne(name); }

int main(int argc, char** argv) {
    // The reports lay their pages out with fonts and write PDF files, which
    // needs a GUI application; without a display it runs offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A private runtime folder when the session has none, so that the
    // platform does not warn about it on stderr.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStringLiteral("%1/tarvedo-runtime-%2").arg(QDir::tempPath()).arg(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    SetAppConventions();
    QStringList args = app.arguments().mid(1);
    CliContext context;
    context.workdir = TakeOption(args, QStringLiteral("--workdir"), QDir::currentPath());
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        printUsage();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    context.args = args;
    for (const CliCommand& command : CliCommands()) {
        if (command.name != name) continue;
        try {
            if (command.needsSession) {
                const SessionResult session = OpenWorkingDirectory(context.workdir);
                if (!session.ok) return CliFail(session.error);
            }
            const int rc = command.run(context);
            CloseSession();
            return rc;
        } catch (const DbError& error) {
            return CliFail(error.message());
        } catch (const std::exception& error) {
            return CliFail(QString::fromUtf8(error.what()));
        }
    }
    std::fprintf(stderr, "Ismeretlen parancs: %s\n", name.toUtf8().constData());
    printUsage();
    return 2;
}
