#pragma once
// The ledger rows of an item as "Tétel tárolása" stores them: the main row
// and, with VAT, the VAT row, worked out from the voucher window's fields.
// The window's store and the command-line posting both take their rows
// from here, so a posted file stores what the window would.
#include <QList>
#include <QVariantMap>

#include "ledger/ledger_item.h"
#include "posting/konyvel.h"

// The main row of the item the fields hold, with the voucher number of the
// fields and without SORSZAM and KAPOCS.
LedgerItem MainRow(const KonyvelForm& form, const KonyvelFields& f);

// The rows of a new item, main row first; SORSZAM and KAPOCS are left to
// the caller. With the VAT panel shown an empty fulfilment date becomes the
// posting date, in `f` too.
QList<LedgerItem> NewItemRows(const KonyvelForm& form, KonyvelFields& f);

// A row as the named parameters of the voucher window's statements (lower case).
QVariantMap RowParams(const LedgerItem& row);
