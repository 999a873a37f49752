#pragma once
// The printed VAT list by ledger voucher ("ÁFA analitika"): one line per
// invoice with its base and VAT at 0 %, the reduced and the normal rate,
// and per journal type and side the totals, the totals in thousand forints
// and the share of fixed-asset purchases.
#include "reports/afa_layout_parts.h"

ReportLayout Frafa2(const AfaLayoutTexts& texts);
