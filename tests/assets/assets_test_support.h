#pragma once
// A company database with the user's answers and the messages shown, and
// small writers and readers of assets and cards.
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>

#include "db/dat.h"
#include "posting/posting_test_support.h"

// The posting test's database and hooks; the user answers yes unless told.
class AssetsTest : public PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        answer = 0;  // " Igen "
    }

    // Changes the company record and reads it again, as a new connect does.
    static void setCompany(const QString& assignments) {
        Exec(QStringLiteral("update CEG set ") + assignments);
        db1AfterConnect();
    }

    // An asset row; `values` overrides the defaults (a live "BLA" asset).
    static void addAsset(const QString& belsokod, const QVariantMap& values = {}) {
        QVariantMap row{{QStringLiteral("BELSOKOD"), belsokod},
                        {QStringLiteral("KOD"), belsokod},
                        {QStringLiteral("SZLA"), QStringLiteral("1311")},
                        {QStringLiteral("MEGNEVEZES"), QStringLiteral("Eszköz ") + belsokod},
                        {QStringLiteral("UZEMBEHELY"), QStringLiteral("2024.03.16")},
                        {QStringLiteral("BERUHAZVA"), QStringLiteral("2024.03.10")},
                        {QStringLiteral("NETTOERT"), 1200000.0},
                        {QStringLiteral("KULCS1"), 10.0},
                        {QStringLiteral("ECSVEGE"), QStringLiteral("2034.03.15")},
                        {QStringLiteral("ECSMOD"), QStringLiteral("BLA")},
                        {QStringLiteral("AKTIV"), QStringLiteral("I")}};
        for (auto it = values.cbegin(); it != values.cend(); ++it) row.insert(it.key(), it.value());
        QStringList names, params;
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            names << it.key();
            params << QLatin1Char(':') + it.key();
        }
        ExecSql(d_tarvedo,
                QStringLiteral("insert into ESZKOZ (%1) values (%2)").arg(names.join(u','), params.join(u',')), row);
    }

    // A card movement with its gross and net value after it.
    static void addMovement(const QString& eszkozkod, int sorszam, double brutto, double netto,
                            const QString& szoveg = QStringLiteral("Üzembe helyezés")) {
        ExecSql(d_tarvedo,
                QStringLiteral("insert into ESZKOZKARTON (ESZKOZKOD, SORSZAM, KELT, SZOVEG, MENNYISEG, BRUTTONOV, "
                               "BRUTTO, NETTOERT, SZLA) values (:k, :s, '2024.03.16', :t, 1, :b, :b, :n, '1311')"),
                {{QStringLiteral("k"), eszkozkod}, {QStringLiteral("s"), sorszam}, {QStringLiteral("t"), szoveg},
                 {QStringLiteral("b"), brutto}, {QStringLiteral("n"), netto}});
    }

    static QList<QVariantMap> card(const QString& eszkozkod) {
        return rowsOf(QStringLiteral("select * from ESZKOZKARTON where ESZKOZKOD = :k order by SORSZAM"),
                      {{QStringLiteral("k"), eszkozkod}});
    }
};
