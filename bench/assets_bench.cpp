// Times the depreciation run and its store on a large register:
// `assets_bench [ASSETS]` (default 20 000) fills the demo company's register
// with ASSETS assets, each with its commissioning movement, runs a half
// year's depreciation ("Indul"), stores it ("Tárolás"), and prints the rates
// beside the database engine alone doing the same work in one statement
// each, with their ratio.
#include <QCoreApplication>
#include <QDir>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <stdexcept>
#include <cstdio>

#include "assets/ecsszamol.h"
#include "bench_support.h"
#include "db/altproc.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/ui_hooks.h"

namespace {

double secondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The register: ASSETS straight-line assets commissioned over six years.
void fillRegister(qlonglong assets) {
    for (const char* sql : {"delete from ESZKOZKARTON", "delete from ESZKOZ", "delete from ECS_IDOSZAK"})
        ExecSql(d_tarvedo, QString::fromLatin1(sql));
    DbTransaction transaction(d_tarvedo);
    QSqlQuery asset(Connection(d_tarvedo));
    asset.prepare(QStringLiteral("insert into ESZKOZ (BELSOKOD, KOD, SZLA, MEGNEVEZES, UZEMBEHELY, NETTOERT, ECSMOD, KULCS1, "
                                 "ECSVEGE, AKTIV) values (?, ?, '131', ?, ?, ?, 'BLA', 14.5, ?, 'I')"));
    QSqlQuery movement(Connection(d_tarvedo));
    movement.prepare(QStringLiteral("insert into ESZKOZKARTON (ESZKOZKOD, SORSZAM, KELT, SZOVEG, MENNYISEG, BRUTTONOV, BRUTTO, "
                                    "NETTOERT, SZLA) values (?, 1, ?, 'Üzembe helyezés', 1, ?, ?, ?, '131')"));
    for (qlonglong i = 0; i < assets; ++i) {
        const QDate commissioned = QDate(2025, 6, 30).addDays(-((i * 37) % 2190));
        const QString kod = QStringLiteral("2025/%1").arg(i + 1, 7, 10, QLatin1Char('0'));
        const double value = double(100000 + (i * 7919) % 9000000);
        for (const QVariant& v : QVariantList{kod, kod, QStringLiteral("Gép %1").arg(i), DateToText(commissioned), value,
                                              DateToText(commissioned.addYears(7).addDays(-1))})
            asset.addBindValue(v);
        for (const QVariant& v : QVariantList{kod, DateToText(commissioned), value, value, value}) movement.addBindValue(v);
        if (!asset.exec() || !movement.exec()) throw std::runtime_error("the register could not be filled");
    }
    transaction.commit();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    const qlonglong assets = argc > 1 ? QString::fromLatin1(argv[1]).toLongLong() : 20000;
    const QString dir = QDir::temp().filePath(QStringLiteral("tarvedo-bench-assets"));
    if (!OpenDemoCompany(dir, 0)) return 1;
    UiHooks::setDialog([](const QString&, int, const QStringList&) { return 0; });

    fillRegister(assets);
    EcsSzamolForm form;
    form.FormShow();
    form.e_datumtol = QStringLiteral("2025.01");
    form.e_datumig = QStringLiteral("2025.06");
    const double run = secondsOf([&] { form.Indul(); });
    const double store = secondsOf([&] { form.Tarolas(); });
    std::printf("%d assets with an amount, total %lld Ft\n", form.wsorok, form.wosszesen);

    // The engine alone: the same amounts into a result table, and the same
    // movements onto the cards, one statement each.
    ExecSql(d_tarvedo, QStringLiteral("create global temporary table TMP_BENCH_ECS (ESZKOZKOD varchar(12), SZLA varchar(10), "
                                      "ERTEK double precision) on commit preserve rows"));
    const double engineRun = secondsOf([] {
        DbTransaction t(d_tarvedo);
        ExecSql(d_tarvedo, QStringLiteral(
            "insert into TMP_BENCH_ECS select BELSOKOD, SZLA, round((181 + 1 - iif(UZEMBEHELY > '2025.01.01', "
            "cast(replace(UZEMBEHELY, '.', '-') as date) - date '2025-01-01', 0)) * KULCS1 / 100 * NETTOERT / 365) "
            "from ESZKOZ where UZEMBEHELY <= '2025.06.31' and ECSVEGE >= '2025.01.01' order by BELSOKOD"));
        t.commit();
    });
    const double engineStore = secondsOf([] {
        DbTransaction t(d_tarvedo);
        ExecSql(d_tarvedo, QStringLiteral(
            "insert into ESZKOZKARTON (ESZKOZKOD, SORSZAM, KELT, BIZONYLAT, SZOVEG, MENNYISEG, BRUTTONOV, BRUTTOCSOK, "
            "BRUTTO, ECSNOV, ECSCSOK, NETTOERT, SZLA) select t.ESZKOZKOD, (select max(k.SORSZAM) from ESZKOZKARTON k "
            "where k.ESZKOZKOD = t.ESZKOZKOD) + 1, '2025.07.01', '', 'Bench', 0, 0, 0, 0, t.ERTEK, 0, -t.ERTEK, '139' "
            "from TMP_BENCH_ECS t"));
        t.rollback();
    });
    ExecSql(d_tarvedo, QStringLiteral("drop table TMP_BENCH_ECS"));

    PrintRate(QStringLiteral("depreciation run (Indul), %1 assets").arg(assets), double(assets), QStringLiteral("assets"), run);
    PrintRate(QStringLiteral("engine alone, one insert-select"), double(assets), QStringLiteral("assets"), engineRun);
    std::printf("run / engine: %.1f\n", run / engineRun);
    PrintRate(QStringLiteral("store (Tárolás), %1 movements").arg(form.wsorok), double(form.wsorok), QStringLiteral("movements"), store);
    PrintRate(QStringLiteral("engine alone, one insert-select"), double(form.wsorok), QStringLiteral("movements"), engineStore);
    std::printf("store / engine: %.1f\n", store / engineStore);
    std::printf("processor time: %.1f s, peak memory: %.0f MB\n", CpuSeconds(), PeakMemoryMb());
    return 0;
}
