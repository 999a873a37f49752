#include "ledger_item.h"

#include <QSqlError>

#include "db/dat.h"
#include "db/db_error.h"

LedgerItemWriter::LedgerItemWriter(QString connection) : m_connection(std::move(connection)) {}

LedgerItemWriter::~LedgerItemWriter() = default;

void LedgerItemWriter::prepare() {
    m_insert = std::make_unique<QSqlQuery>(Connection(m_connection));
    const QString sql = QStringLiteral(
        "insert into TETEL (SORSZAM, SZLA, ESZLA, TELJKELT, SZLAKELT, FIZHATIDO, BIZKELT, KONYVELVE, TIPUS, BIZONYLAT, "
        "SZOVEG, ERTEK, NTIPUS, TART_KOV, UGYFELKOD, KTSGHELY, KONYVBIZ, SZAMLASZAM, KAPOCS, AFAKULCS, SOR65, "
        "DEVIZANEM, DEVIZAERTEK, ARFOLYAM) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!m_insert->prepare(sql)) throw DbError(m_insert->lastError(), sql);
}

namespace {
// Text columns hold empty texts, never nulls.
QString text(const QString& value) { return value.isNull() ? QString(QLatin1String("")) : value; }
}  // namespace

void LedgerItemWriter::write(const LedgerItem& item) {
    QSqlQuery& q = *m_insert;
    q.bindValue(0, text(item.sorszam));
    q.bindValue(1, text(item.szla));
    q.bindValue(2, text(item.eszla));
    q.bindValue(3, text(item.teljkelt));
    q.bindValue(4, text(item.szlakelt));
    q.bindValue(5, text(item.fizhatido));
    q.bindValue(6, text(item.bizkelt));
    q.bindValue(7, text(item.konyvelve));
    q.bindValue(8, text(item.tipus));
    q.bindValue(9, text(item.bizonylat));
    q.bindValue(10, text(item.szoveg));
    q.bindValue(11, item.ertek);
    q.bindValue(12, text(item.ntipus));
    q.bindValue(13, text(item.tartKov));
    q.bindValue(14, text(item.ugyfelkod));
    q.bindValue(15, text(item.ktsghely));
    q.bindValue(16, text(item.konyvbiz));
    q.bindValue(17, text(item.szamlaszam));
    q.bindValue(18, text(item.kapocs));
    q.bindValue(19, text(item.afakulcs));
    q.bindValue(20, text(item.sor65));
    q.bindValue(21, text(item.devizanem));
    q.bindValue(22, item.devizaertek);
    q.bindValue(23, item.arfolyam);
    if (!q.exec()) throw DbError(q.lastError());
}

void LedgerItemWriter::finish() { m_insert.reset(); }
