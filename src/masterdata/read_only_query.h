#pragma once
// A statement run in a read-only transaction of its own: the rows of a list
// the user composed or typed. Only a plain SELECT that advances no sequence
// is run at all (checked on its text and on the engine's statement kind
// before anything runs); the read-only transaction then makes the engine
// refuse what a selected procedure would write.
#include <QString>
#include <QVariantList>
#include <memory>

#include "export/export_source.h"
#include "masterdata/read_statement_check.h"

class FbCursor;
class RowPrefetch;

class ReadOnlyQuery : public ExportSource {
public:
    // Prepares and runs `sql` on the attachment of `connection`, with
    // `values` bound to its "?" placeholders in order. Throws DbError with
    // its own message, having run nothing, when the statement is not a plain
    // query or would advance a sequence, and with the engine's message when
    // the engine refuses it.
    ReadOnlyQuery(const QString& connection, const QString& sql, const QVariantList& values = {},
                  const QString& name = QStringLiteral("q_lista"));
    // Named placeholders (":NAME") bound by name.
    static std::unique_ptr<ReadOnlyQuery> withNames(const QString& connection, const QString& sql,
                                                    const QVariantMap& params,
                                                    const QString& name = QStringLiteral("q_lista"));
    ~ReadOnlyQuery() override;
    ReadOnlyQuery(const ReadOnlyQuery&) = delete;
    ReadOnlyQuery& operator=(const ReadOnlyQuery&) = delete;

    bool isQuery() const override { return true; }
    QString statementText() const override { return m_sql; }
    bool first() override;
    bool next() override;
    QVariant value(int column) const override;
    bool textUtf8(int column, std::string_view& utf8) const override;

private:
    void execute();
    bool fetch();
    void release();
    QVariant blobValue(int column) const;

    QString m_sql;
    unsigned int m_database = 0;
    unsigned int m_transaction = 0;
    unsigned int m_statement = 0;
    QByteArray m_params;                 // the input descriptor
    QList<QByteArray> m_paramValues;     // UTF-8 values it points into
    QList<short> m_paramNulls;
    std::unique_ptr<FbCursor> m_cursor;
    // Without blob columns the rows are read ahead on a thread of their own.
    std::unique_ptr<RowPrefetch> m_prefetch;
    bool m_hasBlobs = false;
    QList<int> m_charWidths;             // CHAR columns: characters; else 0
    QList<bool> m_textBlob;              // MEMO columns
    bool m_cursorOpen = false;
    bool m_onFirst = false;              // the last fetch gave the first row
    bool m_fetched = false;              // a row was fetched since the statement ran
};
