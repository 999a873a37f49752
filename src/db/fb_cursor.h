#pragma once
// The rest of the rows of a select that the Qt driver has run, fetched
// straight through the Firebird client library on the driver's own
// statement (and so in its transaction). A long list passes without the
// driver's per-row bookkeeping, and the fetching may run on a thread of its
// own: the client library serialises the calls on one attachment.
#include <QByteArray>
#include <QList>
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
    ~FbCursor();

    // Moves to the following row; false after the last one. Throws DbError.
    bool fetch();
    int columnCount() const { return int(m_columns.size()); }
    // A value of the current row, of the type the driver gives it.
    QVariant value(int column) const;
    // A text value of the current row as the database sends it (UTF-8), a
    // fixed-length one with its padding; false for NULL and other types.
    bool text(int column, std::string_view& utf8) const;

private:
    struct Column {
        short type = 0;    // without the nullable bit
        short scale = 0;
        short length = 0;
        qsizetype offset = 0;  // of the data in the row buffer
    };
    FbCursor() = default;

    unsigned int m_statement = 0;
    QByteArray m_descriptor;  // the XSQLDA
    QByteArray m_row;         // where the fetched values land
    QList<Column> m_columns;
};
