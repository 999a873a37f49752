#pragma once
// The base and VAT item pairs of the VAT list, read journal by journal in
// one pass: every row of the journal's vouchers that hold a base item of
// the period, in voucher and link order, paired in memory by the rules of
// the sides (which rows are base items, which are their VAT items, the VAT
// account and the sign). The result is the pairs the statements per base
// item would find, in the same order.
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

#include "reports/afalista_sides.h"

struct AfaPair {
    const AfaSide* side = nullptr;
    bool newBase = false;  // the first pair of its base item
    // The base item.
    QString konyvbiz, kapocs, szamlaszam, teljkelt, szlakelt, fizhatido;
    double alap = 0;
    QVariant ugyfelkod;  // the partner's code when the partner exists, else NULL
    // The VAT item.
    QString vatEszla, vatSzoveg;
    double afa = 0;
    QString account, code, accountName;
    double rate = 0;
    double sign = 1;
};

using AfaPairFn = std::function<void(const AfaPair&)>;

// The pairs of the sides (all of one journal type), base items in voucher,
// link and base-row order, each base item's VAT items in their order.
// `groups` is told of every voucher and link number done.
void ReadAfaPairs(const std::vector<const AfaSide*>& sides, const AfalistaCriteria& criteria, const AfaPairFn& fn,
                  const std::function<void()>& groupDone = {});
