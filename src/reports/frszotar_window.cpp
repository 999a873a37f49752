#include "reports/frszotar_window.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "masterdata/torzsmazsola_window.h"
#include "reports/engine/report_painter.h"
#include "reports/engine/report_preview_window.h"
#include "reports/engine/report_printer_window.h"
#include "reports/engine/report_runner.h"
#include "reports/frszotar.h"

void Tfrszotarfm::Print(ExportSource& rows, const QString& title, int printerIndex, QWidget* parent) {
    const ReportLayout layout = Frszotar(title, rows.columns(), GeneralListLogo());
    if (printerIndex < 0) {
        ShowPreview(layout, rows, parent);
        return;
    }
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printerIndex >= printers.size()) {
        ShowMessage(QStringLiteral("Nincs ilyen nyomtató."));
        return;
    }
    QPrinter printer(printers[printerIndex], QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(layout));
    const ReportDocument document = LayOutReport(layout, rows);
    if (!PrintReport(document, printer)) ShowMessage(QStringLiteral("A nyomtató nem érhető el."));
}

void InstallGeneralListPrinter() {
    SetGeneralListPrinter([](ExportSource& rows, const QString& title, QWidget* parent) {
        Tfrszotarfm::Print(rows, title, -1, parent);
    });
}
