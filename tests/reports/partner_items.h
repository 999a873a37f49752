#pragma once
// Invoice and payment items of partners written straight into TETEL for
// the customer and supplier ledger tests: each item a voucher of its own.
#include <QList>
#include <QString>

#include "db/dat.h"

namespace partner {

// An invoice or payment item with its partner and invoice number.
struct Item {
    QString ntipus, szla, eszla;
    double ertek;
    QString ugyfelkod, szamlaszam, teljkelt;
    QString fizhatido = QStringLiteral("2025.03.31");
    QString devizanem = QString("");
    double devizaertek = 0;
    QString bizonylat = QString("");
};

// The items written so far; an item's voucher is its journal type and number.
inline int serial = 0;

inline void Post(const QList<Item>& list) {
    for (const Item& i : list) {
        ++serial;
        ExecSql(d_tarvedo,
                "insert into TETEL (SORSZAM, KAPOCS, NTIPUS, KONYVBIZ, SZLA, ESZLA, ERTEK, UGYFELKOD, SZAMLASZAM, TELJKELT, "
                "FIZHATIDO, DEVIZANEM, DEVIZAERTEK, BIZONYLAT, KONYVELVE) values (:SORSZAM, '001', :NTIPUS, :KONYVBIZ, "
                ":SZLA, :ESZLA, :ERTEK, :UGYFELKOD, :SZAMLASZAM, :TELJKELT, :FIZHATIDO, :DEVIZANEM, :DEVIZAERTEK, "
                ":BIZONYLAT, :TELJKELT)",
                {{"SORSZAM", QString::number(serial)}, {"NTIPUS", i.ntipus},
                 {"KONYVBIZ", i.ntipus + QString::number(serial)}, {"SZLA", i.szla}, {"ESZLA", i.eszla},
                 {"ERTEK", i.ertek}, {"UGYFELKOD", i.ugyfelkod}, {"SZAMLASZAM", i.szamlaszam},
                 {"TELJKELT", i.teljkelt}, {"FIZHATIDO", i.fizhatido}, {"DEVIZANEM", i.devizanem},
                 {"DEVIZAERTEK", i.devizaertek}, {"BIZONYLAT", i.bizonylat}});
    }
}

// A customer invoice (311 against revenue) and its bank payment.
inline Item CustomerInvoice(const QString& szamlaszam, double ertek, const QString& ugyfelkod = QStringLiteral("V1")) {
    return {"VE", "311", "911", ertek, ugyfelkod, szamlaszam, "2025.03.01"};
}
inline Item Payment(const QString& szamlaszam, double ertek, const QString& date,
                    const QString& ugyfelkod = QStringLiteral("V1")) {
    return {"BK", "384", "311", ertek, ugyfelkod, szamlaszam, date, QString(""), QString(""), 0, "B-" + szamlaszam};
}

}  // namespace partner
