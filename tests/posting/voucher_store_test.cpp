#include "db/altproc.h"
#include "db/db_error.h"
#include "posting_test_support.h"

namespace {

class VoucherStoreTest : public PostingTest {
protected:
    // A customer invoice 311/911, gross 12 700 at the default 27 %.
    void keyCustomerInvoice(KonyvelForm& form) {
        startVoucher(form, QStringLiteral("VE"));
        form.f.e_konyvdat = QStringLiteral("2026.03.10");
        form.f.e_szamlaszam = QStringLiteral("123");
        form.f.e_ugyfelkod = QStringLiteral("");
        form.f.e_szoveg = QStringLiteral("Áruértékesítés");
        form.f.e_eszla = QStringLiteral("911");
        form.e_eszlaExit();
        form.f.e_ertek = QStringLiteral("12700");
        form.e_ertekExit();
        form.e_aszlaExit();  // tabbing through the proposed VAT account
    }

    // The window opened from the search on a stored row.
    static void openOn(KonyvelForm& form, const QVariantMap& row) {
        form.wntipus = row.value(QStringLiteral("NTIPUS")).toString();
        form.wkonyvbiz = row.value(QStringLiteral("KONYVBIZ")).toString();
        form.wsorszam = row.value(QStringLiteral("SORSZAM")).toString();
        form.wszla = row.value(QStringLiteral("SZLA")).toString();
        form.weszla = row.value(QStringLiteral("ESZLA")).toString();
        form.FormShow();
    }

    static int counter(const QString& kind) {
        return SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F and EV = '2026'"),
                           {{QStringLiteral("F"), kind}})
            .toInt();
    }
};

TEST_F(VoucherStoreTest, FirstBankItemGetsItsNumbersAndOneRow) {
    KonyvelForm form;
    startVoucher(form, QStringLiteral("BK"));
    EXPECT_EQ(form.f.e_szla, QStringLiteral("384"));
    EXPECT_FALSE(form.f.cb_afa);
    form.f.e_bizonylat = QStringLiteral("17");
    form.f.e_eszla = QStringLiteral("311");
    form.f.e_ertek = QStringLiteral("5000");
    form.e_ertekExit();
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();

    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 1);
    const QVariantMap& r = rows.first();
    EXPECT_EQ(r[QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(r[QStringLiteral("SORSZAM")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(r[QStringLiteral("KAPOCS")].toString(), QStringLiteral("001"));
    EXPECT_EQ(r[QStringLiteral("SZLA")].toString(), QStringLiteral("384"));
    EXPECT_EQ(r[QStringLiteral("ESZLA")].toString(), QStringLiteral("311"));
    EXPECT_EQ(r[QStringLiteral("ERTEK")].toDouble(), 5000.0);
    EXPECT_EQ(r[QStringLiteral("BIZONYLAT")].toString(), QStringLiteral("17"));
    EXPECT_EQ(r[QStringLiteral("BIZKELT")].toString(), DateToText());
    // Empty texts, never nulls; the currency columns are not written.
    for (const char* column : {"TART_KOV", "AFAKULCS", "SOR65", "TIPUS", "UGYFELKOD", "KTSGHELY", "SZAMLASZAM"}) {
        EXPECT_FALSE(r[QString::fromLatin1(column)].isNull()) << column;
        EXPECT_EQ(r[QString::fromLatin1(column)].toString(), QString()) << column;
    }
    EXPECT_TRUE(r[QStringLiteral("DEVIZANEM")].isNull());
    EXPECT_EQ(r[QStringLiteral("TELJKELT")].toString(), EmptyDate);

    // The stored item is shown in the grid and the window browses it, ready
    // for the next item of the same voucher.
    EXPECT_EQ(form.wstate, QStringLiteral("browse"));
    ASSERT_EQ(form.rows.size(), 1);
    EXPECT_EQ(form.f.e_szla, QStringLiteral("384"));
    EXPECT_EQ(form.f.e_konyvbiz, QStringLiteral("2600001"));
    EXPECT_TRUE(form.c.p_sorbutton);
    EXPECT_TRUE(form.c.b_ujtetel);
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(VoucherStoreTest, CustomerInvoiceIsAMainRowAndAVatRow) {
    KonyvelForm form;
    keyCustomerInvoice(form);
    EXPECT_EQ(form.f.e_nettoertek, QStringLiteral("10000"));
    EXPECT_EQ(form.f.e_afaertek, QStringLiteral("2700"));
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();

    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    const QVariantMap& main = rows[0];
    const QVariantMap& vat = rows[1];
    EXPECT_EQ(main[QStringLiteral("SZLA")].toString(), QStringLiteral("311"));
    EXPECT_EQ(main[QStringLiteral("ESZLA")].toString(), QStringLiteral("911"));
    EXPECT_EQ(main[QStringLiteral("ERTEK")].toDouble(), 10000.0);
    EXPECT_EQ(main[QStringLiteral("BIZONYLAT")].toString(), QStringLiteral("123"));
    EXPECT_EQ(main[QStringLiteral("TART_KOV")].toString(), QString());
    EXPECT_EQ(main[QStringLiteral("SZOVEG")].toString(), QStringLiteral("Áruértékesítés"));
    EXPECT_EQ(vat[QStringLiteral("SZLA")].toString(), QStringLiteral("311"));
    EXPECT_EQ(vat[QStringLiteral("ESZLA")].toString(), QStringLiteral("467"));
    EXPECT_EQ(vat[QStringLiteral("ERTEK")].toDouble(), 2700.0);
    EXPECT_EQ(vat[QStringLiteral("TART_KOV")].toString(), QStringLiteral("A"));
    EXPECT_EQ(vat[QStringLiteral("SZOVEG")].toString(), QStringLiteral("AFA"));
    for (const QVariantMap& r : rows) {
        EXPECT_EQ(r[QStringLiteral("SORSZAM")], main[QStringLiteral("SORSZAM")]);
        EXPECT_EQ(r[QStringLiteral("KAPOCS")].toString(), QStringLiteral("001"));
        EXPECT_EQ(r[QStringLiteral("AFAKULCS")].toString(), QStringLiteral("27"));
        EXPECT_EQ(r[QStringLiteral("SOR65")].toString(), QStringLiteral("07"));
        EXPECT_EQ(r[QStringLiteral("SZAMLASZAM")].toString(), QStringLiteral("123"));
        // No fulfilment date was given: the posting date stands for it.
        EXPECT_EQ(r[QStringLiteral("TELJKELT")].toString(), QStringLiteral("2026.03.10"));
    }
}

TEST_F(VoucherStoreTest, VatAccountTakesTheSideTheJournalAsks) {
    struct Case {
        const char* ntipus;
        const char* szla;
        const char* eszla;
        const char* vatSzla;
        const char* vatEszla;
        double mainAmount;
    };
    const Case cases[] = {
        {"SZ", "521", "454", "466", "454", 1000},  // supplier invoice
        {"SZ", "454", "521", "454", "466", 1000},  // supplier credit note
        {"PT", "521", "381", "466", "381", 1000},  // cash purchase
        {"PT", "381", "911", "381", "467", 1000},  // cash sale, VAT account chosen
        {"VE", "911", "311", "467", "311", 1000},  // customer credit note
    };
    for (const Case& c : cases) {
        Exec(QStringLiteral("delete from TETEL"));
        KonyvelForm form;
        startVoucher(form, QString::fromLatin1(c.ntipus));
        ASSERT_TRUE(form.f.cb_afa) << c.ntipus;
        form.f.e_konyvdat = QStringLiteral("2026.04.01");
        form.f.e_szla = QString::fromLatin1(c.szla);
        form.f.e_eszla = QString::fromLatin1(c.eszla);
        if (QString::fromLatin1(c.vatEszla) == QLatin1String("467") || QString::fromLatin1(c.vatSzla) == QLatin1String("467")) {
            form.f.e_aszla = QStringLiteral("467");
        }
        form.f.e_ertek = QStringLiteral("1270");
        form.e_ertekExit();
        ASSERT_TRUE(TetelTarol(form)) << c.ntipus << " " << messages.join(QStringLiteral(" | ")).toStdString();
        const QList<QVariantMap> rows = ledger();
        ASSERT_EQ(rows.size(), 2) << c.ntipus << c.szla;
        EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), c.mainAmount) << c.ntipus << c.szla;
        EXPECT_EQ(rows[1][QStringLiteral("SZLA")].toString(), QString::fromLatin1(c.vatSzla)) << c.ntipus << c.szla;
        EXPECT_EQ(rows[1][QStringLiteral("ESZLA")].toString(), QString::fromLatin1(c.vatEszla)) << c.ntipus << c.szla;
        EXPECT_EQ(rows[1][QStringLiteral("ERTEK")].toDouble(), 270.0) << c.ntipus << c.szla;
    }
}

TEST_F(VoucherStoreTest, NewItemOfAStoredVoucherGetsTheNextLinkNumber) {
    KonyvelForm first;
    keyCustomerInvoice(first);
    ASSERT_TRUE(TetelTarol(first));
    const QVariantMap stored = ledger().first();

    KonyvelForm form;
    openOn(form, stored);
    EXPECT_EQ(form.wstate, QStringLiteral("update"));
    form.b_ujtetelClick();
    EXPECT_EQ(form.f.e_konyvbiz, stored[QStringLiteral("KONYVBIZ")].toString());  // the header stays
    form.f.e_szla = QStringLiteral("311");
    form.f.e_eszla = QStringLiteral("912");
    form.f.e_ertek = QStringLiteral("1270");
    form.e_ertekExit();
    EXPECT_TRUE(form.f.cb_afa);
    form.f.e_aszla = QStringLiteral("467");
    form.e_aszlaExit();
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();

    const QList<QVariantMap> second = rowsOf(QStringLiteral("select * from TETEL where ESZLA = '912' or (SZLA = '311' and "
                                                            "SORSZAM <> :S) order by TART_KOV"),
                                             {{QStringLiteral("S"), stored[QStringLiteral("SORSZAM")]}});
    ASSERT_EQ(second.size(), 2);
    for (const QVariantMap& r : second) {
        EXPECT_EQ(r[QStringLiteral("KAPOCS")].toString(), QStringLiteral("002"));
        EXPECT_EQ(r[QStringLiteral("KONYVBIZ")], stored[QStringLiteral("KONYVBIZ")]);
        EXPECT_NE(r[QStringLiteral("SORSZAM")], stored[QStringLiteral("SORSZAM")]);
    }
    // The grid shows the whole voucher now: both items with their VAT rows.
    EXPECT_EQ(form.rows.size(), 4);
    EXPECT_EQ(form.wstate, QStringLiteral("browse"));
}

TEST_F(VoucherStoreTest, NewItemsOfANewVoucherAreShownAndTheVoucherGoesOn) {
    KonyvelForm form;
    keyCustomerInvoice(form);
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();
    ASSERT_EQ(form.rows.size(), 2);  // the main row and its VAT row
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("12700"));
    const QString konyvbiz = form.f.e_konyvbiz;
    ASSERT_FALSE(konyvbiz.isEmpty());

    form.b_ujtetelClick();
    EXPECT_EQ(form.f.e_konyvbiz, konyvbiz);
    form.f.e_szoveg = QStringLiteral("Szolgáltatás");
    form.f.e_szla = QStringLiteral("311");
    form.f.e_eszla = QStringLiteral("912");
    form.f.e_ertek = QStringLiteral("1270");
    form.e_ertekExit();
    form.f.e_aszla = QStringLiteral("467");
    form.e_aszlaExit();
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(form.rows.size(), 4);
    EXPECT_EQ(form.f.e_eszla, QStringLiteral("912"));  // positioned on the new item
    const QList<QVariantMap> second =
        rowsOf(QStringLiteral("select * from TETEL where KAPOCS = '002' and KONYVBIZ = :K"), {{QStringLiteral("K"), konyvbiz}});
    EXPECT_EQ(second.size(), 2);
}

TEST_F(VoucherStoreTest, LinkNumbersGoOnPastNineHundredNinetyNine) {
    Exec(QStringLiteral("update CEG set VANKONYVBIZ = 'N'"));
    db1AfterConnect();
    for (const char* kapocs : {"998", "999", "1000"})
        Exec(QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, NTIPUS, KONYVBIZ, KAPOCS, TART_KOV) values "
                            "('X%1', '521', '454', 1, 'VV', 'V-1', '%1', '')")
                 .arg(QString::fromLatin1(kapocs)));
    KonyvelForm form;
    startVoucher(form, QStringLiteral("VV"));
    EXPECT_TRUE(form.c.e_konyvbiz);
    form.f.e_konyvbiz = QStringLiteral("V-1");
    form.f.e_szla = QStringLiteral("521");
    form.f.e_eszla = QStringLiteral("454");
    form.f.e_ertek = QStringLiteral("100");
    form.e_ertekExit();
    // A new voucher may not take a stored voucher's number: its items would join that voucher unseen.
    EXPECT_FALSE(TetelTarol(form));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("A(z) VV V-1 bizonylat már létezik."))) << messages.first().toStdString();
    EXPECT_EQ(form.c.focus, QStringLiteral("e_konyvbiz"));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toInt(), 3);

    // "Új tétel" adds the item to the voucher on purpose.
    form.b_ujtetelClick();
    form.f.e_szla = QStringLiteral("521");
    form.f.e_eszla = QStringLiteral("454");
    form.f.e_ertek = QStringLiteral("100");
    form.e_ertekExit();
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(form.wkapocsn, 1001);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL where KAPOCS = '1001'")).toInt(), 1);
}

TEST_F(VoucherStoreTest, ANumberTypedAheadOfTheCounterMovesTheCounterPastIt) {
    Exec(QStringLiteral("update CEG set VANKONYVBIZ = 'N'"));
    db1AfterConnect();
    const auto store = [this](const QString& konyvbiz) {
        KonyvelForm form;
        startVoucher(form, QStringLiteral("BK"));
        form.f.e_konyvbiz = konyvbiz;
        form.c.e_konyvbiz = !konyvbiz.isEmpty();  // an empty number is the system's to give
        form.f.e_szla = QStringLiteral("384");
        form.f.e_eszla = QStringLiteral("311");
        form.f.e_ertek = QStringLiteral("100");
        form.e_ertekExit();
        EXPECT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();
        return form.f.e_konyvbiz;
    };
    EXPECT_EQ(store(QString()), QStringLiteral("2600001"));
    EXPECT_EQ(store(QStringLiteral("2609999")), QStringLiteral("2609999"));
    // The counter does not hand the typed number out again.
    EXPECT_EQ(store(QString()), QStringLiteral("2610000"));
    EXPECT_EQ(store(QStringLiteral("2600500")), QStringLiteral("2600500"));  // behind it: the counter stays
    EXPECT_EQ(store(QString()), QStringLiteral("2610001"));
}

TEST_F(VoucherStoreTest, ChangingTheNarrativeLeavesTheVatRowAlone) {
    KonyvelForm first;
    keyCustomerInvoice(first);
    ASSERT_TRUE(TetelTarol(first));
    // A mark on the VAT row that any rewrite of the row would lose.
    Exec(QStringLiteral("update TETEL set BIZKELT = '2000.01.01' where TART_KOV = 'A'"));

    KonyvelForm form;
    openOn(form, ledger().first());
    ASSERT_EQ(form.wstatesor, QStringLiteral("update"));
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("12700"));
    EXPECT_EQ(form.f.e_aszla, QStringLiteral("467"));
    form.f.e_szoveg = QStringLiteral("Javított szöveg");
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();

    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Javított szöveg"));
    EXPECT_EQ(rows[1][QStringLiteral("BIZKELT")].toString(), QStringLiteral("2000.01.01"));
    EXPECT_EQ(rows[1][QStringLiteral("ERTEK")].toDouble(), 2700.0);
}

TEST_F(VoucherStoreTest, ChangingTheGrossAmountRewritesTheVatRow) {
    KonyvelForm first;
    keyCustomerInvoice(first);
    ASSERT_TRUE(TetelTarol(first));

    KonyvelForm form;
    openOn(form, ledger().first());
    form.f.e_ertek = QStringLiteral("25400");
    form.e_ertekExit();
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();

    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), 20000.0);
    EXPECT_EQ(rows[1][QStringLiteral("ERTEK")].toDouble(), 5400.0);
    EXPECT_EQ(rows[1][QStringLiteral("SZLA")].toString(), QStringLiteral("311"));
    EXPECT_EQ(rows[1][QStringLiteral("ESZLA")].toString(), QStringLiteral("467"));
    EXPECT_EQ(rows[1][QStringLiteral("TART_KOV")].toString(), QStringLiteral("A"));
    // The window shows the item as stored now.
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("25400"));
    EXPECT_EQ(form.f.e_afaertek, QStringLiteral("5400"));
}

TEST_F(VoucherStoreTest, AFailureBeforeTheVatRowLeavesNothing) {
    // Every VAT row is refused by the database from now on.
    Exec(QStringLiteral("alter table TETEL add constraint TEST_NO_VAT_ROW check (TART_KOV is distinct from 'A')"));
    KonyvelForm form;
    keyCustomerInvoice(form);
    EXPECT_THROW(TetelTarol(form), DbError);

    EXPECT_TRUE(ledger().isEmpty());
    // The numbers were taken before the rows' transaction: they stay taken
    // (a gap), the counters were never held while the rows were written.
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 1);
    EXPECT_EQ(counter(QStringLiteral("VE")), 1);
    EXPECT_EQ(form.wstate, QStringLiteral("insert"));  // the window keeps its state and texts
    EXPECT_TRUE(form.f.e_konyvbiz.isEmpty());
    EXPECT_EQ(form.f.e_teljkelt, EmptyDate);
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("12700"));
}

TEST_F(VoucherStoreTest, AMarkLeftOnACounterByAnotherWorkstationDoesNotStopTheStore) {
    // The engine's row lock guards the counter; a mark left behind by a
    // workstation that stopped half-way must not block everyone for good.
    Exec(QStringLiteral("insert into SORSZAM (FAJTA, EV, ELSO, UTOLSO, FOGLALT) values ('VE', '2026', 1, 7, 'MASIK')"));
    KonyvelForm form;
    keyCustomerInvoice(form);
    EXPECT_TRUE(TetelTarol(form));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(rowsOf(QStringLiteral("select distinct KONYVBIZ from TETEL")).value(0).value(QStringLiteral("KONYVBIZ")).toString(),
              QStringLiteral("2600008"));
    EXPECT_EQ(counter(QStringLiteral("VE")), 8);
}

// Every journal type: an item stored, opened again on each of its rows and
// stored unchanged keeps exactly its rows.
TEST_F(VoucherStoreTest, StoringAnUnchangedItemKeepsItsRows) {
    struct Case {
        const char* ntipus;
        const char* szla;
        const char* eszla;
        const char* aszla;  // empty: the journal type proposes it
        double mainAmount;
    };
    const Case cases[] = {
        {"VE", "311", "911", "", 1000},     {"SZ", "521", "454", "", 1000},     {"SZ", "454", "521", "", 1000},
        {"PT", "521", "381", "", 1000},     {"VV", "311", "911", "467", 1270}, {"BK", "384", "911", "467", 1270},
        {"BR", "541", "471", "466", 1270},
    };
    const QStringList columns{QStringLiteral("SORSZAM"),  QStringLiteral("KAPOCS"),  QStringLiteral("SZLA"),
                              QStringLiteral("ESZLA"),    QStringLiteral("ERTEK"),   QStringLiteral("TART_KOV"),
                              QStringLiteral("AFAKULCS"), QStringLiteral("SOR65"),   QStringLiteral("SZOVEG"),
                              QStringLiteral("NTIPUS"),   QStringLiteral("KONYVBIZ")};
    const auto significant = [&columns](const QList<QVariantMap>& rows) {
        QStringList out;
        for (const QVariantMap& r : rows) {
            QStringList values;
            for (const QString& column : columns) values << r[column].toString();
            out << values.join(QLatin1Char('|'));
        }
        return out.join(QLatin1Char('\n')).toStdString();
    };
    for (const Case& c : cases) {
        Exec(QStringLiteral("delete from TETEL"));
        KonyvelForm form;
        startVoucher(form, QString::fromLatin1(c.ntipus));
        form.f.e_konyvdat = QStringLiteral("2026.04.01");
        form.f.e_szla = QString::fromLatin1(c.szla);
        form.f.e_eszla = QString::fromLatin1(c.eszla);
        form.SetAfa(true);
        if (*c.aszla) form.f.e_aszla = QString::fromLatin1(c.aszla);
        form.f.e_ertek = QStringLiteral("1270");
        form.e_ertekExit();
        ASSERT_TRUE(TetelTarol(form)) << c.ntipus << " " << messages.join(QStringLiteral(" | ")).toStdString();
        const QList<QVariantMap> stored = ledger();
        ASSERT_EQ(stored.size(), 2) << c.ntipus;
        EXPECT_EQ(stored[0][QStringLiteral("ERTEK")].toDouble(), c.mainAmount) << c.ntipus << c.szla;
        EXPECT_EQ(stored[1][QStringLiteral("ERTEK")].toDouble(), 270.0) << c.ntipus << c.szla;

        // Twice from the main row (a growing amount shows on the second
        // round), then from the VAT row.
        for (int rowIndex : {0, 0, 1}) {
            messages.clear();
            KonyvelForm again;
            openOn(again, stored[rowIndex]);
            ASSERT_EQ(again.wstatesor, QStringLiteral("update")) << c.ntipus;
            ASSERT_TRUE(TetelTarol(again)) << c.ntipus << " row " << rowIndex << " "
                                           << messages.join(QStringLiteral(" | ")).toStdString();
            EXPECT_EQ(significant(ledger()), significant(stored)) << c.ntipus << c.szla << " row " << rowIndex;
        }
    }
}

TEST_F(VoucherStoreTest, TheProposedVatAccountBringsItsReturnLine) {
    KonyvelForm form;
    startVoucher(form, QStringLiteral("VE"));
    form.f.e_konyvdat = QStringLiteral("2026.03.10");
    form.f.e_szamlaszam = QStringLiteral("124");
    form.f.e_eszla = QStringLiteral("911");
    form.f.e_ertek = QStringLiteral("12700");
    form.e_ertekExit();  // the VAT account field is never entered
    ASSERT_TRUE(TetelTarol(form)) << messages.join(QStringLiteral(" | ")).toStdString();
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    for (const QVariantMap& r : rows) EXPECT_EQ(r[QStringLiteral("SOR65")].toString(), QStringLiteral("07"));
}

TEST_F(VoucherStoreTest, ThePostingDateIsProposedInTheCompanysYear) {
    struct Case {
        const char* year;
        const char* proposed;
    };
    const Case cases[] = {{"2025", "2025.12.31"}, {"2027", "2027.01.01"}, {"2026", "2026.12.11"}};
    for (const Case& c : cases) {
        ExecSql(d_tarvedo, QStringLiteral("update CEG set AKTUALISEV = :Y"), {{QStringLiteral("Y"), QString::fromLatin1(c.year)}});
        db1AfterConnect();
        EXPECT_EQ(ProposedPostingDate(QDate(2026, 12, 11)), QString::fromLatin1(c.proposed)) << c.year;
    }
    Exec(QStringLiteral("update CEG set AKTUALISEV = '2025'"));
    db1AfterConnect();
    KonyvelForm form;
    form.FormShow();
    form.b_ujbizClick();
    EXPECT_TRUE(form.f.e_konyvdat.startsWith(QLatin1String("2025."))) << form.f.e_konyvdat.toStdString();
}

TEST_F(VoucherStoreTest, DatesOutsideTheYearAreConfirmedFirst) {
    struct Case {
        const char* konyvdat;
        const char* teljkelt;
        bool asked;
    };
    const Case cases[] = {
        {"2026.03.10", "    .  .  ", false},
        {"2025.12.30", "    .  .  ", true},
        {"2026.03.10", "2025.12.30", true},
    };
    for (const Case& c : cases) {
        for (int given : {1, 0}) {
            Exec(QStringLiteral("delete from TETEL"));
            questions.clear();
            answer = given;
            KonyvelForm form;
            keyCustomerInvoice(form);
            form.f.e_konyvdat = QString::fromLatin1(c.konyvdat);
            form.f.e_teljkelt = QString::fromLatin1(c.teljkelt);
            const bool stored = TetelTarol(form);
            EXPECT_EQ(questions.size(), c.asked ? 1 : 0) << c.konyvdat << " " << c.teljkelt;
            EXPECT_EQ(stored, !c.asked || given == 0) << c.konyvdat << " " << c.teljkelt << " answer " << given;
            EXPECT_EQ(ledger().size(), stored ? 2 : 0);
        }
    }
}

TEST_F(VoucherStoreTest, FailedChecksWriteNothing) {
    KonyvelForm form;
    keyCustomerInvoice(form);
    form.f.e_eszla = QStringLiteral("999");
    EXPECT_FALSE(TetelTarol(form));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Az adatokban az alábbi hibák vannak:\r\rHibás követel számlaszám.\r"));
    EXPECT_EQ(form.c.focus, QStringLiteral("e_eszla"));
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(counter(QStringLiteral("VE")), 0);
}

TEST_F(VoucherStoreTest, ModifyingAnAssetItemOffersTheAssetRegister) {
    KonyvelForm first;
    startVoucher(first, QStringLiteral("SZ"));
    first.f.e_konyvdat = QStringLiteral("2026.05.02");
    first.f.e_szla = QStringLiteral("141");
    first.f.e_ertek = QStringLiteral("127000");
    first.e_ertekExit();
    ASSERT_TRUE(TetelTarol(first));
    // The new item is shown after the store, so it is offered at once too.
    EXPECT_EQ(questions, QStringList{QStringLiteral("Belép a tárgyi eszközök kezeléséhez?")});
    questions.clear();

    KonyvelForm form;
    openOn(form, ledger().first());
    form.f.e_szoveg = QStringLiteral("Számítógép");
    answer = 0;
    QString handedNtipus, handedKonyvbiz;
    ASSERT_TRUE(TetelTarol(form, [&](const QString& ntipus, const QString& konyvbiz) {
        handedNtipus = ntipus;
        handedKonyvbiz = konyvbiz;
    }));
    ASSERT_EQ(questions, QStringList{QStringLiteral("Belép a tárgyi eszközök kezeléséhez?")});
    EXPECT_EQ(handedNtipus, QStringLiteral("SZ"));
    EXPECT_EQ(handedKonyvbiz, QStringLiteral("2600001"));
}

}  // namespace
