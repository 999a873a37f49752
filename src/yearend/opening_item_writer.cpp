#include "yearend/opening_item_writer.h"

#include <QSqlError>
#include <QStringList>

#include "db/dat.h"
#include "db/db_error.h"

namespace {

// Items per block: the block's parameters stay well within the 64 kB message
// of the database.
constexpr int BlockRows = 48;

const QStringList ItemColumns = {
    QStringLiteral("SORSZAM"),    QStringLiteral("SZLA"),     QStringLiteral("ESZLA"),      QStringLiteral("TELJKELT"),
    QStringLiteral("SZLAKELT"),   QStringLiteral("FIZHATIDO"), QStringLiteral("TIPUS"),     QStringLiteral("SZOVEG"),
    QStringLiteral("ERTEK"),      QStringLiteral("UGYFELKOD"), QStringLiteral("KONYVBIZ"),  QStringLiteral("SZAMLASZAM"),
    QStringLiteral("DEVIZANEM"),  QStringLiteral("DEVIZAERTEK")};

// What every opening item shares, as the block's first parameter.
const QString SharedColumns = QStringLiteral("BIZKELT, KONYVELVE, NTIPUS, TART_KOV, BIZONYLAT, KTSGHELY, KAPOCS, AFAKULCS, SOR65, ARFOLYAM");
const QString SharedValues = QStringLiteral(":MA, :MA, 'NY', '', '', '', '', '', '', 0");

QString blockStatement(int rows) {
    QStringList parameters{QStringLiteral("MA type of column TETEL.BIZKELT = ?")}, inserts;
    for (int row = 0; row < rows; ++row) {
        QStringList values;
        for (const QString& column : ItemColumns) {
            const QString name = QStringLiteral("P%1_%2").arg(row).arg(column);
            parameters << name + QStringLiteral(" type of column TETEL.") + column + QStringLiteral(" = ?");
            values << u':' + name;
        }
        inserts << QStringLiteral("insert into TETEL (%1, %2) values (%3, %4);")
                       .arg(ItemColumns.join(u','), SharedColumns, values.join(u','), SharedValues);
    }
    return QStringLiteral("execute block (%1) as begin %2 end").arg(parameters.join(u','), inserts.join(u' '));
}

QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

}  // namespace

OpeningItemWriter::OpeningItemWriter(QString connection, QString today)
    : m_connection(std::move(connection)), m_today(std::move(today)) {
    m_pending.reserve(BlockRows);
}

OpeningItemWriter::~OpeningItemWriter() = default;

void OpeningItemWriter::write(const LedgerItem& item) {
    m_pending << item;
    if (m_pending.size() == BlockRows) writeBlock();
}

void OpeningItemWriter::writeBlock() {
    const int rows = int(m_pending.size());
    const auto prepared = [&] {
        auto statement = std::make_unique<QSqlQuery>(Connection(m_connection));
        if (!statement->prepare(blockStatement(rows)))
            throw DbError(statement->lastError(), QStringLiteral("execute block (insert into TETEL)"));
        return statement;
    };
    if (rows == BlockRows && !m_block) m_block = prepared();
    const std::unique_ptr<QSqlQuery> rest = rows == BlockRows ? nullptr : prepared();
    QSqlQuery& q = rest ? *rest : *m_block;
    int at = 0;
    q.bindValue(at++, m_today);
    for (const LedgerItem& item : m_pending) {
        for (const QString* value : {&item.sorszam, &item.szla, &item.eszla, &item.teljkelt, &item.szlakelt, &item.fizhatido,
                                     &item.tipus, &item.szoveg})
            q.bindValue(at++, text(*value));
        q.bindValue(at++, item.ertek);
        for (const QString* value : {&item.ugyfelkod, &item.konyvbiz, &item.szamlaszam, &item.devizanem})
            q.bindValue(at++, text(*value));
        q.bindValue(at++, item.devizaertek);
    }
    if (!q.exec()) throw DbError(q.lastError());
    m_pending.clear();
}

void OpeningItemWriter::finish() {
    if (!m_pending.isEmpty()) writeBlock();
    m_block.reset();
}
