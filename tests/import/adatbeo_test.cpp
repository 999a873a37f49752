#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <sys/resource.h>
#include <QSqlQuery>
#include <QSqlRecord>
#include <csignal>
#include <xlsxwriter.h>

#include "db/cp1250.h"
#include "db/amount_text.h"
#include "db/dat.h"
#include "db/stop_request.h"
#include "import/adatbeo.h"
#include "import/import_format.h"
#include "import/xlsx_package.h"
#include "support/test_db.h"
#include "support/turnover_sums.h"
#include "support/memory_use.h"

namespace {

const QString kHeading = QStringLiteral(
    "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;"
    "TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM");

class ImportTest : public CompanyDbTest {
protected:
    QString write(const QString& name, const QStringList& lines, bool cp1250 = false) {
        const QString path = db.dir() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        file.write(cp1250 ? EncodeCp1250(text) : text.toUtf8());
        return path;
    }
    static QList<QVariantMap> rowsOf(const QString& sql) {
        QList<QVariantMap> rows;
        QSqlQuery q = ExecSql(d_tarvedo, sql);
        while (q.next()) {
            QVariantMap row;
            for (int i = 0; i < q.record().count(); ++i) row.insert(q.record().fieldName(i), q.value(i));
            rows << row;
        }
        return rows;
    }
    static QList<QVariantMap> ledger() { return rowsOf(QStringLiteral("select * from TETEL order by SORSZAM, TART_KOV")); }
    static QVariantMap lastLog() {
        const QList<QVariantMap> rows = rowsOf(QStringLiteral("select * from BEOLOG"));
        return rows.isEmpty() ? QVariantMap() : rows.last();
    }
    static int counter(const QString& kind) {
        return SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F"), {{QStringLiteral("F"), kind}})
            .toInt();
    }

    const QStringList invoices{
        kHeading,
        QStringLiteral("A;ve;2026.03.01;2026-03-01;2026.03.01;2026.03.15;;;X-1;X-1;Eladás;311;911;10000;;27;07;;;"),
        QStringLiteral("A;VE;2026.03.01;2026.03.01;2026.03.01;2026.03.15;;;X-1;X-1;;311;467;2700;A;;;;;"),
        QStringLiteral("A;VE;2026.03.01;2026.03.01;2026.03.01;2026.03.15;;;X-1;X-1;Szállítás;311;912;500;;;;;;"),
        QStringLiteral("B;BK;2026.03.05;20260305;;;;;X-1;17;X-1 kiegyenlítése;384;311;13 200,00;;;;;;"),
    };
};

TEST_F(ImportTest, ItemsAreWrittenAsTheLedgerDefinesThem) {
    const ImportReport report = ImportItems(write(QStringLiteral("items.csv"), invoices), {});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.format, QStringLiteral("TETEL_CSV"));
    EXPECT_EQ(report.result, QStringLiteral("SIKERES"));
    EXPECT_EQ(report.vouchers, 2);
    EXPECT_EQ(report.items, 3);
    EXPECT_EQ(report.rows, 4);

    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 4);
    const QVariantMap& main = rows[0];
    const QVariantMap& vat = rows[1];
    EXPECT_EQ(main[QStringLiteral("NTIPUS")].toString(), QStringLiteral("VE"));
    EXPECT_EQ(main[QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(main[QStringLiteral("TELJKELT")].toString(), QStringLiteral("2026.03.01"));
    EXPECT_EQ(main[QStringLiteral("TART_KOV")].toString(), QString());
    EXPECT_FALSE(main[QStringLiteral("TART_KOV")].isNull());
    EXPECT_EQ(vat[QStringLiteral("SORSZAM")], main[QStringLiteral("SORSZAM")]);
    EXPECT_EQ(vat[QStringLiteral("KAPOCS")].toString(), QStringLiteral("001"));
    EXPECT_EQ(vat[QStringLiteral("TART_KOV")].toString(), QStringLiteral("A"));
    EXPECT_EQ(vat[QStringLiteral("SZOVEG")].toString(), QStringLiteral("AFA"));
    EXPECT_EQ(vat[QStringLiteral("AFAKULCS")].toString(), QStringLiteral("27"));
    EXPECT_EQ(vat[QStringLiteral("SOR65")].toString(), QStringLiteral("07"));
    EXPECT_EQ(rows[2][QStringLiteral("KAPOCS")].toString(), QStringLiteral("002"));
    EXPECT_NE(rows[2][QStringLiteral("SORSZAM")], main[QStringLiteral("SORSZAM")]);
    EXPECT_EQ(rows[3][QStringLiteral("NTIPUS")].toString(), QStringLiteral("BK"));
    EXPECT_EQ(rows[3][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(rows[3][QStringLiteral("KAPOCS")].toString(), QStringLiteral("001"));
    EXPECT_EQ(rows[3][QStringLiteral("ERTEK")].toDouble(), 13200.0);
    EXPECT_EQ(rows[3][QStringLiteral("TELJKELT")].toString(), QStringLiteral("2026.03.05"));
    EXPECT_EQ(rows[3][QStringLiteral("DEVIZANEM")].toString(), QStringLiteral("HUF"));
    EXPECT_EQ(rows[3][QStringLiteral("DEVIZAERTEK")].toDouble(), 13200.0);
    // The numbers came from the counters.
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 3);
    EXPECT_EQ(counter(QStringLiteral("VE")), 1);
    EXPECT_EQ(counter(QStringLiteral("BK")), 1);

    const QVariantMap log = lastLog();
    EXPECT_EQ(log[QStringLiteral("EREDMENY")].toString(), QStringLiteral("SIKERES"));
    EXPECT_EQ(log[QStringLiteral("SOROK")].toInt(), 4);
    EXPECT_EQ(log[QStringLiteral("TETELEK")].toInt(), 4);
    EXPECT_EQ(log[QStringLiteral("BIZONYLATOK")].toInt(), 2);
    EXPECT_EQ(log[QStringLiteral("JUZER")].toString(), QStringLiteral("KARDO"));
    EXPECT_EQ(log[QStringLiteral("ELSOSORSZAM")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(log[QStringLiteral("UTOLSOSORSZAM")].toString(), QStringLiteral("2600003"));
}

TEST_F(ImportTest, OneBadLineStoresNothingAndIsReportedByLine) {
    QStringList lines = invoices;
    lines[3] = QStringLiteral("A;VE;2026.03.01;2026.02.30;;;;;X-1;X-1;Szállítás;311;999;5x0;;;;;;");
    const ImportReport report = ImportItems(write(QStringLiteral("bad.csv"), lines), {});
    EXPECT_EQ(report.result, QStringLiteral("HIBAS"));
    ASSERT_EQ(report.faults.size(), 3);
    for (const ImportFault& fault : report.faults) EXPECT_EQ(fault.line, 4);
    EXPECT_EQ(report.faults[0].text, QStringLiteral("Hibás teljesítés kelte."));
    EXPECT_TRUE(report.faults[1].text.startsWith(QStringLiteral("Hibás érték. Hibás összeg: „5x0”."))) << report.faults[1].text.toStdString();
    EXPECT_EQ(report.faults[2].text, QStringLiteral("Hibás követel számlaszám."));
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 0);

    const QVariantMap log = lastLog();
    EXPECT_EQ(log[QStringLiteral("EREDMENY")].toString(), QStringLiteral("HIBAS"));
    EXPECT_EQ(log[QStringLiteral("HIBAK")].toInt(), 1);
    EXPECT_EQ(log[QStringLiteral("TETELEK")].toInt(), 0);
    EXPECT_TRUE(log[QStringLiteral("UZENET")].toString().contains(QStringLiteral("4. sor: Hibás követel számlaszám.")));
}

TEST_F(ImportTest, DryRunChecksAndLogsOnly) {
    const ImportReport report = ImportItems(write(QStringLiteral("items.csv"), invoices), {QString(), true});
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.result, QStringLiteral("PROBA"));
    EXPECT_EQ(report.vouchers, 2);
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 0);
    EXPECT_EQ(lastLog()[QStringLiteral("EREDMENY")].toString(), QStringLiteral("PROBA"));
}

TEST_F(ImportTest, VatRowsBelongToTheItemBeforeThem) {
    const ImportReport report = ImportItems(
        write(QStringLiteral("vat.csv"),
              {kHeading, QStringLiteral("A;VE;2026.03.01;2026.03.01;;;;;;;;311;467;2700;A;27;;;;"),
               QStringLiteral("B;VE;2026.03.01;2026.03.01;;;;;;;;311;911;10000;;27;;;;"),
               QStringLiteral("B;VE;2026.03.01;2026.03.01;;;;;;;;311;467;2700;A;27;;;;"),
               QStringLiteral("B;VE;2026.03.01;2026.03.01;;;;;;;;311;467;2700;A;27;;;;"),
               QStringLiteral("B;BK;2026.03.01;2026.03.01;;;;;;;;384;311;5;X;;;;;")}),
        {});
    QStringList faults;
    for (const ImportFault& f : report.faults) faults << QStringLiteral("%1: %2").arg(f.line).arg(f.text);
    EXPECT_EQ(faults, (QStringList{QStringLiteral("2: Az ÁFA sor előtt nincs főtétel ugyanabban a bizonylatban."),
                                   QStringLiteral("5: Egy tételnek csak egy ÁFA sora lehet."),
                                   QStringLiteral("6: A TART_KOV értéke A vagy üres lehet."),
                                   QStringLiteral("6: Egy bizonylat tételei csak azonos naplótípusúak lehetnek.")}));
    EXPECT_TRUE(ledger().isEmpty());
}

TEST_F(ImportTest, Windows1250TextAndAFormatOfColumnLetters) {
    // A bank's export: no heading, amounts with the sign reversed, one voucher per file day.
    Exec(QStringLiteral("insert into BEOVEZ (FORMATUM, SORREND, MEGNEVEZES, FAJLTIPUS, ELVALASZTO, KODLAP, FEJLECSOR, BIZONYLATKULCS) "
                        "values ('BANK', 0, 'Bankkivonat', 'TXT', 'TAB', 'WINDOWS-1250', 0, 'A')"));
    const char* mapping[][5] = {{"", "NTIPUS", "BK", "", "I"},  {"A", "KONYVELVE", "", "DATUM", "I"},
                                {"A", "TELJKELT", "", "DATUM", "I"}, {"B", "SZOVEG", "", "", "N"},
                                {"", "SZLA", "532", "", "I"},   {"", "ESZLA", "384", "", "I"},
                                {"3", "ERTEK", "", "ELOJEL", "I"}};
    int order = 0;
    for (const auto& m : mapping)
        ExecSql(d_tarvedo,
                QStringLiteral("insert into BEOVEZ (FORMATUM, SORREND, OSZLOP, MEZO, ALAPERTEK, ATALAKITAS, KOTELEZO) "
                               "values ('BANK', :S, :O, :M, :A, :T, :K)"),
                {{QStringLiteral("S"), ++order}, {QStringLiteral("O"), QString::fromLatin1(m[0])}, {QStringLiteral("M"), QString::fromLatin1(m[1])},
                 {QStringLiteral("A"), QString::fromLatin1(m[2])}, {QStringLiteral("T"), QString::fromLatin1(m[3])},
                 {QStringLiteral("K"), QString::fromLatin1(m[4])}});
    const QString path = write(QStringLiteral("bank.txt"),
                               {QStringLiteral("2026.04.01\tSzámlavezetési díj – április\t-1 250"),
                                QStringLiteral("2026.04.01\tÁtutalási jutalék\t-80"),
                                QStringLiteral("2026.04.02\tKártyadíj őszi\t-300")},
                               true);
    const ImportReport report = ImportItems(path, {QStringLiteral("bank"), false});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.vouchers, 2);
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), 1250.0);
    EXPECT_EQ(rows[0][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Számlavezetési díj – április"));
    EXPECT_EQ(rows[2][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Kártyadíj őszi"));
    EXPECT_EQ(rows[1][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(rows[1][QStringLiteral("KAPOCS")].toString(), QStringLiteral("002"));
    EXPECT_EQ(rows[2][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600002"));
    EXPECT_EQ(rows[2][QStringLiteral("SZLA")].toString(), QStringLiteral("532"));
}

TEST_F(ImportTest, SpreadsheetCellsAreRead) {
    const QString path = db.dir() + QStringLiteral("/items.xlsx");
    lxw_workbook* workbook = workbook_new(path.toLocal8Bit().constData());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Tételek");
    lxw_format* dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, "yyyy.mm.dd");
    const QStringList heading = kHeading.split(QLatin1Char(';'));
    for (int c = 0; c < heading.size(); ++c) worksheet_write_string(sheet, 0, lxw_col_t(c), heading[c].toUtf8().constData(), nullptr);
    lxw_datetime day{2026, 3, 1, 0, 0, 0};
    for (int r = 1; r <= 2; ++r) {
        worksheet_write_number(sheet, lxw_row_t(r), 0, 7, nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 1, "SZ", nullptr);
        worksheet_write_datetime(sheet, lxw_row_t(r), 2, &day, dateFormat);
        worksheet_write_datetime(sheet, lxw_row_t(r), 3, &day, dateFormat);
        worksheet_write_string(sheet, lxw_row_t(r), 8, "Sz/2026/ő", nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 11, r == 1 ? 521 : 466, nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 12, 454, nullptr);
        // 270.125 is stored as "270.125": a number cell, whose point is its decimal mark.
        worksheet_write_number(sheet, lxw_row_t(r), 13, r == 1 ? 1000.5 : 270.125, nullptr);
    }
    worksheet_write_string(sheet, 2, 14, "A", nullptr);
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);

    const ImportReport report = ImportItems(path, {});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.format, QStringLiteral("TETEL_XLSX"));
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("SZLA")].toString(), QStringLiteral("521"));
    EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), 1000.5);
    EXPECT_EQ(rows[0][QStringLiteral("TELJKELT")].toString(), QStringLiteral("2026.03.01"));
    EXPECT_EQ(rows[0][QStringLiteral("SZAMLASZAM")].toString(), QStringLiteral("SZ/2026/Ő"));
    EXPECT_EQ(rows[1][QStringLiteral("SZLA")].toString(), QStringLiteral("466"));
    EXPECT_EQ(rows[1][QStringLiteral("ERTEK")].toDouble(), 270.125);
    EXPECT_EQ(rows[1][QStringLiteral("TART_KOV")].toString(), QStringLiteral("A"));
}

TEST_F(ImportTest, LargeFilesAreWrittenInBlocksAsSmallOnes) {
    // 75 items of one bank statement and 5 invoices with VAT rows: full
    // blocks of rows and a remainder.
    Exec(QStringLiteral("insert into UGYFEL (KOD, NEV) values ('U1', 'Vevő')"));
    QStringList lines{kHeading};
    double total = 0;
    for (int i = 1; i <= 75; ++i) {
        lines << QStringLiteral("A;BK;2026.03.05;2026.03.05;;;;;;%1;Tétel %1;384;311;%2;;;;;;").arg(i).arg(i * 10);
        total += i * 10;
    }
    for (int i = 1; i <= 5; ++i) {
        lines << QStringLiteral("V%1;VE;2026.03.06;2026.03.06;;;U1;;S-%1;S-%1;Eladás;311;911;1000;;27;07;;;").arg(i);
        lines << QStringLiteral("V%1;VE;2026.03.06;2026.03.06;;;U1;;S-%1;S-%1;;311;467;270;A;;;;;").arg(i);
        total += 1270;
    }
    const ImportReport report = ImportItems(write(QStringLiteral("large.csv"), lines), {});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.rows, 85);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toInt(), 85);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select sum(ERTEK) from TETEL")).toDouble(), total);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(distinct KAPOCS) from TETEL where NTIPUS = 'BK'")).toInt(), 75);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select max(KAPOCS) from TETEL where NTIPUS = 'BK'")).toString(), QStringLiteral("075"));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL where UGYFELKOD is null or SZAMLASZAM is null "
                                                    "or TART_KOV is null or TIPUS is null")).toInt(), 0);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select SZOVEG from TETEL where BIZONYLAT = '42'")).toString(), QStringLiteral("Tétel 42"));
    // The VAT rows share the numbers of their items.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL A join TETEL M on M.SORSZAM = A.SORSZAM and "
                                                    "M.KAPOCS = A.KAPOCS and M.TART_KOV = '' where A.TART_KOV = 'A'")).toInt(), 5);
}

TEST_F(ImportTest, TheTurnoverTableGetsOneRowPerKeyOfTheImportedItems) {
    // One bank key of 75 rows and two invoice keys: the import writes the
    // three sums itself instead of the trigger adding a row per item row.
    Exec(QStringLiteral("insert into UGYFEL (KOD, NEV) values ('U1', 'Vevő')"));
    QStringList lines{kHeading};
    for (int i = 1; i <= 75; ++i) lines << QStringLiteral("A;BK;2026.03.05;2026.03.05;;;;;;%1;Tétel;384;311;%2;;;;;;").arg(i).arg(i * 10);
    for (int i = 1; i <= 5; ++i) {
        lines << QStringLiteral("V%1;VE;2026.03.06;2026.03.06;;;U1;;S-%1;S-%1;Eladás;311;911;1000;;27;07;;;").arg(i);
        lines << QStringLiteral("V%1;VE;2026.03.06;2026.03.06;;;U1;;S-%1;S-%1;;311;467;270;A;;;;;").arg(i);
    }
    const QString path = write(QStringLiteral("sums.csv"), lines);
    const auto turnoverRows = [] { return SelectValue(d_tarvedo, QStringLiteral("select count(*) from FORGALOM")).toInt(); };
    ASSERT_TRUE(ImportItems(path, {}).ok());
    EXPECT_EQ(turnoverRows(), 3);
    EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
    // Posting afterwards goes through the trigger again.
    Exec(QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, TELJKELT, NTIPUS) values ('X', '384', '311', 5, '2026.03.05', 'BK')"));
    EXPECT_EQ(turnoverRows(), 4);

    // A database whose trigger adds a row per item row whatever the
    // transaction: its rows are not summed a second time.
    Exec(QStringLiteral("create or alter trigger TETEL_FORGALOM for TETEL active after insert position 0 as begin "
                        "insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK) "
                        "values (NEW.SZLA, NEW.ESZLA, NEW.TELJKELT, NEW.NTIPUS, NEW.ERTEK); end"));
    // The same rows under other voucher keys: a file of its own.
    lines.replaceInStrings(QStringLiteral("A;BK;"), QStringLiteral("B;BK;"));
    ASSERT_TRUE(ImportItems(write(QStringLiteral("sums2.csv"), lines), {}).ok());
    EXPECT_EQ(turnoverRows(), 4 + 85);
    EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
}

TEST_F(ImportTest, ClosedYearTakesNothing) {
    Exec(QStringLiteral("update CEG set NYITVA = 'N'"));
    db1AfterConnect();
    const ImportReport report = ImportItems(write(QStringLiteral("items.csv"), invoices), {});
    EXPECT_EQ(report.error, QStringLiteral("Az év le van zárva."));
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(lastLog()[QStringLiteral("EREDMENY")].toString(), QStringLiteral("HIBAS"));
}

// Amounts are read as everywhere else in the program: what is no amount a
// bookkeeper writes is refused with the line and the field named.
TEST_F(ImportTest, AmountsAreReadByTheSharedAmountReader) {
    struct Case {
        const char* ertek;
        const char* devizaertek;
        const char* fault;  // empty: taken
    };
    const Case cases[] = {
        {"1O00", "", "Hibás érték. Hibás összeg: „1O00”."},
        {"12abc", "", "Hibás érték. Hibás összeg: „12abc”."},
        {"1-2", "", "Hibás érték. Hibás összeg: „1-2”."},
        {"Ft 100", "", "Hibás érték. Hibás összeg: „Ft 100”."},
        {"1.5e-3", "", "Hibás érték. Hibás összeg: „1.5e-3”."},
        {"1e308", "", "Hibás érték. Hibás összeg: „1e308”."},
        {"12345678901234567890", "", "Hibás érték. Túl nagy összeg: „12345678901234567890”."},
        {"100", "1 000 000 000 000 000", "Hibás deviza érték. Túl nagy összeg: „1 000 000 000 000 000”."},
        {"-1 234 567,50", "", ""},
        {"1.234.567,5", "", ""},
        {"+80", "80.25", ""},
    };
    QStringList lines{kHeading};
    for (const Case& c : cases)
        lines << QStringLiteral("A;BK;2026.03.05;2026.03.05;;;;;;;;384;311;%1;;;;;%2;")
                     .arg(QString::fromUtf8(c.ertek), QString::fromUtf8(c.devizaertek));
    const ImportReport report = ImportItems(write(QStringLiteral("amounts.csv"), lines), {});
    QMap<int, QString> faults;
    for (const ImportFault& f : report.faults) faults[f.line] += f.text;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].ertek);
        const QString expected = QString::fromUtf8(cases[i].fault);
        if (expected.isEmpty())
            EXPECT_FALSE(faults.contains(i + 2)) << faults.value(i + 2).toStdString();
        else
            EXPECT_TRUE(faults.value(i + 2).startsWith(expected)) << faults.value(i + 2).toStdString();
    }
    EXPECT_TRUE(ledger().isEmpty());
}

// The log row of a successful import is part of its transaction: when it
// cannot be written, no item is stored either, and the failure is logged.
TEST_F(ImportTest, ItemsAreNotStoredWithoutTheirLogRow) {
    Exec(QStringLiteral("create exception LOG_REFUSED 'log refused'"));
    Exec(QStringLiteral("create trigger BEOLOG_REFUSE for BEOLOG before insert as begin "
                        "if (NEW.EREDMENY = 'SIKERES') then exception LOG_REFUSED; end"));
    const ImportReport report = ImportItems(write(QStringLiteral("items.csv"), invoices), {});
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(report.error.contains(QStringLiteral("log refused"))) << report.error.toStdString();
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from FORGALOM")).toInt(), 0);
    const QList<QVariantMap> log = rowsOf(QStringLiteral("select * from BEOLOG"));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0][QStringLiteral("EREDMENY")].toString(), QStringLiteral("HIBAS"));
    EXPECT_EQ(log[0][QStringLiteral("TETELEK")].toInt(), 0);
}

TEST_F(ImportTest, HeadingsThatCannotBeReadAsMeant) {
    const QString line = QStringLiteral("A;BK;2026.03.05;2026.03.05;;;;;;;Bank;384;311;100;;;;;;");
    // A name in two columns: either could be meant.
    ImportReport report = ImportItems(write(QStringLiteral("twice.csv"), {kHeading + QStringLiteral(";szla"), line + QStringLiteral(";999")}), {});
    EXPECT_EQ(report.error, QStringLiteral("Több oszlop fejléce azonos: szla"));
    EXPECT_TRUE(ledger().isEmpty());

    // Only a heading: nothing to take is no success.
    const QString empty = write(QStringLiteral("empty.csv"), {kHeading});
    report = ImportItems(empty, {});
    EXPECT_EQ(report.error, QStringLiteral("Nincs beolvasható tétel a fájlban: ") + empty);
    EXPECT_EQ(report.result, QStringLiteral("HIBAS"));
    EXPECT_EQ(lastLog()[QStringLiteral("EREDMENY")].toString(), QStringLiteral("HIBAS"));

    // A column no format column reads is taken without it, and said so.
    report = ImportItems(write(QStringLiteral("extra.csv"), {kHeading + QStringLiteral(";Megjegyzés;;"), line + QStringLiteral(";fontos;;")}), {});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.warnings, QStringList{QStringLiteral("Ismeretlen oszlop, az átvétel nem olvassa: Megjegyzés")});
    EXPECT_EQ(ledger().size(), 1);
    EXPECT_TRUE(lastLog()[QStringLiteral("UZENET")].toString().contains(QStringLiteral("Megjegyzés")));
}

TEST_F(ImportTest, ASheetBeyondAWorksheetIsRefusedWithTheReadersMessage) {
    const QString path = db.dir() + QStringLiteral("/wide.xlsx");
    QByteArray rows = "<row r=\"1\">";
    const QStringList heading = kHeading.split(QLatin1Char(';'));
    for (int c = 0; c < heading.size(); ++c)
        rows += QStringLiteral("<c r=\"%1%2\" t=\"inlineStr\"><is><t>%3</t></is></c>").arg(QChar('A' + c)).arg(1).arg(heading[c]).toUtf8();
    rows += "</row><row r=\"2\"><c r=\"ZZZ2\"><v>1</v></c></row>";
    WriteWorkbook(path, rows);
    const ImportReport report = ImportItems(path, {});
    EXPECT_EQ(report.error, QStringLiteral("A(z) ZZZ2 cella a munkalap utolsó oszlopán túl van (legfeljebb 16384 oszlop lehet)."));
    EXPECT_TRUE(lastLog()[QStringLiteral("UZENET")].toString().contains(QStringLiteral("ZZZ2")));
}

// A file of many faulty lines lists the first thousand faults and counts
// the rest, so neither the report nor its log row grows with the file.
TEST_F(ImportTest, ManyFaultsAreCountedBeyondTheListedOnes) {
    QStringList lines{kHeading};
    for (int i = 0; i < 1500; ++i) lines << QStringLiteral("A;BK;2026.03.05;2026.03.05;;;;;;;;999;311;100;;;;;;");
    const ImportReport report = ImportItems(write(QStringLiteral("faulty.csv"), lines), {});
    EXPECT_EQ(report.faultyLines, 1500);
    EXPECT_EQ(report.faults.size(), kListedImportFaults);
    EXPECT_EQ(report.unlistedFaults, 500);
    EXPECT_TRUE(lastLog()[QStringLiteral("UZENET")].toString().endsWith(QStringLiteral("\n… és még 500 hiba.")));
    EXPECT_EQ(lastLog()[QStringLiteral("HIBAK")].toInt(), 1500);
    EXPECT_TRUE(ledger().isEmpty());
}

// A file large enough to be read on two cores and converted in blocks: the
// items keep the file's order and numbers, and the faults of a line (one
// found converting it, one found checking it) stay together and in order.
TEST_F(ImportTest, ALargeFileKeepsItsOrderAndItsFaultsTheirLines) {
    constexpr int kLines = 20000;
    QStringList lines{kHeading};
    for (int i = 0; i < kLines; ++i)
        lines << QStringLiteral("%1;BK;2026.03.05;2026.03.05;;;;;;%1;sor %2 a bankkivonatról;384;311;%3;;;;;;")
                     .arg(i / 25 + 1)
                     .arg(i)
                     .arg(100 + i);
    const QString path = write(QStringLiteral("large.csv"), lines);
    ASSERT_GT(QFileInfo(path).size(), 1 << 20);
    ImportReport report = ImportItems(path, {});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.items, kLines);
    EXPECT_EQ(report.vouchers, kLines / 25);
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SORSZAM, KONYVBIZ, SZOVEG, ERTEK from TETEL order by SORSZAM"));
    int i = 0;
    for (; q.next(); ++i) {
        ASSERT_EQ(q.value(2).toString(), QStringLiteral("sor %1 a bankkivonatról").arg(i));
        ASSERT_EQ(q.value(3).toDouble(), 100 + i);
        ASSERT_EQ(q.value(1).toString(), QStringLiteral("26%1").arg(i / 25 + 1, 5, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(i, kLines);
    EXPECT_EQ(report.firstSorszam, QStringLiteral("2600001"));
    EXPECT_EQ(report.lastSorszam, QStringLiteral("26%1").arg(kLines, 5, 10, QLatin1Char('0')));

    // Faults on both sides of the first block's end (its 8192 lines end on
    // the file's line 8193) and on the last line.
    const int last = kLines + 1;
    for (int line : {8193, 8195, last}) lines[line - 1].replace(QStringLiteral(";384;"), QStringLiteral(";999;"));
    lines[8194 - 1].replace(QStringLiteral("2026.03.05;2026.03.05"), QStringLiteral("2026.02.30;2026.03.05"));
    lines[8194 - 1].replace(QStringLiteral(";311;"), QStringLiteral(";998;"));
    report = ImportItems(write(QStringLiteral("faulty.csv"), lines), {});
    EXPECT_EQ(report.faultyLines, 4);
    QStringList faults;
    for (const ImportFault& f : report.faults) faults << QStringLiteral("%1: %2").arg(f.line).arg(f.text);
    EXPECT_EQ(faults, (QStringList{QStringLiteral("8193: Hibás tartozik számlaszám."),
                                   QStringLiteral("8194: Hibás könyvelési dátum."),
                                   QStringLiteral("8194: Hibás követel számlaszám."),
                                   QStringLiteral("8195: Hibás tartozik számlaszám."),
                                   QStringLiteral("%1: Hibás tartozik számlaszám.").arg(last)}));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toInt(), kLines);
}

// The largest sheet there is, a filled cell at the end of each row and no
// line fit to take: read, checked and counted in bounded memory.
TEST_F(ImportTest, AFaultySheetOfEveryRowIsCountedNotKept) {
    const QString path = db.dir() + QStringLiteral("/rows.xlsx");
    QByteArray head = SheetHead() + "<row r=\"1\">";
    const QStringList heading = kHeading.split(QLatin1Char(';'));
    for (int c = 0; c < heading.size(); ++c)
        head += QStringLiteral("<c r=\"%1%2\" t=\"inlineStr\"><is><t>%3</t></is></c>").arg(QChar('A' + c)).arg(1).arg(heading[c]).toUtf8();
    head += "</row>";
    constexpr int kRows = 1048575;
    WriteWorkbook(path, GeneratedPart{head, [](qint64 i) { return QStringLiteral("<row r=\"%1\"><c r=\"XFD%1\"><v>1</v></c></row>").arg(i + 2).toUtf8(); },
                                      kRows, SheetTail()});
    const qint64 before = PeakMegabytes();
    const ImportReport report = ImportItems(path, {});
    // Kept whole, the lines took gigabytes.
    EXPECT_LT(PeakMegabytes() - before, MemoryBoundMb(400));
    EXPECT_TRUE(report.error.isEmpty()) << report.error.toStdString();
    EXPECT_EQ(report.lines, kRows);
    EXPECT_EQ(report.faultyLines, kRows);
    EXPECT_EQ(report.vouchers, 1);
    EXPECT_EQ(report.items, kRows);
    EXPECT_TRUE(ledger().isEmpty());
}

// The same file imported again stores nothing; a file whose vouchers were
// partly stored before stores only the missing ones. Dry runs tell the same.
TEST_F(ImportTest, AFileImportedAgainStoresOnlyWhatIsMissing) {
    const QString path = write(QStringLiteral("items.csv"), invoices);
    ASSERT_TRUE(ImportItems(path, {}).ok());
    ASSERT_EQ(ledger().size(), 4);

    const ImportReport trial = ImportItems(path, {QString(), true});
    EXPECT_TRUE(trial.ok());
    EXPECT_EQ(trial.alreadyImported, 2);
    EXPECT_EQ(trial.vouchers, 0);
    EXPECT_EQ(trial.items, 0);

    ImportReport again = ImportItems(path, {});
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(again.result, QStringLiteral("SIKERES"));
    EXPECT_EQ(again.alreadyImported, 2);
    EXPECT_EQ(again.vouchers, 0);
    EXPECT_EQ(again.rows, 0);
    EXPECT_EQ(again.warnings, QStringList{QStringLiteral("A fájl 2 bizonylatát egy korábbi átvétel már tárolta; ezeket kihagyja.")});
    EXPECT_EQ(ledger().size(), 4);
    EXPECT_EQ(counter(QStringLiteral("SORSZAM")), 3);
    EXPECT_EQ(counter(QStringLiteral("BK")), 1);
    EXPECT_EQ(lastLog()[QStringLiteral("TETELEK")].toInt(), 0);

    // As if the bank voucher had not been stored: only it is stored again,
    // under the next numbers.
    Exec(QStringLiteral("delete from TETEL where NTIPUS = 'BK'"));
    Exec(QStringLiteral("delete from BEOVETT where KULCS = 'B'"));
    again = ImportItems(path, {});
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(again.alreadyImported, 1);
    EXPECT_EQ(again.vouchers, 1);
    EXPECT_EQ(again.rows, 1);
    const QList<QVariantMap> bank = rowsOf(QStringLiteral("select * from TETEL where NTIPUS = 'BK'"));
    ASSERT_EQ(bank.size(), 1);
    EXPECT_EQ(bank[0][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600002"));
    EXPECT_EQ(bank[0][QStringLiteral("SORSZAM")].toString(), QStringLiteral("2600004"));
    EXPECT_EQ(ledger().size(), 4);
    const QList<QVariantMap> record = rowsOf(QStringLiteral("select KULCS, NTIPUS, KONYVBIZ from BEOVETT order by KULCS"));
    ASSERT_EQ(record.size(), 2);
    EXPECT_EQ(record[0][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600001"));
    EXPECT_EQ(record[1][QStringLiteral("NTIPUS")].toString(), QStringLiteral("BK"));
    EXPECT_EQ(record[1][QStringLiteral("KONYVBIZ")].toString(), QStringLiteral("2600002"));
}

// A database made before the record existed gets it with its first import.
TEST_F(ImportTest, TheRecordIsMadeInAnOlderDatabase) {
    Exec(QStringLiteral("drop table BEOVETT"));
    const QString path = write(QStringLiteral("items.csv"), invoices);
    ASSERT_TRUE(ImportItems(path, {}).ok());
    const ImportReport again = ImportItems(path, {});
    EXPECT_EQ(again.alreadyImported, 2);
    EXPECT_EQ(ledger().size(), 4);
}

// What the voucher window and `post` refuse, the import refuses too, each
// by its line in the window's words.
TEST_F(ImportTest, LinesAreCheckedAsTheVoucherWindowChecksThem) {
    Exec(QStringLiteral("insert into UGYFEL (KOD, NEV) values ('VEVO1', 'Első Vevő Kft.')"));
    struct Case {
        const char* line;
        const char* fault;  // empty: taken
    };
    const Case cases[] = {
        {"A;BK;2026.03.05;2026.03.05;;;VEVO1;01;;;;384;311;100;;;;;;", ""},
        {"B;BK;2026.03.05;2026.03.05;;;vevo1;;;;;384;311;100;;;;EUR;;400", ""},
        {"C;BK;2026.03.05;2026.03.05;;;NINCS;;;;;384;311;100;;;;;;", "Hibás ügyfélkód."},
        {"D;BK;2026.03.05;2026.03.05;;;;99;;;;384;311;100;;;;;;", "Hibás költséghely."},
        {"E;BK;2026.03.05;2026.03.05;;;;;;;;384;311;100;;;;XYZ;;", "Hibás devizanem."},
        {"F;BK;2026.03.05;2026.03.05;;;;;;;;384;311;100;;;;EUR;;", "Hiányzó árfolyam."},
        {"G;BK;;2026.03.05;;;;;;;;384;311;100;;;;;;", "Hibás könyvelési dátum."},
        {"H;BK;2026.03.05;2026.03.05;2026.13.01;;;;;;;384;311;100;;;;;;", "Hibás számla kelte."},
        {"I;XX;2026.03.05;2026.03.05;;;;;;;;384;311;100;;;;;;", "Rossz naplótípus."},
        {"J;BK;2026.03.05;2026.03.05;;;;;;;;;311;100;;;;;;", "Hiányzó tartozik számlaszám."},
        {"K;BK;2026.03.05;2026.03.05;;;;;;;;384;311;;;;;;;", "Hiányzó érték."},
        // A key met before, after another voucher: a second voucher under one key.
        {"A;BK;2026.03.05;2026.03.05;;;;;;;;384;311;100;;;;;;",
         "A(z) „A” bizonylatkulcs korábban is szerepelt a fájlban; egy bizonylat sorai egymás után következzenek."},
        {"LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL;BK;2026.03.05;2026.03.05;;;;;;;;384;311;100;;;;;;",
         "A bizonylatkulcs (VOUCHER oszlop) legfeljebb 60 karakter lehet."},
    };
    QStringList lines{kHeading};
    for (const Case& c : cases) lines << QString::fromUtf8(c.line);
    const ImportReport report = ImportItems(write(QStringLiteral("checked.csv"), lines), {});
    QMap<int, QStringList> faults;
    for (const ImportFault& f : report.faults) faults[f.line] << f.text;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].line);
        const QString expected = QString::fromUtf8(cases[i].fault);
        EXPECT_EQ(faults.value(i + 2), expected.isEmpty() ? QStringList() : QStringList{expected});
    }
    EXPECT_TRUE(ledger().isEmpty());

    // The good lines alone are stored, the partner code as the window stores it.
    const ImportReport good = ImportItems(write(QStringLiteral("good.csv"), lines.mid(0, 3)), {});
    ASSERT_TRUE(good.ok()) << (good.faults.isEmpty() ? good.error : good.faults[0].text).toStdString();
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][QStringLiteral("UGYFELKOD")].toString(), QStringLiteral("VEVO1"));
    EXPECT_EQ(rows[1][QStringLiteral("ARFOLYAM")].toDouble(), 400);
}

// A format may say which mark is its decimal one; without it an amount that
// reads either way is refused by its line and field.
TEST_F(ImportTest, AFormatDeclaresItsDecimalMark) {
    double probe = 0;
    if (ParseAmount(QStringLiteral("1.234"), probe, nullptr, DecimalMark::Comma) && probe != 1234)
        GTEST_SKIP() << "the amount reader does not tell the decimal marks apart yet";
    for (const char* mark : {"VESSZO", "PONT"})
        Exec(QStringLiteral("insert into BEOVEZ (FORMATUM, SORREND, MEGNEVEZES, FAJLTIPUS, ELVALASZTO, KODLAP, FEJLECSOR, LAPNEV, "
                            "BIZONYLATKULCS, OSZLOP, MEZO, ALAPERTEK, ATALAKITAS, KOTELEZO, TIZEDESJEL) select '%1', SORREND, MEGNEVEZES, FAJLTIPUS, ELVALASZTO, KODLAP, FEJLECSOR, "
                            "LAPNEV, BIZONYLATKULCS, OSZLOP, MEZO, ALAPERTEK, ATALAKITAS, KOTELEZO, "
                            "case when SORREND = 0 then '%2' end from BEOVEZ where FORMATUM = 'TETEL_CSV'")
                 .arg(QLatin1String(mark), QLatin1String(mark[0] == 'V' ? "," : ".")));
    const QStringList lines{kHeading, QStringLiteral("A;BK;2026.03.05;2026.03.05;;;;;;;;384;311;1.234;;;;;;")};
    const QString path = write(QStringLiteral("amounts.csv"), lines);

    const ImportReport either = ImportItems(path, {QStringLiteral("TETEL_CSV"), false});
    ASSERT_EQ(either.faults.size(), 1);
    EXPECT_EQ(either.faults[0].line, 2);
    EXPECT_TRUE(either.faults[0].text.startsWith(QStringLiteral("Hibás érték."))) << either.faults[0].text.toStdString();
    EXPECT_TRUE(either.faults[0].text.contains(QStringLiteral("1.234"))) << either.faults[0].text.toStdString();

    const struct {
        const char* format;
        double ertek;
    } declared[] = {{"VESSZO", 1234}, {"PONT", 1.234}};
    for (const auto& d : declared) {
        SCOPED_TRACE(d.format);
        Exec(QStringLiteral("delete from TETEL"));
        Exec(QStringLiteral("delete from BEOVETT"));
        const ImportReport report = ImportItems(path, {QString::fromLatin1(d.format), false});
        ASSERT_TRUE(report.ok()) << (report.faults.isEmpty() ? report.error : report.faults[0].text).toStdString();
        EXPECT_EQ(ledger().value(0)[QStringLiteral("ERTEK")].toDouble(), d.ertek);
    }
}

TEST_F(ImportTest, AnUnknownDecimalMarkIsAFaultOfTheFormat) {
    Exec(QStringLiteral("update BEOVEZ set TIZEDESJEL = ';' where FORMATUM = 'TETEL_CSV' and SORREND = 0"));
    const ImportReport report = ImportItems(write(QStringLiteral("items.csv"), invoices), {});
    EXPECT_EQ(report.error, QStringLiteral("TETEL_CSV formátum: a tizedesjel vessző vagy pont lehet, nem „;”."));
    EXPECT_TRUE(ledger().isEmpty());
}

// A database made before the format could declare a mark reads its formats
// as before.
TEST_F(ImportTest, FormatsOfAnOlderDatabaseDeclareNoMark) {
    Exec(QStringLiteral("alter table BEOVEZ drop TIZEDESJEL"));
    ImportFormat format;
    QString error;
    ASSERT_TRUE(LoadImportFormat(QStringLiteral("TETEL_CSV"), format, error)) << error.toStdString();
    EXPECT_EQ(format.decimalMark, DecimalMark::Either);
    EXPECT_TRUE(ImportItems(write(QStringLiteral("items.csv"), invoices), {}).ok());
}

// One shared text of 32 million characters, blanks around it, filling
// 20 000 cells: a workbook of a few hundred kilobytes that took hours when
// every cell trimmed its own copy. It is refused in seconds.
TEST_F(ImportTest, AHugeSharedTextIsRefusedInSeconds) {
    const QString path = db.dir() + QStringLiteral("/huge.xlsx");
    QByteArray shared = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>VOUCHER</t></si><si>";
    const QByteArray run = "<r><t xml:space=\"preserve\"> " + QByteArray(32000 - 2, 'x') + " </t></r>";
    for (int i = 0; i < 1000; ++i) shared += run;
    shared += "</si></sst>";
    QByteArray head = SheetHead() + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>";
    WriteWorkbook(path,
                  GeneratedPart{head,
                                [](qint64 i) {
                                    return QStringLiteral("<row r=\"%1\"><c r=\"A%1\" t=\"s\"><v>1</v></c></row>").arg(i + 2).toUtf8();
                                },
                                20000, SheetTail()},
                  shared);
    ASSERT_LT(QFileInfo(path).size(), 1 << 20);
    QElapsedTimer timer;
    timer.start();
    const ImportReport report = ImportItems(path, {});
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(report.error, QStringLiteral("A munkafüzet 2. közös szövege túl hosszú (egy cellában legfeljebb 32767 karakter lehet)."));
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(lastLog()[QStringLiteral("EREDMENY")].toString(), QStringLiteral("HIBAS"));
}

// A stop asked for (Ctrl-C, a shutdown) ends the run at its next safe
// point: nothing of it is stored, the log says why.
TEST_F(ImportTest, AStopRequestStoresNothing) {
    InstallStopSignals();
    std::raise(SIGTERM);
    const ImportReport report = ImportItems(write(QStringLiteral("items.csv"), invoices), {});
    ClearStopRequest();
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.error, QStringLiteral("Megszakítva: a futás visszagörgetve, ebben a futásban nem tárolódott bizonylat "
                                           "(a fájlból korábban tárolt bizonylatok: 0)."));
    EXPECT_EQ(report.vouchers, 0);
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(lastLog()[QStringLiteral("EREDMENY")].toString(), QStringLiteral("HIBAS"));
    EXPECT_TRUE(ImportItems(write(QStringLiteral("items.csv"), invoices), {}).ok());
    EXPECT_EQ(ledger().size(), 4);
}

}  // namespace

