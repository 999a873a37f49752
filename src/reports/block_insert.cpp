#include "reports/block_insert.h"

#include "db/dat.h"
#include "db/db_error.h"

namespace {

// Rows per block: the parameters of a block of the widest result rows stay
// well within the 64 kB message of the database.
constexpr int BlockRows = 32;

}  // namespace

BlockInsert::BlockInsert(const QString& table, const QStringList& columns) : m_table(table), m_columns(columns) {
    m_pending.reserve(BlockRows * columns.size());
}

BlockInsert::~BlockInsert() = default;

QString BlockInsert::statementFor(int rows) const {
    QStringList parameters, inserts;
    for (int row = 0; row < rows; ++row) {
        QStringList values;
        for (int c = 0; c < m_columns.size(); ++c) {
            const QString name = QStringLiteral("P%1_%2").arg(row).arg(c);
            parameters << name + QStringLiteral(" type of column ") + m_table + u'.' + m_columns.at(c) + QStringLiteral(" = ?");
            values << u':' + name;
        }
        inserts << QStringLiteral("insert into %1 (%2) values (%3);")
                       .arg(m_table, m_columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
    }
    return QStringLiteral("execute block (%1) as begin %2 end").arg(parameters.join(QLatin1Char(',')), inserts.join(u' '));
}

void BlockInsert::write(QSqlQuery& statement, int rows) {
    for (int i = 0; i < m_pending.size(); ++i) statement.bindValue(i, m_pending.at(i));
    if (!statement.exec()) throw DbError(statement.lastError(), QStringLiteral("execute block (insert into ") + m_table + u')');
    m_written += rows;
    m_pending.clear();
}

void BlockInsert::add(const QVariantList& values) {
    m_pending += values;
    if (m_pending.size() < BlockRows * m_columns.size()) return;
    if (!m_block) {
        m_block = std::make_unique<QSqlQuery>(Connection(d_tarvedo));
        if (!m_block->prepare(statementFor(BlockRows))) throw DbError(m_block->lastError(), statementFor(BlockRows));
    }
    write(*m_block, BlockRows);
}

qint64 BlockInsert::finish() {
    const int rows = int(m_pending.size() / m_columns.size());
    if (rows > 0) {
        QSqlQuery rest(Connection(d_tarvedo));
        if (!rest.prepare(statementFor(rows))) throw DbError(rest.lastError(), statementFor(rows));
        write(rest, rows);
    }
    m_block.reset();
    return m_written;
}
