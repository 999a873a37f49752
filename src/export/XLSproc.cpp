#include "XLSproc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

#include <xlsxwriter.h>

#include "ask_file_name.h"
#include "db/ui_hooks.h"
#include "export_source.h"
#include "macro_workbook.h"
#include "workbook_opener.h"
#include "workbook_styles.h"
#include "worksheet_writer.h"

namespace {

constexpr int kRowsXls = 65536;
constexpr int kRowsXlsx = 1048576;

const QStringList& yesNo() {
    static const QStringList buttons = {QStringLiteral(" Igen "), QStringLiteral(" Nem ")};
    return buttons;
}

QString cannotWrite(const QString& name) { return QStringLiteral("A fájl nem írható: %1").arg(name); }

// The workbook is written under a name of its own in the target's folder and
// takes the target's name only when it is complete, so a failed export
// leaves an earlier file of that name as it was.
std::unique_ptr<QTemporaryFile> workFileBeside(const QString& target) {
    const QFileInfo info(target);
    return std::make_unique<QTemporaryFile>(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                            + QStringLiteral(".XXXXXX"));
}

bool replaceWith(const QString& work, const QString& target) {
    // The workbook gets the permissions of the file it replaces, or the usual ones.
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (QFile::exists(target)) {
        permissions = QFile::permissions(target);
        if (!QFile::remove(target)) return false;
    }
    if (!QFile::rename(work, target)) return false;
    QFile::setPermissions(target, permissions);
    return true;
}

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

// Every result set on its worksheets; a set that fails is reported and the
// others are still written.
lxw_error writeWorkbook(const QString& path, const QList<ExportSource*>& sources, const QList<TXLSParams>& params,
                        int rowsPerSheet, ExportProgress* progress) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
    lxw_workbook* workbook = workbook_new_opt(path.toUtf8().constData(), &options);
    if (!workbook) return LXW_ERROR_CREATING_XLSX_FILE;
    WorkbookStyles styles(workbook);
    QStringList sheetNames;
    for (qsizetype k = 0; k < sources.size(); ++k) {
        ExportSource* source = sources.at(k);
        if (!source) continue;
        TXLSParams sheetParams;
        if (k < params.size())
            sheetParams = params.at(k);
        else
            sheetParams.SheetName = source->name();
        WorksheetWriter writer(workbook, styles, sheetNames, *source, sheetParams, rowsPerSheet, progress);
        try {
            writer.write();
        } catch (const std::exception&) {
            ShowMessage(source->name() + QStringLiteral(": valami hiba történt (some error occured)"));
        }
        writer.finish();
    }
    return workbook_close(workbook);
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

    // "TEMP": a workbook of its own in the temporary folder, left there for
    // the spreadsheet program that opens it.
    std::unique_ptr<QTemporaryFile> work =
        temporary ? std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tarvedo_XXXXXX.xlsx"))
                  : workFileBeside(name);
    if (!work->open()) {
        ShowMessage(cannotWrite(temporary ? QDir::tempPath() : name));
        return false;
    }
    work->close();
    const QString workPath = work->fileName();

    const lxw_error written =
        writeWorkbook(workPath, sources, params, temporary ? kRowsXlsx : RowsPerWorksheet(name), progress);
    if (written != LXW_NO_ERROR) {
        ShowMessage(cannotWrite(temporary ? workPath : name) + QStringLiteral(" (%1)").arg(lxw_strerror(written)));
        return false;
    }
    if (temporary) {
        work->setAutoRemove(false);
        chosenFileName = workPath;
        if (!OpenWithDesktop(workPath)) ShowMessage(QStringLiteral("A fájl: %1elkészült: ").arg(workPath));
        return true;
    }

    if ((ExportFileExtension(name) == QLatin1String(".XLSM") && !MarkWorkbookMacroEnabled(workPath))
        || !replaceWith(workPath, name)) {
        ShowMessage(cannotWrite(name));
        return false;
    }
    work->setAutoRemove(false);  // it is the workbook now
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
