#pragma once
// The printed VAT list by ledger voucher ("ÁFA analitika"): one line per
// invoice with its base and VAT at each rate of the period, and per journal
// type and side the totals, the totals in thousand forints and the share of
// fixed-asset purchases.
#include <vector>

#include "reports/afa_layout_parts.h"

// `rates`: the VAT codes whose columns the list shows (AfaTableRates).
ReportLayout Frafa2(const AfaLayoutTexts& texts, const std::vector<AfaRate>& rates);
