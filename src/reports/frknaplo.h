#pragma once
// The printed journal: portrait, a voucher line at the start of each voucher,
// one line per item with its debit/credit mark, and the debit and credit
// totals at the end.
#include "reports/engine/report_layout.h"

ReportLayout Frknaplo(const QString& whivparam);
