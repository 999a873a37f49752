#include "reports/eredmeny.h"

#include <QSqlQuery>
#include <QSet>
#include <QThread>
#include <stdexcept>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "reports/eredmeny_rounding.h"

namespace {

const QString EredmenyTable = QStringLiteral("EREDMENY");
const QString NonZeroLines = QStringLiteral("WHERE elozoev<>0 or targyev<> 0");

// A line's account list: the trimmed formula with every "+" read as ",".
QString accountList(const EredmenyLine& line) { return line.keplet.trimmed().replace(u'+', u','); }

bool isAccountLine(const EredmenyLine& line) {
    const QString kind = line.keplethol.trimmed();
    return kind == u"TE" || kind == u"KE";
}

bool isSumLine(const EredmenyLine& line) {
    return !isAccountLine(line) && line.keplethol.trimmed().startsWith(u'E', Qt::CaseInsensitive);
}

bool isProfitLine(const EredmenyLine& line) {
    return isSumLine(line) && !line.keplet.trimmed().isEmpty() && line.sorszam.trimmed().startsWith(u'G');
}

// The lines whose number is listed, each number once, as "Sum(TARGYEV) ...
// Where SORSZAM IN (...)" reads them: the lines before `current` with this
// computation's values, the others with the values they hold.
LineSum sumOfLines(const std::vector<EredmenyLine>& lines, const std::vector<LineSum>& computed, size_t current,
                   const QStringList& numbers) {
    QSet<QString> wanted;
    for (const QString& n : numbers) wanted.insert(FokivBalances::key(n));
    LineSum sum;
    for (size_t j = 0; j < lines.size(); ++j) {
        if (!wanted.contains(FokivBalances::key(lines[j].sorszam))) continue;
        if (j < current) sum.add(computed[j]);
        else sum.thousands += lines[j].targyev;
    }
    return sum;
}

}  // namespace

std::vector<EredmenyLine> ReadEredmenyLines() {
    std::vector<EredmenyLine> lines;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV "
                                                    "from EREDMENY order by ID"));
    while (NextRow(q))
        lines.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString(), q.value(5).toDouble(), q.value(6).toDouble()});
    return lines;
}

std::optional<double> ComputeEredmenyLines(std::vector<EredmenyLine>& lines, const FokivBalances& balances) {
    return ComputeEredmenyLines(lines, [&balances](const QString& list) {
        QString items = list;
        if (items.endsWith(u',')) items.chop(1);
        return balances.sumIn(items.isEmpty() ? QStringList() : items.split(u','));
    });
}

std::optional<double> ComputeEredmenyLines(std::vector<EredmenyLine>& lines, const AccountForints& accountForints) {
    ThousandRounding rounding;
    std::vector<LineSum> sums(lines.size());
    std::optional<size_t> profitLine;
    for (size_t i = 0; i < lines.size(); ++i) {
        const EredmenyLine& line = lines[i];
        if (line.keplet.trimmed().isEmpty()) continue;
        if (isAccountLine(line)) {
            const double forints = accountForints(accountList(line));
            sums[i] = rounding.addForints(line.keplethol.trimmed() == u"KE" ? -forints : forints);
        } else if (isSumLine(line)) {
            const LineFormulaLists parts = SplitLineFormula(line.keplet);
            sums[i] = sumOfLines(lines, sums, i, parts.added).add(sumOfLines(lines, sums, i, parts.subtracted), -1);
        }
        if (isProfitLine(line)) profitLine = i;
    }
    // The profit, which the balance sheet prints too, is its exact value
    // rounded; the lines under it add up to it.
    if (profitLine) rounding.roundTotal(sums[*profitLine]);
    for (size_t i = 0; i < lines.size(); ++i) lines[i].targyev = rounding.value(sums[i]);
    if (!profitLine) return std::nullopt;
    return lines[*profitLine].targyev;
}

QString EredmenyTitle(const QString& eredmenytipus) {
    const QString method = eredmenytipus.trimmed().toUpper();
    QString title = QStringLiteral("\"A\" Eredménykimutatás");
    if (method == u"O") return title + QStringLiteral(" (összköltség eljárással)");
    if (method == u"F") return title + QStringLiteral(" (forgalmi költség eljárással)");
    return title + QStringLiteral(" (eljárás nincs meghatározva!!!)");
}

QString EredmenyTitle() { return EredmenyTitle(Td().ceg.text(QStringLiteral("EREDMENYTIPUS"))); }

QString EredmenyListing(bool nullaNelkul) {
    return QStringLiteral("select * from\nEREDMENY\n") +
           (nullaNelkul ? NonZeroLines : QString()) + QStringLiteral("\norder by ID");
}

void WriteTargyev(const QString& table, const std::vector<std::pair<int, double>>& values) {
    // Another workstation computing the same statement holds the rows for
    // a moment: wait and write again rather than fail.
    constexpr int attempts = 20;
    for (int attempt = 1;; ++attempt) {
        try {
            DbTransaction transaction(d_tarvedo);
            RowInsert update(QStringLiteral("update ") + table + QStringLiteral(" set TARGYEV = :ertek where ID = :id"));
            for (const auto& [id, value] : values) update.run({{QStringLiteral("ertek"), value}, {QStringLiteral("id"), id}});
            transaction.commit();
            return;
        } catch (const DbError& error) {
            if (!error.isLockConflict() || attempt == attempts) throw;
            QThread::msleep(250);
        }
    }
}

void ComputeEredmeny(const FokivCriteria& criteria, ResultTable& fokivTable, const ReportStep& step) {
    RunFokiv(criteria, fokivTable, FokivCallerEredmeny, step);
    ComputeEredmenyFromTable(fokivTable.name);
}

void ComputeEredmenyFromTable(const QString& fokivTable) {
    const FokivBalances balances = FokivBalances::Read(fokivTable);
    std::vector<EredmenyLine> lines = ReadEredmenyLines();
    const std::optional<double> profit = ComputeEredmenyLines(lines, balances);
    std::vector<std::pair<int, double>> values;
    for (const EredmenyLine& line : lines) values.emplace_back(line.id, line.targyev);
    WriteTargyev(EredmenyTable, values);
    if (profit) Td().IncomeResult = *profit;
}

void ComputeEredmenyPerLine(const QString& fokivTable) {
    // The account lines by a statement each, in exact forints, rounded
    // together as the statement's totals need; then every line written in
    // turn, the sum lines summed by a statement over the lines written.
    std::vector<EredmenyLine> lines = ReadEredmenyLines();
    ComputeEredmenyLines(lines, [&fokivTable](const QString& list) {
        if (InListText(list).isEmpty()) return 0.0;
        return SelectValue(d_tarvedo, QStringLiteral("Select SUM(TART_ERT-KOV_ERT) ERTEK\nFrom\n") + fokivTable +
                                          QStringLiteral("\nWhere\nSZLA IN ") + InListText(list))
            .toDouble();
    });
    const auto lineSum = [](const QString& list) {
        if (InListText(list).isEmpty()) return 0.0;  // "IN " with nothing after it
        return SelectValue(d_tarvedo, QStringLiteral("Select Sum(TARGYEV) ERTEK\nFrom EREDMENY\nWhere\nSORSZAM IN ") +
                                          InListText(list))
            .toDouble();
    };
    for (const EredmenyLine& line : lines) {
        double v = 0, s = 0;
        const QString list = accountList(line);
        if (list.isEmpty()) {
        } else if (isAccountLine(line)) {
            v = line.targyev;
        } else if (isSumLine(line)) {
            const qsizetype minus = list.indexOf(u'-');
            if (minus >= 0) s = lineSum(list.mid(minus + 1, 100).replace(u'-', u','));
            v = lineSum(minus >= 0 ? list.left(minus) : list);
            if (line.sorszam.trimmed().startsWith(u'G')) Td().IncomeResult = v - s;
        }
        ExecSql(d_tarvedo, QStringLiteral("update eredmeny\nset TARGYEV = :ertek\nwhere ID = :id"),
                {{QStringLiteral("ertek"), v - s}, {QStringLiteral("id"), line.id}});
    }
}

ReportRun RunEredmeny(const FokivCriteria& criteria, ResultTable& fokivTable, bool compute, bool nullaNelkul,
                      const ReportStep& step) {
    if (compute) ComputeEredmeny(criteria, fokivTable, step);
    ReportRun run;
    run.table = EredmenyTable;
    run.querySql = EredmenyListing(nullaNelkul);
    run.rows = CountRows(EredmenyTable + u' ' + (nullaNelkul ? NonZeroLines : QString()));
    return run;
}
