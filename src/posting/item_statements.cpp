#include "item_statements.h"

#include <QSqlError>

#include "db/altproc.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "db/dat.h"

namespace {

// Taking a number is one locked step on a free counter row; a missing or
// marked row is left to the allocation with its wait question.
const QString kTakeNumber = QStringLiteral(
    "update SORSZAM set UTOLSO = UTOLSO + 1\n"
    " where FAJTA = :qpfajta and EV = :qpev and (FOGLALT is null or FOGLALT = '')\n"
    "returning UTOLSO");

const QString kTakeNumbers = QStringLiteral(
    "update SORSZAM set UTOLSO = UTOLSO + :qpdb\n"
    " where FAJTA = :qpfajta and EV = :qpev and (FOGLALT is null or FOGLALT = '')\n"
    "returning UTOLSO");

}  // namespace

qlonglong TakeNumbers(const QString& kind, qlonglong count) {
    if (count <= 0) return 0;
    const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
    const auto take = [&](qlonglong n) -> QVariant {
        QSqlQuery q = ExecSql(d_tarvedo, kTakeNumbers,
                              {{QStringLiteral("qpdb"), n}, {QStringLiteral("qpfajta"), kind}, {QStringLiteral("qpev"), year}});
        return NextRow(q) ? q.value(0) : QVariant();
    };
    const QVariant last = take(count);
    if (last.isValid() && !last.isNull()) return last.toLongLong() - count + 1;
    // A new counter, or one marked taken: the allocation with its wait question.
    const QString number = NextSequenceNumber(kind);
    if (number == QLatin1String("-1")) return -1;
    const qlonglong first = number.mid(2).toLongLong();
    if (count > 1) take(count - 1);
    return first;
}

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
      m_maxLink(MaxLinkStatement().join(QLatin1Char('\n'))),
      m_counter(kTakeNumber) {}

int ItemStatements::maxLink(const QString& ntipus, const QString& konyvbiz) {
    QSqlQuery& q = m_maxLink.exec({{QStringLiteral("ntipus"), ntipus.isNull() ? QStringLiteral("") : ntipus},
                                   {QStringLiteral("konyvbiz"), konyvbiz.isNull() ? QStringLiteral("") : konyvbiz}});
    const QVariant max = NextRow(q) ? q.value(0) : QVariant();
    return IntFromDigits(max.isNull() ? QString() : max.toString());
}

QString ItemStatements::nextNumber(const QString& kind) {
    const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
    QSqlQuery& q = m_counter.exec({{QStringLiteral("qpfajta"), kind}, {QStringLiteral("qpev"), year}});
    if (NextRow(q) && !q.value(0).isNull()) return SequenceNumberText(year, q.value(0).toLongLong());
    return NextSequenceNumber(kind);
}
