#include "ledger_batch_writer.h"

#include <QSqlError>
#include <QStringList>

#include "db/dat.h"
#include "db/db_error.h"

namespace {

// Rows per block: the block's parameters stay well within the 64 kB message
// of the database.
constexpr int kBlockRows = 32;

struct Column {
    const char* name;
    const char* type;
};
const Column kColumns[] = {
    {"SORSZAM", "varchar(15)"},   {"SZLA", "varchar(10)"},      {"ESZLA", "varchar(10)"},    {"TELJKELT", "varchar(10)"},
    {"SZLAKELT", "varchar(10)"},  {"FIZHATIDO", "varchar(10)"}, {"BIZKELT", "varchar(10)"},  {"KONYVELVE", "varchar(10)"},
    {"TIPUS", "varchar(1)"},      {"BIZONYLAT", "varchar(15)"}, {"SZOVEG", "varchar(120)"},  {"ERTEK", "double precision"},
    {"NTIPUS", "varchar(2)"},     {"TART_KOV", "varchar(1)"},   {"UGYFELKOD", "varchar(7)"}, {"KTSGHELY", "varchar(10)"},
    {"KONYVBIZ", "varchar(15)"},  {"SZAMLASZAM", "varchar(30)"}, {"KAPOCS", "varchar(9)"},   {"AFAKULCS", "varchar(2)"},
    {"SOR65", "varchar(3)"},      {"DEVIZANEM", "varchar(3)"},  {"DEVIZAERTEK", "double precision"},
    {"ARFOLYAM", "double precision"},
};
constexpr int kColumnCount = int(sizeof(kColumns) / sizeof(kColumns[0]));

QString blockStatement() {
    QStringList names, parameters, inserts;
    for (const Column& c : kColumns) names << QString::fromLatin1(c.name);
    for (int row = 0; row < kBlockRows; ++row) {
        QStringList values;
        for (int c = 0; c < kColumnCount; ++c) {
            parameters << QStringLiteral("P%1_%2 %3 = ?").arg(row).arg(c).arg(QString::fromLatin1(kColumns[c].type));
            values << QStringLiteral(":P%1_%2").arg(row).arg(c);
        }
        inserts << QStringLiteral("insert into TETEL (%1) values (%2);").arg(names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
    }
    return QStringLiteral("execute block (%1) as begin %2 end").arg(parameters.join(QLatin1Char(',')), inserts.join(QLatin1Char(' ')));
}

QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

}  // namespace

LedgerBatchWriter::LedgerBatchWriter(QString connection) : m_connection(std::move(connection)), m_single(m_connection) {
    m_pending.reserve(kBlockRows);
}

LedgerBatchWriter::~LedgerBatchWriter() = default;

void LedgerBatchWriter::write(const LedgerItem& item) {
    m_pending << item;
    if (m_pending.size() == kBlockRows) writeBlock();
}

void LedgerBatchWriter::writeBlock() {
    if (!m_block) {
        m_block = std::make_unique<QSqlQuery>(Connection(m_connection));
        const QString sql = blockStatement();
        if (!m_block->prepare(sql)) throw DbError(m_block->lastError(), QStringLiteral("execute block (insert into TETEL)"));
    }
    QSqlQuery& q = *m_block;
    int at = 0;
    for (const LedgerItem& item : m_pending) {
        q.bindValue(at++, text(item.sorszam));
        q.bindValue(at++, text(item.szla));
        q.bindValue(at++, text(item.eszla));
        q.bindValue(at++, text(item.teljkelt));
        q.bindValue(at++, text(item.szlakelt));
        q.bindValue(at++, text(item.fizhatido));
        q.bindValue(at++, text(item.bizkelt));
        q.bindValue(at++, text(item.konyvelve));
        q.bindValue(at++, text(item.tipus));
        q.bindValue(at++, text(item.bizonylat));
        q.bindValue(at++, text(item.szoveg));
        q.bindValue(at++, item.ertek);
        q.bindValue(at++, text(item.ntipus));
        q.bindValue(at++, text(item.tartKov));
        q.bindValue(at++, text(item.ugyfelkod));
        q.bindValue(at++, text(item.ktsghely));
        q.bindValue(at++, text(item.konyvbiz));
        q.bindValue(at++, text(item.szamlaszam));
        q.bindValue(at++, text(item.kapocs));
        q.bindValue(at++, text(item.afakulcs));
        q.bindValue(at++, text(item.sor65));
        q.bindValue(at++, text(item.devizanem));
        q.bindValue(at++, item.devizaertek);
        q.bindValue(at++, item.arfolyam);
    }
    if (!q.exec()) throw DbError(q.lastError());
    m_pending.clear();
}

void LedgerBatchWriter::finish() {
    if (!m_pending.isEmpty()) {
        if (!m_singlePrepared) {
            m_single.prepare();
            m_singlePrepared = true;
        }
        for (const LedgerItem& item : m_pending) m_single.write(item);
        m_pending.clear();
    }
    m_single.finish();
    m_block.reset();
}
