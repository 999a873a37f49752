#pragma once
// The list query of the posting search: the criteria edits as plain values,
// the conditions built from them, the order line and its change by a click
// on a column title. Typed values are bound as parameters; the amount
// bounds compare numbers.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "masterdata/panel_values.h"

// The criteria edits in tab order, each with its hint (the comparison) and
// its column in its name; the partner criterion visible by CEG.VANUGYFEL.
PanelValues KonyvkeresCriteria();
// "&Feltételek törlése": every criterion emptied, the amount bounds too.
void ClearCriteria(PanelValues& criteria);

inline const QString DefaultOrderLine = QStringLiteral("order by TELJKELT,SORSZAM");

struct PostingSearch {
    QStringList sql;     // "Select * From Tetel", the condition lines, the order line
    QVariantMap params;  // the typed values of the conditions
    int wsqldb = 0;      // the number of condition lines
    QString text() const { return sql.join(QLatin1Char('\n')); }
};

// The criteria that cannot be searched for: an amount bound that is no
// amount, a date that is no date (a beginning of one, "2026" or "2026.02",
// is a date range). One Hungarian line each; empty when all may be searched.
QStringList PostingSearchFaults(const PanelValues& criteria);

// "&Keresés, leválogatás": the conditions of the filled criteria, then the
// fulfilment-date order.
PostingSearch BuildPostingSearch(const PanelValues& criteria);
// A click on a column title: the order line becomes "Order By " + field.
void SortPostingSearch(PostingSearch& search, const QString& field);

// The list's columns in order: field name and title.
const QList<QPair<QString, QString>>& KonyvkeresColumns();
