#include "reports/merleg.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "db/dat.h"
#include "reports/eredmeny.h"
#include "reports/eredmeny_rounding.h"

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

// The lines whose ID is listed, each once: those computed before this one
// with this computation's values, the others with the values they hold.
LineSum sumOfLines(const std::vector<MerlegLine>& lines, const QHash<int, size_t>& byId,
                   const std::vector<std::optional<LineSum>>& computed, const QStringList& ids, const MerlegLine& line,
                   QSet<int>& summed) {
    QSet<int> seen;
    LineSum sum;
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
        summed.insert(id);
        if (seen.contains(id)) continue;
        seen.insert(id);
        if (!byId.contains(id)) continue;
        const size_t j = byId.value(id);
        if (computed[j]) sum.add(*computed[j]);
        else sum.thousands += lines[j].targyev;
    }
    return sum;
}

// A line's value as the rounding keeps it: the forints of its accounts, a
// value given in thousands, or a sum of other lines.
LineSum lineSum(const MerlegLine& line, const std::vector<MerlegLine>& lines, const QHash<int, size_t>& byId,
                const std::vector<std::optional<LineSum>>& computed, const FokivBalances& balances,
                const MerlegInputs& inputs, ThousandRounding& rounding, QSet<int>& summed) {
    const QString formula = line.keplet.trimmed();
    if (formula.isEmpty() || formula.startsWith(u'?')) return {};
    const QString kind = line.keplethol.trimmed();
    if (kind.startsWith(u'K')) {
        if (line.sorszam.trimmed().startsWith(QLatin1String("VII"))) return rounding.addFixed(inputs.incomeResult);
        return rounding.addForints(AccountFormula(line.keplet, line.id < MerlegFirstLiabilityId, balances));
    }
    const QString upper = kind.toUpper();
    if (upper.startsWith(u'M')) {
        const LineFormulaLists parts = SplitLineFormula(line.keplet);
        return sumOfLines(lines, byId, computed, parts.added, line, summed)
            .add(sumOfLines(lines, byId, computed, parts.subtracted, line, summed), -1);
    }
    if (upper.startsWith(QLatin1String("E1"))) return rounding.addForints(NetSettlements(balances).assets);
    if (upper.startsWith(QLatin1String("E2")))
        return rounding.addForints(NetSettlements(balances).liabilities - balances.exact(QStringLiteral("469")) -
                                   balances.exact(QStringLiteral("47")));
    if (upper.startsWith(u'E')) return rounding.addFixed(inputs.eredmenyG);
    return {};
}

bool isSumLine(const MerlegLine& line) { return line.keplethol.trimmed().toUpper().startsWith(u'M'); }

// The totals no other line reads: on each side its grand total. When each
// side has one and their exact values differ by less than a thousand
// forints, they are the same amount and are printed the same.
void roundTotals(const std::vector<MerlegLine>& lines, const std::vector<std::optional<LineSum>>& computed,
                 const QSet<int>& summed, ThousandRounding& rounding) {
    std::vector<const LineSum*> assets, liabilities;
    for (size_t i = 0; i < lines.size(); ++i)
        if (computed[i] && isSumLine(lines[i]) && !summed.contains(lines[i].id))
            (lines[i].id < MerlegFirstLiabilityId ? assets : liabilities).push_back(&*computed[i]);
    if (assets.size() == 1 && liabilities.size() == 1 &&
        std::abs(rounding.forints(*assets[0]) - rounding.forints(*liabilities[0])) < 1000) {
        const double total = ThousandForints(rounding.forints(*assets[0]));
        rounding.roundTotal(*assets[0], total);
        rounding.roundTotal(*liabilities[0], total);
        return;
    }
    for (const LineSum* total : assets) rounding.roundTotal(*total);
    for (const LineSum* total : liabilities) rounding.roundTotal(*total);
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
    ThousandRounding rounding;
    std::vector<std::optional<LineSum>> computed(lines.size());
    QSet<int> summed;  // the IDs that sum lines read
    for (size_t i : order) {
        const MerlegLine& line = lines[i];
        LineSum sum = lineSum(line, lines, byId, computed, balances, inputs, rounding, summed);
        if (line.keplethol.trimmed().mid(1, 1) == u"-") sum = sum.negated();
        computed[i] = sum;
    }
    roundTotals(lines, computed, summed, rounding);
    std::vector<int> ids;
    for (size_t i : order) {
        lines[i].targyev = rounding.value(*computed[i]);
        ids.push_back(lines[i].id);
    }
    return ids;
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
