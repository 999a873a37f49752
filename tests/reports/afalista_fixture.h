#pragma once
// Invoices and cash items with their VAT rows written straight into TETEL,
// as the voucher window stores them, for the VAT list tests.
#include <QString>
#include <QStringList>

#include "db/dat.h"
#include "support/ledger_rows.h"
#include "reports/afalista.h"
#include "reports/ledger_items.h"

namespace afa {

struct Row {
    QString ntipus, konyvbiz, kapocs, szla, eszla;
    double ertek;
    bool vatRow = false;
    QString afakulcs = QStringLiteral("27");
    QString teljkelt = QStringLiteral("2025.02.10");
    QString szamlaszam = QString("");
    QString ugyfelkod = QString("");
    QString szoveg = QStringLiteral("tétel");
};

inline void Post(const QList<Row>& rows) {
    for (const Row& r : rows)
        InsertLedgerRow({{"SORSZAM", r.konyvbiz + u'-' + r.kapocs},
                         {"SZLA", r.szla},
                         {"ESZLA", r.eszla},
                         {"ERTEK", r.ertek},
                         {"NTIPUS", r.ntipus},
                         {"KONYVBIZ", r.konyvbiz},
                         {"KAPOCS", r.kapocs},
                         {"TART_KOV", r.vatRow ? QVariant(QStringLiteral("A")) : QVariant()},
                         {"AFAKULCS", r.afakulcs},
                         {"TELJKELT", r.teljkelt},
                         {"SZLAKELT", r.teljkelt},
                         {"FIZHATIDO", r.teljkelt},
                         {"KONYVELVE", r.teljkelt},
                         {"SZAMLASZAM", r.szamlaszam},
                         {"UGYFELKOD", r.ugyfelkod.isEmpty() ? QVariant() : QVariant(r.ugyfelkod)},
                         {"SZOVEG", r.vatRow ? QStringLiteral("AFA") : r.szoveg}});
}

// A base row and its VAT row; the VAT row takes its accounts as given.
inline QList<Row> Item(const QString& ntipus, const QString& konyvbiz, const QString& kapocs, const QString& szla,
                       const QString& eszla, double base, const QString& vatSzla, const QString& vatEszla, double vat,
                       const QString& szamlaszam = QString(""), const QString& ugyfel = QString(""),
                       const QString& code = QStringLiteral("27"), const QString& teljkelt = QStringLiteral("2025.02.10")) {
    Row b{ntipus, konyvbiz, kapocs, szla, eszla, base, false, code, teljkelt, szamlaszam, ugyfel};
    Row v{ntipus, konyvbiz, kapocs, vatSzla, vatEszla, vat, true, code, teljkelt, szamlaszam, ugyfel};
    return {b, v};
}

// Customer invoices, a sales reversal, supplier invoices (one of a fixed
// asset, one credit note) and a cash voucher with a purchase and a sale.
inline void PostQuarter() {
    ExecSql(d_tarvedo, "insert into UGYFEL (KOD, NEV) values ('V001', 'Vevő Kft.')");
    ExecSql(d_tarvedo, "insert into UGYFEL (KOD, NEV) values ('S001', 'Szállító Bt.')");
    QList<Row> rows;
    rows << Item("VE", "V1", "001", "311", "911", 1000, "311", "467", 270, "VSZ-1", "V001");
    rows << Item("VE", "V1", "002", "311", "911", 400, "311", "467", 20, "VSZ-1", "V001", "05");
    rows << Item("VE", "V2", "001", "911", "311", 200, "467", "311", 54, "VSZ-2", "V001");
    rows << Item("SZ", "S1", "001", "521", "454", 500, "466", "454", 135, "SZ-1", "S001");
    rows << Item("SZ", "S2", "001", "161", "454", 1000, "466", "161", 270, "SZ-2", "S001");
    rows << Item("SZ", "S3", "001", "454", "521", 100, "454", "466", 27, "SZ-3", "S001");
    rows << Item("PT", "P1", "001", "512", "381", 100, "466", "381", 27);
    rows << Item("PT", "P1", "002", "381", "911", 400, "381", "467", 108);
    // Outside the period, and a bank item without VAT.
    rows << Item("VE", "V3", "001", "311", "911", 9000, "311", "467", 2430, "VSZ-3", "V001", "27", "2025.04.02");
    rows << Row{"BK", "B1", "001", "384", "311", 1290};
    Post(rows);
}

inline AfalistaCriteria Quarter(int sorrend = AfaByAccount) {
    AfalistaCriteria c;
    c.tol = QStringLiteral("2025.01");
    c.ig = QStringLiteral("2025.03");
    c.sorrend = sorrend;
    return c;
}

}  // namespace afa
