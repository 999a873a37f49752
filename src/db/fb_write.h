#pragma once
// Writing straight through the Firebird client library, in a transaction
// of its own on a connection's attachment: many rows pass without the Qt
// driver's per-value and per-execution bookkeeping, which costs more than
// the engine's own work on a row. Used for the bulk writes of a posted file
// and an import; their reads stay on the connection.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringEncoder>
#include <vector>

#include <ibase.h>

// The parameters of one execution, each value with a buffer of its own.
// Every value is set again before each execution.
class FbParams {
public:
    // Values 0 to count-1 are set next; the places keep their buffers, so
    // rows of another count need no clearing.
    void reset(int count);
    // A text as UTF-8; a null QString goes as NULL.
    void text(int i, const QString& value) { text(i, value, value.isNull()); }
    void text(int i, const QString& value, bool null);
    void number(int i, double value);
    XSQLDA* da() { return reinterpret_cast<XSQLDA*>(m_bytes.data()); }

private:
    QByteArray m_bytes;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    std::vector<QByteArray> m_texts;
    std::vector<double> m_numbers;
    std::vector<short> m_null;
};

class FbWriteTransaction {
public:
    // Read committed, waiting for locks. Throws DbError.
    explicit FbWriteTransaction(const QString& connection);
    // Rolls back what was not committed.
    ~FbWriteTransaction();
    FbWriteTransaction(const FbWriteTransaction&) = delete;
    FbWriteTransaction& operator=(const FbWriteTransaction&) = delete;

    // A statement with no parameters and no result.
    void execute(const QString& sql);
    // The one integer the statement returns.
    qint64 selectInteger(const QString& sql);
    // A statement with "?" parameters, prepared once per text for the
    // transaction; freed with it.
    isc_stmt_handle prepare(const QString& sql);
    // Runs a prepared statement with `params`. Throws DbError.
    void execute(isc_stmt_handle statement, FbParams& params);
    void execute(const QString& sql, FbParams& params) { execute(prepare(sql), params); }
    void commit();

private:
    isc_db_handle m_database = 0;
    isc_tr_handle m_transaction = 0;
    QHash<QString, isc_stmt_handle> m_statements;
    ISC_STATUS_ARRAY m_status{};
};
