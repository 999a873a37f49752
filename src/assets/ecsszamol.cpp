#include "assets/ecsszamol.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>

#include "assets/eszkoz.h"
#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/display_mask.h"
#include "db/ui_hooks.h"
#include "masterdata/record_storage.h"

namespace {

const QString AmountMask = QStringLiteral("###,###,###");
// How often storing starts again when another workstation changed the same
// card rows at the same moment.
constexpr int StoreAttempts = 5;

QString latestPeriodSql() { return QStringLiteral("SELECT *\nFROM ECS_IDOSZAK\nORDER BY DATUMTOL DESC"); }

// The latest stored period (DATUMTOL, DATUMIG), or empty texts.
std::pair<QString, QString> latestPeriod() {
    QSqlQuery q = ExecSql(d_tarvedo, latestPeriodSql());
    if (!NextRow(q)) return {};
    return {q.value(QStringLiteral("DATUMTOL")).toString(), q.value(QStringLiteral("DATUMIG")).toString()};
}

// A row of the run's result table.
struct ResultRow {
    QString eszkozkod, szla;
    double ertek;
};

// Writes the result rows a hundred to a statement: a round trip to the
// database per hundred assets instead of one per asset.
void writeResults(const QString& table, const QList<ResultRow>& rows) {
    constexpr qsizetype Chunk = 100;
    const auto statement = [&table](qsizetype count) {
        QStringList selects;
        for (qsizetype i = 0; i < count; ++i)
            selects << QStringLiteral("select cast(? as varchar(12)), cast(? as varchar(10)), cast(? as double precision) "
                                      "from RDB$DATABASE");
        return QStringLiteral("Insert Into ") + table + QStringLiteral(" (ESZKOZKOD, SZLA, ERTEK)\n") +
               selects.join(QStringLiteral("\nunion all "));
    };
    QSqlQuery full(Connection(d_tarvedo));
    bool fullPrepared = false;
    for (qsizetype from = 0; from < rows.size(); from += Chunk) {
        const qsizetype count = qMin(Chunk, rows.size() - from);
        QSqlQuery part(Connection(d_tarvedo));
        QSqlQuery& q = count == Chunk ? full : part;
        if (count != Chunk || !fullPrepared) {
            if (!q.prepare(statement(count))) throw DbError(q.lastError(), statement(count));
            fullPrepared = fullPrepared || count == Chunk;
        }
        for (qsizetype i = 0; i < count; ++i) {
            const ResultRow& r = rows.at(from + i);
            q.bindValue(int(3 * i), r.eszkozkod);
            q.bindValue(int(3 * i + 1), r.szla);
            q.bindValue(int(3 * i + 2), r.ertek);
        }
        if (!q.exec()) throw DbError(q.lastError(), statement(count));
    }
}

int companyPeriodMonths() { return Td().ceg.value(QStringLiteral("ECSHONAP")).toInt(); }

// The caption without its closing colon, so that ": " can follow it.
QString captionStem(const QString& caption) {
    QString stem = caption.trimmed();
    if (stem.endsWith(u':')) stem.chop(1);
    return stem.trimmed();
}

}  // namespace

qint64 EcsOsszeg(const EcsAsset& asset, const QString& lTol, const QString& lIg, int evnap) {
    if (asset.ecsmod.trimmed().toUpper() != LinearMethod) return 0;
    const double yearly = asset.kulcs1 / 100.0 * asset.nettoert;
    double a = 0;
    if (RoundHalfAway(asset.kulcs1) == 100) {
        a = yearly;
    } else {
        // The days of the period the asset was in use: from the later of the
        // period's start and the commissioning to the earliest of the
        // period's end, the end of depreciation and the sale.
        const QString from = qMax(lTol, asset.uzembehely);
        QString to = qMin(lIg, asset.ecsvege);
        if (!asset.kivezetve.trimmed().isEmpty()) to = qMin(to, asset.kivezetve.trimmed());
        if (to < from) return 0;
        a = double(ParseDate(from).daysTo(ParseDate(to)) + 1) * (yearly / evnap);
    }
    const double left = asset.kartonNetto - qMax(asset.maradvany, 0.0);
    return qBound<qint64>(0, RoundHalfAway(a), qMax<qint64>(RoundHalfAway(left), 0));
}

QString EcsSzamla(const QString& szla) {
    if (szla.isEmpty()) return szla;
    return szla.left(szla.size() - 1) + u'9';
}

QString EcsMozgasSzoveg(const QString& datumtol, const QString& datumig) {
    return QStringLiteral("Értékcsökkenés ") + (datumtol != datumig ? datumtol + QStringLiteral(" -> ") + datumig : datumtol);
}

QString EcsListaSor(const QString& belsokod, qint64 amount, const QString& uzembehely, const QString& megnevezes) {
    return belsokod + u' ' + PadLeft(FormatMask(double(amount), AmountMask), u' ', 11) + u' ' + uzembehely + u' ' +
           megnevezes;
}

void EcsSzamolForm::FormShow() {
    wevnap = 365;
    const auto [tol, ig] = latestPeriod();
    if (!ig.isEmpty()) {
        l_idoszak = tol + QStringLiteral(" ->") + ig;
        e_datumtol = MonthAdd(ig, 1);
    } else {
        l_idoszak = QStringLiteral("Nincs");
        e_datumtol = Td().ceg.text(QStringLiteral("AKTUALISEV")) + QStringLiteral(".01");
    }
    e_datumig = MonthAdd(e_datumtol, companyPeriodMonths() - 1);
    l_tol = e_datumtol + QStringLiteral(".01");
    l_ig = LastDayOfMonth(e_datumig);
}

bool EcsSzamolForm::e_datumtolExit() {
    if (!DateValid(e_datumtol + QStringLiteral(".01"), true)) return false;
    l_tol = e_datumtol + QStringLiteral(".01");
    return true;
}

bool EcsSzamolForm::e_datumigExit() {
    if (!DateValid(e_datumig + QStringLiteral(".01"), true)) return false;
    l_ig = LastDayOfMonth(e_datumig);
    return true;
}

bool EcsSzamolForm::Indul() {
    // Both months are read again here: the run may come without leaving the edits.
    if (!e_datumtolExit() || !e_datumigExit()) return false;

    const int m2 = e_datumig.mid(5, 2).toInt();
    const int m1 = e_datumtol.mid(5, 2).toInt();
    if (m2 - m1 + 1 != companyPeriodMonths()) {
        if (AskDialog(QStringLiteral("A most megadott hónap intervallum nem egyezik meg a cég adatai között megadottal. "
                                     "Folytatja?"),
                      0, {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
            return false;
    }
    if (e_datumig < e_datumtol) {
        ShowMessage(QStringLiteral("A megadott hónap intervallumra értelmetlen"));
        return false;
    }
    const QString latestIg = latestPeriod().second;
    wujra = false;
    if (!latestIg.isEmpty() && !(latestIg < e_datumtol)) {
        if (AskDialog(QStringLiteral("A megadott hónap intervallumra már volt elszámolás. Újra számoljuk?"), 0,
                      {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
            return false;
        wujra = true;
    }

    Memo1.clear();
    Memo1 << QStringLiteral("Azonosító          É.cs. Aktiválva  Megnevezés");
    prepareResultTable();
    wrunTol = e_datumtol;
    wrunIg = e_datumig;
    wosszesen = 0;
    wsorok = 0;

    // The assets are read whole first, and the result rows then written in
    // one transaction of their own.
    QList<EcsAsset> assets;
    {
        // Each asset with the net value its card holds before the period.
        // A re-run replaces the period's own movement, so that one is passed
        // over; so is the withdrawal, which writes the net value off at the
        // sale while the depreciation up to the sale is still due.
        QSqlQuery q = ExecSql(
            d_tarvedo,
            QStringLiteral("SELECT E.*,\n"
                           " COALESCE((SELECT FIRST 1 K.NETTOERT FROM ESZKOZKARTON K\n"
                           "            WHERE K.ESZKOZKOD = E.BELSOKOD AND K.SZOVEG IS DISTINCT FROM :szoveg\n"
                           "              AND K.SZOVEG IS DISTINCT FROM :kivezetes\n"
                           "            ORDER BY K.SORSZAM DESC), E.NETTOERT) KARTONNETTO\n"
                           "FROM ESZKOZ E\nWHERE E.UZEMBEHELY <= :datumig\nand E.ECSVEGE >= :datumtol\n"
                           "Order BY E.BELSOKOD"),
            {{QStringLiteral("datumtol"), e_datumtol + QStringLiteral(".01")},
             {QStringLiteral("datumig"), e_datumig + QStringLiteral(".31")},
             {QStringLiteral("szoveg"), EcsMozgasSzoveg(e_datumtol, e_datumig)},
             {QStringLiteral("kivezetes"), Kivezetes}});
        const QSqlRecord columns = q.record();
        const auto at = [&columns](const char* name) { return columns.indexOf(QLatin1String(name)); };
        const int belsokod = at("BELSOKOD"), szla = at("SZLA"), megnevezes = at("MEGNEVEZES"),
                  uzembehely = at("UZEMBEHELY"), ecsvege = at("ECSVEGE"), ecsmod = at("ECSMOD"),
                  kivezetve = at("KIVEZETVE"), kulcs1 = at("KULCS1"), nettoert = at("NETTOERT"),
                  maradvany = at("MARADVANY"), kartonNetto = at("KARTONNETTO");
        while (NextRow(q)) {
            EcsAsset a;
            a.belsokod = q.value(belsokod).toString();
            a.szla = q.value(szla).toString();
            a.megnevezes = q.value(megnevezes).toString();
            a.uzembehely = q.value(uzembehely).toString();
            a.ecsvege = q.value(ecsvege).toString();
            a.ecsmod = q.value(ecsmod).toString();
            a.kivezetve = q.value(kivezetve).toString();
            a.kulcs1 = q.value(kulcs1).toDouble();
            a.nettoert = q.value(nettoert).toDouble();
            a.maradvany = q.value(maradvany).toDouble();
            a.kartonNetto = q.value(kartonNetto).toDouble();
            assets << a;
        }
    }

    QList<ResultRow> result;
    for (int i = 0; i < assets.size(); ++i) {
        const EcsAsset& a = assets.at(i);
        l_akt = a.megnevezes;
        const qint64 amount = EcsOsszeg(a, l_tol, l_ig, wevnap);
        if (amount != 0) {
            result.append({a.belsokod, a.szla, double(amount)});
            wosszesen += amount;
            if (cb_teteles) Memo1 << EcsListaSor(a.belsokod, amount, a.uzembehely, a.megnevezes);
        }
        if (progress && (i % 100 == 99 || i + 1 == assets.size())) progress(i + 1, int(assets.size()));
    }
    wsorok = int(result.size());
    DbTransaction transaction(d_tarvedo);
    writeResults(wtmp.name, result);
    transaction.commit();
    Memo1 << QString();
    Memo1 << QStringLiteral("Osszesen:    ") + PadLeft(FormatMask(double(wosszesen), AmountMask), u' ', 11);
    return true;
}

void EcsSzamolForm::prepareResultTable() {
    wtmp.prepare(QStringLiteral("TMP_"),
                 {QStringLiteral("ESZKOZKOD VARCHAR(12),"), QStringLiteral("SZLA VARCHAR(10),"),
                  QStringLiteral("ERTEK TORT")},
                 UserTableName);
}

bool EcsSzamolForm::Tarolas() {
    if (wtmp.name.isEmpty() || wsorok == 0) {
        ShowMessage(QStringLiteral("Nincs mit tárolni!"));
        return false;
    }
    if (AskDialog(QStringLiteral("Átnézte a listát, tárolhatjuk a kartonba az értékcsökkenés adatokat?"), 0,
                  {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
        return false;
    // The movements carry the period that was computed, even when the
    // edits were changed after the run.
    const QString szoveg = EcsMozgasSzoveg(wrunTol, wrunIg);
    for (int attempt = 1;; ++attempt) {
        try {
            storeOnce(szoveg);
            return true;
        } catch (const DbError& error) {
            // Another workstation stored the same period or card rows at the
            // same moment: read its work and store again.
            const bool concurrent = error.isLockConflict() || error.nativeCode() == QLatin1String("-803");
            if (!concurrent || attempt >= StoreAttempts) throw;
            QThread::msleep(100 * attempt);
        }
    }
}

// Every movement and the period row stand or fall together: an error
// leaves the cards and the periods as they were.
void EcsSzamolForm::storeOnce(const QString& szoveg) {
    DbTransaction transaction(d_tarvedo);
    QSqlQuery rows = ExecSql(d_tarvedo, QStringLiteral("Select * FROM ") + wtmp.name);
    QList<ResultRow> result;
    while (NextRow(rows))
        result.append({rows.value(0).toString(), rows.value(1).toString(), rows.value(2).toDouble()});

    const QString today = DateToText();
    RowInsert movement(QStringLiteral(
        "Insert Into ESZKOZKARTON\n"
        "(ESZKOZKOD, SORSZAM, KELT, BIZONYLAT, SZOVEG, MENNYISEG, BRUTTONOV, BRUTTOCSOK, BRUTTO, ECSNOV, ECSCSOK, "
        "NETTOERT, SZLA)\nvalues\n"
        "(:eszkozkod, :sorszam, :kelt, :bizonylat, :szoveg, :mennyiseg, :bruttonov, :bruttocsok, :brutto, :ecsnov, "
        ":ecscsok, :nettoert, :szla)"));
    // The assets' movements of the same period go first, each found through
    // the card's key: a re-run replaces them, and so does a second store of
    // one run or the store of another workstation's run meanwhile, which
    // would otherwise charge the period twice.
    RowInsert remove(QStringLiteral("DELETE from ESZKOZKARTON\n Where ESZKOZKOD = :eszkozkod\n and SZOVEG = :szoveg"));
    for (const ResultRow& r : result)
        remove.run({{QStringLiteral("eszkozkod"), r.eszkozkod}, {QStringLiteral("szoveg"), szoveg}});
    // The last movement of each asset of the run: its number and net value;
    // an asset without movements starts from its own value.
    QHash<QString, std::pair<int, double>> lastMovements;
    {
        QSqlQuery last = ExecSql(
            d_tarvedo, QStringLiteral("Select t.ESZKOZKOD, COALESCE(k.SORSZAM, 0), COALESCE(k.NETTOERT, e.NETTOERT, 0)\n  from ") +
                           wtmp.name +
                           QStringLiteral(" t\n  left join ESZKOZ e on e.BELSOKOD = t.ESZKOZKOD\n"
                                          "  left join ESZKOZKARTON k on k.ESZKOZKOD = t.ESZKOZKOD\n"
                                          "   and k.SORSZAM = (Select Max(m.SORSZAM) from ESZKOZKARTON m "
                                          "where m.ESZKOZKOD = t.ESZKOZKOD)"));
        while (NextRow(last))
            lastMovements.insert(last.value(0).toString(), {last.value(1).toInt(), last.value(2).toDouble()});
    }
    // The movements belong to the period, so they carry its last day.
    const QString kelt = LastDayOfMonth(wrunIg);
    double total = 0;
    for (const ResultRow& r : result) {
        const auto [n, w] = lastMovements.value(r.eszkozkod, {0, 0.0});
        movement.run({{QStringLiteral("eszkozkod"), r.eszkozkod},
                      {QStringLiteral("sorszam"), n + 1},
                      {QStringLiteral("kelt"), kelt},
                      {QStringLiteral("bizonylat"), NonNullText(QString())},
                      {QStringLiteral("szoveg"), szoveg},
                      {QStringLiteral("mennyiseg"), 0.0},
                      {QStringLiteral("bruttonov"), 0.0},
                      {QStringLiteral("bruttocsok"), 0.0},
                      {QStringLiteral("brutto"), 0.0},
                      {QStringLiteral("ecsnov"), r.ertek},
                      {QStringLiteral("ecscsok"), 0.0},
                      // A withdrawn asset's net value stays written off.
                      {QStringLiteral("nettoert"), qMax(w - r.ertek, 0.0)},
                      {QStringLiteral("szla"), EcsSzamla(r.szla)}});
        total += r.ertek;
    }

    // One row per period: a period stored before keeps its first row.
    const QVariant stored = SelectValue(d_tarvedo,
                                        QStringLiteral("select count(*) from ECS_IDOSZAK where DATUMTOL = :datumtol and "
                                                       "DATUMIG = :datumig"),
                                        {{QStringLiteral("datumtol"), wrunTol}, {QStringLiteral("datumig"), wrunIg}});
    if (stored.toInt() == 0)
        ExecSql(d_tarvedo,
                QStringLiteral("INSERT INTO ECS_IDOSZAK (DATUMTOL, DATUMIG, KELTE, ECSHONAP, ECS)\n"
                               "VALUES (:datumtol, :datumig, :kelte, :ecshonap, :ecs)"),
                {{QStringLiteral("datumtol"), wrunTol},
                 {QStringLiteral("datumig"), wrunIg},
                 {QStringLiteral("kelte"), today},
                 {QStringLiteral("ecshonap"), companyPeriodMonths()},
                 {QStringLiteral("ecs"), total}});
    transaction.commit();
}

QString EcsSzamolForm::RllIdoszak() const {
    // The list shows the period that was computed.
    const QString tol = wrunTol.isEmpty() ? e_datumtol : wrunTol;
    const QString ig = wrunIg.isEmpty() ? e_datumig : wrunIg;
    return captionStem(EcsTolCaption) + QStringLiteral(": ") + tol + u' ' + captionStem(EcsIgCaption) +
           QStringLiteral(": ") + ig;
}
