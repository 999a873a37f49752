#pragma once
// The rows of the editor's query held in memory: the grid shows them, the
// panel shows the current one, searching and positioning read them.
#include <QList>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

class RowSet {
public:
    // Reads every row of the query (and its columns).
    void load(QSqlQuery& query);
    void clear();
    bool isOpen() const { return m_open; }

    int count() const { return int(m_rows.size()); }
    // The columns with their types, without values.
    const QSqlRecord& columns() const { return m_columns; }
    // The columns with the values of a row.
    QSqlRecord record(int row) const;
    QVariant value(int row, int column) const { return m_rows[row][column]; }
    void setValue(int row, int column, const QVariant& value) { m_rows[row][column] = value; }

    int current = -1;  // -1: no current row
    QSqlRecord currentRecord() const { return current >= 0 && current < count() ? record(current) : QSqlRecord(); }

private:
    bool m_open = false;
    QSqlRecord m_columns;
    QList<QVariantList> m_rows;
};
