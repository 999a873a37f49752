#pragma once
// "Tétel tárolása" of the voucher window: the checks, the voucher number,
// the header change, the new item's main and VAT rows or the stored item's
// update, the refresh of the window and the fixed-asset question.
//
// One item is written in one transaction: its header update, main row and
// VAT row commit together or not at all. The voucher number and the serial
// number are taken before it, so no counter is held while the rows are
// written. A caller that holds a transaction on the company connection takes
// them in it. The rows of a new item are those of NewItemRows (item_rows.h),
// which the command-line posting writes too.
#include <QString>
#include <QStringList>
#include <functional>

#include "posting/item_statements.h"
#include "posting/konyvel.h"
#include "posting/voucher_checks.h"

struct StoreResult {
    bool stored = false;
    CheckResult check;  // the failed check, when the checks stopped the store
    QString message;    // why nothing was stored (the check's message, a missing number)
    QString sorszam;    // the serial number of a new item
};

// The checks and the writes, without showing anything. On success the form
// holds the voucher number, the computed fields and the new link number;
// otherwise it is left exactly as it was. Throws DbError after rolling back.
// `statements`: prepared in the caller's open transaction, for a batch.
StoreResult StoreItem(KonyvelForm& form, ItemStatements* statements = nullptr);

// Opens the asset register on a voucher (journal type and voucher number).
using OpenAssetRegister = std::function<void(const QString& ntipus, const QString& konyvbiz)>;

// The whole button: StoreItem, its message when nothing was stored (the
// focus moves to the first faulty field), then the refresh of the grid and
// the question "Belép a tárgyi eszközök kezeléséhez?" for an item on a
// class-1 account. True when the item was stored.
bool TetelTarol(KonyvelForm& form, const OpenAssetRegister& openAssets = {});
