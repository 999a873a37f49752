#pragma once
// The printed reconciliation table: portrait, one line per class and
// subtotal, the subtotal texts in red.
#include "reports/engine/report_layout.h"

ReportLayout Fregyezteto(const QString& whivparam);
