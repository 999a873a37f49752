#include "ask_file_name.h"

#include "db/altproc.h"

namespace {

SaveDialogFn& dialogHook() {
    static SaveDialogFn fn;
    return fn;
}

// Where the name of the file itself begins, after its folders.
qsizetype baseNameStart(const QString& path) {
    return qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
}

bool baseNameHasDot(const QString& path) { return path.indexOf(u'.', baseNameStart(path)) >= 0; }

}  // namespace

const QList<ExportFileFilter>& ExportFileFilters() {
    static const QList<ExportFileFilter> filters = {
        {QStringLiteral("Excel tábla (XLSX) 2007-től"), QStringLiteral("*.XLSX")},
        {QStringLiteral("Excel tábla (XLS) "), QStringLiteral("*.XLS")},
        {QStringLiteral("Szövegfájl (TXT)"), QStringLiteral("*.TXT")},
        {QStringLiteral("SQL script (SQL)"), QStringLiteral("*.SQL")},
        {QStringLiteral("Excel tábla makrobarát (XLSM)"), QStringLiteral("*.XLSM")},
    };
    return filters;
}

QStringList ExportFilterPatterns() {
    QStringList patterns;
    for (const ExportFileFilter& filter : ExportFileFilters()) patterns << filter.pattern.toUpper();
    return patterns;
}

int ExportFilterIndex(const QString& extension) {
    return int(ExportFilterPatterns().indexOf(u'*' + extension.toUpper())) + 1;
}

QString ExportFileExtension(const QString& fileName) {
    const int dot = LastPos(QStringLiteral("."), fileName);
    return dot > 0 ? fileName.mid(dot - 1, 5).toUpper() : QString();
}

QString WithFilterExtension(const QString& fileName, int filterIndex) {
    const QList<ExportFileFilter>& filters = ExportFileFilters();
    const int index = filterIndex == 0 ? 1 : filterIndex;
    if (index < 1 || index > filters.size()) return fileName;
    const QString extension = filters.at(index - 1).pattern.mid(1).toUpper();
    if (!fileName.contains(u'.') || ExportFileExtension(fileName) != extension) return fileName + extension;
    return fileName;
}

SaveDialogState& SaveDialog() {
    static SaveDialogState state;
    return state;
}

void SetSaveDialog(SaveDialogFn dialog) { dialogHook() = std::move(dialog); }

QString AskFileName(const QString& proposed, int index) {
    SaveDialogState& dialog = SaveDialog();
    if (!proposed.isEmpty()) {
        const int found = proposed.contains(u'.') ? ExportFilterIndex(ExportFileExtension(proposed)) : 0;
        dialog.fileName = proposed;
        dialog.filterIndex = found > 0 ? found : 1;
    } else if (!baseNameHasDot(dialog.fileName)) {
        dialog.filterIndex = index;
    } else {
        // The previous name is proposed again without its extension; the
        // folders keep theirs.
        const qsizetype start = baseNameStart(dialog.fileName);
        dialog.fileName.truncate(dialog.fileName.indexOf(u'.', start));
    }
    if (!dialogHook() || !dialogHook()(dialog) || dialog.fileName.isEmpty()) return {};
    return WithFilterExtension(dialog.fileName, dialog.filterIndex);
}
