// init-demo DIR [--items N] [--year YYYY] [--seed S]: a ready working
// directory with the demo company "Minta Kft.".
#include <QDate>
#include <cstdio>

#include "cli/cli_command.h"
#include "ledger/demo_setup.h"

namespace {

int initDemo(CliContext& context) {
    QStringList args = context.args;
    DemoOptions options;
    options.year = QDate::currentDate().year() - 1;
    bool ok = true;
    options.items = TakeOption(args, QStringLiteral("--items"), QStringLiteral("3000")).toLongLong(&ok);
    if (!ok || options.items < 0) return CliFail(QStringLiteral("Hibás tételszám (--items)."));
    options.year = TakeOption(args, QStringLiteral("--year"), QString::number(options.year)).toInt(&ok);
    if (!ok || options.year < 1990 || options.year > 2100) return CliFail(QStringLiteral("Hibás év (--year)."));
    options.seed = TakeOption(args, QStringLiteral("--seed"), QStringLiteral("1")).toULongLong(&ok);
    if (!ok) return CliFail(QStringLiteral("Hibás kezdőérték (--seed)."));
    if (args.size() != 1)
        return CliFail(QStringLiteral("Használat: tarvedo-cli init-demo DIR [--items N] [--year YYYY] [--seed S]"));

    const QString error = CreateDemoWorkingDirectory(args.first(), options, [](qlonglong done, qlonglong total) {
        std::fprintf(stderr, "\r%lld / %lld tétel", done, total);
        if (done == total) std::fprintf(stderr, "\n");
    });
    if (!error.isEmpty()) return CliFail(error);
    std::printf("A minta munkakönyvtár elkészült: %s (felhasználó: %s, jelszó: %s)\n", args.first().toUtf8().constData(),
                DemoUserName.toUtf8().constData(), DemoUserPassword.toUtf8().constData());
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("init-demo"),
     QStringLiteral("init-demo DIR [--items N] [--year YYYY] [--seed S]  kész minta munkakönyvtár (Minta Kft.)"), false,
     initDemo});

}  // namespace
