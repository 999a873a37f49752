#include "db/altproc.h"
#include "db/ini.h"
#include "posting_test_support.h"

namespace {

class KonyvelTest : public PostingTest {};

TEST_F(KonyvelTest, OpeningFromTheMenuBrowsesAnEmptyVoucher) {
    KonyvelForm form;
    form.FormShow();
    EXPECT_EQ(form.wstate, QStringLiteral("browse"));
    EXPECT_EQ(form.c.l_state, QStringLiteral("böngész"));
    EXPECT_EQ(form.c.l_statesor, QStringLiteral("böngész"));
    EXPECT_TRUE(form.c.b_ujbiz);
    EXPECT_FALSE(form.c.p_sorbutton);
    EXPECT_FALSE(form.c.P_fej);
    EXPECT_FALSE(form.c.b_rogzit);
    EXPECT_EQ(form.f.e_konyvdat, DateToText());  // a freshly opened window proposes today
    // The template keeps no currencies and allocates voucher numbers.
    EXPECT_FALSE(form.c.deviza);
    EXPECT_EQ(form.f.e_devizanem, QStringLiteral("HUF"));
    EXPECT_EQ(form.f.e_arfolyam, QStringLiteral("1"));
    EXPECT_FALSE(form.c.e_konyvbiz);
    EXPECT_EQ(form.wdefaultafakod, QStringLiteral("27"));
}

TEST_F(KonyvelTest, NewVoucherKeepsThePostingDate) {
    KonyvelForm form;
    form.FormShow();
    form.b_ujbizClick();
    EXPECT_EQ(form.wstate, QStringLiteral("insert"));
    EXPECT_EQ(form.c.l_state, QStringLiteral("Új bizonylat"));
    EXPECT_EQ(form.c.l_statesor, QStringLiteral("új tétel"));
    EXPECT_TRUE(form.c.P_fej && form.c.p_tetel && form.c.b_rogzit && form.c.b_megsem);
    EXPECT_FALSE(form.c.b_ujtetel || form.c.b_modosit);
    EXPECT_EQ(form.c.focus, QStringLiteral("e_ntipus"));
    form.f.e_konyvdat = QStringLiteral("2026.01.31");
    form.b_megsemClick();
    form.b_ujbizClick();
    EXPECT_EQ(form.f.e_konyvdat, QStringLiteral("2026.01.31"));
    EXPECT_EQ(form.f.e_teljkelt, EmptyDate);
}

TEST_F(KonyvelTest, JournalTypesProposeTheirAccountAndVat) {
    struct Case {
        const char* ntipus;
        const char* szla;
        const char* eszla;
        bool afa;
        const char* aszla;
        const char* bizonylatCaption;  // empty: the field is hidden
        const char* teljkeltCaption;
    };
    const Case cases[] = {
        {"SZ", "", "454", true, "466", "", " Teljkelt : "},
        {"BK", "384", "", false, "", " Banki sorszám:", " Banki teljkelt :"},
        {"VE", "311", "", true, "467", "", " Teljkelt : "},
        {"PT", "381", "", true, "466", " Pénztárbizonylat:", " Pénztári teljkelt:"},
        {"VV", "", "", false, "", "", " Teljkelt : "},
    };
    for (const Case& c : cases) {
        KonyvelForm form;
        startVoucher(form, QString::fromLatin1(c.ntipus));
        EXPECT_EQ(form.f.e_szla, QString::fromLatin1(c.szla)) << c.ntipus;
        EXPECT_EQ(form.f.e_eszla, QString::fromLatin1(c.eszla)) << c.ntipus;
        EXPECT_EQ(form.f.cb_afa, c.afa) << c.ntipus;
        EXPECT_EQ(form.c.p_afa, c.afa) << c.ntipus;
        EXPECT_EQ(form.f.e_aszla, QString::fromLatin1(c.aszla)) << c.ntipus;
        EXPECT_EQ(form.f.e_afakulcs, c.afa ? QStringLiteral("27") : QString()) << c.ntipus;
        const QString caption = QString::fromUtf8(c.bizonylatCaption);
        EXPECT_EQ(form.c.bizonylatVisible, !caption.isEmpty()) << c.ntipus;
        if (!caption.isEmpty()) {
            EXPECT_EQ(form.c.L_Bizonylat, caption) << c.ntipus;
        }
        EXPECT_EQ(form.c.L_teljkelt, QString::fromUtf8(c.teljkeltCaption)) << c.ntipus;
        EXPECT_FALSE(form.f.l_ntip.isEmpty()) << c.ntipus;
    }
}

TEST_F(KonyvelTest, LeavingTheSameJournalTypeKeepsTheTypedAccounts) {
    KonyvelForm form;
    startVoucher(form, QStringLiteral("SZ"));
    form.f.e_eszla = QStringLiteral("455");
    form.e_ntipusExit();
    EXPECT_EQ(form.f.e_eszla, QStringLiteral("455"));
}

TEST_F(KonyvelTest, SplitFollowsTheFieldLeft) {
    KonyvelForm form;
    startVoucher(form, QStringLiteral("VE"));
    form.f.e_ertek = QStringLiteral("100");
    form.e_ertekExit();
    EXPECT_EQ(form.f.e_nettoertek, QStringLiteral("79"));
    EXPECT_EQ(form.f.e_afaertek, QStringLiteral("21"));
    EXPECT_EQ(form.f.e_devizaertek, QStringLiteral("0"));  // no exchange rate after a new voucher

    // Choosing the 5 % VAT account and typing the net amount.
    form.AszlaChosen(*form.lookups().journalVatAccount(QStringLiteral("VE"), QStringLiteral("05"), QStringLiteral("H")));
    EXPECT_EQ(form.f.e_afakulcs, QStringLiteral("05"));
    EXPECT_EQ(form.f.e_sor65, QStringLiteral("05"));
    form.f.e_nettoertek = QStringLiteral("1001");
    form.e_nettoertekExit();
    EXPECT_EQ(form.f.e_afaertek, QStringLiteral("50"));
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("1051"));

    // Without the VAT box the whole amount is net.
    form.SetAfa(false);
    EXPECT_FALSE(form.c.p_afa);
    EXPECT_TRUE(form.f.e_afakulcs.isEmpty());
    form.f.e_ertek = QStringLiteral("500");
    form.e_ertekExit();
    EXPECT_EQ(form.f.e_nettoertek, QStringLiteral("500"));
}

TEST_F(KonyvelTest, FieldExitsFillTheNames) {
    Exec(QStringLiteral("insert into UGYFEL (KOD, NEV) values ('U1', 'Első Kft.')"));
    KonyvelForm form;
    startVoucher(form, QStringLiteral("VV"));
    form.f.e_ugyfelkod = QStringLiteral("U1");
    form.e_ugyfelkodExit();
    EXPECT_EQ(form.f.l_ugyfelnev, QStringLiteral("Első Kft."));
    form.f.e_ugyfelkod = QStringLiteral("U9");
    form.e_ugyfelkodExit();
    EXPECT_EQ(form.f.l_ugyfelnev, QStringLiteral("Nincs ilyen kódú ügyfél"));

    form.f.e_ktsghely = QStringLiteral("01");
    EXPECT_FALSE(form.e_ktsghelyExit());
    form.f.e_ktsghely = QStringLiteral("99");
    EXPECT_TRUE(form.e_ktsghelyExit());  // the choice opens

    form.f.e_szla = QStringLiteral("521 ");
    form.e_szlaExit();
    EXPECT_EQ(form.f.l_szla, QStringLiteral("Szállítási, rakodási és raktározási költségek"));

    // The VAT account typed: its code, line and name, and the split.
    form.SetAfa(true);
    form.f.e_ertek = QStringLiteral("1180");
    form.f.e_aszla = QStringLiteral("466");
    form.e_aszlaExit();
    EXPECT_EQ(form.f.e_afakulcs, QStringLiteral("27"));
    EXPECT_EQ(form.f.e_afaertek, QStringLiteral("251"));

    form.SzamlakeltPicked(QStringLiteral("2026.02.14"));
    EXPECT_EQ(form.f.e_teljkelt, QStringLiteral("2026.02.14"));
    form.SzamlakeltPicked(QStringLiteral("2026.02.20"));
    EXPECT_EQ(form.f.e_teljkelt, QStringLiteral("2026.02.14"));
}

TEST_F(KonyvelTest, LeavingWhileEnteringAsks) {
    KonyvelForm form;
    form.FormShow();
    EXPECT_TRUE(form.CanClose());
    form.b_ujbizClick();
    answer = 1;
    EXPECT_FALSE(form.CanClose());
    answer = 0;
    EXPECT_TRUE(form.CanClose());
    EXPECT_EQ(questions.first(), QStringLiteral("Adatbevitel közben van. Biztos, hogy kilép innen?"));
}

TEST_F(KonyvelTest, CurrencyCompanyWritesTheCurrencyColumns) {
    Exec(QStringLiteral("update CEG set VANDEVIZA = 'I'"));
    db1AfterConnect();
    IniSet(QStringLiteral("VANARFOLYAM"), QStringLiteral("I"));
    KonyvelForm form;
    startVoucher(form, QStringLiteral("VE"));
    EXPECT_TRUE(form.c.deviza && form.c.arfolyam);
    form.f.e_konyvdat = QStringLiteral("2026.06.01");
    form.f.e_eszla = QStringLiteral("911");
    form.f.e_devizanem = QStringLiteral("EUR");
    form.f.e_arfolyam = QStringLiteral("400");
    form.f.e_ertek = QStringLiteral("1270");
    form.e_ertekExit();
    EXPECT_EQ(form.f.e_devizaertek, QStringLiteral("508000"));
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("DEVIZANEM")].toString(), QStringLiteral("EUR"));
    EXPECT_EQ(rows[0][QStringLiteral("ARFOLYAM")].toDouble(), 400.0);
    EXPECT_EQ(rows[0][QStringLiteral("DEVIZAERTEK")].toDouble(), 508000.0);
    EXPECT_EQ(rows[1][QStringLiteral("DEVIZAERTEK")].toDouble(), 270.0 * 400);
}

}  // namespace
