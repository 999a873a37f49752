#pragma once
// The base and VAT item pairs of the VAT list, read journal by journal in
// one pass: every row of the journal's vouchers that hold a base item of
// the period, in voucher and link order, paired in memory by the rules of
// the sides (which rows are base items, which are their VAT items, the VAT
// account and the sign). The result is the pairs the statements per base
// item would find, in the same order.
//
// The texts of a pair are the database's own UTF-8 bytes, valid until the
// voucher is done: a journal's hundreds of thousands of rows pass without
// a string made for every value.
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "reports/afalista_sides.h"

// A partner of UGYFEL.
struct AfaPartner {
    QString kod;
    std::string_view nev;  // kept by the reader
};

// A VAT account of the journal (SZ_ADOASZLA), with its code's rate and its
// account's name.
struct AfaVatAccount {
    std::string_view code, account;  // without trailing blanks
    double rate = 0;
    QString name;
    bool complete = false;  // its code and its account exist too
};

struct AfaPair {
    const AfaSide* side = nullptr;
    bool newBase = false;  // the first pair of its base item
    // The base item; a NULL text as empty.
    std::string_view konyvbiz, kapocs, szamlaszam, teljkelt, szlakelt, fizhatido;
    double alap = 0;
    const AfaPartner* partner = nullptr;  // nullptr when the item names no existing partner
    // The VAT item; a NULL text as empty.
    std::string_view vatEszla, vatSzoveg;
    double afa = 0;
    std::string_view account, code;       // as the item holds them
    const AfaVatAccount* vatAccount = nullptr;
    double sign = 1;
};

using AfaPairFn = std::function<void(const AfaPair&)>;

// The pairs of the sides (all of one journal type), base items in voucher,
// link and base-row order, each base item's VAT items in their order.
// `voucherDone` is told when a voucher's pairs are all given: its texts are
// still there then, and gone after.
void ReadAfaPairs(const std::vector<const AfaSide*>& sides, const AfalistaCriteria& criteria, const AfaPairFn& fn,
                  const std::function<void()>& voucherDone);

// UTF-8 bytes of the database as a string.
inline QString AfaString(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
