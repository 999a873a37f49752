#pragma once
// Rows written into a table in blocks: one EXECUTE BLOCK inserts many rows,
// so a report that writes hundreds of thousands of result rows pays the
// statement's round trip once per block instead of once per row. The
// caller holds the transaction.
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

class BlockInsert {
public:
    // The rows go into `columns` of `table`; each parameter takes the type
    // of its column.
    BlockInsert(const QString& table, const QStringList& columns);
    ~BlockInsert();
    // One row, its values in the order of the columns.
    void add(const QVariantList& values);
    // Writes the rows still waiting for a full block. Returns the rows written in all.
    qint64 finish();

private:
    void write(QSqlQuery& statement, int rows);
    QString statementFor(int rows) const;

    QString m_table;
    QStringList m_columns;
    QVariantList m_pending;
    std::unique_ptr<QSqlQuery> m_block;
    qint64 m_written = 0;
};
