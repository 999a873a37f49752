#pragma once
// The statements of the voucher window, line by line. The storage
// statements are assembled once when the window opens, by whether the
// company keeps currencies and whether TETEL has the exchange-rate column.
#include <QStringList>

struct VoucherStatements {
    QStringList qi_tetel;     // insert of a main or VAT row
    QStringList qu_tetel;     // update of a stored row, keyed by SORSZAM and the old accounts
    QStringList qu_tetelfej;  // header columns of the rows of one item
};

// currencyShown: CEG.VANDEVIZA is "I"; rateColumn: the VANARFOLYAM setting is "I".
VoucherStatements AssembleVoucherStatements(bool currencyShown, bool rateColumn);

// The grid of the window: the rows of one voucher with one item serial number.
const QStringList& GridStatement();
// The grid on a whole voucher: every stored item of it (no serial number
// to keep to, as after storing a new item).
const QStringList& VoucherGridStatement();
// The VAT row of an item.
const QStringList& VatRowStatement();
// The greatest link number of a voucher. The link numbers are compared as
// numbers: "1000" follows "999".
const QStringList& MaxLinkStatement();
// The same for the vouchers of a journal type from one voucher number to
// another (:ntipus, :elso, :utolso), one row per voucher: KONYVBIZ, MAXKAPOCS.
const QStringList& MaxLinkRangeStatement();

// Whether the ledger has a voucher of the journal type with the number;
// a text longer than its column is simply no stored voucher.
bool VoucherExists(const QString& ntipus, const QString& konyvbiz);
