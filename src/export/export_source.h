#pragma once
// The rows a list hands to the store operation: its columns (name, caption,
// type, display width, visibility) and its rows, read forward one at a time,
// so that a list of any length is written without holding it in memory.
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>
#include <string_view>

class Query;
class RowPrefetch;

struct ExportColumn {
    QString name;
    // The caption of the column; the column name unless the list gives another.
    QString displayLabel;
    // VARCHAR, SMALLINT, INTEGER, BOOLEAN, FLOAT, BLOB, MEMO, CHAR or Unknown.
    QString typeName;
    // Characters the column's values take at most; -1 for memos and blobs.
    int displayWidth = 8;
    // A column the list hides is left out of every file format.
    bool visible = true;

    // Texts of one byte a character: VARCHAR, CHAR, MEMO, BLOB.
    bool isText() const;
    bool isNumeric() const;
};

class ExportSource {
public:
    virtual ~ExportSource() = default;

    // The list's component name: the worksheet's name and the fallback
    // table name of the SQL script.
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    const QList<ExportColumn>& columns() const { return m_columns; }
    void setDisplayLabel(int column, const QString& label) { m_columns[column].displayLabel = label; }
    void setVisible(int column, bool visible) { m_columns[column].visible = visible; }
    // Indexes of the visible columns, in column order.
    QList<int> visibleColumns() const;

    // A query has a statement text (from which the SQL script takes its
    // table name); rows built in the program have none.
    virtual bool isQuery() const { return false; }
    virtual QString statementText() const { return {}; }

    // Opens the rows when they are closed and stands on the first one;
    // false when there is none. Throws DbError when the database fails.
    virtual bool first() = 0;
    // Moves to the following row; false after the last one.
    virtual bool next() = 0;
    virtual QVariant value(int column) const = 0;
    // A text value of the current row in UTF-8, when the source holds it so
    // (rows read from the database): writers take it without converting it
    // twice. False when it has none; value() gives it then.
    virtual bool textUtf8(int column, std::string_view& utf8) const { return false; }
    // The number of rows when it is known without reading them; else -1.
    virtual qint64 rowCount() const { return -1; }

protected:
    QString m_name;
    QList<ExportColumn> m_columns;
};

// The rows of a statement on the database. An open query is read where it
// stands (a scrollable one from its first row again); a closed one is run
// forward-only, so its rows pass through one at a time. The rows of a
// forward-only query after its first one are read ahead on a thread of
// their own while the caller handles the ones before.
class QueryExportSource : public ExportSource {
public:
    // Reads the caller's query, which lives as long as this source.
    QueryExportSource(QSqlQuery& query, const QString& name);
    // Takes the query over (for example the result of ExecSql).
    QueryExportSource(QSqlQuery&& query, const QString& name);
    // A query of the database services (reports, lists). A closed one is run
    // with its statement text as it stands.
    explicit QueryExportSource(Query& query);
    ~QueryExportSource() override;

    bool isQuery() const override { return true; }
    QString statementText() const override { return m_statement; }
    bool first() override;
    bool next() override;
    QVariant value(int column) const override;
    bool textUtf8(int column, std::string_view& utf8) const override;
    qint64 rowCount() const override;

private:
    void readColumns();

    QList<int> m_charWidths;  // per column: the width of a CHAR column, else 0
    QSqlQuery m_owned;
    QSqlQuery* m_query = nullptr;
    QString m_statement;
    // The rows after the first, when the cursor could be read ahead.
    bool m_prefetchTried = false;
    bool m_onPrefetched = false;
    std::unique_ptr<RowPrefetch> m_prefetch;
};

// Rows held in memory: lists the program builds itself.
class MemoryExportSource : public ExportSource {
public:
    explicit MemoryExportSource(const QString& name);
    // typeName as in ExportColumn; the display width defaults by the type.
    void addColumn(const QString& name, const QString& typeName, int displayWidth = -2);
    void addRow(const QVariantList& values);

    bool first() override;
    bool next() override;
    QVariant value(int column) const override;
    qint64 rowCount() const override { return m_rows.size(); }

private:
    QList<QVariantList> m_rows;
    qsizetype m_current = -1;
};

// The characters of a UTF-8 text (as QString counts them: two for a
// character beyond the basic plane).
qsizetype Utf8Length(std::string_view utf8);
// The first `characters` characters of a UTF-8 text.
std::string_view Utf8Left(std::string_view utf8, qsizetype characters);

// Values of the integer kinds, and of any number kind.
bool IsWholeNumberValue(const QVariant& value);
bool IsNumberValue(const QVariant& value);

// A value as a list shows it: numbers in general form with the workstation's
// decimal separator, dates as "yyyy.mm.dd", NULL as the empty text.
QString ExportValueText(const QVariant& value);
