#pragma once
// The four sides of the VAT list: which rows of a journal are base items,
// which rows of a base item's voucher and link number are its VAT items,
// the VAT account a VAT item is counted on and the sign it enters with. The
// rules are written as statement pieces for the statements per item; the
// pairing in memory (afalista_pairs) applies the same rules by the side's
// kind. Also the dynamic columns and the texts both ways share.
#include <QString>
#include <QVariantMap>
#include <string_view>
#include <vector>

#include "reports/afalista.h"

enum class AfaSideKind { Purchases, CashPurchases, Sales, CashSales };

struct AfaSide {
    AfaSideKind kind;
    QString journal;  // the common journal type's code
    QString fizlev;   // "FIZ" or "LEV"
    QString baseConditions;  // extra conditions on the base item T
    QString vatAccount;      // the VAT account expression over the VAT item A and the base item B
    QString sign;            // 1 or -1, over A and B
};

// The sides the criteria ask for, in the order they are computed:
// deductible supplier invoices and cash, then payable customer invoices and cash.
std::vector<AfaSide> AfaSides(const AfalistaCriteria& criteria);

// "SELECT DISTINCT" base items of a side in the period, with the columns
// KONYVBIZ, ALAP, KAPOCS, SZLA, SZAMLASZAM, TELJKELT, SZLAKELT, FIZHATIDO,
// NEV, UGYFELKOD; parameters NTIPUS, MIKORTOL, MEDDIG.
QString AfaBaseSelect(const AfaSide& side);
// Their order, as the rows are folded: by voucher, then the whole base row
// (columns with `prefix`, "B." or none).
QString AfaBaseOrder(const QString& prefix);
// The joins from a VAT item A to its VAT account AD, code SZ and account
// name SZT (after "FROM TETEL A").
QString AfaVatJoins(const AfaSide& side);
// The order of one base item's VAT items.
QString AfaVatOrder();
QVariantMap AfaSideParams(const AfaSide& side, const AfalistaCriteria& criteria);

// The dynamic column names of a VAT code, or of a code and account.
QString AfaColumn(const QString& prefix, const QString& code, const QString& account = {});
inline const QStringList AfaColumnPrefixes = {QStringLiteral("ALAP"), QStringLiteral("AFA"), QStringLiteral("TE_ALAP"),
                                              QStringLiteral("TE_AFA")};

// A VAT code's and account's place among the dynamic columns.
struct AfaColumnPair {
    double rate = 0;
    QString code, account;
};
// The columns of the pairs in order of rate, code and account: for each
// pair its four account columns, and the four code columns whenever the code
// changes.
QStringList AfaDynamicColumns(std::vector<AfaColumnPair> pairs);
// The VAT accounts and codes of the period: accounts debited by supplier
// invoices and cash, or credited by customer invoices and cash, with every
// code they stand for.
std::vector<AfaColumnPair> AfaPeriodPairs(const AfalistaCriteria& criteria);
// Every VAT account and code, in the order AfaPeriodPairs gives those it keeps.
std::vector<AfaColumnPair> AfaVatPairs();

// The texts of a base item's VAT items, joined by ", ", at most 250 characters.
QString AfaTextList(const QStringList& texts);
// Whether a deductible pair is a fixed-asset purchase: its base item debits
// an intangible or tangible asset account (classes 11 to 16, investments on
// 161 included), or its VAT item credits an investment account (161).
bool AfaFixedAsset(const QString& fizlev, std::string_view baseDebit, std::string_view vatItemCredit);
