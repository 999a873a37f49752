#include <gtest/gtest.h>

#include "assets/eszkozkarton.h"
#include "assets_test_support.h"

namespace {

class EszkozKartonTest : public AssetsTest {
protected:
    void SetUp() override {
        AssetsTest::SetUp();
        setCompany(QStringLiteral("NYITVA = 'I'"));
        addAsset(QStringLiteral("2024/00001"));
        addMovement(QStringLiteral("2024/00001"), 1, 1000000, 1000000);
        addAsset(QStringLiteral("2024/00002"));
    }
    EszkozKartonForm opened(const QString& eszkozkod) {
        EszkozKartonForm form;
        form.weszkozkod = eszkozkod;
        form.FormShow();
        return form;
    }
};

TEST_F(EszkozKartonTest, GrossValueContinuesTheCard) {
    EszkozKartonForm form = opened(QStringLiteral("2024/00001"));
    EXPECT_EQ(form.wstate, QStringLiteral("browse"));
    EXPECT_EQ(form.kod, QStringLiteral("2024/00001"));
    form.b_ujClick();
    EXPECT_EQ(form.p.text(QStringLiteral("e_sorszam")), QStringLiteral("2"));
    form.p.setText(QStringLiteral("e_bruttocsok"), QStringLiteral("200000"));
    form.e_bruttocsokExit();
    EXPECT_EQ(form.p.text(QStringLiteral("e_brutto")), QStringLiteral("800000"));
    form.p.setText(QStringLiteral("e_bruttocsok"), QString());
    form.p.setText(QStringLiteral("e_bruttonov"), QStringLiteral("50000"));
    form.e_bruttonovExit();
    EXPECT_EQ(form.p.text(QStringLiteral("e_brutto")), QStringLiteral("1050000"));
    form.p.setText(QStringLiteral("e_kelt"), QStringLiteral("2024.09.01"));
    form.p.setText(QStringLiteral("e_szoveg"), QStringLiteral("Bővítés"));
    ASSERT_TRUE(form.b_okClick()) << messages.join(u'\n').toStdString();

    const QList<QVariantMap> movements = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(movements.size(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("SORSZAM")].toInt(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("BRUTTONOV")].toDouble(), 50000);
    EXPECT_EQ(movements[1][QStringLiteral("BRUTTO")].toDouble(), 1050000);
    EXPECT_EQ(movements[1][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Bővítés"));
    EXPECT_EQ(form.wstate, QStringLiteral("browse"));
    EXPECT_EQ(form.rows.size(), 2);

    // Changing the movement continues from the one before it, not from itself.
    form.b_modositClick();
    form.p.setText(QStringLiteral("e_bruttonov"), QStringLiteral("60000"));
    form.e_bruttonovExit();
    EXPECT_EQ(form.p.text(QStringLiteral("e_brutto")), QStringLiteral("1060000"));
    ASSERT_TRUE(form.b_okClick());
    EXPECT_EQ(card(QStringLiteral("2024/00001"))[1][QStringLiteral("BRUTTO")].toDouble(), 1060000);
}

TEST_F(EszkozKartonTest, StoreRules) {
    EszkozKartonForm form = opened(QStringLiteral("2024/00001"));
    struct Case {
        const char* bruttonov;
        const char* bruttocsok;
        const char* ecsnov;
        const char* ecscsok;
        const char* message;  // empty: none
        const char* focus;
    };
    const Case cases[] = {
        {"10", "5", "", "", "Nem lehet egyszerre bruttó növekedés és csökkenés is.", ""},
        {"-1", "", "", "", "", "e_bruttonov"},
        {"", "-1", "", "", "", "e_bruttocsok"},
        {"", "", "-1", "", "", "e_ecsnov"},
        {"", "", "", "-3", "", "e_ecscsok"},
        {"", "", "10", "5", "Nem lehet egyszerre é.cs. növekedés és csökkenés is.", ""},
    };
    for (const Case& c : cases) {
        form.b_ujClick();
        form.p.setText(QStringLiteral("e_bruttonov"), QString::fromLatin1(c.bruttonov));
        form.p.setText(QStringLiteral("e_bruttocsok"), QString::fromLatin1(c.bruttocsok));
        form.p.setText(QStringLiteral("e_ecsnov"), QString::fromLatin1(c.ecsnov));
        form.p.setText(QStringLiteral("e_ecscsok"), QString::fromLatin1(c.ecscsok));
        messages.clear();
        EXPECT_FALSE(form.b_okClick());
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(messages, message.isEmpty() ? QStringList() : QStringList{message}) << c.bruttonov << c.bruttocsok;
        EXPECT_EQ(form.focus, QString::fromLatin1(c.focus));
        EXPECT_EQ(form.wstate, QStringLiteral("insert"));
    }
    EXPECT_EQ(card(QStringLiteral("2024/00001")).size(), 1);
}

TEST_F(EszkozKartonTest, FirstManualMovementIsNumberOne) {
    EszkozKartonForm form = opened(QStringLiteral("2024/00002"));
    EXPECT_TRUE(form.rows.isEmpty());
    form.b_ujClick();
    EXPECT_EQ(form.p.text(QStringLiteral("e_sorszam")), QStringLiteral("1"));
    form.p.setText(QStringLiteral("e_bruttonov"), QStringLiteral("300000"));
    form.p.setText(QStringLiteral("e_szla"), QStringLiteral("131"));
    ASSERT_TRUE(form.b_okClick());
    const QList<QVariantMap> movements = card(QStringLiteral("2024/00002"));
    ASSERT_EQ(movements.size(), 1);
    EXPECT_EQ(movements[0][QStringLiteral("SORSZAM")].toInt(), 1);
    EXPECT_EQ(movements[0][QStringLiteral("BRUTTO")].toDouble(), 300000);
    EXPECT_EQ(movements[0][QStringLiteral("NETTOERT")].toDouble(), 0);  // kept as shown: empty
}

TEST_F(EszkozKartonTest, DeleteAsksAndOnlyWhileBrowsing) {
    addMovement(QStringLiteral("2024/00001"), 2, 1000000, 900000, QStringLiteral("Értékcsökkenés 2024.01 -> 2024.06"));
    EszkozKartonForm form = opened(QStringLiteral("2024/00001"));
    form.b_ujClick();
    EXPECT_FALSE(form.b_torlesClick());
    EXPECT_TRUE(questions.isEmpty());
    form.b_megsemClick();

    form.Scroll(1);
    answer = 1;
    EXPECT_FALSE(form.b_torlesClick());
    EXPECT_EQ(questions, QStringList{QStringLiteral("Biztosan törölni akarja?")});
    EXPECT_EQ(card(QStringLiteral("2024/00001")).size(), 2);
    answer = 0;
    form.Scroll(0);
    EXPECT_TRUE(form.b_torlesClick());
    const QList<QVariantMap> left = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0][QStringLiteral("SORSZAM")].toInt(), 2);  // the others keep their numbers
}

TEST_F(EszkozKartonTest, ProposesThePostedItem) {
    EszkozKartonForm form;
    form.weszkozkod = QStringLiteral("2024/00001");
    form.wnew = true;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select cast('131' as varchar(10)) SZLA, cast('2024.05.02' as varchar(10)) "
                                                    "TELJKELT, cast('SZ-9' as varchar(20)) SZAMLASZAM, "
                                                    "cast(40000 as double precision) ERTEK from RDB$DATABASE"));
    ASSERT_TRUE(NextRow(q));
    form.wtetel = q.record();
    form.FormShow();
    EXPECT_EQ(form.wstate, QStringLiteral("insert"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_sorszam")), QStringLiteral("2"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_kelt")), QStringLiteral("2024.05.02"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_bizonylat")), QStringLiteral("SZ-9"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_brutto")), QStringLiteral("1040000"));
}

}  // namespace
