#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "db/cp1250.h"
#include "posting/post_vouchers.h"
#include "posting_test_support.h"
#include "support/cli_run.h"

namespace {

const QString kHeading = QStringLiteral(
    "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;"
    "ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM");

class PostVouchersTest : public PostingTest {
protected:
    QString write(const QStringList& lines, bool cp1250 = false) {
        const QString path = db.dir() + QStringLiteral("/vouchers.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString text = (QStringList{kHeading} + lines).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        file.write(cp1250 ? EncodeCp1250(text) : text.toUtf8());
        return path;
    }
    static int counter(const QString& kind) {
        return SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F"), {{QStringLiteral("F"), kind}})
            .toInt();
    }
    // The voucher number and link number of the item with the narrative.
    static QString voucherOf(const char* szoveg) {
        return SelectValue(d_tarvedo, QStringLiteral("select KONYVBIZ || '/' || KAPOCS from TETEL where SZOVEG = :S"),
                           {{QStringLiteral("S"), QString::fromUtf8(szoveg)}})
            .toString();
    }
    static QStringList faults(const PostReport& report) {
        QStringList list;
        for (const PostFault& f : report.faults) list << QStringLiteral("%1: %2").arg(f.line).arg(f.text);
        return list;
    }

    const QStringList mixed{
        QStringLiteral("A;VE;;2026.03.01;;2026.03.01;2026.03.15;;;S-1;;Eladás;311;911;12700;I;;;;;"),
        QStringLiteral("A;VE;;2026.03.01;;2026.03.01;2026.03.15;;;S-1;;Eladás 2;311;912;1270;I;18;;;;"),
        QStringLiteral("B;BK;;2026.03.02;;;;;;;1;Bank;384;999;500;N;;;;;"),
        QStringLiteral("B;BK;;2026.3.2;;;;;;;2;Bank;384;311;500;N;;;;;"),
    };
};

TEST_F(PostVouchersTest, AFileWithAFaultyVoucherStoresNothingAndOnceCorrectedStoresEveryVoucherOnce) {
    const QString path = write(mixed);
    const PostReport faulty = PostVoucherFile(path, false);
    EXPECT_TRUE(faulty.fileError.isEmpty()) << faulty.fileError.toStdString();
    EXPECT_EQ(faults(faulty), (QStringList{QStringLiteral("4: Hibás követel számlaszám."), QStringLiteral("5: Hibás könyvelési dátum.")}));
    EXPECT_EQ(faulty.vouchers, 2);
    EXPECT_EQ(faulty.faultlessVouchers, 1);
    EXPECT_EQ(faulty.rejectedVouchers, 1);
    EXPECT_EQ(faulty.storedVouchers, 0);
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from KONYVELT_FAJL")).isEmpty());
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 0);
    EXPECT_EQ(counter(QStringLiteral("VE")), 0);

    // The user mends the two lines and posts the file again: every voucher once.
    QStringList corrected = mixed;
    corrected[2] = QStringLiteral("B;BK;;2026.03.02;;;;;;;1;Bank;384;311;500;N;;;;;");
    corrected[3] = QStringLiteral("B;BK;;2026.03.02;;;;;;;2;Bank;384;311;500;N;;;;;");
    const PostReport report = PostVoucherFile(write(corrected), false);
    ASSERT_TRUE(report.ok()) << faults(report).join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(report.storedVouchers, 2);
    EXPECT_EQ(report.storedItems, 4);

    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 6);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i][QStringLiteral("NTIPUS")].toString(), QStringLiteral("VE"));
        EXPECT_EQ(rows[i][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
        EXPECT_EQ(rows[i][QStringLiteral("TELJKELT")].toString(), QStringLiteral("2026.03.01"));
    }
    // Stored as the window stores them: the second item at 18 %, its own link number.
    EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), 10000.0);
    EXPECT_EQ(rows[1][QStringLiteral("ERTEK")].toDouble(), 2700.0);
    EXPECT_EQ(rows[1][QStringLiteral("SOR65")].toString(), QStringLiteral("07"));
    EXPECT_EQ(rows[2][QStringLiteral("KAPOCS")].toString(), QStringLiteral("002"));
    EXPECT_EQ(rows[2][QStringLiteral("AFAKULCS")].toString(), QStringLiteral("18"));
    EXPECT_EQ(rows[3][QStringLiteral("ERTEK")].toDouble(), 194.0);  // 1270 / 1.18 = 1076.27: VAT 194
    EXPECT_EQ(rows[3][QStringLiteral("SOR65")].toString(), QStringLiteral("06"));
    for (int i = 4; i < 6; ++i) {
        EXPECT_EQ(rows[i][QStringLiteral("NTIPUS")].toString(), QStringLiteral("BK"));
        EXPECT_EQ(rows[i][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
        EXPECT_EQ(rows[i][QStringLiteral("KONYVELVE")].toString(), QStringLiteral("2026.03.02"));
    }
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 4);
    EXPECT_EQ(counter(QStringLiteral("VE")), 1);
    EXPECT_EQ(counter(QStringLiteral("BK")), 1);

    // Posted once more, unchanged: nothing twice.
    const PostReport again = PostVoucherFile(write(corrected), false);
    EXPECT_TRUE(again.ok());
    EXPECT_EQ(again.alreadyPosted, 2);
    EXPECT_EQ(ledger().size(), 6);
}

TEST_F(PostVouchersTest, DryRunListsTheSameFaultsAndWritesNothing) {
    const PostReport report = PostVoucherFile(write(mixed), true);
    EXPECT_EQ(faults(report), (QStringList{QStringLiteral("4: Hibás követel számlaszám."), QStringLiteral("5: Hibás könyvelési dátum.")}));
    EXPECT_EQ(report.faultlessVouchers, 1);
    EXPECT_EQ(report.faultlessItems, 2);
    EXPECT_EQ(report.storedVouchers, 0);
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 0);
    EXPECT_EQ(counter(QStringLiteral("VE")), 0);
}

TEST_F(PostVouchersTest, ADatabaseFailureUndoesOnlyItsVoucher) {
    Exec(QStringLiteral("alter table TETEL add constraint TEST_NO_BOOM check (SZOVEG is distinct from 'BUMM')"));
    const PostReport report = PostVoucherFile(
        write({QStringLiteral("1;BK;;2026.04.01;;;;;;;;Első;384;311;100;N;;;;;"),
               QStringLiteral("2;BK;;2026.04.01;;;;;;;;Második;384;311;200;N;;;;;"),
               QStringLiteral("2;BK;;2026.04.01;;;;;;;;BUMM;384;311;300;N;;;;;"),
               QStringLiteral("3;BK;;2026.04.01;;;;;;;;Harmadik;384;311;400;N;;;;;")}),
        false);
    ASSERT_EQ(report.faults.size(), 1);
    EXPECT_EQ(report.faults.first().line, 3);
    EXPECT_TRUE(report.faults.first().text.startsWith(QStringLiteral("Adatbázis hiba: ")));
    const QList<QVariantMap> rows = rowsOf(QStringLiteral("select KONYVBIZ, SZOVEG from TETEL order by KONYVBIZ"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Első"));
    // The failed voucher's numbers stay unused: numbers are taken apart from
    // the work, so that no workstation holds a counter while it posts.
    EXPECT_EQ(rows[1][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600003"));
    EXPECT_EQ(rows[1][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Harmadik"));
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 4);
}

TEST_F(PostVouchersTest, VouchersTheDatabaseRefusesAreListedInLineOrder) {
    Exec(QStringLiteral("alter table TETEL add constraint TEST_NO_BOOM check (SZOVEG is distinct from 'BUMM')"));
    const PostReport report = PostVoucherFile(write({QStringLiteral("A;BK;;2026.04.01;;;;;;;;Első;384;311;100;N;;;;;"),
                                                     QStringLiteral("B;BK;;2026.04.01;;;;;;;;BUMM;384;311;200;N;;;;;"),
                                                     QStringLiteral("C;BK;;2026.04.01;;;;;;;;Jó;384;311;300;N;;;;;"),
                                                     QStringLiteral("D;BK;;2026.04.01;;;;;;;;Jó is;384;311;400;N;;;;;"),
                                                     QStringLiteral("D;BK;;2026.04.01;;;;;;;;BUMM;384;311;450;N;;;;;"),
                                                     QStringLiteral("E;BK;;2026.04.01;;;;;;;;Utolsó;384;311;500;N;;;;;")}),
                                              false);
    const QStringList listed = faults(report);
    ASSERT_EQ(listed.size(), 2) << listed.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(listed[0].startsWith(QStringLiteral("3: Adatbázis hiba: ")));
    EXPECT_TRUE(listed[1].startsWith(QStringLiteral("5: Adatbázis hiba: ")));
    EXPECT_EQ(report.storedVouchers, 3);
    EXPECT_EQ(report.storedItems, 3);
    EXPECT_EQ(report.rejectedVouchers, 2);
    // The refused vouchers' numbers stay unused.
    const QList<QVariantMap> rows = rowsOf(QStringLiteral("select KONYVBIZ, SORSZAM, SZOVEG from TETEL order by SORSZAM"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(rows[1][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600003"));
    EXPECT_EQ(rows[1][QStringLiteral("SORSZAM")].toString(), QStringLiteral("2600003"));
    EXPECT_EQ(rows[2][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600005"));
    EXPECT_EQ(rows[2][QStringLiteral("SORSZAM")].toString(), QStringLiteral("2600006"));
    EXPECT_EQ(counter(QStringLiteral("BK")), 5);
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 6);
    // The refused vouchers leave no record, so posting the file again tries them again.
    EXPECT_EQ(rowsOf(QStringLiteral("select VOUCHER from KONYVELT_FAJL order by VOUCHER")).size(), 3);
}

TEST_F(PostVouchersTest, ANumberTheCounterWouldHandOutAgainIsSkipped) {
    // A voucher number typed ahead of the counter before typed numbers moved it.
    Exec(QStringLiteral("insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, KAPOCS, SZLA, ESZLA, ERTEK, TELJKELT) values "
                        "('K1', 'BK', '2600001', '004', '384', '311', 1, '2026.01.02')"));
    const PostReport report = PostVoucherFile(write({QStringLiteral("1;BK;;2026.04.01;;;;;;;;Egy;384;311;100;N;;;;;"),
                                                     QStringLiteral("1;BK;;2026.04.01;;;;;;;;Egy b;384;311;150;N;;;;;"),
                                                     QStringLiteral("2;BK;;2026.04.01;;;;;;;;Kettő;384;311;300;N;;;;;")}),
                                              false);
    ASSERT_TRUE(report.ok()) << faults(report).join(QLatin1Char('|')).toStdString();
    // Neither voucher is added to the old one: the first gets the next free number.
    EXPECT_EQ(voucherOf("Egy"), QStringLiteral("2600003/001"));
    EXPECT_EQ(voucherOf("Egy b"), QStringLiteral("2600003/002"));
    EXPECT_EQ(voucherOf("Kettő"), QStringLiteral("2600002/001"));
    EXPECT_EQ(counter(QStringLiteral("BK")), 3);
}

TEST_F(PostVouchersTest, TypedVoucherNumbersNameNewVouchersAndMoveTheCounterPastThem) {
    Exec(QStringLiteral("insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, KAPOCS, SZLA, ESZLA, ERTEK, TELJKELT) values "
                        "('K1', 'BK', 'T-1', '002', '384', '311', 1, '2026.01.02')"));
    Exec(QStringLiteral("insert into SORSZAM (FAJTA, EV, ELSO, UTOLSO) values ('BK', '2026', 1, 234)"));
    // A number that exists, and one that two vouchers of the file share: nothing is stored.
    const PostReport refused = PostVoucherFile(write({QStringLiteral("1;BK;T-1;2026.04.01;;;;;;;;Egy;384;311;100;N;;;;;"),
                                                      QStringLiteral("2;BK;2609999;2026.04.01;;;;;;;;Kettő;384;311;200;N;;;;;"),
                                                      QStringLiteral("3;BK;2609999;2026.04.01;;;;;;;;Három;384;311;300;N;;;;;")}),
                                               false);
    const QStringList listed = faults(refused);
    ASSERT_EQ(listed.size(), 2) << listed.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(listed[0].startsWith(QStringLiteral("2: A(z) BK T-1 bizonylat már létezik"))) << listed[0].toStdString();
    EXPECT_TRUE(listed[1].startsWith(QStringLiteral("4: A(z) BK 2609999 bizonylatszám a fájl 3. sorában is szerepel")))
        << listed[1].toStdString();
    EXPECT_EQ(ledger().size(), 1);
    EXPECT_EQ(counter(QStringLiteral("BK")), 234);

    // A typed number ahead of the counter (2609999 with the counter at 234): the counter
    // moves past it in the same short transaction, so the next number handed out is 2610000.
    const PostReport report = PostVoucherFile(write({QStringLiteral("1;BK;;2026.04.01;;;;;;;;Egy;384;311;100;N;;;;;"),
                                                     QStringLiteral("2;BK;2609999;2026.04.01;;;;;;;;Kettő;384;311;200;N;;;;;"),
                                                     QStringLiteral("3;BK;;2026.04.01;;;;;;;;Három;384;311;300;N;;;;;")}),
                                              false);
    ASSERT_TRUE(report.ok()) << faults(report).join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(voucherOf("Egy"), QStringLiteral("2610000/001"));
    EXPECT_EQ(voucherOf("Kettő"), QStringLiteral("2609999/001"));
    EXPECT_EQ(voucherOf("Három"), QStringLiteral("2610001/001"));
    EXPECT_EQ(counter(QStringLiteral("BK")), 10001);
}

TEST_F(PostVouchersTest, ManyVouchersAreNumberedInTheOrderOfTheFile) {
    constexpr int kVouchers = 10100;  // more than one batch
    QStringList lines;
    for (int v = 1; v <= kVouchers; ++v) lines << QStringLiteral("%1;BK;;2026.04.01;;;;;;;;T%1;384;311;%1;N;;;;;").arg(v);
    const PostReport report = PostVoucherFile(write(lines), false);
    ASSERT_TRUE(report.ok()) << faults(report).join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(report.storedVouchers, kVouchers);
    EXPECT_EQ(counter(QStringLiteral("BK")), kVouchers);
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), kVouchers);
    // Line n: voucher n, item n, link 001.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL where KAPOCS = '001' and SZOVEG = 'T' || "
                                                    "cast(substring(KONYVBIZ from 3) as integer) and SORSZAM = KONYVBIZ "
                                                    "and ERTEK = cast(substring(SORSZAM from 3) as integer)"))
                  .toInt(),
              kVouchers);
    EXPECT_EQ(rowsOf(QStringLiteral("select VOUCHER from KONYVELT_FAJL")).size(), kVouchers);
}

TEST_F(PostVouchersTest, ReadsWindows1250AndTypedVoucherNumbers) {
    const PostReport report = PostVoucherFile(
        write({QStringLiteral("1;pt;P-7;2026.05.01;;;;;;;P1;Árvíztűrő tükörfúrógép;521;381;1270;I;;;;;")}, true), false);
    ASSERT_TRUE(report.ok()) << faults(report).join(QLatin1Char('|')).toStdString();
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Árvíztűrő tükörfúrógép"));
    EXPECT_EQ(rows[0][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("P-7"));
    EXPECT_EQ(rows[0][QStringLiteral("NTIPUS")].toString(), QStringLiteral("PT"));
    EXPECT_EQ(rows[0][QStringLiteral("BIZONYLAT")].toString(), QStringLiteral("P1"));
    EXPECT_EQ(rows[1][QStringLiteral("SZLA")].toString(), QStringLiteral("466"));
    EXPECT_EQ(rows[1][QStringLiteral("ESZLA")].toString(), QStringLiteral("381"));
}

TEST_F(PostVouchersTest, FileFaults) {
    QFile file(db.dir() + QStringLiteral("/bad.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("VOUCHER;NTIPUS;SZLA;ESZLA;ERTEK;MEGJEGYZES\n1;BK;384;311;1;x\n");
    file.close();
    EXPECT_EQ(PostVoucherFile(file.fileName(), false).fileError, QStringLiteral("Ismeretlen oszlop a fejlécben: MEGJEGYZES"));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("VOUCHER;NTIPUS;SZLA;ESZLA\n1;BK;384;311\n");
    file.close();
    EXPECT_EQ(PostVoucherFile(file.fileName(), false).fileError, QStringLiteral("Hiányzó oszlop a fejlécben: ERTEK"));

    Exec(QStringLiteral("update CEG set NYITVA = 'N'"));
    db1AfterConnect();
    EXPECT_EQ(PostVoucherFile(write(mixed), false).fileError, QStringLiteral("Az év le van zárva."));
}

TEST_F(PostVouchersTest, AFilePostedAgainStoresOnlyWhatIsMissing) {
    const QStringList five{
        QStringLiteral("V1;BK;;2026.04.01;;;;;;;;Egy;384;311;100;N;;;;;"),
        QStringLiteral("V2;BK;;2026.04.01;;;;;;;;Kettő;384;311;200;N;;;;;"),
        QStringLiteral("V3;BK;;2026.04.01;;;;;;;;Három;384;311;300;N;;;;;"),
        QStringLiteral("V4;BK;;2026.04.01;;;;;;;;Négy;384;311;400;N;;;;;"),
        QStringLiteral("V4;BK;;2026.04.01;;;;;;;;Négy b;384;311;450;N;;;;;"),
        QStringLiteral("V5;BK;;2026.04.01;;;;;;;;Öt;384;311;500;N;;;;;"),
    };
    const QString path = write(five);
    PostReport first = PostVoucherFile(path, false);
    ASSERT_TRUE(first.ok()) << faults(first).join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(first.storedVouchers, 5);

    // The same file again: nothing stored twice.
    PostReport again = PostVoucherFile(path, false);
    EXPECT_TRUE(again.ok());
    EXPECT_EQ(again.storedVouchers, 0);
    EXPECT_EQ(again.alreadyPosted, 5);
    EXPECT_EQ(ledger().size(), 6);

    // As if the first run had been killed before V4 and V5 were committed.
    Exec(QStringLiteral("delete from TETEL where SZOVEG in ('Négy', 'Négy b', 'Öt')"));
    Exec(QStringLiteral("delete from KONYVELT_FAJL where VOUCHER in ('V4', 'V5')"));
    PostReport rest = PostVoucherFile(path, false);
    EXPECT_TRUE(rest.ok());
    EXPECT_EQ(rest.alreadyPosted, 3);
    EXPECT_EQ(rest.storedVouchers, 2);
    EXPECT_EQ(rest.storedItems, 3);
    EXPECT_EQ(rowsOf(QStringLiteral("select SZOVEG from TETEL where SZOVEG = 'Egy'")).size(), 1);
    EXPECT_EQ(ledger().size(), 6);

    // Another file with the same voucher keys is another file.
    QStringList changed = five;
    changed[0].replace(QStringLiteral("Egy"), QStringLiteral("Egy más"));
    EXPECT_EQ(PostVoucherFile(write(changed), false).storedVouchers, 5);
}

TEST_F(PostVouchersTest, WhatIsNoAmountDateOrFittingTextIsRefusedByLineAndColumn) {
    const struct {
        const char* teljkelt;
        const char* szoveg;  // narrative, as the file holds it (quoted when it has a line break)
        const char* ertek;
        const char* expected;  // the start of the line's fault; empty: stored
        const char* storedTeljkelt;
        double storedErtek;
    } cases[] = {
        {"", "x", "1O00", "ERTEK oszlop: Hibás összeg: „1O00”", "", 0},
        {"", "x", "12abc", "ERTEK oszlop: Hibás összeg: „12abc”", "", 0},
        {"", "x", "1-2", "ERTEK oszlop: Hibás összeg: „1-2”", "", 0},
        {"", "x", "Ft 100", "ERTEK oszlop: Hibás összeg: „Ft 100”", "", 0},
        {"", "x", "1.5e-3", "ERTEK oszlop: Hibás összeg: „1.5e-3”", "", 0},
        {"", "x", "1e308", "ERTEK oszlop: Hibás összeg: „1e308”", "", 0},
        {"", "x", "12345678901234567890", "ERTEK oszlop: Túl nagy összeg", "", 0},
        // A point before three digits groups thousands as often as it marks decimals.
        {"", "x", "1.234", "ERTEK oszlop: Kétértelmű összeg: „1.234”", "", 0},
        {"", "x", "-12.500", "ERTEK oszlop: Kétértelmű összeg: „-12.500”", "", 0},
        {"", "x", "1.234.567", "", "    .  .  ", 1234567},
        {"", "x", "1234.567", "", "    .  .  ", 1234.567},
        {"", "x", "1.5", "", "    .  .  ", 1.5},
        {"", "x", "-1 500,5", "", "    .  .  ", -1500.5},
        {"    .  .  ", "", "100", "", "    .  .  ", 100},
        // Dates are real days in the stored form; other ways of writing one are turned into it.
        {"2025x06x15", "x", "100", "Hibás teljesítés kelte.", "", 0},
        {"202506", "x", "100", "Hibás teljesítés kelte.", "", 0},
        {"2025.03", "x", "100", "Hibás teljesítés kelte.", "", 0},
        {"2026.04.31", "x", "100", "Hibás teljesítés kelte.", "", 0},
        {"2026.04.15.", "x", "100", "", "2026.04.15", 100},
        {"2026-04-15", "x", "100", "", "2026.04.15", 100},
        {"20260415", "x", "100", "", "2026.04.15", 100},
        // Texts keep tabs but no other control character.
        {"", "\"két\nsor\"", "100", "A(z) SZOVEG oszlopban sortörés van", "", 0},
        {"", "a\tb", "100", "", "    .  .  ", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.teljkelt) + " | " + c.szoveg + " | " + c.ertek);
        Exec(QStringLiteral("delete from TETEL"));
        Exec(QStringLiteral("delete from KONYVELT_FAJL"));
        const int serialBefore = counter(QStringLiteral("SORSZAM"));
        const PostReport report = PostVoucherFile(write({QStringLiteral("1;BK;;2026.04.01;%1;;;;;;;%2;384;311;%3;N;;;;;")
                                                             .arg(QString::fromUtf8(c.teljkelt), QString::fromUtf8(c.szoveg),
                                                                  QString::fromUtf8(c.ertek))}),
                                                  false);
        if (!*c.expected) {
            ASSERT_TRUE(report.ok()) << faults(report).join(QLatin1Char('|')).toStdString();
            const QList<QVariantMap> rows = ledger();
            ASSERT_EQ(rows.size(), 1);
            EXPECT_EQ(rows[0][QStringLiteral("TELJKELT")].toString(), QString::fromUtf8(c.storedTeljkelt));
            EXPECT_DOUBLE_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), c.storedErtek);
        } else {
            ASSERT_FALSE(report.faults.isEmpty());
            EXPECT_EQ(report.faults.first().line, 2);
            EXPECT_TRUE(report.faults.first().text.startsWith(QString::fromUtf8(c.expected)))
                << report.faults.first().text.toStdString();
            EXPECT_TRUE(ledger().isEmpty());
            EXPECT_EQ(counter(QStringLiteral("SORSZAM")), serialBefore);
        }
    }
    // A narrative longer than its column, by its line.
    const PostReport longText = PostVoucherFile(
        write({QStringLiteral("1;BK;;2026.04.01;;;;;;;;%1;384;311;100;N;;;;;").arg(QString(121, QLatin1Char('a')))}),
        false);
    EXPECT_EQ(faults(longText),
              QStringList{QStringLiteral("2: Túl hosszú adat a(z) SZOVEG oszlopban: legfeljebb 120 karakter lehet.")});
}

TEST_F(PostVouchersTest, FilesOfUncertainEncodingOrWithControlCharactersAreRefusedByTheirLine) {
    const QByteArray heading = kHeading.toUtf8() + "\r\n";
    const QByteArray good = QStringLiteral("1;BK;;2026.04.01;;;;;;;;Árvíztűrő;384;311;100;N;;;;;\r\n").toUtf8();
    const struct {
        const char* name;
        QByteArray bytes;
        const char* expected;  // the start of the file's fault
    } cases[] = {
        // UTF-8 but for one byte: read as Windows-1250 it would garble every accent.
        {"broken UTF-8", heading + good + "2;BK;;2026.04.01;;;;;;;;T\xfcke;384;311;100;N;;;;;\r\n" + good,
         "A fájl UTF-8 kódolású, de a(z) 3. sorában hibás bájt van"},
        {"no code page", heading + "1;BK;;2026.04.01;;;;;;;;\xe1rv\xedz;384;311;100;N;;;;;\r\n"
                                   "2;BK;;2026.04.01;;;;;;;;a\x81;384;311;100;N;;;;;\r\n",
         "A fájl sem UTF-8, sem Windows-1250 kódolású: a(z) 3. sorában"},
        {"NUL", heading + good + QByteArray("2;BK;;2026.04.01;;;;;;;;a") + '\0' + "b;384;311;100;N;;;;;\r\n",
         "A fájl 3. sorában vezérlőkarakter (0x00) van"},
        {"escape", heading + good + good + "3;BK;;2026.04.01;;;;;;;;a\x1b[0m;384;311;100;N;;;;;\r\n",
         "A fájl 4. sorában vezérlőkarakter (0x1b) van"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = db.dir() + QStringLiteral("/bytes.csv");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        const PostReport report = PostVoucherFile(path, false);
        EXPECT_TRUE(report.fileError.startsWith(QString::fromUtf8(c.expected))) << report.fileError.toStdString();
        EXPECT_TRUE(ledger().isEmpty());
    }
}

TEST_F(PostVouchersTest, FilesThatCannotBeReadAsMeantStoreNothing) {
    // An unclosed quote would swallow the vouchers after it.
    const PostReport quote = PostVoucherFile(write({QStringLiteral("1;BK;;2026.04.01;;;;;;;;Jó;384;311;100;N;;;;;"),
                                                    QStringLiteral("2;BK;;2026.04.01;;;;;;;;\"Rossz;384;311;100;N;;;;;"),
                                                    QStringLiteral("3;BK;;2026.04.01;;;;;;;;Jó;384;311;100;N;;;;;")}),
                                             false);
    EXPECT_EQ(quote.fileError, QStringLiteral("A(z) 3. sorban kezdődő idézőjeles mező nincs lezárva: a fájl hibás, "
                                              "semmi sem került át belőle."));
    EXPECT_TRUE(ledger().isEmpty());

    // A voucher key met again after other vouchers is another voucher by mistake.
    const PostReport again = PostVoucherFile(write({QStringLiteral("1;BK;;2026.04.01;;;;;;;;Egy;384;311;100;N;;;;;"),
                                                    QStringLiteral("2;BK;;2026.04.01;;;;;;;;Kettő;384;311;100;N;;;;;"),
                                                    QStringLiteral("1;BK;;2026.04.01;;;;;;;;Egy b;384;311;100;N;;;;;")}),
                                             false);
    ASSERT_EQ(again.faults.size(), 1);
    EXPECT_EQ(again.faults.first().line, 4);
    EXPECT_EQ(again.faultlessVouchers, 2);
    EXPECT_EQ(again.storedVouchers, 0);
    EXPECT_TRUE(ledger().isEmpty());

    QFile file(db.dir() + QStringLiteral("/twice.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("VOUCHER;NTIPUS;SZLA;ESZLA;ERTEK;SZLA\n1;BK;384;311;1;999\n");
    file.close();
    EXPECT_EQ(PostVoucherFile(file.fileName(), false).fileError, QStringLiteral("Többször szereplő oszlop a fejlécben: SZLA"));
}

TEST(PostCommandTest, PrintsFaultsWithLineNumbersAndFails) {
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-post-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                                 QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();

    QFile file(dir.filePath(QStringLiteral("v.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((kHeading + QStringLiteral("\n1;BK;;2025.02.01;;;;;;;;Bank;384;311;500;N;;;;;\n"
                                          "2;BK;;2025.02.01;;;;;;;;Bank;;311;500;N;;;;;\n"))
                   .toUtf8());
    file.close();
    const CliResult post = RunCli({QStringLiteral("--workdir"), work, QStringLiteral("post"), file.fileName()});
    EXPECT_EQ(post.code, 1);
    EXPECT_TRUE(post.err.contains(QStringLiteral("3. sor: Hiányzó tartozik számlaszám.\n"))) << post.err.toStdString();
    EXPECT_EQ(post.err.count(QStringLiteral(". sor: ")), 1) << post.err.toStdString();
    EXPECT_EQ(post.out, QStringLiteral("2 bizonylatból 1 hibás, ezért egy sem tárolódott. Javítsa a hibás sorokat, és "
                                       "könyvelje újra a fájlt.\n"));
}

}  // namespace

namespace {

// The command-line session decides the rate column as the desktop start-up does.
TEST(PostCommandTest, StoresTheExchangeRateAsTheWindowDoes) {
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-post-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                                 QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QString company = work + QStringLiteral("/TARVEDO_MINTA_2025.GDB");
    ASSERT_TRUE(OpenDatabase(QStringLiteral("rate_test"), company));
    ExecSql(QStringLiteral("rate_test"), QStringLiteral("update CEG set VANDEVIZA = 'I'"));
    DbDisconnect(QStringLiteral("rate_test"));

    QFile file(dir.filePath(QStringLiteral("v.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((kHeading + QStringLiteral("\n1;BK;;2025.02.01;;;;;;;;Deviza;384;311;4005;N;;;;EUR;400,5\n")).toUtf8());
    file.close();
    const CliResult post = RunCli({QStringLiteral("--workdir"), work, QStringLiteral("post"), file.fileName()});
    ASSERT_EQ(post.code, 0) << post.err.toStdString();

    ASSERT_TRUE(OpenDatabase(QStringLiteral("rate_test"), company));
    QSqlQuery row = ExecSql(QStringLiteral("rate_test"), QStringLiteral("select DEVIZANEM, ARFOLYAM, DEVIZAERTEK from TETEL"));
    ASSERT_TRUE(NextRow(row));
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("EUR"));
    EXPECT_DOUBLE_EQ(row.value(1).toDouble(), 400.5);
    EXPECT_DOUBLE_EQ(row.value(2).toDouble(), 4005 * 400.5);
    row = QSqlQuery();
    DbDisconnect(QStringLiteral("rate_test"));
}

}  // namespace
