#pragma once
// A report's progress on a window's progress bar: the bar's range follows
// the row count (a busy bar when it is unknown), a few hundred visible steps,
// and the user interface is kept alive between them.
#include "report_runner.h"

class QProgressBar;

ReportProgress ProgressBarSteps(QProgressBar* bar);
