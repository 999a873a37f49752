#pragma once
// Pages of a laid-out report drawn through QPainter: on a preview, a printer
// or a PDF file alike. Sizes are millimetres and points, so a page looks the
// same on every device; the painter only needs to know its dots per millimetre.
#include <QPageLayout>
#include <QString>

#include "report_runner.h"

class QPainter;

// Paints page `index` (0-based) with the painter's origin at the paper's
// top-left corner.
void PaintReportPage(QPainter& painter, const ReportDocument& document, int index, double dotsPerMm);

// A4 in the layout's orientation, without margins: the layout keeps its own.
QPageLayout ReportPageLayout(const ReportLayout& layout);

// Writes every page to a PDF file, which takes its name only when it is
// complete. Returns the pages written; 0 when the file cannot be written
// (an earlier file of that name is then left as it was). `progress` gets pages done and the page count.
int WriteReportPdf(const ReportDocument& document, const QString& path, const ReportProgress& progress = {});

// Lays the rows out and writes them to a PDF file, as WriteReportPdf.
int RenderToPdf(const ReportLayout& layout, ExportSource& rows, const QString& path,
                const ReportRunOptions& options = {});
