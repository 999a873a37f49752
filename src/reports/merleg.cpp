#include "reports/merleg.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <stdexcept>

#include "db/dat.h"
#include "reports/eredmeny.h"

namespace {

const QString MerlegTable = QStringLiteral("MERLEG");

// The groups of settlement accounts netted onto one side of the sheet.
const QList<QStringList> SettlementGroups{
    {QStringLiteral("361")},
    {QStringLiteral("362"), QStringLiteral("363")},
    {QStringLiteral("461")},
    {QStringLiteral("462")},
    {QStringLiteral("463"), QStringLiteral("464")},
    {QStringLiteral("465")},
    {QStringLiteral("4661"), QStringLiteral("4667")},
};

// TARGYEV of the lines whose ID is listed, each once.
double sumOfLines(const std::vector<MerlegLine>& lines, const QHash<int, size_t>& byId, const QStringList& ids,
                  const MerlegLine& line) {
    QSet<int> seen;
    double sum = 0;
    for (const QString& item : ids) {
        if (item.trimmed().isEmpty()) continue;
        bool ok = false;
        const int id = item.trimmed().toInt(&ok);
        if (!ok)
            throw std::invalid_argument(QStringLiteral("A mérleg %1 azonosítójú sorának képlete hibás: %2 (sorok "
                                                       "azonosítói kellenek + és - jelekkel)")
                                            .arg(line.id)
                                            .arg(line.keplet)
                                            .toStdString());
        if (seen.contains(id)) continue;
        seen.insert(id);
        if (byId.contains(id)) sum += lines[byId.value(id)].targyev;
    }
    return sum;
}

double lineValue(const MerlegLine& line, const std::vector<MerlegLine>& lines, const QHash<int, size_t>& byId,
                 const FokivBalances& balances, const MerlegInputs& inputs) {
    const QString formula = line.keplet.trimmed();
    if (formula.isEmpty() || formula.startsWith(u'?')) return 0;
    const QString kind = line.keplethol.trimmed();
    if (kind.startsWith(u'K')) {
        if (line.sorszam.trimmed().startsWith(QLatin1String("VII"))) return inputs.incomeResult;
        return ThousandForints(AccountFormula(line.keplet, line.id < MerlegFirstLiabilityId, balances));
    }
    const QString upper = kind.toUpper();
    if (upper.startsWith(u'M')) {
        const LineFormulaLists parts = SplitLineFormula(line.keplet);
        return sumOfLines(lines, byId, parts.added, line) - sumOfLines(lines, byId, parts.subtracted, line);
    }
    if (upper.startsWith(QLatin1String("E1"))) return ThousandForints(NetSettlements(balances).assets);
    if (upper.startsWith(QLatin1String("E2")))
        return ThousandForints(NetSettlements(balances).liabilities - balances.exact(QStringLiteral("469")) -
                               balances.exact(QStringLiteral("47")));
    if (upper.startsWith(u'E')) return inputs.eredmenyG;
    return 0;
}

}  // namespace

std::vector<MerlegLine> ReadMerlegLines() {
    std::vector<MerlegLine> lines;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, "
                                                    "ELOZOEV, TARGYEV from MERLEG order by ID"));
    while (NextRow(q))
        lines.push_back({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString(), q.value(5).toString(), q.value(6).toDouble(), q.value(7).toDouble()});
    return lines;
}

double AccountFormula(const QString& formula, bool assetSide, const FokivBalances& balances) {
    QString text = formula;
    text.remove(u' ');
    text = text.left(101);
    if (text.startsWith(u'+')) text.remove(0, 1);
    QChar sign = u'+';
    double sum = 0;
    while (!text.isEmpty()) {
        qsizetype digits = 0;
        while (digits < text.size() && text.at(digits) >= u'0' && text.at(digits) <= u'9') ++digits;
        const double v = balances.exact(text.left(digits));
        text.remove(0, digits);
        if (assetSide) sum += v;
        else sum += sign == u'-' ? v : -v;
        if (!text.isEmpty()) {
            sign = text.at(0);
            text.remove(0, 1);
        }
    }
    return sum;
}

SettlementTotals NetSettlements(const FokivBalances& balances) {
    SettlementTotals totals;
    for (const QStringList& group : SettlementGroups) {
        double net = 0;
        for (const QString& szla : group) net += balances.exact(szla);
        if (net > 0) totals.assets += net;
        else totals.liabilities -= net;
    }
    return totals;
}

std::vector<int> ComputeMerlegLines(std::vector<MerlegLine>& lines, const FokivBalances& balances,
                                    const MerlegInputs& inputs) {
    QHash<int, size_t> byId;
    std::vector<size_t> order;
    for (size_t i = 0; i < lines.size(); ++i) {
        byId.insert(lines[i].id, i);
        if (lines[i].szsorszam != 0) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return lines[a].szsorszam < lines[b].szsorszam; });
    std::vector<int> computed;
    for (size_t i : order) {
        MerlegLine& line = lines[i];
        double v = lineValue(line, lines, byId, balances, inputs);
        if (line.keplethol.trimmed().mid(1, 1) == u"-") v = -v;
        line.targyev = v;
        computed.push_back(line.id);
    }
    return computed;
}

QString MerlegTitle(const QString& merlegtipus) {
    const QString variant = merlegtipus.trimmed().toUpper();
    if (variant == u"A") return QStringLiteral("MÉRLEG  \"A\" változat");
    if (variant == u"B") return QStringLiteral("MÉRLEG  \"B\" változat");
    return QStringLiteral("MÉRLEG ");
}

QString MerlegTitle() { return MerlegTitle(Td().ceg.text(QStringLiteral("MERLEGTIPUS"))); }

QString MerlegListing() { return QStringLiteral("select * from\nMERLEG\n\norder by ID"); }

void ComputeMerleg(const FokivCriteria& criteria, ResultTable& fokivTable, const ReportStep& step) {
    RunFokiv(criteria, fokivTable, FokivCallerMerleg, step);
    ComputeMerlegFromTable(fokivTable.name);
}

void ComputeMerlegFromTable(const QString& fokivTable) {
    const FokivBalances balances = FokivBalances::Read(fokivTable);
    MerlegInputs inputs;
    inputs.incomeResult = Td().IncomeResult;
    inputs.eredmenyG =
        SelectValue(d_tarvedo, QStringLiteral("SELECT TARGYEV FROM EREDMENY WHERE SORSZAM='G.'")).toDouble();
    std::vector<MerlegLine> lines = ReadMerlegLines();
    const std::vector<int> computed = ComputeMerlegLines(lines, balances, inputs);
    std::vector<std::pair<int, double>> values;
    for (const MerlegLine& line : lines)
        if (std::find(computed.begin(), computed.end(), line.id) != computed.end()) values.emplace_back(line.id, line.targyev);
    WriteTargyev(MerlegTable, values);
}

ReportRun RunMerleg(const FokivCriteria& criteria, ResultTable& fokivTable, bool compute, const ReportStep& step) {
    if (compute) ComputeMerleg(criteria, fokivTable, step);
    ReportRun run;
    run.table = MerlegTable;
    run.querySql = MerlegListing();
    run.rows = CountRows(MerlegTable);
    return run;
}
