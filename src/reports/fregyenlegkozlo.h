#pragma once
// The printed balance confirmation letters: portrait, one letter per
// customer and currency, each on its own page: the company and the customer
// side by side, the opening line with the date, the open invoices (unless
// only the total is asked for), the balance, and the letter's text.
#include "reports/egyenlegkozlo.h"
#include "reports/engine/report_layout.h"

// `today` is the date the letters are signed (empty: today).
ReportLayout Fregyenlegkozlo(const EgyenlegkozloCriteria& criteria, const QString& today = {});
