#pragma once
// The reports of "tarvedo-cli report NAME". Each report reads its criteria
// from the arguments in a file of its own and registers itself here, so
// adding a report touches no other file.
#include <QString>
#include <QStringList>
#include <functional>

#include "reports/engine/report_layout.h"
#include "reports/report_pattern.h"

struct PreparedReport {
    ReportRun run;
    ReportLayout layout;
    QString emptyMessage = NothingToPrint;
};

// Takes its own options out of the arguments and runs the report; throws
// std::invalid_argument with a Hungarian message for a bad criterion.
using ReportPreparer = std::function<PreparedReport(QStringList& args)>;

// A report that writes a file of its own kind (not a list) instead: takes
// its options out of the arguments, writes `out` and returns the exit code.
using ReportFileWriter = std::function<int(QStringList& args, const QString& out)>;

struct CliReport {
    QString name;
    QString options;  // the report's own options for the usage line
    ReportPreparer prepare;
    ReportFileWriter writeFile = {};
};

bool RegisterCliReport(CliReport report);
