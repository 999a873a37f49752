#include "store_dataset.h"

#include "ask_file_name.h"
#include "db/ui_hooks.h"
#include "export_source.h"
#include "sql_export.h"
#include "text_export.h"
#include "XLSproc.h"

bool StoreDataSet(ExportSource& source, const QString& fileName, const QString& tableName, QString& chosenFileName,
                  ExportProgress* progress) {
    chosenFileName.clear();
    if (!source.first()) {
        ShowMessage(QStringLiteral("Nincs adat, amit tárolni lehetne."));
        return false;
    }
    const QString name = fileName.isEmpty() ? AskFileName(QString(), 0) : fileName;
    if (name.isEmpty()) return false;

    const QString extension = ExportFileExtension(name);
    if (extension == QLatin1String(".XLS") || extension == QLatin1String(".XLSX")
        || extension == QLatin1String(".XLSM")) {
        TXLSParams params;
        params.SheetName = source.name();
        QString written;
        if (!ExportToExcel({&source}, {params}, written, true, progress, true, name)) return false;
        chosenFileName = written;
        return true;
    }
    bool stored = false;
    if (extension == QLatin1String(".SQL"))
        stored = ExportToSql(source, name, tableName, false, false);
    else if (extension == QLatin1String(".TXT"))
        stored = ExportToText(source, name);
    if (stored) chosenFileName = name;
    return stored;
}
