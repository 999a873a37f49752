// depreciate --tol YYYY.MM --ig YYYY.MM [--store] [--out FILE.pdf|.txt]: the
// depreciation run of a period without the window. Its questions are
// answered yes (each is printed), the list goes to the standard output and,
// with --out, to a PDF print or a text file; --store then stores the
// movements and the period row as the window's "Tárolás" does.
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "assets/ecsszamol.h"
#include "assets/frecs.h"
#include "cli/cli_command.h"
#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/text_file.h"
#include "db/ui_hooks.h"
#include "reports/engine/report_painter.h"

namespace {

const QString Usage = QStringLiteral("Használat: tarvedo-cli depreciate --tol ÉÉÉÉ.HH --ig ÉÉÉÉ.HH [--store] [--out FILE.pdf|.txt]");

// The list as a PDF print or a text file; an empty text when written.
QString writeList(const EcsSzamolForm& form, const QString& out) {
    const QString file = QFileInfo(out).absoluteFilePath();
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("pdf")) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return QStringLiteral("A nyomtatáshoz grafikus alkalmazás kell (QGuiApplication).");
        auto rows = FrecsRows(form.Memo1);
        if (RenderToPdf(Frecs(form.RllIdoszak()), *rows, file) == 0) return QStringLiteral("A fájl (%1) nem írható.").arg(file);
        return {};
    }
    if (suffix == QLatin1String("txt")) {
        TextFile text;
        text.text = (QStringList{form.RllIdoszak(), QString()} + form.Memo1).join(u'\n');
        if (!SaveTextFile(file, text)) return QStringLiteral("A fájl (%1) nem írható.").arg(file);
        return {};
    }
    return QStringLiteral("Nem tárolható: %1 (.pdf vagy .txt)").arg(file);
}

int depreciate(CliContext& context) {
    QStringList args = context.args;
    EcsSzamolForm form;
    form.FormShow();
    form.e_datumtol = TakeOption(args, QStringLiteral("--tol"));
    form.e_datumig = TakeOption(args, QStringLiteral("--ig"));
    const bool store = TakeFlag(args, QStringLiteral("--store"));
    const QString out = TakeOption(args, QStringLiteral("--out"));
    if (form.e_datumtol.isEmpty() || form.e_datumig.isEmpty()) return CliFail(Usage);
    if (!args.isEmpty()) return CliFail(QStringLiteral("Ismeretlen argumentum: ") + args.join(u' ') + u'\n' + Usage);
    if (Td().ceg.text(QStringLiteral("NYITVA")).toUpper() != QLatin1String("I"))
        return CliFail(QStringLiteral("Az év le van zárva."));

    UiHooks::setDialog([](const QString& text, int, const QStringList&) {
        std::fprintf(stderr, "%s Igen\n", text.toUtf8().constData());
        return 0;
    });
    try {
        if (!form.Indul()) return 1;
        for (const QString& line : form.Memo1) std::printf("%s\n", line.toUtf8().constData());
        if (!out.isEmpty()) {
            const QString error = writeList(form, out);
            if (!error.isEmpty()) return CliFail(error);
        }
        if (store) {
            if (!form.Tarolas()) return 1;
            std::printf("Tárolva: %d mozgás, összesen %lld Ft (%s)\n", form.wsorok, form.wosszesen,
                        EcsMozgasSzoveg(form.wrunTol, form.wrunIg).toUtf8().constData());
        }
    } catch (const HelperError& error) {
        return CliFail(error.message());
    }
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("depreciate"),
     QStringLiteral("depreciate --tol ÉÉÉÉ.HH --ig ÉÉÉÉ.HH [--store] [--out FILE.pdf|.txt]  értékcsökkenés elszámolása"),
     true, depreciate});

}  // namespace
