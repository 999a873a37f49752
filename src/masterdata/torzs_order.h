#pragma once
// Sorting and searching the rows of the master-data editor: the sort order
// changed by clicks on the grid titles, and the search typed into the
// editor's search box.
#include <QString>
#include <QStringList>

#include "masterdata/row_set.h"

// The sort order after a click on the title of `field`. Single level: the
// field, or the field descending when it is the whole order. Multi-level: a
// descending item is removed, an ascending one turns descending, a new field
// is appended. An order left empty is `firstField`.
QString ClickTitle(const QString& orders, const QString& field, bool singleLevel, const QString& firstField);
// True when the field is an (ascending) item of the order: its title is bold.
bool IsOrderItem(const QString& orders, const QString& field);

struct SearchSwitches {
    bool singleLevel = true;  // "Egy szintű"
    bool anywhere = true;     // "Bárhol van benne"
    bool fromCurrent = false; // "Keresés innentől"
};
// The row the search text finds in the rows sorted by `orders`; -1 when none.
// Texts are compared without regard to letter case.
int RacsKeres(const RowSet& rows, const QString& text, const QString& orders, const SearchSwitches& switches);

// The first row whose key columns equal the values, else the first whose
// key columns begin with them (case-sensitive); -1 when none.
int LocateKey(const RowSet& rows, const QStringList& keyFields, const QStringList& values);
