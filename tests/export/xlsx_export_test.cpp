#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "export/XLSproc.h"
#include "export/export_source.h"
#include "export/workbook_opener.h"
#include "export_test_support.h"
#include "support/test_db.h"
#include "support/xlsx_reader.h"

namespace {

const QString kMarker = QStringLiteral("összesen");

// Ledger-like rows: partner, account, amount, count.
MemoryExportSource PartnerRows(const QList<QVariantList>& rows) {
    MemoryExportSource source(QStringLiteral("q_karton"));
    source.addColumn(QStringLiteral("UGYFELKOD"), QStringLiteral("VARCHAR"), 7);
    source.addColumn(QStringLiteral("SZLA"), QStringLiteral("VARCHAR"), 10);
    source.addColumn(QStringLiteral("ERTEK"), QStringLiteral("FLOAT"));
    source.addColumn(QStringLiteral("DB"), QStringLiteral("INTEGER"));
    for (const QVariantList& row : rows) source.addRow(row);
    return source;
}

QString Sumif(const char* marker, int first, int last, const char* column) {
    return QStringLiteral("SUMIF(%1%2:%1%3,\"<>összesen\",%4%2:%4%3)")
        .arg(QLatin1String(marker), QString::number(first), QString::number(last), QLatin1String(column));
}

// Every part of the workbook parses as XML.
void ExpectWellFormed(const XlsxWorkbook& book) {
    ASSERT_TRUE(book.isOpen());
    for (const QString& name : book.partNames()) {
        if (name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels"))) {
            EXPECT_EQ(book.xmlError(name), QString()) << name.toStdString();
        }
    }
}

class XlsxExportTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
    UserSide user;
};

}  // namespace

TEST_F(XlsxExportTest, GroupSubtotalsAndGrandTotal) {
    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 100.5, 1},
                                           {QStringLiteral("A"), QStringLiteral("311"), 200.25, 2},
                                           {QStringLiteral("B"), QStringLiteral("311"), 50.0, 3}});
    TXLSParams params;
    params.SheetName = QStringLiteral("Karton");
    params.SumFields = QStringLiteral("ERTEK, DB");
    params.GroupFields = QStringLiteral("UGYFELKOD");
    params.IntegerFields = QStringLiteral("DB");
    params.ReportTitle = QStringLiteral("Vevő karton");
    QString written;
    ASSERT_TRUE(ExportToExcel({&rows}, {params}, written, false, nullptr, false, path("karton.xlsx")));
    EXPECT_EQ(written, path("karton.xlsx"));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("A fájl: %1elkészült: ").arg(written)});

    const XlsxWorkbook book(written);
    ExpectWellFormed(book);
    ASSERT_EQ(book.sheetNames(), QStringList{QStringLiteral("Karton")});
    const XlsxSheet sheet = book.sheet(QStringLiteral("Karton"));

    // Title merged over the columns and the marker column, captions below.
    EXPECT_EQ(sheet.merges, QStringList{QStringLiteral("A1:E1")});
    EXPECT_EQ(sheet.value(QStringLiteral("A1")), QStringLiteral("Vevő karton"));
    EXPECT_TRUE(book.style(sheet.cells.value(QStringLiteral("A1")).style).bold);
    EXPECT_EQ(sheet.value(QStringLiteral("A2")), QStringLiteral("UGYFELKOD"));
    EXPECT_EQ(sheet.value(QStringLiteral("D2")), QStringLiteral("DB"));

    // Rows 3-4: partner A; row 5: its subtotal; row 6: the single row of B
    // with no subtotal; row 7: the grand total.
    EXPECT_EQ(sheet.value(QStringLiteral("A5")), QStringLiteral("A összesen"));
    EXPECT_TRUE(book.style(sheet.cells.value(QStringLiteral("A5")).style).bold);
    EXPECT_EQ(sheet.value(QStringLiteral("E5")), kMarker);
    EXPECT_EQ(sheet.formula(QStringLiteral("C5")), Sumif("E", 3, 4, "C"));
    EXPECT_EQ(sheet.formula(QStringLiteral("D5")), Sumif("E", 3, 4, "D"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("C5")).toDouble(), 300.75);
    EXPECT_TRUE(book.style(sheet.cells.value(QStringLiteral("C5")).style).bold);
    EXPECT_EQ(sheet.value(QStringLiteral("A6")), QStringLiteral("B"));
    EXPECT_EQ(sheet.value(QStringLiteral("A7")), QStringLiteral("Mind összesen"));
    EXPECT_EQ(sheet.value(QStringLiteral("E7")), kMarker);
    EXPECT_EQ(sheet.formula(QStringLiteral("C7")), Sumif("E", 3, 6, "C"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("C7")).toDouble(), 350.75);
    EXPECT_EQ(sheet.formula(QStringLiteral("D7")), Sumif("E", 3, 6, "D"));
    EXPECT_EQ(sheet.value(QStringLiteral("D7")), QStringLiteral("6"));
    EXPECT_EQ(sheet.lastRow, 7);
    for (const char* dataRow : {"E3", "E4", "E6"}) EXPECT_FALSE(sheet.has(QString::fromLatin1(dataRow)));

    // Number formats of the sum columns, on data and total rows.
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("C3")).style).numberFormat,
              QStringLiteral("# ### ### ##0.00"));
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("D3")).style).numberFormat, QStringLiteral("# ### ### ##0"));
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("D7")).style).numberFormat, QStringLiteral("# ### ### ##0"));

    // The marker column is hidden; the others fit their contents.
    EXPECT_TRUE(sheet.column(5).hidden);
    EXPECT_EQ(sheet.column(5).width, 0);
    EXPECT_FALSE(sheet.column(1).hidden);
    EXPECT_GT(sheet.column(1).width, double(QStringLiteral("Mind összesen").size()));
}

TEST_F(XlsxExportTest, NestedGroupsCloseInnermostFirst) {
    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 1.0, 1},
                                           {QStringLiteral("A"), QStringLiteral("311"), 2.0, 1},
                                           {QStringLiteral("A"), QStringLiteral("312"), 3.0, 1},
                                           {QStringLiteral("B"), QStringLiteral("311"), 4.0, 1}});
    TXLSParams params;
    params.SheetName = QStringLiteral("Karton");
    params.SumFields = QStringLiteral("ERTEK");
    params.GroupFields = QStringLiteral("UGYFELKOD,SZLA");
    QString written;
    ASSERT_TRUE(ExportToExcel({&rows}, {params}, written, false, nullptr, false, path("karton.xlsx")));
    const XlsxSheet sheet = XlsxWorkbook(written).sheet(QStringLiteral("Karton"));
    // No title: captions on row 1, data from row 2.
    EXPECT_EQ(sheet.value(QStringLiteral("B4")), QStringLiteral("311 összesen"));
    EXPECT_EQ(sheet.formula(QStringLiteral("C4")), Sumif("E", 2, 3, "C"));
    EXPECT_EQ(sheet.value(QStringLiteral("B5")), QStringLiteral("312"));
    EXPECT_EQ(sheet.value(QStringLiteral("A6")), QStringLiteral("A összesen"));
    EXPECT_EQ(sheet.formula(QStringLiteral("C6")), Sumif("E", 2, 5, "C"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("C6")).toDouble(), 6.0);
    EXPECT_EQ(sheet.value(QStringLiteral("A7")), QStringLiteral("B"));
    EXPECT_EQ(sheet.formula(QStringLiteral("C8")), Sumif("E", 2, 7, "C"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("C8")).toDouble(), 10.0);
    EXPECT_EQ(sheet.lastRow, 8);
}

TEST_F(XlsxExportTest, CellRulesTitlesAndNoTotal) {
    MemoryExportSource rows(QStringLiteral("q_lista"));
    rows.addColumn(QStringLiteral("KOD"), QStringLiteral("VARCHAR"), 10);
    rows.addColumn(QStringLiteral("DB"), QStringLiteral("INTEGER"));
    rows.addColumn(QStringLiteral("ERTEK"), QStringLiteral("FLOAT"));
    rows.addColumn(QStringLiteral("NYERS"), QStringLiteral("FLOAT"));
    rows.addColumn(QStringLiteral("DATUM"), QStringLiteral("Unknown"));
    rows.addRow({QStringLiteral("00123"), 0, 0.0004, 0.0, QDate(2024, 3, 31)});
    rows.addRow({QVariant(), 5, 1.23456, 2.5, QVariant()});
    TXLSParams params;
    params.SheetName = QStringLiteral("Lista");
    params.BlankIfNullFields = QStringLiteral("DB,ERTEK");
    params.ColumnTitles = {QStringLiteral("Kód"), QStringLiteral("Darab"), QStringLiteral("Érték"),
                           QStringLiteral("Nyers"), QStringLiteral("Dátum")};
    params.NoTotal = true;
    QString written;
    ASSERT_TRUE(ExportToExcel({&rows}, {params}, written, false, nullptr, false, path("lista.xlsx")));
    const XlsxWorkbook book(written);
    const XlsxSheet sheet = book.sheet(QStringLiteral("Lista"));
    EXPECT_EQ(sheet.value(QStringLiteral("B1")), QStringLiteral("Darab"));
    EXPECT_EQ(sheet.value(QStringLiteral("A2")), QStringLiteral("00123"));  // stays text
    EXPECT_NE(sheet.cells.value(QStringLiteral("A2")).type, QStringLiteral("n"));
    EXPECT_FALSE(sheet.has(QStringLiteral("B2")));  // zero left blank
    EXPECT_FALSE(sheet.has(QStringLiteral("C2")));  // rounds to zero
    EXPECT_EQ(sheet.value(QStringLiteral("D2")), QStringLiteral("0"));  // not in the blank list
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("E2")).style).numberFormat, QStringLiteral("yyyy.mm.dd"));
    EXPECT_FALSE(sheet.has(QStringLiteral("A3")));  // NULL
    EXPECT_EQ(sheet.value(QStringLiteral("B3")), QStringLiteral("5"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("C3")).toDouble(), 1.235);
    EXPECT_EQ(sheet.lastRow, 3);  // no grand total

    // Titles that do not match the columns one for one are not used.
    params.ColumnTitles.removeLast();
    ASSERT_TRUE(ExportToExcel({&rows}, {params}, written, false, nullptr, true, path("lista.xlsx")));
    EXPECT_EQ(XlsxWorkbook(written).sheet(QStringLiteral("Lista")).value(QStringLiteral("B1")), QStringLiteral("DB"));
}

TEST_F(XlsxExportTest, TextsDatesTimesAndFlagsAsCellsHoldThem) {
    MemoryExportSource rows(QStringLiteral("q_fajtak"));
    rows.addColumn(QStringLiteral("SZOVEG"), QStringLiteral("VARCHAR"), 20);
    rows.addColumn(QStringLiteral("DATUM"), QStringLiteral("Unknown"));
    rows.addColumn(QStringLiteral("IDO"), QStringLiteral("Unknown"));
    rows.addColumn(QStringLiteral("IDOPONT"), QStringLiteral("Unknown"));
    rows.addColumn(QStringLiteral("JO"), QStringLiteral("BOOLEAN"));
    rows.addRow({QStringLiteral("a<b & c>\"d\" ő 😀"), QDate(1900, 2, 28), QTime(12, 0),
                 QDateTime(QDate(2024, 1, 1), QTime(6, 0)), true});
    rows.addRow({QStringLiteral(" két\tsor\r\n\x01 "), QDate(1899, 12, 31), QVariant(), QVariant(), false});
    QString written;
    ASSERT_TRUE(ExportToExcel({&rows}, {}, written, false, nullptr, false, path("fajtak.xlsx")));
    const XlsxWorkbook book(written);
    ExpectWellFormed(book);
    const XlsxSheet sheet = book.sheet(QStringLiteral("q_fajtak"));

    EXPECT_EQ(sheet.value(QStringLiteral("A2")), QStringLiteral("a<b & c>\"d\" ő 😀"));
    EXPECT_EQ(sheet.cells.value(QStringLiteral("A2")).type, QStringLiteral("inlineStr"));
    // Control characters in the spreadsheet's own escape; the outer blanks are kept.
    EXPECT_EQ(sheet.value(QStringLiteral("A3")), QStringLiteral(" két\tsor_x000D_\n_x0001_ "));
    EXPECT_TRUE(book.part(QStringLiteral("xl/worksheets/sheet1.xml")).contains("<t xml:space=\"preserve\"> k"));

    // Dates and times are numbers (days since the spreadsheet's epoch) with a date format.
    EXPECT_EQ(sheet.value(QStringLiteral("B2")), QStringLiteral("59"));
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("B2")).style).numberFormat, QStringLiteral("yyyy.mm.dd"));
    EXPECT_EQ(sheet.value(QStringLiteral("C2")), QStringLiteral("0.5"));
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("C2")).style).numberFormat, QStringLiteral("hh:mm:ss"));
    EXPECT_EQ(sheet.value(QStringLiteral("D2")), QStringLiteral("45292.25"));
    EXPECT_EQ(book.style(sheet.cells.value(QStringLiteral("D2")).style).numberFormat,
              QStringLiteral("yyyy.mm.dd hh:mm:ss"));
    // A date the spreadsheet cannot count stays a text.
    EXPECT_EQ(sheet.value(QStringLiteral("B3")), QStringLiteral("1899.12.31"));
    EXPECT_EQ(sheet.cells.value(QStringLiteral("B3")).type, QStringLiteral("inlineStr"));

    EXPECT_EQ(sheet.cells.value(QStringLiteral("E2")).type, QStringLiteral("b"));
    EXPECT_EQ(sheet.value(QStringLiteral("E2")), QStringLiteral("1"));
    EXPECT_EQ(sheet.value(QStringLiteral("E3")), QStringLiteral("0"));
    EXPECT_EQ(sheet.lastRow, 4);  // captions, two rows, the grand total
}

TEST_F(XlsxExportTest, FullWorksheetContinuesOnANumberedOne) {
    MemoryExportSource rows(QStringLiteral("q_nagy"));
    rows.addColumn(QStringLiteral("ERTEK"), QStringLiteral("INTEGER"));
    const int count = 65540;  // 65 535 rows fit below the captions of an .xls sheet
    for (int i = 1; i <= count; ++i) rows.addRow({1});
    TXLSParams params;
    params.SheetName = QStringLiteral("Nagy");
    params.SumFields = QStringLiteral("ERTEK");
    QString written;
    ASSERT_TRUE(ExportToExcel({&rows}, {params}, written, false, nullptr, false, path("nagy.xls")));
    const XlsxWorkbook book(written);
    ExpectWellFormed(book);
    ASSERT_EQ(book.sheetNames(), (QStringList{QStringLiteral("Nagy"), QStringLiteral("Nagy_1")}));
    EXPECT_EQ(book.sheet(QStringLiteral("Nagy")).lastRow, 65536);
    const XlsxSheet next = book.sheet(QStringLiteral("Nagy_1"));
    EXPECT_EQ(next.value(QStringLiteral("A1")), QStringLiteral("ERTEK"));
    EXPECT_EQ(next.lastRow, 7);
    EXPECT_EQ(next.formula(QStringLiteral("A7")),
              QStringLiteral("SUMIF('Nagy'!B2:B65536,\"<>összesen\",'Nagy'!A2:A65536)+") + Sumif("B", 2, 6, "A"));
    EXPECT_EQ(next.value(QStringLiteral("A7")), QString::number(count));
    EXPECT_TRUE(next.column(2).hidden);
}

TEST_F(XlsxExportTest, WorkbookKindsByExtension) {
    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 1.0, 1}});
    for (const char* name : {"lista.xlsx", "lista.xlsm", "lista.xls"}) {
        QString written;
        ASSERT_TRUE(ExportToExcel({&rows}, {}, written, false, nullptr, false, path(name)));
        const XlsxWorkbook book(written);
        ExpectWellFormed(book);
        EXPECT_EQ(book.sheetNames(), QStringList{QStringLiteral("q_karton")});  // the list's name
        EXPECT_EQ(book.workbookContentType(),
                  QString::fromLatin1(QByteArray(name).endsWith("xlsm")
                                          ? "application/vnd.ms-excel.sheet.macroEnabled.main+xml"
                                          : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"))
            << name;
    }
}

TEST_F(XlsxExportTest, ExistingFileIsOverwrittenOnlyWhenTheUserSaysSo) {
    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 1.0, 1}});
    const QString file = path("regi.xlsx");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("régi");
    }
    QString written;
    EXPECT_FALSE(ExportToExcel({&rows}, {}, written, false, nullptr, false, file));
    EXPECT_EQ(user.questions, QStringList{QStringLiteral("A fájl: %1 létezik. Felülírjuk?").arg(file)});
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Adjon meg egy érvényes fájlnevet")});
    EXPECT_EQ(ReadBytes(file), QByteArray("régi"));
    EXPECT_TRUE(written.isEmpty());

    user.answer = 0;  // " Igen "
    ASSERT_TRUE(ExportToExcel({&rows}, {}, written, false, nullptr, false, file));
    EXPECT_TRUE(XlsxWorkbook(file).isOpen());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("regi.xlsx")});
}

TEST_F(XlsxExportTest, OpeningTheFinishedWorkbook) {
    QStringList opened;
    SetFileOpener([&opened](const QString& file) {
        opened << file;
        return true;
    });
    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 1.0, 1}});
    QString written;
    user.answer = 0;
    ASSERT_TRUE(ExportToExcel({&rows}, {}, written, true, nullptr, true, path("nyit.xlsx")));
    EXPECT_EQ(user.questions,
              QStringList{QStringLiteral("A fájl: %1elkészült: \rKívánja megnyitni?").arg(path("nyit.xlsx"))});
    EXPECT_EQ(opened, QStringList{path("nyit.xlsx")});

    // "TEMP": a temporary workbook, opened at once without questions.
    ASSERT_TRUE(ExportToExcel({&rows}, {}, written, true, nullptr, false, QStringLiteral("temp")));
    SetFileOpener(nullptr);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.last(), written);
    EXPECT_EQ(user.questions.size(), 1);
    EXPECT_EQ(XlsxWorkbook(written).sheetNames(), QStringList{QStringLiteral("q_karton")});
    QFile::remove(written);
}

TEST_F(XlsxExportTest, FailingWorksheetIsReportedAndTheOthersAreWritten) {
    MemoryExportSource wide(QStringLiteral("q_szeles"));  // more columns than a worksheet has
    QVariantList values;
    for (int i = 0; i < 16385; ++i) {
        wide.addColumn(QStringLiteral("O%1").arg(i), QStringLiteral("INTEGER"));
        values << i;
    }
    wide.addRow(values);
    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 1.0, 1}});
    QString written;
    ASSERT_TRUE(ExportToExcel({&wide, &rows}, {}, written, false, nullptr, false, path("ket.xlsx")));
    ASSERT_EQ(user.messages.size(), 2);
    EXPECT_EQ(user.messages.at(0), QStringLiteral("q_szeles: valami hiba történt (some error occured)"));
    const XlsxWorkbook book(written);
    ExpectWellFormed(book);
    EXPECT_EQ(book.sheetNames(), (QStringList{QStringLiteral("q_szeles"), QStringLiteral("q_karton")}));
    EXPECT_EQ(book.sheet(QStringLiteral("q_karton")).value(QStringLiteral("A2")), QStringLiteral("A"));
}

TEST_F(XlsxExportTest, NothingIsWrittenWithoutRowsOrAValidName) {
    MemoryExportSource empty = PartnerRows({});
    QString written;
    EXPECT_FALSE(ExportToExcel({&empty}, {}, written, false, nullptr, false, path("ures.xlsx")));
    EXPECT_FALSE(QFile::exists(path("ures.xlsx")));
    EXPECT_TRUE(user.messages.isEmpty());

    MemoryExportSource rows = PartnerRows({{QStringLiteral("A"), QStringLiteral("311"), 1.0, 1}});
    user.choosesFile(QString(), 1);  // the dialog is cancelled
    EXPECT_FALSE(ExportToExcel({&rows}, {}, written, false, nullptr, false, QString()));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Adjon meg egy érvényes fájlnevet")});

    user.messages.clear();
    const QString nowhere = path("nincs/ilyen/mappa.xlsx");
    EXPECT_FALSE(ExportToExcel({&rows}, {}, written, false, nullptr, false, nowhere));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("A fájl nem írható: %1").arg(nowhere)});
}

namespace {
class XlsxExportDbTest : public CompanyDbTest {
protected:
    QTemporaryDir dir;
    UserSide user;
};
}  // namespace

TEST_F(XlsxExportDbTest, ColumnsOfADatabaseQuery) {
    Exec(QStringLiteral("create table T_TETEL (UGYFELKOD varchar(7), SZOVEG varchar(120), ERTEK double precision, "
                        "TORT numeric(15,2), DB integer, JEL char(2), MEGJ blob sub_type 1)"));
    Exec(QStringLiteral("insert into T_TETEL values ('A', 'Árvíztűrő', 100.5, 12.34, 1, 'I', 'megjegyzés')"));
    Exec(QStringLiteral("insert into T_TETEL values ('A', null, 0.25, 0.66, 2, 'N', null)"));
    Query q_tetel(QStringLiteral("q_tetel"), {QStringLiteral("select * from T_TETEL"), QStringLiteral("order by DB")});
    QueryExportSource rows(q_tetel);
    TXLSParams params;
    params.SheetName = QStringLiteral("Tételek");
    params.SumFields = QStringLiteral("ERTEK,TORT");
    params.GroupFields = QStringLiteral("UGYFELKOD");
    QString written;
    ASSERT_TRUE(ExportToExcel({&rows}, {params}, written, false, nullptr, false, dir.filePath(QStringLiteral("t.xlsx"))));
    const XlsxWorkbook book(written);
    ExpectWellFormed(book);
    const XlsxSheet sheet = book.sheet(QStringLiteral("Tételek"));
    EXPECT_EQ(sheet.value(QStringLiteral("B2")), QStringLiteral("Árvíztűrő"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("D2")).toDouble(), 12.34);  // a scaled numeric keeps its decimals
    EXPECT_EQ(sheet.value(QStringLiteral("F2")), QStringLiteral("I "));  // char(2)
    EXPECT_EQ(sheet.value(QStringLiteral("G2")), QStringLiteral("megjegyzés"));
    EXPECT_EQ(sheet.value(QStringLiteral("A4")), QStringLiteral("A összesen"));
    EXPECT_EQ(sheet.formula(QStringLiteral("D4")), Sumif("H", 2, 3, "D"));
    EXPECT_DOUBLE_EQ(sheet.value(QStringLiteral("D4")).toDouble(), 13.0);
    EXPECT_EQ(sheet.value(QStringLiteral("A5")), QStringLiteral("Mind összesen"));
    EXPECT_EQ(sheet.formula(QStringLiteral("C5")), Sumif("H", 2, 4, "C"));
    EXPECT_TRUE(sheet.column(8).hidden);
}
