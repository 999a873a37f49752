#pragma once
// Storing a panel's values without per-table code: the INSERT, UPDATE and
// DELETE statements are generated from the table's columns and key, each
// parameter takes the value of the panel control named "E_" + parameter,
// and the statement runs. A parameter named after a column carries its new
// value, "OLD_" + column the key value as it was read.
//
// The source of a store or display is the table's query as a record: its
// fields give the column types, its values the current row.
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "masterdata/panel_values.h"
#include "masterdata/sql_statement.h"

// The texts of the statements of `table` (each may be null); `keys` is the
// comma-separated key list, empty for a table without key (every column then
// serves as key). The columns are read from the catalogue of the database
// the statements run on.
void SqlKeszit(const QString& table, SqlStatement* insert, SqlStatement* update, SqlStatement* del,
               const QString& keys);
// The same from a known column list, in column order.
void SqlKeszit(const QString& table, const QStringList& columns, SqlStatement* insert, SqlStatement* update,
               SqlStatement* del, const QString& keys);

// Default values of a new record: empty texts, zero numbers, false flags.
void UjParamok(const QSqlRecord& source, SqlStatement& insert);

// The parameters whose required (yellow) control is left empty, each
// followed by ";".
QString UresKotelezok(const SqlStatement& statement, const PanelValues& panel);

// Stores the panel through the INSERT (state "insert") or UPDATE (state
// "update") statement. Failures are told to the user; true when stored.
bool RekordTarol(const QSqlRecord& source, SqlStatement& statement, const PanelValues& panel, int keyCount,
                 const QString& state);

// The panel's controls (prefix + column) show the record's values.
void RekordMutat(const QSqlRecord& record, PanelValues& panel, const QString& prefix = QStringLiteral("E_"));

// Every edit, memo and info label of the panel is emptied.
void MezokTorol(PanelValues& panel);

// The user's rights on a table: "NONE", "VIEW" or "FULL". No view right is
// told to the user. `tablakRow` receives the table's TABLAK row (empty when
// there is none).
QString TablaJog(const QString& table, QSqlRecord* tablakRow = nullptr);

// One SQL condition per filled search edit of a window (visible, enabled,
// not empty), by the edit's hint: "" / "LOWER" / "UPPER" contains, "L%"
// begins with, "=", ">=", "<=", "IN" (comma list), "SKIP" none. The column
// is the edit's name between its first and next "_". Without `params` the
// typed values are quoted into the conditions; with it they are bound as
// parameters ":KF<n>" whose values `params` receives. Returns the number of
// edits considered.
int KeresFeltetel(const PanelValues& window, QStringList& conditions, QVariantMap* params = nullptr);

// A text as an SQL string literal: in quotes, inner quotes doubled.
QString SqlQuote(const QString& text);
// A text that is never NULL when bound (an empty text is stored as '').
QString NonNullText(const QString& text);
// The text of a column value as a panel shows it: numbers in general form
// with the decimal separator, NULL as the empty text.
QString FieldValueText(const QVariant& value);
