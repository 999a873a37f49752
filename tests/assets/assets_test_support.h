#pragma once
// A company database with the asset tables, the user's answers and the
// messages shown, and small writers and readers of assets and cards.
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>

#include "db/dat.h"
#include "db/ui_hooks.h"
#include "support/test_db.h"

class AssetsTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        UiHooks::setMessage([this](const QString& text) { messages << text; });
        UiHooks::setDialog([this](const QString& text, int, const QStringList&) {
            questions << text;
            return answer;
        });
    }
    void TearDown() override {
        UiHooks::setMessage({});
        UiHooks::setDialog({});
        CompanyDbTest::TearDown();
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

    // The rows of a statement, each column by name.
    static QList<QVariantMap> rowsOf(const QString& sql, const QVariantMap& params = {}) {
        QList<QVariantMap> rows;
        QSqlQuery q = ExecSql(d_tarvedo, sql, params);
        while (NextRow(q)) {
            QVariantMap row;
            const QSqlRecord r = q.record();
            for (int i = 0; i < r.count(); ++i) row.insert(r.fieldName(i), r.value(i));
            rows << row;
        }
        return rows;
    }
    static QList<QVariantMap> card(const QString& eszkozkod) {
        return rowsOf(QStringLiteral("select * from ESZKOZKARTON where ESZKOZKOD = :k order by SORSZAM"),
                      {{QStringLiteral("k"), eszkozkod}});
    }

    QStringList messages;
    QStringList questions;
    int answer = 0;  // " Igen "
};
