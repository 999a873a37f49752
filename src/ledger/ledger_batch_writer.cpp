#include "ledger_batch_writer.h"

#include <QRegularExpression>
#include <QVariant>

namespace {

QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

struct Column {
    const char* name;
    QVariant (*value)(const LedgerItem&);  // a QString or a double
};
const Column kColumns[] = {
    {"SORSZAM", [](const LedgerItem& i) { return QVariant(text(i.sorszam)); }},
    {"SZLA", [](const LedgerItem& i) { return QVariant(text(i.szla)); }},
    {"ESZLA", [](const LedgerItem& i) { return QVariant(text(i.eszla)); }},
    {"TELJKELT", [](const LedgerItem& i) { return QVariant(text(i.teljkelt)); }},
    {"SZLAKELT", [](const LedgerItem& i) { return QVariant(text(i.szlakelt)); }},
    {"FIZHATIDO", [](const LedgerItem& i) { return QVariant(text(i.fizhatido)); }},
    {"BIZKELT", [](const LedgerItem& i) { return QVariant(text(i.bizkelt)); }},
    {"KONYVELVE", [](const LedgerItem& i) { return QVariant(text(i.konyvelve)); }},
    {"TIPUS", [](const LedgerItem& i) { return QVariant(text(i.tipus)); }},
    {"BIZONYLAT", [](const LedgerItem& i) { return QVariant(text(i.bizonylat)); }},
    {"SZOVEG", [](const LedgerItem& i) { return QVariant(text(i.szoveg)); }},
    {"ERTEK", [](const LedgerItem& i) { return QVariant(i.ertek); }},
    {"NTIPUS", [](const LedgerItem& i) { return QVariant(text(i.ntipus)); }},
    {"TART_KOV", [](const LedgerItem& i) { return QVariant(text(i.tartKov)); }},
    {"UGYFELKOD", [](const LedgerItem& i) { return QVariant(text(i.ugyfelkod)); }},
    {"KTSGHELY", [](const LedgerItem& i) { return QVariant(text(i.ktsghely)); }},
    {"KONYVBIZ", [](const LedgerItem& i) { return QVariant(text(i.konyvbiz)); }},
    {"SZAMLASZAM", [](const LedgerItem& i) { return QVariant(text(i.szamlaszam)); }},
    {"KAPOCS", [](const LedgerItem& i) { return QVariant(text(i.kapocs)); }},
    {"AFAKULCS", [](const LedgerItem& i) { return QVariant(text(i.afakulcs)); }},
    {"SOR65", [](const LedgerItem& i) { return QVariant(text(i.sor65)); }},
    {"DEVIZANEM", [](const LedgerItem& i) { return QVariant(text(i.devizanem)); }},
    {"DEVIZAERTEK", [](const LedgerItem& i) { return QVariant(i.devizaertek); }},
    {"ARFOLYAM", [](const LedgerItem& i) { return QVariant(i.arfolyam); }},
};
constexpr int kColumnCount = int(sizeof(kColumns) / sizeof(kColumns[0]));

QList<int> chosen(const QStringList& columns) {
    QList<int> indexes;
    for (int c = 0; c < kColumnCount; ++c)
        if (columns.isEmpty() || columns.contains(QLatin1String(kColumns[c].name))) indexes << c;
    return indexes;
}

QString insertOf(const QList<int>& indexes) {
    QStringList names;
    for (int c : indexes) names << QString::fromLatin1(kColumns[c].name);
    return QStringLiteral("insert into TETEL (%1) values (%2)")
        .arg(names.join(QLatin1Char(',')), QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')));
}

}  // namespace

LedgerBatchWriter::LedgerBatchWriter(FbWriteTransaction& transaction, const QStringList& columns)
    : m_transaction(transaction), m_columns(chosen(columns)), m_insert(transaction.prepare(insertOf(m_columns))) {}

QStringList LedgerBatchWriter::ColumnsOf(const QString& insertStatement) {
    static const QRegularExpression list(QStringLiteral("\\(([^)]*)\\)"));
    QStringList columns;
    const QRegularExpressionMatch match = list.match(insertStatement);
    if (!match.hasMatch()) return columns;
    for (const QString& name : match.captured(1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString column = name.trimmed().toUpper();
        if (!column.isEmpty()) columns << column;
    }
    return columns;
}

void LedgerBatchWriter::write(const LedgerItem& item) {
    m_params.reset(int(m_columns.size()));
    for (int i = 0; i < m_columns.size(); ++i) {
        const QVariant value = kColumns[m_columns[i]].value(item);
        if (value.metaType().id() == QMetaType::Double)
            m_params.number(i, value.toDouble());
        else
            m_params.text(i, value.toString());
    }
    m_transaction.execute(m_insert, m_params);
}
