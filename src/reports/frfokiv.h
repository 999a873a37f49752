#pragma once
// The printed trial balance: landscape, one line per account, no totals.
#include "reports/engine/report_layout.h"

// The layout with the parameter line `whivparam` in its page header.
ReportLayout Frfokiv(const QString& whivparam);
