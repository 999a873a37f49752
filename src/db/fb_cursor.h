#pragma once
// The rest of the rows of a select that the Qt driver has run, fetched
// straight through the Firebird client library on the driver's own
// statement (and so in its transaction). A long list passes without the
// driver's per-row bookkeeping, and the fetching may run on a thread of its
// own: the client library serialises the calls on one attachment.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <string_view>

class QSqlQuery;

class FbCursor {
public:
    // The open cursor of `query` from the row after the current one on;
    // nullptr when it cannot be read so: another driver, a scrollable
    // query, or blob or array columns (which need the driver).
    static std::unique_ptr<FbCursor> take(const QSqlQuery& query);
    // The output of a statement prepared straight through the client
    // library (an isc_stmt_handle). With `withBlobs`, blob columns are
    // described too: their values are read by blobId. nullptr when the
    // statement has no output columns or cannot be described.
    static std::unique_ptr<FbCursor> describe(unsigned int statement, bool withBlobs);
    ~FbCursor();

    // Moves to the following row; false after the last one. Throws DbError.
    bool fetch();
    int columnCount() const { return int(m_columns.size()); }
    // A value of the current row, of the type the driver gives it.
    QVariant value(int column) const;
    // A text value of the current row as the database sends it (UTF-8), a
    // fixed-length one with its padding; false for NULL and other types.
    bool text(int column, std::string_view& utf8) const;

    // What the statement says of an output column.
    struct ColumnInfo {
        QString name;      // the alias, as the result names it
        short type = 0;    // SQL_VARYING, SQL_LONG ... without the nullable bit
        short subType = 0; // a blob's sub type (1: text)
        short scale = 0;
        short length = 0;  // bytes
    };
    ColumnInfo info(int column) const;
    // The id of a blob value of the current row (8 bytes, an ISC_QUAD);
    // false for NULL.
    bool blobId(int column, void* id) const;

private:
    struct Column {
        short type = 0;    // without the nullable bit
        short scale = 0;
        short length = 0;
        short subType = 0;
        QString name;
        qsizetype offset = 0;  // of the data in the row buffer
    };
    FbCursor() = default;

    unsigned int m_statement = 0;
    QByteArray m_descriptor;  // the XSQLDA
    QByteArray m_row;         // where the fetched values land
    QList<Column> m_columns;
};
