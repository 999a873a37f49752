#include "reports/afalista_pairs.h"

#include <QSqlQuery>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "db/dat.h"
#include "db/fb_cursor.h"

namespace {

using Text = std::string_view;

// The columns the rows are read with, in the statement's order.
enum Column { Sorszam, Szla, Eszla, Ertek, Teljkelt, Szlakelt, Fizhatido, Konyvbiz, Szamlaszam, Ugyfelkod, Kapocs,
              TartKov, Szoveg, Afakulcs, ColumnCount };

// The texts of the rows read, one after the other in one buffer, each row
// holding where its texts are: a few hundred thousand rows make no
// allocation each.
class TextStore {
public:
    struct Ref {
        std::uint32_t at = 0;
        std::int32_t size = -1;  // -1: NULL
    };
    Ref add(Text text) {
        const Ref ref{std::uint32_t(m_bytes.size()), std::int32_t(text.size())};
        m_bytes.append(text);
        return ref;
    }
    Text view(Ref ref) const { return ref.size < 0 ? Text() : Text(m_bytes.data() + ref.at, size_t(ref.size)); }
    static bool isNull(Ref ref) { return ref.size < 0; }

private:
    std::string m_bytes;
};

// One ledger row as the pairing reads it.
struct LedgerRow {
    TextStore::Ref text[ColumnCount];  // the Ertek slot unused
    double ertek = 0;
};

// A row's texts, NULL kept apart from empty.
struct RowTexts {
    const TextStore* store;
    const LedgerRow* row;
    Text operator[](Column c) const { return store->view(row->text[c]); }
    bool null(Column c) const { return TextStore::isNull(row->text[c]); }
};

// SQL's ascending order of texts: NULL first (a null view has no data).
int compareText(Text a, Text b, bool aNull, bool bNull) {
    if (aNull || bNull) return int(!aNull) - int(!bNull);
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

int compareNumber(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// SQL's LIKE 'prefix%': a NULL matches nothing.
bool like(const RowTexts& r, Column c, Text prefix) { return !r.null(c) && r[c].starts_with(prefix); }

// Firebird compares texts with trailing blanks ignored.
Text withoutTrailingBlanks(Text text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

Text utf8Of(const QString& text, std::string& keep) {
    keep = text.toStdString();
    return keep;
}

// SZ_ADOASZLA rows of the journal with their code's rate (SZ_ADO) and
// their account's name (SZ_TUKOR).
class VatAccounts {
public:
    explicit VatAccounts(const QString& journal) {
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("SELECT AD.NTIPUS, AD.KOD, AD.ASZLA, SZ.ERTEK, SZT.SZOVEG, SZ.KOD, SZT.SZLA\n"
                                                        "FROM SZ_ADOASZLA AD LEFT JOIN SZ_ADO SZ ON SZ.KOD = AD.KOD\n"
                                                        " LEFT JOIN SZ_TUKOR SZT ON SZT.SZLA = AD.ASZLA"));
        std::string journalBytes;
        const Text wanted = withoutTrailingBlanks(utf8Of(journal, journalBytes));
        while (NextRow(q)) {
            std::string j;
            if (withoutTrailingBlanks(utf8Of(q.value(0).toString(), j)) != wanted) continue;
            Entry& e = m_entries.emplace_back();
            e.code = std::make_unique<std::string>(withoutTrailingBlanks(utf8Of(q.value(1).toString(), j)));
            e.account = std::make_unique<std::string>(withoutTrailingBlanks(utf8Of(q.value(2).toString(), j)));
            e.value = {*e.code, *e.account, q.value(3).toDouble(), q.value(4).toString(),
                       !q.value(5).isNull() && !q.value(6).isNull()};
        }
    }

    // The row of a code and account; `complete` also asks for its code and account.
    const AfaVatAccount* find(const RowTexts& r, Column code, Column account, bool complete) const {
        if (r.null(code) || r.null(account)) return nullptr;
        const Text c = withoutTrailingBlanks(r[code]), a = withoutTrailingBlanks(r[account]);
        // The last of equal rows stands.
        for (auto e = m_entries.crbegin(); e != m_entries.crend(); ++e)
            if (e->value.code == c && e->value.account == a) return complete && !e->value.complete ? nullptr : &e->value;
        return nullptr;
    }

private:
    struct Entry {
        std::unique_ptr<std::string> code, account;  // the views point here
        AfaVatAccount value;
    };
    std::vector<Entry> m_entries;
};

// UGYFEL by its code without trailing blanks.
class Partners {
public:
    Partners() {
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("SELECT KOD, NEV FROM UGYFEL"));
        while (NextRow(q)) {
            auto entry = std::make_unique<Entry>();
            entry->partner.kod = q.value(0).toString();
            entry->nev = q.value(1).toString().toStdString();
            entry->partner.nev = entry->nev;
            std::string key(withoutTrailingBlanks(entry->partner.kod.toStdString()));
            m_byCode.insert_or_assign(std::move(key), std::move(entry));
        }
    }
    const AfaPartner* find(Text code) const {
        m_key.assign(withoutTrailingBlanks(code));
        auto it = m_byCode.find(m_key);
        return it == m_byCode.end() ? nullptr : &it->second->partner;
    }

private:
    struct Entry {
        AfaPartner partner;
        std::string nev;
    };
    std::unordered_map<std::string, std::unique_ptr<Entry>> m_byCode;
    mutable std::string m_key;
};

// A base item as the distinct base rows give it.
struct Base {
    RowTexts row;
    const AfaPartner* partner;

    int compare(const Base& o) const {
        if (int c = compareText(row[Szla], o.row[Szla], row.null(Szla), o.row.null(Szla))) return c;
        if (int c = compareNumber(row.row->ertek, o.row.row->ertek)) return c;
        // A NULL text counts as empty here, as the statement's IIF gives it.
        for (Column col : {Szamlaszam}) if (int c = row[col].compare(o.row[col])) return c;
        if (int c = compareKod(o)) return c;
        for (Column col : {Teljkelt, Szlakelt, Fizhatido}) if (int c = row[col].compare(o.row[col])) return c;
        const Text nev = partner ? partner->nev : Text(), otherNev = o.partner ? o.partner->nev : Text();
        return nev.compare(otherNev);
    }
    // No partner (NULL) comes first.
    int compareKod(const Base& o) const {
        if (partner == o.partner) return 0;
        if (!partner || !o.partner) return int(partner != nullptr) - int(o.partner != nullptr);
        return partner->kod.compare(o.partner->kod);
    }
};

bool inPeriod(const RowTexts& r, Text from, Text to) {
    return !r.null(Teljkelt) && r[Teljkelt] >= from && r[Teljkelt] <= to;
}

bool isBaseOf(const AfaSide& side, const RowTexts& r, Text from, Text to) {
    if (!r.null(TartKov) && (r[TartKov] == "A" || r[TartKov] == "a")) return false;
    if (!inPeriod(r, from, to)) return false;
    const bool debits466 = like(r, Szla, "466");
    switch (side.kind) {
    case AfaSideKind::Sales: return !like(r, Eszla, "466") && !r.null(Eszla) && !debits466 && !r.null(Szla);
    case AfaSideKind::CashPurchases: return like(r, Eszla, "381") && !debits466 && !r.null(Szla);
    case AfaSideKind::Purchases:
    case AfaSideKind::CashSales: return !debits466 && !r.null(Szla);
    }
    return false;
}

// The accounts of a row of the period.
void seeAccounts(AfaUsedAccounts& used, const RowTexts& r) {
    if (used.countsDebits() && !r.null(Szla)) used.see(r[Szla]);
    if (used.countsCredits() && !r.null(Eszla)) used.see(r[Eszla]);
}

// The rows of the vouchers, read into `store` and `rows`; a row without a
// link number pairs with nothing and is left out.
void readRows(QSqlQuery& q, TextStore& store, std::vector<LedgerRow>& rows, AfaUsedAccounts* used, Text from, Text to) {
    const auto take = [&](const auto& text, double ertek) {
        LedgerRow r;
        for (int c = 0; c < ColumnCount; ++c) {
            if (c == Ertek) continue;
            Text value;
            if (text(c, value)) r.text[c] = store.add(value);
        }
        const RowTexts texts{&store, &r};
        if (used && inPeriod(texts, from, to)) seeAccounts(*used, texts);
        if (TextStore::isNull(r.text[Kapocs])) return;
        r.ertek = ertek;
        rows.push_back(r);
    };
    // The first row through the driver, the rest straight through the
    // client library when it can read them.
    if (!NextRow(q)) return;
    std::string bytes;
    const auto driverText = [&](int c, Text& value) {
        if (q.value(c).isNull()) return false;
        value = utf8Of(q.value(c).toString(), bytes);
        return true;
    };
    take(driverText, q.value(Ertek).toDouble());
    if (std::unique_ptr<FbCursor> cursor = FbCursor::take(q)) {
        const auto text = [&cursor](int c, Text& value) { return cursor->text(c, value); };
        while (cursor->fetch()) take(text, cursor->value(Ertek).toDouble());
    } else {
        while (NextRow(q)) take(driverText, q.value(Ertek).toDouble());
    }
}

}  // namespace

QSqlQuery AfaVoucherRows(const QString& journal, const AfalistaCriteria& criteria) {
    return ExecSql(d_tarvedo,
                   QStringLiteral("SELECT A.SORSZAM, A.SZLA, A.ESZLA, A.ERTEK, A.TELJKELT, A.SZLAKELT, A.FIZHATIDO, "
                                  "A.KONYVBIZ, A.SZAMLASZAM, A.UGYFELKOD, A.KAPOCS, A.TART_KOV, A.SZOVEG, A.AFAKULCS\n"
                                  "FROM (SELECT DISTINCT KONYVBIZ FROM TETEL WHERE NTIPUS = :NTIPUS\n"
                                  "      AND TELJKELT >= :MIKORTOL AND TELJKELT <= :MEDDIG) V\n"
                                  " JOIN TETEL A ON A.NTIPUS = :NTIPUS AND A.KONYVBIZ = V.KONYVBIZ"),
                   {{QStringLiteral("NTIPUS"), journal},
                    {QStringLiteral("MIKORTOL"), AfaPeriodStart(criteria.tol)},
                    {QStringLiteral("MEDDIG"), AfaPeriodEnd(criteria.ig)}});
}

AfaUsedAccounts::AfaUsedAccounts(std::vector<AfaColumnPair> candidates) : m_candidates(std::move(candidates)) {
    for (const AfaColumnPair& c : m_candidates) {
        std::string account = c.account.toStdString();
        account.resize(withoutTrailingBlanks(account).size());
        if (std::find(m_accounts.begin(), m_accounts.end(), account) == m_accounts.end()) m_accounts.push_back(account);
    }
    m_seen.assign(m_accounts.size(), false);
}

void AfaUsedAccounts::see(std::string_view account) {
    account = withoutTrailingBlanks(account);
    for (size_t i = 0; i < m_accounts.size(); ++i)
        if (m_accounts[i] == account) m_seen[i] = true;
}

void AfaUsedAccounts::seeRowsWithoutVoucher(const QString& journal, const AfalistaCriteria& criteria) {
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("SELECT DISTINCT SZLA, ESZLA FROM TETEL WHERE NTIPUS = :NTIPUS AND KONYVBIZ IS NULL\n"
                                         " AND TELJKELT >= :MIKORTOL AND TELJKELT <= :MEDDIG"),
                          {{QStringLiteral("NTIPUS"), journal},
                           {QStringLiteral("MIKORTOL"), AfaPeriodStart(criteria.tol)},
                           {QStringLiteral("MEDDIG"), AfaPeriodEnd(criteria.ig)}});
    while (NextRow(q)) {
        if (m_debits && !q.value(0).isNull()) see(q.value(0).toString().toStdString());
        if (m_credits && !q.value(1).isNull()) see(q.value(1).toString().toStdString());
    }
}

std::vector<AfaColumnPair> AfaUsedAccounts::pairs() const {
    std::vector<AfaColumnPair> out;
    for (const AfaColumnPair& c : m_candidates) {
        const std::string account = c.account.toStdString();
        const Text trimmed = withoutTrailingBlanks(account);
        for (size_t i = 0; i < m_accounts.size(); ++i)
            if (m_seen[i] && m_accounts[i] == trimmed) out.push_back(c);
    }
    return out;
}

void ReadAfaPairs(const std::vector<const AfaSide*>& sides, const AfalistaCriteria& criteria, const AfaPairFn& fn,
                  const std::function<void()>& voucherDone, AfaUsedAccounts* used) {
    if (sides.empty()) return;
    const QString journal = sides.front()->journal;
    std::string fromBytes, toBytes;
    const Text from = utf8Of(AfaPeriodStart(criteria.tol), fromBytes);
    const Text to = utf8Of(AfaPeriodEnd(criteria.ig), toBytes);
    const VatAccounts vatAccounts(journal);
    const Partners partners;

    QSqlQuery q = AfaVoucherRows(journal, criteria);
    TextStore store;
    std::vector<LedgerRow> rows;
    readRows(q, store, rows, used, from, to);

    // The rows are put in voucher and link order here: sorting the whole
    // rows inside the engine would cost more than reading them.
    const auto texts = [&store](const LedgerRow& r) { return RowTexts{&store, &r}; };
    std::sort(rows.begin(), rows.end(), [&](const LedgerRow& a, const LedgerRow& b) {
        const RowTexts x = texts(a), y = texts(b);
        if (int c = compareText(x[Konyvbiz], y[Konyvbiz], x.null(Konyvbiz), y.null(Konyvbiz))) return c < 0;
        return compareText(x[Kapocs], y[Kapocs], false, false) < 0;
    });

    std::vector<Base> bases;
    std::vector<const LedgerRow*> vatItems;
    AfaPair pair;
    // One voucher and link number's rows.
    const auto pairGroup = [&](const LedgerRow* begin, const LedgerRow* end) {
        // The VAT items of the voucher and link number, in their order.
        vatItems.clear();
        for (const LedgerRow* r = begin; r != end; ++r) vatItems.push_back(r);
        std::sort(vatItems.begin(), vatItems.end(), [&](const LedgerRow* a, const LedgerRow* b) {
            const RowTexts x = texts(*a), y = texts(*b);
            for (Column c : {Szla, Eszla})
                if (int d = compareText(x[c], y[c], x.null(c), y.null(c))) return d < 0;
            if (int d = compareNumber(a->ertek, b->ertek)) return d < 0;
            for (Column c : {Szoveg, Sorszam})
                if (int d = compareText(x[c], y[c], x.null(c), y.null(c))) return d < 0;
            return false;
        });
        for (const AfaSide* side : sides) {
            // The distinct base items of the side, in their order.
            bases.clear();
            for (const LedgerRow* r = begin; r != end; ++r) {
                const RowTexts t = texts(*r);
                if (!isBaseOf(*side, t, from, to)) continue;
                bases.push_back({t, t.null(Ugyfelkod) ? nullptr : partners.find(t[Ugyfelkod])});
            }
            if (bases.empty()) continue;
            std::sort(bases.begin(), bases.end(), [](const Base& a, const Base& b) { return a.compare(b) < 0; });
            bases.erase(std::unique(bases.begin(), bases.end(), [](const Base& a, const Base& b) { return a.compare(b) == 0; }),
                        bases.end());

            for (const Base& b : bases) {
                pair.side = side;
                pair.newBase = true;
                pair.konyvbiz = b.row[Konyvbiz];
                pair.kapocs = b.row[Kapocs];
                pair.alap = b.row.row->ertek;
                pair.szamlaszam = b.row[Szamlaszam];
                pair.teljkelt = b.row[Teljkelt];
                pair.szlakelt = b.row[Szlakelt];
                pair.fizhatido = b.row[Fizhatido];
                pair.szla = b.row[Szla];
                pair.partner = b.partner;
                const bool reversal = like(b.row, Szla, "9");
                for (const LedgerRow* item : vatItems) {
                    const RowTexts a = texts(*item);
                    Column account = Eszla;
                    double sign = 1;
                    switch (side->kind) {
                    case AfaSideKind::Sales:
                        // A sales reversal debits revenue and the VAT account.
                        if (reversal) {
                            account = Szla;
                            sign = -1;
                        }
                        break;
                    case AfaSideKind::CashSales: break;
                    case AfaSideKind::CashPurchases: account = Szla; break;
                    case AfaSideKind::Purchases:
                        // A supplier's credit note credits the VAT account.
                        if (vatAccounts.find(a, Afakulcs, Szla, false)) account = Szla;
                        else sign = -1;
                        break;
                    }
                    const AfaVatAccount* found = vatAccounts.find(a, Afakulcs, account, true);
                    if (!found) continue;
                    pair.vatEszla = a[Eszla];
                    pair.vatSzoveg = a[Szoveg];
                    pair.afa = item->ertek;
                    pair.account = a[account];
                    pair.code = a[Afakulcs];
                    pair.vatAccount = found;
                    pair.sign = sign;
                    fn(pair);
                    pair.newBase = false;
                }
            }
        }
    };

    const LedgerRow* const end = rows.data() + rows.size();
    const LedgerRow* voucher = rows.data();
    for (const LedgerRow* group = voucher; group != end;) {
        const RowTexts first = texts(*group);
        const LedgerRow* next = group + 1;
        while (next != end && texts(*next)[Konyvbiz] == first[Konyvbiz] && texts(*next)[Kapocs] == first[Kapocs]) ++next;
        pairGroup(group, next);
        if (next == end || texts(*next)[Konyvbiz] != first[Konyvbiz]) voucherDone();
        group = next;
    }
}
