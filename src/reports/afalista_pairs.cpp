#include "reports/afalista_pairs.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <memory>
#include <string_view>

#include "db/dat.h"
#include "db/fb_cursor.h"

namespace {

// One ledger row as the pairing reads it; NULL texts stay null QStrings.
struct LedgerRow {
    QString sorszam, szla, eszla, teljkelt, szlakelt, fizhatido, konyvbiz, szamlaszam, ugyfelkod, kapocs, tartKov,
        szoveg, afakulcs;
    double ertek = 0;
};

// SQL's ascending order of texts: NULL first.
int compareText(const QString& a, const QString& b) {
    if (a.isNull() || b.isNull()) return int(!a.isNull()) - int(!b.isNull());
    return a.compare(b);
}

int compareNumber(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// SQL's LIKE 'prefix%': a NULL matches nothing.
bool like(const QString& text, const char* prefix) {
    return !text.isNull() && text.startsWith(QLatin1String(prefix));
}

// A comparison with a NULL text is never true.
bool between(const QString& text, const QString& from, const QString& to) {
    return !text.isNull() && text >= from && text <= to;
}

// Firebird compares texts with trailing blanks ignored.
QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ') --end;
    return text.left(end);
}

struct VatAccount {
    double rate = 0;
    QString name;
    bool complete = false;  // its code and its account exist too
};

// SZ_ADOASZLA with its code's rate (SZ_ADO) and its account's name
// (SZ_TUKOR), by journal type, code and account.
QHash<QString, VatAccount> readVatAccounts() {
    QHash<QString, VatAccount> accounts;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("SELECT AD.NTIPUS, AD.KOD, AD.ASZLA, SZ.ERTEK, SZT.SZOVEG, SZ.KOD, SZT.SZLA\n"
                                                    "FROM SZ_ADOASZLA AD LEFT JOIN SZ_ADO SZ ON SZ.KOD = AD.KOD\n"
                                                    " LEFT JOIN SZ_TUKOR SZT ON SZT.SZLA = AD.ASZLA"));
    while (NextRow(q))
        accounts.insert(withoutTrailingBlanks(q.value(0).toString()) + u'\x1f' + withoutTrailingBlanks(q.value(1).toString()) +
                            u'\x1f' + withoutTrailingBlanks(q.value(2).toString()),
                        {q.value(3).toDouble(), q.value(4).toString(), !q.value(5).isNull() && !q.value(6).isNull()});
    return accounts;
}

struct Partner {
    QString kod, nev;
};

QHash<QString, Partner> readPartners() {
    QHash<QString, Partner> partners;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("SELECT KOD, NEV FROM UGYFEL"));
    while (NextRow(q)) partners.insert(withoutTrailingBlanks(q.value(0).toString()), {q.value(0).toString(), q.value(1).toString()});
    return partners;
}

// A base item as the distinct base rows give it.
struct Base {
    const LedgerRow* row;
    QString szamlaszam, teljkelt, szlakelt, fizhatido;  // NULL as empty
    QVariant ugyfelkod, nev;                            // the partner's, NULL when there is none

    int compare(const Base& o) const {
        if (int c = compareText(row->szla, o.row->szla)) return c;
        if (int c = compareNumber(row->ertek, o.row->ertek)) return c;
        if (int c = compareText(szamlaszam, o.szamlaszam)) return c;
        if (int c = compareText(ugyfelkod.toString(), o.ugyfelkod.toString())) return c;
        if (int c = compareText(teljkelt, o.teljkelt)) return c;
        if (int c = compareText(szlakelt, o.szlakelt)) return c;
        if (int c = compareText(fizhatido, o.fizhatido)) return c;
        return compareText(nev.toString(), o.nev.toString());
    }
};

QString nullableText(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// A row of the statement's columns: SORSZAM, SZLA, ESZLA, ERTEK, TELJKELT,
// SZLAKELT, FIZHATIDO, KONYVBIZ, SZAMLASZAM, UGYFELKOD, KAPOCS, TART_KOV,
// SZOVEG, AFAKULCS.
template <class Text>
LedgerRow ledgerRow(const Text& text, double ertek) {
    LedgerRow r;
    r.sorszam = text(0);
    r.szla = text(1);
    r.eszla = text(2);
    r.ertek = ertek;
    r.teljkelt = text(4);
    r.szlakelt = text(5);
    r.fizhatido = text(6);
    r.konyvbiz = text(7);
    r.szamlaszam = text(8);
    r.ugyfelkod = text(9);
    r.kapocs = text(10);
    r.tartKov = text(11);
    r.szoveg = text(12);
    r.afakulcs = text(13);
    return r;
}

QString emptyForNull(const QString& text) { return text.isNull() ? QString("") : text; }

bool isBaseOf(const AfaSide& side, const LedgerRow& r, const QString& from, const QString& to) {
    if (r.tartKov.toUpper() == QLatin1String("A")) return false;
    if (!between(r.teljkelt, from, to)) return false;
    const bool debits466 = like(r.szla, "466");
    switch (side.kind) {
    case AfaSideKind::Sales: return !like(r.eszla, "466") && !r.eszla.isNull() && !debits466 && !r.szla.isNull();
    case AfaSideKind::CashPurchases: return like(r.eszla, "381") && !debits466 && !r.szla.isNull();
    case AfaSideKind::Purchases:
    case AfaSideKind::CashSales: return !debits466 && !r.szla.isNull();
    }
    return false;
}

}  // namespace

void ReadAfaPairs(const std::vector<const AfaSide*>& sides, const AfalistaCriteria& criteria, const AfaPairFn& fn,
                  const std::function<void()>& groupDone) {
    if (sides.empty()) return;
    const QString journal = sides.front()->journal;
    const QString from = AfaPeriodStart(criteria.tol);
    const QString to = AfaPeriodEnd(criteria.ig);
    const QHash<QString, VatAccount> vatAccounts = readVatAccounts();
    const QHash<QString, Partner> partners = readPartners();
    const QString journalKey = withoutTrailingBlanks(journal) + u'\x1f';
    // A row of SZ_ADOASZLA; `complete` also asks for its code and account.
    const auto vatAccount = [&](const QString& code, const QString& account, bool complete) -> const VatAccount* {
        if (code.isNull() || account.isNull()) return nullptr;
        auto it = vatAccounts.constFind(journalKey + withoutTrailingBlanks(code) + u'\x1f' + withoutTrailingBlanks(account));
        return it == vatAccounts.cend() || (complete && !it->complete) ? nullptr : &*it;
    };

    // Every row of the vouchers that hold a row of the period, once, in
    // voucher and link order: the VAT rows of a base item are in its voucher
    // whatever their own date.
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("SELECT A.SORSZAM, A.SZLA, A.ESZLA, A.ERTEK, A.TELJKELT, A.SZLAKELT, A.FIZHATIDO, "
                                         "A.KONYVBIZ, A.SZAMLASZAM, A.UGYFELKOD, A.KAPOCS, A.TART_KOV, A.SZOVEG, A.AFAKULCS\n"
                                         "FROM (SELECT DISTINCT KONYVBIZ FROM TETEL WHERE NTIPUS = :NTIPUS\n"
                                         "      AND TELJKELT >= :MIKORTOL AND TELJKELT <= :MEDDIG) V\n"
                                         " JOIN TETEL A ON A.NTIPUS = :NTIPUS AND A.KONYVBIZ = V.KONYVBIZ"),
                          {{QStringLiteral("NTIPUS"), journal},
                           {QStringLiteral("MIKORTOL"), from},
                           {QStringLiteral("MEDDIG"), to}});

    std::vector<LedgerRow> group;
    std::vector<Base> bases;
    std::vector<const LedgerRow*> vatItems;
    AfaPair pair;
    const auto flush = [&] {
        if (group.empty()) return;
        for (const AfaSide* side : sides) {
            // The distinct base items of the side, in their order.
            bases.clear();
            for (const LedgerRow& r : group) {
                if (!isBaseOf(*side, r, from, to)) continue;
                Base b{&r, emptyForNull(r.szamlaszam), emptyForNull(r.teljkelt), emptyForNull(r.szlakelt),
                       emptyForNull(r.fizhatido), QVariant(QMetaType::fromType<QString>()),
                       QVariant(QMetaType::fromType<QString>())};
                if (!r.ugyfelkod.isNull()) {
                    auto p = partners.constFind(withoutTrailingBlanks(r.ugyfelkod));
                    if (p != partners.cend()) {
                        b.ugyfelkod = p->kod;
                        b.nev = p->nev;
                    }
                }
                bases.push_back(b);
            }
            if (bases.empty()) continue;
            std::sort(bases.begin(), bases.end(), [](const Base& a, const Base& b) { return a.compare(b) < 0; });
            bases.erase(std::unique(bases.begin(), bases.end(), [](const Base& a, const Base& b) { return a.compare(b) == 0; }),
                        bases.end());

            // The VAT items of the voucher and link number, in their order.
            vatItems.clear();
            for (const LedgerRow& r : group) vatItems.push_back(&r);
            std::sort(vatItems.begin(), vatItems.end(), [](const LedgerRow* a, const LedgerRow* b) {
                if (int c = compareText(a->szla, b->szla)) return c < 0;
                if (int c = compareText(a->eszla, b->eszla)) return c < 0;
                if (int c = compareNumber(a->ertek, b->ertek)) return c < 0;
                if (int c = compareText(a->szoveg, b->szoveg)) return c < 0;
                return compareText(a->sorszam, b->sorszam) < 0;
            });

            for (const Base& b : bases) {
                pair.side = side;
                pair.newBase = true;
                pair.konyvbiz = b.row->konyvbiz;
                pair.kapocs = b.row->kapocs;
                pair.alap = b.row->ertek;
                pair.szamlaszam = b.szamlaszam;
                pair.teljkelt = b.teljkelt;
                pair.szlakelt = b.szlakelt;
                pair.fizhatido = b.fizhatido;
                pair.ugyfelkod = b.ugyfelkod;
                for (const LedgerRow* a : vatItems) {
                    QString account;
                    double sign = 1;
                    switch (side->kind) {
                    case AfaSideKind::Sales:
                        // A sales reversal debits revenue and the VAT account.
                        if (like(b.row->szla, "9")) {
                            account = a->szla;
                            sign = -1;
                        } else {
                            account = a->eszla;
                        }
                        break;
                    case AfaSideKind::CashSales: account = a->eszla; break;
                    case AfaSideKind::CashPurchases: account = a->szla; break;
                    case AfaSideKind::Purchases:
                        // A supplier's credit note credits the VAT account.
                        if (vatAccount(a->afakulcs, a->szla, false)) {
                            account = a->szla;
                        } else {
                            account = a->eszla;
                            sign = -1;
                        }
                        break;
                    }
                    const VatAccount* found = vatAccount(a->afakulcs, account, true);
                    if (!found) continue;
                    pair.vatEszla = a->eszla;
                    pair.vatSzoveg = a->szoveg;
                    pair.afa = a->ertek;
                    pair.account = account;
                    pair.code = a->afakulcs;
                    pair.accountName = found->name;
                    pair.rate = found->rate;
                    pair.sign = sign;
                    fn(pair);
                    pair.newBase = false;
                }
            }
        }
        group.clear();
        if (groupDone) groupDone();
    };

    // The rows are put in voucher and link order here: sorting the whole
    // rows inside the engine would cost more than reading them.
    std::vector<LedgerRow> all;
    const auto take = [&](LedgerRow&& r) {
        // A row without a link number pairs with nothing.
        if (!r.kapocs.isNull()) all.push_back(std::move(r));
    };
    // The first row through the driver, the rest straight through the
    // client library when it can read them.
    if (!NextRow(q)) return;
    take(ledgerRow([&q](int i) { return nullableText(q.value(i)); }, q.value(3).toDouble()));
    if (std::unique_ptr<FbCursor> cursor = FbCursor::take(q)) {
        const auto text = [&cursor](int i) {
            std::string_view utf8;
            if (!cursor->text(i, utf8)) return QString();
            QString t = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
            return t.isNull() ? QString("") : t;
        };
        while (cursor->fetch()) take(ledgerRow(text, cursor->value(3).toDouble()));
    } else {
        while (NextRow(q)) take(ledgerRow([&q](int i) { return nullableText(q.value(i)); }, q.value(3).toDouble()));
    }
    std::sort(all.begin(), all.end(), [](const LedgerRow& a, const LedgerRow& b) {
        if (int c = compareText(a.konyvbiz, b.konyvbiz)) return c < 0;
        return compareText(a.kapocs, b.kapocs) < 0;
    });
    for (LedgerRow& r : all) {
        if (!group.empty() && (group.front().konyvbiz != r.konyvbiz || group.front().kapocs != r.kapocs)) flush();
        group.push_back(std::move(r));
    }
    flush();
}
