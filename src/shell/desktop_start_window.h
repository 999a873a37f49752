#pragma once
// What the desktop program sets up before its main window: the number and
// date conventions, Hungarian month names and Hungarian texts in the
// toolkit's own dialogs, the system's message dialogs, and the export file
// window whose save dialog every "store to file" button asks through.
#include <memory>

class Tqexportfm;

// The export file window comes back to the caller, which keeps it for the
// whole run: while it lives, every list can be stored to a file.
std::unique_ptr<Tqexportfm> PrepareDesktopProgram();
