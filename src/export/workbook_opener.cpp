#include "workbook_opener.h"

namespace {

FileOpenerFn& opener() {
    static FileOpenerFn fn;
    return fn;
}

}  // namespace

void SetFileOpener(FileOpenerFn fn) { opener() = std::move(fn); }

bool OpenWithDesktop(const QString& path) { return opener() ? opener()(path) : false; }
