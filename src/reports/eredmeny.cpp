#include "reports/eredmeny.h"

#include <QSqlQuery>
#include <QSet>
#include <QThread>
#include <stdexcept>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"

namespace {

const QString EredmenyTable = QStringLiteral("EREDMENY");
const QString NonZeroLines = QStringLiteral("WHERE elozoev<>0 or targyev<> 0");

// TARGYEV of the lines whose number is listed, each number once, as
// "Sum(TARGYEV) ... Where SORSZAM IN (...)" reads them.
double sumOfLines(const std::vector<EredmenyLine>& lines, const QStringList& numbers) {
    QSet<QString> wanted;
    for (const QString& n : numbers) wanted.insert(FokivBalances::key(n));
    double sum = 0;
    for (const EredmenyLine& line : lines)
        if (wanted.contains(FokivBalances::key(line.sorszam))) sum += line.targyev;
    return sum;
}

double lineValue(const EredmenyLine& line, const std::vector<EredmenyLine>& lines, const FokivBalances& balances) {
    if (line.keplet.trimmed().isEmpty()) return 0;
    const QString kind = line.keplethol.trimmed();
    if (kind == u"TE" || kind == u"KE") {
        QString list = line.keplet.trimmed();
        list.replace(u'+', u',');
        if (list.endsWith(u',')) list.chop(1);
        const double v = ThousandForints(balances.sumIn(list.isEmpty() ? QStringList() : list.split(u',')));
        return kind == u"KE" ? -v : v;
    }
    if (kind.startsWith(u'E', Qt::CaseInsensitive)) {
        const LineFormulaLists parts = SplitLineFormula(line.keplet);
        return sumOfLines(lines, parts.added) - sumOfLines(lines, parts.subtracted);
    }
    return 0;
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
    std::optional<double> profit;
    for (EredmenyLine& line : lines) {
        line.targyev = lineValue(line, lines, balances);
        if (line.keplethol.trimmed().startsWith(u'E', Qt::CaseInsensitive) && !line.keplet.trimmed().isEmpty() &&
            line.sorszam.trimmed().startsWith(u'G'))
            profit = line.targyev;
    }
    return profit;
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
    const auto lineSum = [](const QString& list) {
        if (InListText(list).isEmpty()) return 0.0;  // "IN " with nothing after it
        return SelectValue(d_tarvedo, QStringLiteral("Select Sum(TARGYEV) ERTEK\nFrom EREDMENY\nWhere\nSORSZAM IN ") +
                                          InListText(list))
            .toDouble();
    };
    for (const EredmenyLine& line : ReadEredmenyLines()) {
        double v = 0, s = 0;
        const QString kind = line.keplethol.trimmed();
        const QString list = line.keplet.trimmed().replace(u'+', u',');
        if (list.isEmpty()) {
        } else if (kind == u"TE" || kind == u"KE") {
            v = ThousandForints(SelectValue(d_tarvedo, QStringLiteral("Select SUM(TART_ERT-KOV_ERT) ERTEK\nFrom\n") +
                                                           fokivTable + QStringLiteral("\nWhere\nSZLA IN ") + InListText(list))
                                    .toDouble());
            if (kind == u"KE") v = -v;
        } else if (kind.startsWith(u'E', Qt::CaseInsensitive)) {
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
