#include <QSqlQuery>
#include <gtest/gtest.h>

#include "assets/ecsszamol.h"
#include "assets_test_support.h"
#include "db/altproc.h"
#include "db/db_error.h"
#include "ledger/demo_company.h"

namespace {

// The asset of the examples: commissioned 2024.03.16, 1 200 000 at 10 %.
EcsAsset exampleAsset() {
    EcsAsset a;
    a.belsokod = QStringLiteral("2024/00001");
    a.szla = QStringLiteral("1311");
    a.uzembehely = QStringLiteral("2024.03.16");
    a.ecsvege = QStringLiteral("2034.03.15");
    a.ecsmod = QStringLiteral("BLA");
    a.kulcs1 = 10;
    a.nettoert = 1200000;
    a.kartonNetto = 1200000;
    return a;
}

TEST(EcsOsszegTest, StraightLineProratedByDays) {
    struct Case {
        const char* name;
        double kulcs1;
        const char* ecsmod;
        const char* uzembehely;
        const char* ecsvege;
        const char* tol;
        const char* ig;
        qint64 amount;
    };
    const Case cases[] = {
        // 182 days less the 75 before commissioning: 107 * 120 000 / 365.
        {"commissioned in the period", 10, "BLA", "2024.03.16", "2034.03.15", "2024.01.01", "2024.06.30", 35178},
        {"a whole half year", 10, "BLA", "2024.03.16", "2034.03.15", "2024.07.01", "2024.12.31", 60493},
        // Depreciation ends on 2024.05.31: 30 days of June are left out of 182.
        {"ends in the period", 10, "BLA", "2014.06.01", "2024.05.31", "2024.01.01", "2024.06.30", 49973},
        // Commissioned 2024.03.16 and ending 2024.05.31: 77 days of 120 000 / 365.
        {"commissioned and ending in the period", 10, "BLA", "2024.03.16", "2024.05.31", "2024.01.01", "2024.06.30", 25315},
        {"ended before the period", 10, "BLA", "2014.06.01", "2023.12.31", "2024.01.01", "2024.06.30", 0},
        {"100 % is the whole value", 100, "BLA", "2024.03.16", "2025.03.15", "2024.01.01", "2024.06.30", 1200000},
        {"another method", 10, "NIN", "2024.03.16", "2034.03.15", "2024.01.01", "2024.06.30", 0},
        {"the method in lower case", 10, "bla", "2024.03.16", "2034.03.15", "2024.07.01", "2024.12.31", 60493},
        {"no rate", 0, "BLA", "2024.03.16", "2034.03.15", "2024.01.01", "2024.06.30", 0},
    };
    for (const Case& c : cases) {
        EcsAsset a = exampleAsset();
        a.kulcs1 = c.kulcs1;
        a.ecsmod = QString::fromLatin1(c.ecsmod);
        a.uzembehely = QString::fromLatin1(c.uzembehely);
        a.ecsvege = QString::fromLatin1(c.ecsvege);
        EXPECT_EQ(EcsOsszeg(a, QString::fromLatin1(c.tol), QString::fromLatin1(c.ig)), c.amount) << c.name;
    }
}

TEST(EcsOsszegTest, NeverMoreThanTheValueLeft) {
    // 2 175 000 at 14.5 %: seven years of 315 375 would charge 2 207 625.
    // After six full years 2 175 000 - 6 * 315 375 = 282 750 is left.
    EcsAsset a = exampleAsset();
    a.nettoert = 2175000;
    a.kulcs1 = 14.5;
    a.uzembehely = QStringLiteral("2017.01.01");
    a.ecsvege = QStringLiteral("2023.12.31");
    struct Case {
        const char* name;
        double kartonNetto, maradvany;
        qint64 amount;
    };
    const Case cases[] = {
        {"a whole year is left", 2175000, 0, 315375},
        {"the last year's rest", 282750, 0, 282750},
        // The rate rule's residual (1 - 0.145 * 7) * 2 175 000 = -32 625 stops nothing.
        {"a negative residual counts as none", 282750, -32625, 282750},
        {"down to the residual value", 282750, 50000, 232750},
        {"written off", 0, 0, 0},
        {"below the residual already", 40000, 50000, 0},
    };
    for (const Case& c : cases) {
        a.kartonNetto = c.kartonNetto;
        a.maradvany = c.maradvany;
        EXPECT_EQ(EcsOsszeg(a, QStringLiteral("2023.01.01"), QStringLiteral("2023.12.31")), c.amount) << c.name;
    }

    // A rate of 100 % charges the whole value once: the next period finds nothing left.
    EcsAsset whole = exampleAsset();
    whole.kulcs1 = 100;
    whole.kartonNetto = 0;
    EXPECT_EQ(EcsOsszeg(whole, QStringLiteral("2024.07.01"), QStringLiteral("2024.12.31")), 0);
}

TEST(EcsOsszegTest, NothingAfterTheSale) {
    // 6 455 000 at 14.5 % is 935 975 a year; sold on 2025.04.25, the year
    // 2025 charges 115 days (31 + 28 + 31 + 25): 115 * 935 975 / 365 = 294 896.
    EcsAsset a = exampleAsset();
    a.nettoert = 6455000;
    a.kartonNetto = 6455000;
    a.kulcs1 = 14.5;
    a.uzembehely = QStringLiteral("2021.06.01");
    a.ecsvege = QStringLiteral("2028.05.31");
    a.kivezetve = QStringLiteral("2025.04.25");
    EXPECT_EQ(EcsOsszeg(a, QStringLiteral("2025.01.01"), QStringLiteral("2025.12.31")), 294896);
    // The half year after the sale: nothing.
    EXPECT_EQ(EcsOsszeg(a, QStringLiteral("2025.07.01"), QStringLiteral("2025.12.31")), 0);
    // Sold on the last day of the period: the whole period.
    a.kivezetve = QStringLiteral("2025.12.31");
    EXPECT_EQ(EcsOsszeg(a, QStringLiteral("2025.01.01"), QStringLiteral("2025.12.31")), 935975);
}

TEST(EcsOsszegTest, AccountsAndTexts) {
    EXPECT_EQ(EcsSzamla(QStringLiteral("1311")), QStringLiteral("1319"));
    EXPECT_EQ(EcsSzamla(QStringLiteral("131")), QStringLiteral("139"));
    EXPECT_EQ(EcsMozgasSzoveg(QStringLiteral("2024.01"), QStringLiteral("2024.06")),
              QStringLiteral("Értékcsökkenés 2024.01 -> 2024.06"));
    EXPECT_EQ(EcsMozgasSzoveg(QStringLiteral("2024.03"), QStringLiteral("2024.03")), QStringLiteral("Értékcsökkenés 2024.03"));
    EXPECT_EQ(EcsListaSor(QStringLiteral("2024/00001"), 35178, QStringLiteral("2024.03.16"), QStringLiteral("Gép")),
              QStringLiteral("2024/00001      35 178 2024.03.16 Gép"));
}

class EcsSzamolTest : public AssetsTest {
protected:
    void SetUp() override {
        AssetsTest::SetUp();
        setCompany(QStringLiteral("ECSHONAP = 6, AKTUALISEV = '2024'"));
        addAsset(QStringLiteral("2024/00001"));
        addMovement(QStringLiteral("2024/00001"), 1, 1200000, 1200000);
        addAsset(QStringLiteral("2024/00002"), {{QStringLiteral("ECSMOD"), QStringLiteral("NIN")}});
        addAsset(QStringLiteral("2024/00003"), {{QStringLiteral("NETTOERT"), 0.0}});
        addAsset(QStringLiteral("2024/00004"), {{QStringLiteral("SZLA"), QStringLiteral("1421")},
                                                {QStringLiteral("NETTOERT"), 365000.0},
                                                {QStringLiteral("KULCS1"), 20.0},
                                                {QStringLiteral("UZEMBEHELY"), QStringLiteral("2023.01.01")}});
    }

    // The form with the period typed.
    EcsSzamolForm formFor(const QString& tol, const QString& ig) {
        EcsSzamolForm form;
        form.FormShow();
        form.e_datumtol = tol;
        form.e_datumig = ig;
        return form;
    }
};

TEST_F(EcsSzamolTest, PeriodDefaultsFollowTheLatestStoredPeriod) {
    EcsSzamolForm form;
    form.FormShow();
    EXPECT_EQ(form.l_idoszak, QStringLiteral("Nincs"));
    EXPECT_EQ(form.e_datumtol, QStringLiteral("2024.01"));
    EXPECT_EQ(form.e_datumig, QStringLiteral("2024.06"));
    EXPECT_EQ(form.l_tol, QStringLiteral("2024.01.01"));
    EXPECT_EQ(form.l_ig, QStringLiteral("2024.06.30"));

    Exec(QStringLiteral("insert into ECS_IDOSZAK (DATUMTOL, DATUMIG, KELTE, ECSHONAP, ECS) values ('2024.07', '2024.12', "
                        "'2025.01.10', 6, 1)"));
    Exec(QStringLiteral("insert into ECS_IDOSZAK (DATUMTOL, DATUMIG, KELTE, ECSHONAP, ECS) values ('2024.01', '2024.06', "
                        "'2024.07.10', 6, 1)"));
    form.FormShow();
    EXPECT_EQ(form.l_idoszak, QStringLiteral("2024.07 ->2024.12"));
    EXPECT_EQ(form.e_datumtol, QStringLiteral("2025.01"));
    EXPECT_EQ(form.e_datumig, QStringLiteral("2025.06"));
    EXPECT_EQ(form.l_ig, QStringLiteral("2025.06.30"));

    form.e_datumig = QStringLiteral("2025.13");
    EXPECT_FALSE(form.e_datumigExit());
    EXPECT_EQ(messages.value(0), QStringLiteral("Hibás dátum :2025.13.01"));
    form.e_datumig = QStringLiteral("2025.02");
    EXPECT_TRUE(form.e_datumigExit());
    EXPECT_EQ(form.l_ig, QStringLiteral("2025.02.28"));
}

TEST_F(EcsSzamolTest, RunListsAndStoresTheHalfYear) {
    EcsSzamolForm form = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    ASSERT_TRUE(form.Indul());
    EXPECT_TRUE(questions.isEmpty()) << questions.join(u'\n').toStdString();
    // 365 000 at 20 %: 182 days of 200 a day.
    EXPECT_EQ(form.Memo1, (QStringList{QStringLiteral("Azonosító          É.cs. Aktiválva  Megnevezés"),
                                       QStringLiteral("2024/00001      35 178 2024.03.16 Eszköz 2024/00001"),
                                       QStringLiteral("2024/00004      36 400 2023.01.01 Eszköz 2024/00004"), QString(),
                                       QStringLiteral("Osszesen:         71 578")}));
    EXPECT_EQ(rowsOf(QStringLiteral("select * from ") + form.wtmp.name).size(), 2);
    EXPECT_TRUE(form.wtmp.name.startsWith(QStringLiteral("TMP_")));

    ASSERT_TRUE(form.Tarolas());
    const QList<QVariantMap> first = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[1][QStringLiteral("SORSZAM")].toInt(), 2);
    EXPECT_EQ(first[1][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Értékcsökkenés 2024.01 -> 2024.06"));
    EXPECT_EQ(first[1][QStringLiteral("ECSNOV")].toDouble(), 35178);
    EXPECT_EQ(first[1][QStringLiteral("NETTOERT")].toDouble(), 1200000 - 35178);
    EXPECT_EQ(first[1][QStringLiteral("SZLA")].toString(), QStringLiteral("1319"));
    // Dated at the period's last day, whenever it is stored.
    EXPECT_EQ(first[1][QStringLiteral("KELT")].toString(), QStringLiteral("2024.06.30"));
    // No card of its own yet: the net value starts from the asset's value.
    const QList<QVariantMap> fourth = card(QStringLiteral("2024/00004"));
    ASSERT_EQ(fourth.size(), 1);
    EXPECT_EQ(fourth[0][QStringLiteral("SORSZAM")].toInt(), 1);
    EXPECT_EQ(fourth[0][QStringLiteral("SZLA")].toString(), QStringLiteral("1429"));
    EXPECT_EQ(fourth[0][QStringLiteral("NETTOERT")].toDouble(), 365000 - 36400);
    EXPECT_TRUE(card(QStringLiteral("2024/00002")).isEmpty());
    EXPECT_TRUE(card(QStringLiteral("2024/00003")).isEmpty());

    const QList<QVariantMap> periods = rowsOf(QStringLiteral("select * from ECS_IDOSZAK"));
    ASSERT_EQ(periods.size(), 1);
    EXPECT_EQ(periods[0][QStringLiteral("DATUMTOL")].toString(), QStringLiteral("2024.01"));
    EXPECT_EQ(periods[0][QStringLiteral("DATUMIG")].toString(), QStringLiteral("2024.06"));
    EXPECT_EQ(periods[0][QStringLiteral("ECSHONAP")].toInt(), 6);
    EXPECT_EQ(periods[0][QStringLiteral("ECS")].toDouble(), 71578);
    EXPECT_EQ(questions.value(0), QStringLiteral("Átnézte a listát, tárolhatjuk a kartonba az értékcsökkenés adatokat?"));
}

TEST_F(EcsSzamolTest, RerunOfAStoredPeriodReplacesItsMovements) {
    EcsSzamolForm form = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    ASSERT_TRUE(form.Indul());
    ASSERT_TRUE(form.Tarolas());
    // The rate was wrong: 20 % instead of 10 %.
    Exec(QStringLiteral("update ESZKOZ set KULCS1 = 20 where BELSOKOD = '2024/00001'"));

    EcsSzamolForm again = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    questions.clear();
    ASSERT_TRUE(again.Indul());
    EXPECT_EQ(questions, QStringList{QStringLiteral("A megadott hónap intervallumra már volt elszámolás. Újra számoljuk?")});
    EXPECT_TRUE(again.wujra);
    ASSERT_TRUE(again.Tarolas());

    const QList<QVariantMap> first = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[1][QStringLiteral("ECSNOV")].toDouble(), 70356);
    EXPECT_EQ(first[1][QStringLiteral("NETTOERT")].toDouble(), 1200000 - 70356);
    EXPECT_EQ(card(QStringLiteral("2024/00004")).size(), 1);
    const QList<QVariantMap> periods = rowsOf(QStringLiteral("select * from ECS_IDOSZAK"));
    ASSERT_EQ(periods.size(), 1);
    EXPECT_EQ(periods[0][QStringLiteral("ECS")].toDouble(), 71578);  // the first run's row stays

    // Saying no to the re-run changes nothing.
    answer = 1;
    EcsSzamolForm refused = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    EXPECT_FALSE(refused.Indul());
    EXPECT_TRUE(refused.Memo1.isEmpty());
}

TEST_F(EcsSzamolTest, StaysWithinTheValueAndStopsAtTheSale) {
    // Nearly written off: 20 000 left of 1 200 000 above a residual of 5 000,
    // while the half year would charge 60 493.
    addAsset(QStringLiteral("2024/00005"), {{QStringLiteral("UZEMBEHELY"), QStringLiteral("2014.07.01")},
                                            {QStringLiteral("MARADVANY"), 5000.0}});
    addMovement(QStringLiteral("2024/00005"), 1, 1200000, 1200000);
    addMovement(QStringLiteral("2024/00005"), 2, 1200000, 20000, QStringLiteral("Értékcsökkenés 2024.01 -> 2024.06"));
    // Sold on 2024.08.15: 46 days of July and August at 120 000 / 365 = 15 123.
    addAsset(QStringLiteral("2024/00006"), {{QStringLiteral("UZEMBEHELY"), QStringLiteral("2020.01.01")},
                                            {QStringLiteral("KIVEZETVE"), QStringLiteral("2024.08.15")},
                                            {QStringLiteral("AKTIV"), QStringLiteral("N")}});
    addMovement(QStringLiteral("2024/00006"), 1, 1200000, 700000);
    addMovement(QStringLiteral("2024/00006"), 2, 0, 0, QStringLiteral("Értékesítés / Megsemmisítés"));
    // Sold before the period: nothing at all.
    addAsset(QStringLiteral("2024/00007"), {{QStringLiteral("UZEMBEHELY"), QStringLiteral("2020.01.01")},
                                            {QStringLiteral("KIVEZETVE"), QStringLiteral("2024.05.10")}});
    addMovement(QStringLiteral("2024/00007"), 1, 1200000, 700000);

    EcsSzamolForm form = formFor(QStringLiteral("2024.07"), QStringLiteral("2024.12"));
    ASSERT_TRUE(form.Indul());
    ASSERT_TRUE(form.Tarolas());
    const QList<QVariantMap> worn = card(QStringLiteral("2024/00005"));
    ASSERT_EQ(worn.size(), 3);
    EXPECT_EQ(worn[2][QStringLiteral("ECSNOV")].toDouble(), 15000);
    EXPECT_EQ(worn[2][QStringLiteral("NETTOERT")].toDouble(), 5000);
    EXPECT_EQ(worn[2][QStringLiteral("KELT")].toString(), QStringLiteral("2024.12.31"));
    // Charged from the net value before the withdrawal, which stays written off.
    const QList<QVariantMap> sold = card(QStringLiteral("2024/00006"));
    ASSERT_EQ(sold.size(), 3);
    EXPECT_EQ(sold[2][QStringLiteral("ECSNOV")].toDouble(), 15123);
    EXPECT_EQ(sold[2][QStringLiteral("NETTOERT")].toDouble(), 0);
    EXPECT_EQ(card(QStringLiteral("2024/00007")).size(), 1);

    // Run again, the period's own movement is passed over: the same 15 000 is due.
    EcsSzamolForm again = formFor(QStringLiteral("2024.07"), QStringLiteral("2024.12"));
    ASSERT_TRUE(again.Indul());
    ASSERT_TRUE(again.Tarolas());
    const QList<QVariantMap> rerun = card(QStringLiteral("2024/00005"));
    ASSERT_EQ(rerun.size(), 3);
    EXPECT_EQ(rerun[2][QStringLiteral("ECSNOV")].toDouble(), 15000);
    EXPECT_EQ(rerun[2][QStringLiteral("NETTOERT")].toDouble(), 5000);

    // The next half year finds nothing left above the residual value.
    EcsSzamolForm next = formFor(QStringLiteral("2025.01"), QStringLiteral("2025.06"));
    ASSERT_TRUE(next.Indul());
    EXPECT_FALSE(next.Memo1.join(u'\n').contains(QStringLiteral("2024/00005")));
}

TEST_F(EcsSzamolTest, MonthQuestionsAndChecks) {
    setCompany(QStringLiteral("ECSHONAP = 3"));
    answer = 1;
    EcsSzamolForm form = formFor(QStringLiteral("2024.11"), QStringLiteral("2025.01"));
    EXPECT_FALSE(form.Indul());
    EXPECT_EQ(questions, QStringList{QStringLiteral("A most megadott hónap intervallum nem egyezik meg a cég adatai között "
                                                    "megadottal. Folytatja?")});
    EXPECT_TRUE(form.wtmp.name.isEmpty());

    questions.clear();
    answer = 0;
    EcsSzamolForm backwards = formFor(QStringLiteral("2024.06"), QStringLiteral("2024.04"));
    EXPECT_FALSE(backwards.Indul());
    EXPECT_EQ(messages, QStringList{QStringLiteral("A megadott hónap intervallumra értelmetlen")});

    // Three months as the company says: no question.
    questions.clear();
    EcsSzamolForm quarter = formFor(QStringLiteral("2024.04"), QStringLiteral("2024.06"));
    EXPECT_TRUE(quarter.Indul());
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(EcsSzamolTest, NothingToStoreWithoutARunOrAmounts) {
    EcsSzamolForm form = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    EXPECT_FALSE(form.Tarolas());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nincs mit tárolni!")});

    // Before any asset was commissioned nothing is due.
    EcsSzamolForm early = formFor(QStringLiteral("2022.01"), QStringLiteral("2022.06"));
    ASSERT_TRUE(early.Indul());
    EXPECT_FALSE(early.Tarolas());
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ECS_IDOSZAK")).isEmpty());
}

TEST_F(EcsSzamolTest, AFailureWhileStoringLeavesNothingOfThePeriod) {
    Exec(QStringLiteral("create exception E_KARTON_TESZT 'A kartont nem lehet írni.'"));
    Exec(QStringLiteral("create trigger T_KARTON_TESZT for ESZKOZKARTON before insert as begin "
                        "if (new.ESZKOZKOD = '2024/00004') then exception E_KARTON_TESZT; end"));
    EcsSzamolForm form = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    ASSERT_TRUE(form.Indul());
    EXPECT_THROW(form.Tarolas(), DbError);
    EXPECT_EQ(card(QStringLiteral("2024/00001")).size(), 1);  // only the commissioning
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ECS_IDOSZAK")).isEmpty());

    // Mended, the same run stores whole.
    Exec(QStringLiteral("drop trigger T_KARTON_TESZT"));
    ASSERT_TRUE(form.Tarolas());
    EXPECT_EQ(card(QStringLiteral("2024/00001")).size(), 2);
    EXPECT_EQ(rowsOf(QStringLiteral("select * from ECS_IDOSZAK")).size(), 1);
}

TEST_F(EcsSzamolTest, ThePrintedPeriodIsTheComputedOne) {
    EcsSzamolForm form = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    ASSERT_TRUE(form.Indul());
    form.e_datumtol = QStringLiteral("2024.07");
    EXPECT_EQ(form.RllIdoszak(), QStringLiteral("Elszámolási időszak kezdete (év.hónap): 2024.01 "
                                                "Elszámolási időszak vége (év.hónap): 2024.06"));
    ASSERT_TRUE(form.Tarolas());
    EXPECT_EQ(rowsOf(QStringLiteral("select * from ESZKOZKARTON where SZOVEG = 'Értékcsökkenés 2024.01 -> 2024.06'")).size(), 2);
}

TEST_F(EcsSzamolTest, AStoredPeriodIsNeverChargedTwice) {
    // Two workstations ran the half year before either stored it; then one
    // stores, the other stores, and the first presses "Tárolás" again.
    EcsSzamolForm first = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    EcsSzamolForm second = formFor(QStringLiteral("2024.01"), QStringLiteral("2024.06"));
    ASSERT_TRUE(first.Indul());
    ASSERT_TRUE(second.Indul());
    EXPECT_FALSE(second.wujra);
    ASSERT_TRUE(first.Tarolas());
    ASSERT_TRUE(second.Tarolas());
    ASSERT_TRUE(first.Tarolas());

    const QList<QVariantMap> movements = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(movements.size(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("ECSNOV")].toDouble(), 35178);
    EXPECT_EQ(movements[1][QStringLiteral("NETTOERT")].toDouble(), 1200000 - 35178);
    EXPECT_EQ(card(QStringLiteral("2024/00004")).size(), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("select * from ECS_IDOSZAK")).size(), 1);
}

}  // namespace

// The demo company's register over its whole year: TE-009, 6 455 000 at
// 14.5 % (935 975 a year) sold on 2025.04.25, is charged its 115 days,
// 294 896, and its card keeps the nil net value of the sale; TE-001's rate
// overshoots its seven years, so it holds no residual value instead of
// (1 - 0.145 * 7) * 2 175 000 = -32 625; no card goes below nil.
TEST_F(AssetsTest, TheDemoRegisterStaysWithinItsValue) {
    GenerateDemoCompany(d_tarvedo, {0, 2025, 1});
    db1AfterConnect();
    const auto asset = [](const char* kod) {
        return rowsOf(QStringLiteral("select * from ESZKOZ where KOD = :k"), {{QStringLiteral("k"), QString::fromLatin1(kod)}})
            .value(0);
    };
    const QVariantMap sold = asset("TE-009");
    EXPECT_EQ(sold.value(QStringLiteral("NETTOERT")).toDouble(), 6455000);
    EXPECT_EQ(sold.value(QStringLiteral("KIVEZETVE")).toString(), QStringLiteral("2025.04.25"));
    EXPECT_EQ(asset("TE-001").value(QStringLiteral("NETTOERT")).toDouble(), 2175000);
    EXPECT_EQ(asset("TE-001").value(QStringLiteral("MARADVANY")).toDouble(), 0);
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ESZKOZ where MARADVANY < 0")).isEmpty());

    EcsSzamolForm form;
    form.FormShow();
    form.e_datumtol = QStringLiteral("2025.01");
    form.e_datumig = QStringLiteral("2025.12");
    ASSERT_TRUE(form.Indul());
    ASSERT_TRUE(form.Tarolas());
    const QList<QVariantMap> movements = card(sold.value(QStringLiteral("BELSOKOD")).toString());
    ASSERT_EQ(movements.size(), 3);
    EXPECT_EQ(movements[2][QStringLiteral("ECSNOV")].toDouble(), 294896);
    EXPECT_EQ(movements[2][QStringLiteral("NETTOERT")].toDouble(), 0);
    EXPECT_EQ(movements[2][QStringLiteral("KELT")].toString(), QStringLiteral("2025.12.31"));
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ESZKOZKARTON where NETTOERT < 0")).isEmpty());
}
