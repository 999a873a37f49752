#include "item_statements.h"

#include <QSqlError>

#include "db/altproc.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "db/dat.h"

PreparedStatement::PreparedStatement(const QString& sql) : m_sql(sql), m_positional(ToPositional(sql)) {}

QSqlQuery& PreparedStatement::exec(const QVariantMap& params) {
    if (!m_query) {
        m_query = std::make_unique<QSqlQuery>(Connection(d_tarvedo));
        m_query->setForwardOnly(true);
        if (!m_query->prepare(m_positional.text)) throw DbError(m_query->lastError(), m_sql);
    }
    QVariantMap upper;
    for (auto it = params.cbegin(); it != params.cend(); ++it) upper.insert(it.key().toUpper(), it.value());
    for (int i = 0; i < m_positional.names.size(); ++i) {
        const QVariant value = upper.value(m_positional.names[i]);
        m_query->bindValue(i, value.isValid() ? value : QVariant(QMetaType::fromType<QString>()));
    }
    if (!m_query->exec()) throw DbError(m_query->lastError(), m_sql);
    return *m_query;
}

ItemStatements::ItemStatements(const VoucherStatements& statements)
    : m_insert(statements.qi_tetel.join(QLatin1Char('\n'))),
      m_maxLink(MaxLinkStatement().join(QLatin1Char('\n'))) {}

int ItemStatements::maxLink(const QString& ntipus, const QString& konyvbiz) {
    QSqlQuery& q = m_maxLink.exec({{QStringLiteral("ntipus"), ntipus.isNull() ? QStringLiteral("") : ntipus},
                                   {QStringLiteral("konyvbiz"), konyvbiz.isNull() ? QStringLiteral("") : konyvbiz}});
    const QVariant max = NextRow(q) ? q.value(0) : QVariant();
    return IntFromDigits(max.isNull() ? QString() : max.toString());
}

QString ItemStatements::nextNumber(const QString& kind) { return NextSequenceNumber(kind); }
