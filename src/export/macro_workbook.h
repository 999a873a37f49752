#pragma once
// A workbook saved under ".XLSM" must declare itself macro-enabled, or the
// spreadsheet program refuses to open it; the workbook library only does so
// when it also stores macros, which an export has none of.
#include <QString>

// Rewrites the workbook's content types so that it opens as ".xlsm".
// False when the file cannot be read or rewritten.
bool MarkWorkbookMacroEnabled(const QString& path);
