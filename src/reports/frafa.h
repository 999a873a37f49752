#pragma once
// The printed VAT list by VAT account ("ÁFA analitika"): for each journal
// type and side, the items of each VAT account with their totals and the
// totals in thousand forints; not itemised, only the totals.
#include "reports/afa_layout_parts.h"

ReportLayout Frafa(const AfaLayoutTexts& texts);
