#include "XLSproc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <memory>

#include "ask_file_name.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "db/work_file.h"
#include "export_source.h"
#include "workbook_opener.h"
#include "worksheet_writer.h"
#include "xlsx_package.h"

namespace {

constexpr int kRowsXls = 65536;
constexpr int kRowsXlsx = 1048576;

const QStringList& yesNo() {
    static const QStringList buttons = {QStringLiteral(" Igen "), QStringLiteral(" Nem ")};
    return buttons;
}

QString cannotWrite(const QString& name) { return QStringLiteral("A fájl nem írható: %1").arg(name); }

// The workbook's name: the one given (after asking before overwriting a
// file, unless the caller has confirmed it) or the one the user chooses.
// Empty when the name is rejected.
QString confirmedName(const QString& fileName, bool nameConfirmed) {
    if (fileName.isEmpty()) return AskFileName(QString(), 0);
    if (QFile::exists(fileName) && !nameConfirmed
        && AskDialog(QStringLiteral("A fájl: %1 létezik. Felülírjuk?").arg(fileName), 0, yesNo()) != 0)
        return {};
    return fileName;
}

// Every result set on its worksheets; a set the worksheet cannot hold is
// reported and the others are still written. A set whose rows cannot all be
// read throws its DbError: a workbook missing rows read is no workbook.
// Returns the reason when the file could not be written, else an empty text.
QString writeWorkbook(const QString& path, const QList<ExportSource*>& sources, const QList<TXLSParams>& params,
                      int rowsPerSheet, bool macroEnabled, ExportProgress* progress) {
    XlsxPackage workbook(path);
    workbook.setMacroEnabled(macroEnabled);
    if (!workbook.open()) return workbook.errorString();
    QStringList sheetNames;
    for (qsizetype k = 0; k < sources.size(); ++k) {
        ExportSource* source = sources.at(k);
        if (!source) continue;
        TXLSParams sheetParams;
        if (k < params.size())
            sheetParams = params.at(k);
        else
            sheetParams.SheetName = source->name();
        WorksheetWriter writer(workbook, sheetNames, *source, sheetParams, rowsPerSheet, progress);
        try {
            writer.write();
        } catch (const DbError&) {
            throw;
        } catch (const std::exception&) {
            // A list the worksheet cannot hold: said, and the others are written.
            ShowMessage(source->name() + QStringLiteral(": valami hiba történt (some error occured)"));
        }
        writer.finish();
    }
    if (!workbook.close()) return workbook.errorString().isEmpty() ? QStringLiteral("?") : workbook.errorString();
    return {};
}

}  // namespace

int RowsPerWorksheet(const QString& fileName) {
    return ExportFileExtension(fileName) == QLatin1String(".XLS") ? kRowsXls : kRowsXlsx;
}

bool ExportToExcel(const QList<ExportSource*>& sources, const QList<TXLSParams>& params, QString& chosenFileName,
                   bool askToOpen, ExportProgress* progress, bool nameConfirmed, const QString& fileName) {
    bool anyRows = false;
    for (ExportSource* source : sources)
        if (source && source->first()) anyRows = true;
    if (!anyRows) return false;

    const bool temporary = fileName.compare(QLatin1String("TEMP"), Qt::CaseInsensitive) == 0;
    const QString name = temporary ? fileName : confirmedName(fileName, nameConfirmed);
    if (name.isEmpty()) {
        ShowMessage(QStringLiteral("Adjon meg egy érvényes fájlnevet"));
        return false;
    }

    // The workbook is written beside the target and takes its name only when
    // it is complete. "TEMP": a workbook of its own in the temporary folder,
    // left there for the spreadsheet program that opens it.
    std::unique_ptr<QTemporaryFile> work =
        temporary ? std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tarvedo_XXXXXX.xlsx"))
                  : std::make_unique<WorkFile>(name);
    if (!work->open()) {
        ShowMessage(cannotWrite(temporary ? QDir::tempPath() : name));
        return false;
    }
    work->close();
    const QString workPath = work->fileName();

    const bool macroEnabled = !temporary && ExportFileExtension(name) == QLatin1String(".XLSM");
    const QString failure = writeWorkbook(workPath, sources, params, temporary ? kRowsXlsx : RowsPerWorksheet(name),
                                          macroEnabled, progress);
    if (!failure.isEmpty()) {
        ShowMessage(cannotWrite(temporary ? workPath : name) + QStringLiteral(" (%1)").arg(failure));
        return false;
    }
    if (temporary) {
        work->setAutoRemove(false);
        chosenFileName = workPath;
        if (!OpenWithDesktop(workPath)) ShowMessage(QStringLiteral("A fájl: %1elkészült: ").arg(workPath));
        return true;
    }

    if (!static_cast<WorkFile*>(work.get())->commit()) {
        ShowMessage(cannotWrite(name));
        return false;
    }
    chosenFileName = name;
    const QString done = QStringLiteral("A fájl: %1elkészült: ").arg(name);
    if (askToOpen) {
        if (AskDialog(done + QStringLiteral("\rKívánja megnyitni?"), 0, yesNo()) == 0 && !OpenWithDesktop(name))
            ShowMessage(QStringLiteral("A fájl nem nyitható meg: %1").arg(name));
    } else {
        ShowMessage(done);
    }
    return true;
}
