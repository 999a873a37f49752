#pragma once
// Opening a written file with the desktop's own program for its kind (a
// workbook with the spreadsheet program). The desktop program installs the
// opener; without one nothing can be opened.
#include <QString>
#include <functional>

using FileOpenerFn = std::function<bool(const QString& path)>;

void SetFileOpener(FileOpenerFn opener);
// False when there is no opener or it could not open the file.
bool OpenWithDesktop(const QString& path);
