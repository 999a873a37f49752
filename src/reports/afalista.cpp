#include "reports/afalista.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QThread>
#include <optional>
#include <stdexcept>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/ui_hooks.h"
#include "reports/afalista_fold.h"
#include "reports/afalista_sides.h"
#include "reports/afalista_table.h"

// ---------------------------------------------------------------- period

QString AfaPeriodStart(const QString& month) { return month.trimmed() + QStringLiteral(".01"); }

QString AfaPeriodEnd(const QString& month) { return LastDayOfMonth(AfaPeriodStart(month)); }

bool AfaMonthValid(const QString& month, bool warn) {
    const QString m = month.trimmed();
    static const QRegularExpression shape(QStringLiteral("^\\d{4}\\.\\d{2}$"));
    if (!shape.match(m).hasMatch()) {
        // Worded as the date check words it; a text of another shape is no month.
        if (warn) ShowMessage(QStringLiteral("Hibás dátum :") + AfaPeriodStart(m));
        return false;
    }
    return DateValid(AfaPeriodStart(m), warn);
}

AfaPeriod DefaultAfaPeriod(int afahonap, int year, const QDate& today) {
    const QString y = QString::number(year);
    const bool pastYear = year < today.year();
    AfaPeriod p;
    if (afahonap == 1) {
        if (pastYear) {
            p.tol = y + QStringLiteral(".12");
        } else {
            p.tol = y + u'.' + QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0'));
            if (today.day() <= 20) p.tol = MonthAdd(p.tol, -1);
        }
        p.ig = p.tol;
    } else if (afahonap == 3) {
        if (pastYear) {
            p.tol = y + QStringLiteral(".10");
        } else {
            const int md = today.month() * 100 + today.day();
            QString quarter = QStringLiteral(".10");
            if (md >= 121 && md <= 420) quarter = QStringLiteral(".01");
            else if (md >= 421 && md <= 720) quarter = QStringLiteral(".04");
            else if (md >= 721 && md <= 1020) quarter = QStringLiteral(".07");
            p.tol = y + quarter;
            if (today.month() == 1 && today.day() <= 20) p.tol = MonthAdd(p.tol, -12);
        }
        p.ig = MonthAdd(p.tol, 2);
    } else {
        p.tol = y + QStringLiteral(".01");
        p.ig = y + QStringLiteral(".12");
    }
    return p;
}

// ---------------------------------------------------------------- computation

AfalistaResult ComputeAfalista(const AfalistaCriteria& criteria, const ReportStep& step) {
    AfaFolder folder(criteria.sorrend);
    const std::vector<AfaSide> sides = AfaSides(criteria);
    // The sides by journal type: the cash journal is read once for both.
    std::vector<std::vector<const AfaSide*>> journals;
    for (const AfaSide& side : sides) {
        auto same = std::find_if(journals.begin(), journals.end(),
                                 [&](const auto& j) { return j.front()->journal == side.journal; });
        if (same == journals.end()) journals.push_back({&side});
        else same->push_back(&side);
    }
    // With both sides, every journal whose items name the period's VAT
    // accounts is read anyway: the accounts are seen on its rows instead of
    // being looked for again.
    const AppValues& td = Td();
    std::optional<AfaUsedAccounts> used;
    if (criteria.fizetendo && criteria.levonhato) used.emplace(AfaVatPairs());
    qint64 done = 0;
    for (const auto& journal : journals) {
        const QString& code = journal.front()->journal;
        if (used) {
            used->countDebits(code == td.SzKod || code == td.PtKod);
            used->countCredits(code == td.VeKod || code == td.PtKod);
        }
        ReadAfaPairs(journal, criteria, [&](const AfaPair& p) { folder.add(p); }, [&] { folder.voucherDone(); },
                     used ? &*used : nullptr);
        if (used) used->seeRowsWithoutVoucher(code, criteria);
        if (step) step(++done, qint64(journals.size()));
    }
    folder.putFirst(used ? used->pairs() : AfaPeriodPairs(criteria));
    return folder.result();
}

// ---------------------------------------------------------------- table and run

QStringList AfalistaColumns(const QStringList& dynamicColumns) {
    QStringList lines = {QStringLiteral("NTIPUS VARCHAR(2)"),    QStringLiteral(", FIZLEV  VARCHAR(3)"),
                         QStringLiteral(", AFASZLA VARCHAR(10)"), QStringLiteral(", SZAMLASZAM VARCHAR(30)"),
                         QStringLiteral(", UGYFELKOD VARCHAR(7)"), QStringLiteral(", TELJKELT VARCHAR(10)"),
                         QStringLiteral(", SZLAKELT VARCHAR(10)"), QStringLiteral(", FIZHATIDO VARCHAR(10)"),
                         QStringLiteral(", KOD VARCHAR(2)"),       QStringLiteral(", SZNEV VARCHAR(80)"),
                         QStringLiteral(", ALAP Tort"),            QStringLiteral(", AFA  Tort"),
                         QStringLiteral(", BRUTTO Tort"),          QStringLiteral(", KONYVBIZ VARCHAR(15)"),
                         QStringLiteral(", NTNEV VARCHAR(30)"),    QStringLiteral(", KAPOCS VARCHAR(9)"),
                         QStringLiteral(", SZOVEG VARCHAR(250)")};
    for (const QString& column : dynamicColumns)
        lines << QStringLiteral(", \"%1\" double precision default 0").arg(column);
    return lines;
}

QString AfalistaPreviewQuery(const QString& table, int sorrend) {
    return ReportQueryText(table, sorrend == AfaByVoucher ? QStringLiteral("order by NTIPUS,FIZLEV,KONYVBIZ")
                                                          : QStringLiteral("order by NTIPUS,FIZLEV,AFASZLA,KONYVBIZ"));
}

QString AfalistaStoreQuery(const QString& table, int sorrend) {
    return ReportQueryText(table, sorrend == AfaByVoucher ? QStringLiteral("order by ntipus,konyvbiz")
                                                          : QStringLiteral("order by ntipus,afaszla,konyvbiz"));
}

QString AfaPeriodLabel(const AfalistaCriteria& c) {
    return QStringLiteral("Időszak: ") + AfaPeriodStart(c.tol) + QStringLiteral(" -> ") + AfaPeriodEnd(c.ig);
}

QString AfaOrderLabel(int sorrend) {
    return QStringLiteral("Sorrend: ") + AfaSorrendCaptions.value(sorrend == AfaByVoucher ? 1 : 0);
}

namespace {

bool sameCriteria(const AfalistaCriteria& c, const AfalistaMemory& m) {
    return c.tol.trimmed() == m.tol && c.ig.trimmed() == m.ig && c.fizetendo == m.fizetendo &&
           c.levonhato == m.levonhato && c.sorrend == m.sorrend;
}

// A name no table has yet: two runs within one millisecond would meet.
QString freshTableName(const QString& previous) {
    for (;;) {
        const QString name = UserTableName(AfalistaPrefix);
        if (name != previous && !TableExists(name)) return name;
        QThread::msleep(1);
    }
}

}  // namespace

AfalistaRun RunAfalista(const AfalistaCriteria& input, AfalistaMemory& memory, bool recount, const ReportStep& step) {
    AfalistaCriteria c = input;
    c.tol = c.tol.trimmed();
    c.ig = c.ig.trimmed();
    if (!c.fizetendo && !c.levonhato) throw std::invalid_argument(AfaNeitherSide.toStdString());
    for (const QString& month : {c.tol, c.ig})
        if (!AfaMonthValid(month))
            throw std::invalid_argument(QStringLiteral("Hibás hónap: %1 (év.hónap)").arg(month).toStdString());

    AfalistaRun out;
    memory.table.forgetIfDropped();
    if (!recount && !memory.table.name.isEmpty() && sameCriteria(c, memory)) {
        out.reused = true;
        out.run.rows = CountRows(memory.table.name);
    } else {
        const AfalistaResult result = ComputeAfalista(c, step);
        const QString name = freshTableName(memory.table.name);
        CreateAfalistaTable(name, result.columns);
        InsertAfalistaRows(name, result);
        out.run.rows = qint64(result.rows.size());
        memory.table.name = name;
        memory.tol = c.tol;
        memory.ig = c.ig;
        memory.fizetendo = c.fizetendo;
        memory.levonhato = c.levonhato;
        memory.sorrend = c.sorrend;
    }
    out.run.table = memory.table.name;
    out.run.querySql = AfalistaPreviewQuery(out.run.table, c.sorrend);
    out.run.whivparam = AfaPeriodLabel(c);
    return out;
}
