#pragma once
// Lays a report out: reads the rows once, forward, and fills the pages of a
// ReportDocument band by band: page and column header on every page, group
// footers and headers where a key changes, one detail band per row, the
// summary at the end. Group and report sums accumulate as the rows pass.
#include <QDate>
#include <functional>

#include "report_document.h"
#include "report_layout.h"

class ExportSource;

// Rows laid out so far, and the number of rows when known (else -1).
using ReportProgress = std::function<void(qint64 done, qint64 total)>;

struct ReportRunOptions {
    QDate printDate;            // the date of printing; today when null
    qint64 expectedRows = -1;   // for the progress when the source cannot count its rows
    ReportProgress progress;
};

// Throws std::invalid_argument when the layout names a column the rows do
// not have, and DbError when the database fails while reading.
ReportDocument LayOutReport(const ReportLayout& layout, ExportSource& rows, const ReportRunOptions& options = {});

// The laid-out report as text lines (ReportDocument::text).
QStringList RenderToText(const ReportLayout& layout, ExportSource& rows, const ReportRunOptions& options = {});
