#pragma once
// What the ledger reports share: the criteria texts of the parameter
// windows, the temporary result tables in the company database and the
// report query over them, and the empty-result message.
//
// A result table is named when it is first needed, "TMP_FOKIV_" plus the
// time stamp "yymmddhhnnsszzz" (or with the user code between them), and its
// name is remembered by whoever holds the ResultTable, until the program
// ends. A report never drops its table; the clean-up of temporary tables
// does. The tables are global temporary tables whose rows stay until the
// connection ends: each workstation sees only its own rows.
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QSqlQuery>
#include <functional>
#include <memory>

// The text of an empty masked date field.
inline const QString EmptyDateMask = QStringLiteral("    .  .  ");
// The empty-result message of most reports; the trial balance shows it
// without the blanks.
inline const QString NothingToPrint = QStringLiteral(" Nincs mit nyomtatni ");

// Rows done and rows in all, as the parameter windows step their progress bar.
using ReportStep = std::function<void(qint64 done, qint64 total)>;

// A date criterion as the run reads it: trimmed, and the empty mask (".  ."
// once trimmed) is no limit, an empty text.
QString DateCriterion(const QString& text);

// A criterion's parameter in a condition, ":NAME" bound as a text as wide
// as the value itself. A value longer than the column it is compared with
// (a journal type of three letters, an eleven-digit account) then finds
// nothing, or compares as the text it is, as the posting search treats its
// criteria, instead of failing the statement on the column's length. Throws
// std::invalid_argument for a value longer than any text column can be.
QString CriterionParam(const QString& name, const QString& value);

// "TMP_KR_" + "yymmddhhnnsszzz" of now.
QString StampedTableName(const QString& prefix);
// "TMP_" + the logged-in user's code without blanks and accents + "_" + time stamp.
QString UserTableName(const QString& prefix);

struct ResultTable {
    QString name;  // empty until the first run

    // When the window is shown: a table that no longer exists is forgotten.
    void forgetIfDropped();
    // Before a run: a remembered table is emptied (made again under its
    // name); otherwise a new one is named by `makeName` and created by the
    // DDL lines, with the name spliced in ("Create Global Temporary Table " + name + " ( ", column lines,
    // " ) on commit preserve rows").
    void prepare(const QString& prefix, const QStringList& columnLines,
                 const std::function<QString(const QString&)>& makeName = StampedTableName);
};

// The report query: the lines "select * from ", the table name alone, and
// the order clause, joined as one statement.
QString ReportQueryText(const QString& table, const QString& orderBy);

// Rows of a table or a query text.
qint64 CountRows(const QString& table);

// The outcome of a run: where the rows are, how many, and the parameter
// line the report prints in its header.
struct ReportRun {
    QString table;        // the result table; empty when the report reads TETEL directly
    QString querySql;     // the report query
    QVariantMap params;   // its parameters (the journal binds its criteria)
    qint64 rows = 0;
    QString whivparam;
};

// One insert statement prepared once and run for many rows, with its
// ":NAME" parameters bound by name.
class RowInsert {
public:
    explicit RowInsert(const QString& sql);
    void run(const QVariantMap& values);

private:
    QString m_sql;
    QStringList m_names;
    std::unique_ptr<QSqlQuery> m_query;
};
