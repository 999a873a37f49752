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
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <string>
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
    std::string_view szla;  // its debit account
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

// Which of the VAT accounts the period's items use: debited by supplier
// invoices and cash, credited by customer invoices and cash (the same as
// AfaPeriodPairs asks of the engine, seen on the rows read anyway).
class AfaUsedAccounts {
public:
    // Every VAT code and account of the company, in the statement's order.
    explicit AfaUsedAccounts(std::vector<AfaColumnPair> candidates);
    // The account columns the rows of the journal read next count by.
    void countDebits(bool on) { m_debits = on; }
    void countCredits(bool on) { m_credits = on; }
    bool countsDebits() const { return m_debits; }
    bool countsCredits() const { return m_credits; }
    // An account of a row of the period.
    void see(std::string_view account);
    // The journal's rows of the period that have no voucher number, which
    // the read of the vouchers does not meet.
    void seeRowsWithoutVoucher(const QString& journal, const AfalistaCriteria& criteria);
    // The candidates whose account was seen, in their order.
    std::vector<AfaColumnPair> pairs() const;

private:
    std::vector<AfaColumnPair> m_candidates;
    std::vector<std::string> m_accounts;  // of the candidates, without trailing blanks
    std::vector<bool> m_seen;             // by m_accounts
    bool m_debits = false, m_credits = false;
};

// The pairs of the sides (all of one journal type), base items in voucher,
// link and base-row order, each base item's VAT items in their order.
// `voucherDone` is told when a voucher's pairs are all given: its texts are
// still there then, and gone after. `used`, when given, sees the accounts
// of the rows of the period.
void ReadAfaPairs(const std::vector<const AfaSide*>& sides, const AfalistaCriteria& criteria, const AfaPairFn& fn,
                  const std::function<void()>& voucherDone, AfaUsedAccounts* used = nullptr);

// Every row of the journal's vouchers that hold a row of the period, once,
// with the columns the pairing reads: the VAT rows of a base item are in
// its voucher whatever their own date. The rows come in no set order.
QSqlQuery AfaVoucherRows(const QString& journal, const AfalistaCriteria& criteria);

// UTF-8 bytes of the database as a string.
inline QString AfaString(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
