#pragma once
// The printed depreciation list "Értékcsökkenés elszámolása": the company
// header with the period line, the lines of the run's list one under the
// other, and "*** lista vége ***" at the end.
#include <QStringList>
#include <memory>

#include "export/export_source.h"
#include "reports/engine/report_layout.h"

// The layout with the period line `rllIdoszak` in its page header.
ReportLayout Frecs(const QString& rllIdoszak);
// The list's lines as the rows the layout prints (one column, SOR).
std::unique_ptr<MemoryExportSource> FrecsRows(const QStringList& memoLines);
