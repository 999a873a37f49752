#pragma once
// The printed statements, shared by the income statement and the balance
// sheet: portrait, the thousand-forint note under the title, and one line
// per statement line with the previous and the current year.
#include "reports/engine/report_layout.h"

ReportLayout Freredmeny(const QString& title);
