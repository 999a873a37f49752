#pragma once
// The printed customer or supplier ledger: landscape, grouped by partner
// and currency with the partner's bank account, the invoice and its
// payments side by side with the arrears, partner totals and a grand total.
// The currency columns print only on lines of another currency than HUF.
// With the control account's balance, two lines under the grand total show
// it and how far the arrears differ from it.
#include <optional>

#include "reports/engine/report_layout.h"
#include "reports/open_invoices.h"

ReportLayout Fregyenleg(PartnerSide side, const QString& title, const QString& whivparam,
                        std::optional<double> controlBalance = {});
