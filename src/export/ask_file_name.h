#pragma once
// The name of an export file: the save dialog's file kinds, the question
// itself, and the rules that tie a name's extension to the chosen kind. The
// dialog is shown by the window side through a hook; the rules are here.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct ExportFileFilter {
    QString caption;
    QString pattern;  // "*.XLSX"
};

// The file kinds of the save dialog, in the dialog's order.
const QList<ExportFileFilter>& ExportFileFilters();
// The patterns, upper-cased: "*.XLSX", "*.XLS", "*.TXT", "*.SQL", "*.XLSM".
QStringList ExportFilterPatterns();
// The 1-based position of "*" + the extension (upper-cased) among the
// patterns; 0 when it is not there.
int ExportFilterIndex(const QString& extension);
// The five characters from the last "." of the name, upper-cased (".XLSX",
// ".TXT"); empty when the name has no ".".
QString ExportFileExtension(const QString& fileName);
// The chosen kind's extension is appended when the name has no extension
// or another one.
QString WithFilterExtension(const QString& fileName, int filterIndex);

// The save dialog's file name and kind; like the dialog itself they are
// kept from one question to the next for the whole run.
struct SaveDialogState {
    QString fileName;
    int filterIndex = 1;  // 1-based; 0 means the first kind
};
SaveDialogState& SaveDialog();

// Shows the save dialog on `state` and leaves the user's choice in it;
// false when the user cancels.
using SaveDialogFn = std::function<bool(SaveDialogState& state)>;
void SetSaveDialog(SaveDialogFn dialog);

// Asks for an export file name, proposing `proposed` (its extension chooses
// the kind) or, without one, the previous name with the kind `index`.
// Empty when the user cancels, and always without a window.
QString AskFileName(const QString& proposed, int index);
