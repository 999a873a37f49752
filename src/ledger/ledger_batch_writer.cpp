#include "ledger_batch_writer.h"

#include <QRegularExpression>
#include <QVariant>

namespace {

QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

struct Column {
    const char* name;
    QVariant (*value)(const LedgerItem&);
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

QStringList names(const QList<int>& indexes) {
    QStringList list;
    for (int c : indexes) list << QString::fromLatin1(kColumns[c].name);
    return list;
}

}  // namespace

LedgerBatchWriter::LedgerBatchWriter(const QString& connection, const QStringList& columns)
    : m_columns(chosen(columns)), m_insert(QStringLiteral("TETEL"), names(m_columns), connection) {}

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
    QVariantList values;
    values.reserve(m_columns.size());
    for (int c : m_columns) values << kColumns[c].value(item);
    m_insert.add(values);
}

void LedgerBatchWriter::finish() { m_insert.finish(); }
