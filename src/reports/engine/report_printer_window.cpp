#include "report_printer_window.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "report_painter.h"

namespace {

void fitReport(const ReportDocument& document, QPrinter& printer) {
    printer.setFullPage(true);  // the layout keeps its own margins from the paper's edge
    printer.setPageLayout(ReportPageLayout(document.layout()));
}

}  // namespace

bool PrintReport(const ReportDocument& document, QPrinter& printer) {
    fitReport(document, printer);
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int first = range ? printer.fromPage() : 1;
    const int last = range && printer.toPage() > 0 ? qMin(printer.toPage(), document.pageCount()) : document.pageCount();
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double dotsPerMm = printer.resolution() / 25.4;
    for (int page = first; page <= last; ++page) {
        if (page > first) printer.newPage();
        PaintReportPage(painter, document, page - 1, dotsPerMm);
    }
    return painter.end();
}

bool PrintReportWithDialog(const ReportDocument& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    fitReport(document, printer);
    printer.setDocName(document.layout().title());
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, document.pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted) return false;
    return PrintReport(document, printer);
}
