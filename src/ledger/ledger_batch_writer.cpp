#include "ledger_batch_writer.h"

#include <QRegularExpression>

namespace {

QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

// A column and the item's member it takes: a text or an amount.
struct Column {
    const char* name;
    QString LedgerItem::*text;
    double LedgerItem::*number;
};
const Column kColumns[] = {
    {"SORSZAM", &LedgerItem::sorszam, nullptr},
    {"SZLA", &LedgerItem::szla, nullptr},
    {"ESZLA", &LedgerItem::eszla, nullptr},
    {"TELJKELT", &LedgerItem::teljkelt, nullptr},
    {"SZLAKELT", &LedgerItem::szlakelt, nullptr},
    {"FIZHATIDO", &LedgerItem::fizhatido, nullptr},
    {"BIZKELT", &LedgerItem::bizkelt, nullptr},
    {"KONYVELVE", &LedgerItem::konyvelve, nullptr},
    {"TIPUS", &LedgerItem::tipus, nullptr},
    {"BIZONYLAT", &LedgerItem::bizonylat, nullptr},
    {"SZOVEG", &LedgerItem::szoveg, nullptr},
    {"ERTEK", nullptr, &LedgerItem::ertek},
    {"NTIPUS", &LedgerItem::ntipus, nullptr},
    {"TART_KOV", &LedgerItem::tartKov, nullptr},
    {"UGYFELKOD", &LedgerItem::ugyfelkod, nullptr},
    {"KTSGHELY", &LedgerItem::ktsghely, nullptr},
    {"KONYVBIZ", &LedgerItem::konyvbiz, nullptr},
    {"SZAMLASZAM", &LedgerItem::szamlaszam, nullptr},
    {"KAPOCS", &LedgerItem::kapocs, nullptr},
    {"AFAKULCS", &LedgerItem::afakulcs, nullptr},
    {"SOR65", &LedgerItem::sor65, nullptr},
    {"DEVIZANEM", &LedgerItem::devizanem, nullptr},
    {"DEVIZAERTEK", nullptr, &LedgerItem::devizaertek},
    {"ARFOLYAM", nullptr, &LedgerItem::arfolyam},
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
        const Column& column = kColumns[m_columns[i]];
        if (column.text)
            m_params.text(i, text(item.*column.text));
        else
            m_params.number(i, item.*column.number);
    }
    m_transaction.execute(m_insert, m_params);
}
