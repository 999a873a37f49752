#pragma once
// The list builder of a master table without its window: one row per field
// with its output position ("Kell?"), sort position ("Sor."), and/or word
// and conditions, and the SELECT statement built from them. The statement
// is built twice from the same pieces: as the user reads it (typed values
// between quotes, every quote doubled) and as it runs (every typed value a
// bound parameter).
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The operators of the condition panel; the operator is the first four
// characters of an item, trimmed.
const QStringList& MuveletItems();
QString MuveletOf(const QString& item);

// One condition of a field: its operator ("=", ">", ">=", "<", "<=", "<>",
// "%t%", "%t", "t%", "[]" or "null") and the typed values.
struct ConditionPart {
    QString op;
    QString value, value2;
};

// One row of the column grid.
struct MazsolaRow {
    QString caption;   // "Mező név"
    QString field;     // the hidden column
    QString kell;      // output position: one of "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", or empty
    QString sorrend;   // sort position "1".."9", or empty
    QString esvagy;    // "", "and" or "or"
    QList<ConditionPart> conditions;

    // The "Feltétel" cell: the conditions as they read, e.g. "= 'A' or <> 'B'".
    QString feltetel() const;
};

// A row the user chose something on, as handed back at the end.
struct TSelecter {
    QString mezonev;
    int kell = 0;      // 1-based output position, 0: none
    int sorrend = 0;   // sort position, 0: none
    QString esvagy;
    QString feltetel;
};
using ASelecter = QList<TSelecter>;

struct MazsolaStatement {
    QStringList lines;     // as shown (and editable) in the statement memo
    QString boundSql;      // the same statement with ":Fn" placeholders
    QVariantMap params;    // their values
    QString condition;     // the condition as the user reads it, "" without one
    QString boundCondition;// the condition with placeholders (same params)
    QString columns;       // the output columns, "T.KOD,T.NEV"
    QString orders;        // the sort columns, "T.KOD,T.NEV"
    QString captions;      // their captions, each followed by ","

    QString text() const { return lines.join(QLatin1Char('\n')); }
};

class TorzsMazsola {
public:
    static constexpr int MaxOutputs = 35;
    static constexpr int MaxSorts = 9;

    QString table;
    QList<MazsolaRow> rows;

    // The fields of `table`: its VEZERLO rows (control set = the table, memo
    // fields left out) or, when it has none, its columns by their names.
    void Load(const QString& connection, const QString& table);

    // "Kell?": an empty cell gets the next output position; a filled one is
    // emptied and the higher positions move down by one. False when all
    // positions are used.
    bool ClickKell(int row);
    // "Sor." can be entered on a row that has an output or a sort position,
    // or on any row once some row has an output position.
    bool CanEnterSorrend(int row) const;
    bool ClickSorrend(int row);
    // "és/vagy": empty and "or" become "and", "and" becomes "or".
    void ClickEsVagy(int row);

    // Adds a condition with the operator of a list item (or a bare
    // operator). Nothing is added without a value, except for "null".
    bool AddCondition(int row, const QString& operatorItem, const QString& value, const QString& value2 = {});
    void ClearCondition(int row);
    void ClearAllConditions();
    // "Új lekérdezés": no conditions, output or sort positions.
    void NewQuery();

    bool HasOutput() const;
    MazsolaStatement Build() const;
    ASelecter Selections() const;

    // "Select Distinct F From T Order By F" of a row's field, as texts.
    QStringList DistinctValues(const QString& connection, int row) const;
};

// The text of the "?" button.
QString MazsolaSummary(const MazsolaStatement& statement);
