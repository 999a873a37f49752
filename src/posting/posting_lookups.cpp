#include "posting_lookups.h"

#include <QSqlQuery>

#include "db/dat.h"

namespace {

// Typed values are widened, so a text longer than the column is simply not
// found instead of failing the statement.
QString findSql(const QString& table, const QString& column) {
    return QStringLiteral("Select * From ") + table + QStringLiteral("\nWhere ") + column
           + QStringLiteral(" = cast(:V as varchar(250))");
}

const QString kJournalVatAccount = QStringLiteral(
    "select A.*, T.SZOVEG\n"
    "  from SZ_ADOASZLA A, SZ_TUKOR T\n"
    " where A.NTIPUS = cast(:ntipus as varchar(250))\n"
    "   and A.KOD = cast(:kod as varchar(250))\n"
    "   AND A.JELLEG = cast(:jelleg as varchar(250))\n"
    "   AND T.SZLA=A.ASZLA");

const QString kJournalVatAccountOf = QStringLiteral(
    "select A.*, T.SZOVEG\n"
    "  from SZ_ADOASZLA A, SZ_TUKOR T\n"
    " where A.NTIPUS = cast(:ntipus as varchar(250))\n"
    "   and A.ASZLA = cast(:aszla as varchar(250))\n"
    "   and A.KOD = cast(:kod as varchar(250))\n"
    "   AND T.SZLA=A.ASZLA");

const QString kRate = QStringLiteral("select ERTEK\n  from SZ_ADO\n where KOD = cast(:kod as varchar(250))");

const QString kDefaultVat = QStringLiteral("Select *\n  from SZ_ADO where Upper(ALAPERTEK)='I'\n ORDER BY KOD desc");

// Short texts keyed by their parts.
QString key(const QString& a, const QString& b, const QString& c) {
    return a + QChar(0x1F) + b + QChar(0x1F) + c;
}

// Texts compare as the database compares them: trailing blanks do not count.
QString comparable(const QString& value) {
    qsizetype end = value.size();
    while (end > 0 && value.at(end - 1) == QLatin1Char(' ')) --end;
    return value.left(end);
}

QVariantMap textParams(std::initializer_list<std::pair<const char*, QString>> values) {
    QVariantMap params;
    for (const auto& [name, value] : values)
        params.insert(QString::fromLatin1(name), value.isNull() ? QStringLiteral("") : value);
    return params;
}

}  // namespace

const PostingLookups::Index& PostingLookups::index(const QString& table, const QString& column) {
    const QString name = table + QLatin1Char('.') + column;
    auto it = m_indexes.find(name);
    if (it != m_indexes.end()) return *it;
    Index rows;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("Select * From ") + table);
    while (NextRow(q)) {
        const QString value = comparable(q.value(column).toString());
        if (!rows.contains(value)) rows.insert(value, q.record());
    }
    return *m_indexes.insert(name, rows);
}

std::optional<QSqlRecord> PostingLookups::find(const QString& table, const QString& column, const QString& value) {
    if (value.isEmpty()) return std::nullopt;
    if (m_cached) {
        const Index& rows = index(table, column);
        auto it = rows.constFind(comparable(value));
        if (it == rows.constEnd()) return std::nullopt;
        return *it;
    }
    QSqlQuery q = ExecSql(d_tarvedo, findSql(table, column), {{QStringLiteral("V"), value}});
    if (!NextRow(q)) return std::nullopt;
    return q.record();
}

std::optional<QSqlRecord> PostingLookups::journalVatAccount(const QString& ntipus, const QString& kod,
                                                            const QString& jelleg) {
    const QString k = key(ntipus, kod, jelleg);
    if (m_cached) {
        auto it = m_journalVat.constFind(k);
        if (it != m_journalVat.constEnd()) return *it;
    }
    std::optional<QSqlRecord> row;
    QSqlQuery q = ExecSql(d_tarvedo, kJournalVatAccount, textParams({{"ntipus", ntipus}, {"kod", kod}, {"jelleg", jelleg}}));
    if (NextRow(q)) row = q.record();
    if (m_cached) m_journalVat.insert(k, row);
    return row;
}

std::optional<QSqlRecord> PostingLookups::journalVatAccountOf(const QString& ntipus, const QString& aszla,
                                                              const QString& kod) {
    const QString k = key(ntipus, aszla, kod);
    if (m_cached) {
        auto it = m_journalVatOf.constFind(k);
        if (it != m_journalVatOf.constEnd()) return *it;
    }
    std::optional<QSqlRecord> row;
    QSqlQuery q = ExecSql(d_tarvedo, kJournalVatAccountOf, textParams({{"ntipus", ntipus}, {"aszla", aszla}, {"kod", kod}}));
    if (NextRow(q)) row = q.record();
    if (m_cached) m_journalVatOf.insert(k, row);
    return row;
}

double PostingLookups::vatRate(const QString& kod) {
    if (m_cached) {
        auto it = m_rates.constFind(kod);
        if (it != m_rates.constEnd()) return *it;
    }
    const QVariant value = SelectValue(d_tarvedo, kRate, textParams({{"kod", kod}}));
    const double rate = value.isValid() ? value.toDouble() : 0.0;
    if (m_cached) m_rates.insert(kod, rate);
    return rate;
}

QString PostingLookups::defaultVatCode() {
    if (m_cached && m_defaultVat) return *m_defaultVat;
    QSqlQuery q = ExecSql(d_tarvedo, kDefaultVat);
    const QString kod = NextRow(q) ? q.value(QStringLiteral("KOD")).toString() : QString();
    if (m_cached) m_defaultVat = kod;
    return kod;
}
