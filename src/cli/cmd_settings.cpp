// settings ftp --host H --user U --password-stdin: the update server of the
// installation, stored scrambled in the installation record. The password
// is read from standard input (its first line), never from the command
// line, where other users of the machine could see it.
#include <QFile>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/session.h"
#include "update/ftp_settings.h"

namespace {

const QString Usage = QStringLiteral("Használat: tarvedo-cli settings ftp --host CÍM --user FELHASZNÁLÓ --password-stdin");

int usageError(const QString& message = {}) {
    if (!message.isEmpty()) std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    std::fprintf(stderr, "%s\n", Usage.toUtf8().constData());
    return 2;
}

// The first line of standard input without its line end; false when nothing came.
bool readPasswordLine(QString& password) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return false;
    QByteArray line = in.readLine();
    if (line.isEmpty()) return false;
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    password = QString::fromUtf8(line);
    return true;
}

int settings(CliContext& context) {
    QStringList args = context.args;
    if (args.contains(QStringLiteral("--help"))) {
        std::printf("%s\n", Usage.toUtf8().constData());
        return 0;
    }
    if (args.isEmpty() || args.takeFirst() != QLatin1String("ftp")) return usageError();
    if (args.contains(QStringLiteral("--password")))
        return usageError(QStringLiteral("A jelszót a szabványos bemeneten kell megadni (--password-stdin), "
                                         "a parancssorban mások is láthatnák."));
    const bool fromStdin = TakeFlag(args, QStringLiteral("--password-stdin"));
    const QString host = TakeOption(args, QStringLiteral("--host"));
    const QString user = TakeOption(args, QStringLiteral("--user"));
    if (!fromStdin || !args.isEmpty()) return usageError();

    QString password;
    if (!readPasswordLine(password)) return CliFail(QStringLiteral("Nem érkezett jelszó a szabványos bemeneten."));
    // The databases are opened only for a well-formed call: --help and a
    // wrong call need no working directory.
    const SessionResult session = OpenWorkingDirectory(context.workdir);
    if (!session.ok) return CliFail(session.error);
    const QString error = StoreFtpSettings({host, user, password});
    if (!error.isEmpty()) return CliFail(error);
    std::printf("A frissítési tárhely tárolva: %s (%s)\n", host.trimmed().toUtf8().constData(), user.toUtf8().constData());
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("settings"),
     QStringLiteral("settings ftp --host CÍM --user FELHASZNÁLÓ --password-stdin  a programfrissítés FTP tárhelye"), false,
     settings});

}  // namespace
