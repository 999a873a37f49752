#pragma once
// Choosing a row of a master table: the chosen row as (column, type, value)
// entries, reading it, the silent existence check of a typed code, and the
// logic of the lookup buttons of generated panels (the filter with its
// field and table references, writing the chosen row into the panel, the
// info labels beside the fields). The editor window that lets the user
// choose is opened by TablaValaszt (lookup_window.h).
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>

#include "masterdata/panel_model.h"
#include "masterdata/panel_values.h"

struct TSelectedRecord {
    QString nev;     // column name, upper case
    QString tipus;   // VARCHAR, SMALLINT, INTEGER, BOOLEAN, FLOAT, BLOB, MEMO or Unknown
    QVariant ertek;  // the empty text when the selection was cleared
};
using ASelectedRecord = QList<TSelectedRecord>;

// Every column of the row, in column order; `cleared`: every value empty.
ASelectedRecord SelectedRecord(const QSqlRecord& row, bool cleared = false);
// The value of the entry `name` (any case) as text; empty when absent.
QString RekordErtek(const ASelectedRecord& record, const QString& name);
// The index of the entry `name` (the last of equal names); -1 when absent.
int RekordIndex(const ASelectedRecord& record, const QString& name);

// True when `table` has a row whose `column` equals `value`; the record then
// holds the first such row. An empty value is never there. With `message`
// a missing value is told to the user.
bool ErtekVan(const QString& value, const QString& table, const QString& column, bool message,
              ASelectedRecord& record);

// What a lookup button asks of TablaValaszt.
struct LookupRequest {
    QString table;  // upper case
    QString where;
    QString locate;
    bool plus = false;  // "+" button: maintenance, info labels descending
    QString defaultField;
    QString defaultValue;
};
// The filter with "#FIELD" replaced by the panel's value of that field,
// "@TABLE.COLUMN" by the column's first value, the first "$" dropped; the
// locate text is the value of the button's own field. Values are quoted.
LookupRequest SzotRequest(const TParaButtonFields& button, bool plus, const PanelValues& panel);

// Writes the chosen record into the panel (prefix "E_"): through the
// button's PVEZERLO rows, or into the button's own field by its KEYNUM
// (999 appends to a comma list, others replace). True when the
// lookup-completed extension point is due (KEYNUM 201).
bool SzotMezoQuerybe(const TParaButtonFields& button, const ASelectedRecord& record, PanelValues& panel,
                     const QString& prefix = QStringLiteral("E_"));

// Refreshes the first info label of a field (PF1_ + field) from the value of
// its edit. The label's hint is "TABLE.SELECT,KEY=" or
// "#FROM\SELECT/INFOCOLUMN=FIELD".
void InfoFrissit(PanelValues& panel, const QString& field);

// Refreshes every info label of the panel from the current row (`row`
// empty: no current row, the labels are emptied). Descending: each label
// shows the first row only.
void InfoMindFrissit(PanelValues& panel, const QSqlRecord& row, bool descending);
