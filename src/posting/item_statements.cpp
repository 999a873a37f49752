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

namespace {
QString voucherKey(const QVariant& ntipus, const QVariant& konyvbiz) {
    return ntipus.toString() + QChar(0x1F) + konyvbiz.toString();
}
}  // namespace

void ItemStatements::insert(const QVariantMap& params) {
    m_insert.exec(params);
    const QString key = voucherKey(params.value(QStringLiteral("ntipus")), params.value(QStringLiteral("konyvbiz")));
    const auto known = m_maxLinks.find(key);
    if (known != m_maxLinks.end())
        *known = qMax(*known, IntFromDigits(params.value(QStringLiteral("kapocs")).toString()));
}

int ItemStatements::maxLink(const QString& ntipus, const QString& konyvbiz) {
    const QString key = voucherKey(ntipus, konyvbiz);
    if (const auto known = m_maxLinks.constFind(key); known != m_maxLinks.constEnd()) return *known;
    QSqlQuery& q = m_maxLink.exec({{QStringLiteral("ntipus"), ntipus.isNull() ? QStringLiteral("") : ntipus},
                                   {QStringLiteral("konyvbiz"), konyvbiz.isNull() ? QStringLiteral("") : konyvbiz}});
    const QVariant max = NextRow(q) ? q.value(0) : QVariant();
    const int link = IntFromDigits(max.isNull() ? QString() : max.toString());
    m_maxLinks.insert(key, link);
    return link;
}

QString ItemStatements::nextNumber(const QString& kind) {
    return NextSequenceNumber(kind);
}
