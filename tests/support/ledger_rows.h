#pragma once
// A ledger row written straight into TETEL of the open company database,
// for tests that need items the voucher window would not store as they are.
#include <QStringList>
#include <QVariantMap>

#include "db/dat.h"

// The named columns take the given values (a null QVariant is NULL); the
// others keep their defaults.
inline void InsertLedgerRow(const QVariantMap& columns) {
    const QStringList names = columns.keys();
    QStringList places;
    for (const QString& name : names) places << u':' + name;
    ExecSql(d_tarvedo,
            QStringLiteral("insert into TETEL (%1) values (%2)").arg(names.join(u','), places.join(u',')), columns);
}
