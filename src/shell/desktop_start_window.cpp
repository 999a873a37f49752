#include "desktop_start_window.h"

#include "db/app_conventions.h"
#include "export/Qexport_window.h"
#include "reports/frszotar_window.h"
#include "shell/msg_window.h"

std::unique_ptr<Tqexportfm> PrepareDesktopProgram() {
    SetAppConventions();
    UseHungarianTexts();
    InstallDesktopDialogs();
    InstallGeneralListPrinter();
    auto qexportfm = std::make_unique<Tqexportfm>();
    qexportfm->hide();
    return qexportfm;
}
