#pragma once
// The printed account cards: landscape, grouped by account with a total per
// account and a grand total. The financial voucher number prints only on
// cash and bank lines.
#include "reports/engine/report_layout.h"

ReportLayout Frkarton(const QString& whivparam);
