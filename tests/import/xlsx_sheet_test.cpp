// The worksheet reader on workbooks that unpack into far more than they
// weigh, or that name rows and columns beyond a worksheet: it reads them in
// bounded memory or refuses them with a message, never pads rows to their
// last column and never overflows a row or column number.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "import/xlsx_sheet.h"
#include "import/xlsx_package.h"
#include "support/memory_use.h"

namespace {

// The faults this guards against took gigabytes; a correct reader needs a
// few megabytes. The bound is far from both.
const qint64 kMemoryBoundMb = MemoryBoundMb(300);

class XlsxSheetTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("munka.xlsx"));
    QList<SheetRow> rows;
    QString error;
};

TEST_F(XlsxSheetTest, CellsSharedTextsAndRowsWithoutNumbers) {
    WriteWorkbook(path,
                  "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"C1\" t=\"inlineStr\"><is><t>Bank</t></is></c></row>"
                  "<row r=\"2\"><c r=\"A2\"><v>1250.5</v></c><c r=\"B2\" t=\"s\"><v>0</v></c><c r=\"D2\"/></row>"
                  "<row><c><v>7</v></c><c t=\"b\"><v>1</v></c></row>"
                  "<row r=\"9\"><c r=\"E9\"><v></v></c></row>"
                  "<row r=\"10\"><c r=\"XFD10\"><v>3</v></c></row>",
                  "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                  "<si><t>Árvíztűrő</t></si><si><r><t>Ki</t></r><r><t>adás</t></r><rPh><t>x</t></rPh></si></sst>");
    ASSERT_TRUE(ReadXlsxSheet(path, QString(), rows, error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 4);  // row 9 holds no filled cell
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[0].cells.at(0), QStringLiteral("Kiadás"));
    EXPECT_EQ(rows[0].cells.at(1), QString());
    EXPECT_EQ(rows[0].cells.at(2), QStringLiteral("Bank"));
    EXPECT_EQ(rows[1].cells.at(0), QStringLiteral("1250.5"));
    EXPECT_TRUE(rows[1].cells.isNumber(0));
    EXPECT_FALSE(rows[1].cells.isNumber(1));
    EXPECT_FALSE(rows[0].cells.isNumber(2));
    EXPECT_EQ(rows[1].cells.at(1), QStringLiteral("Árvíztűrő"));
    EXPECT_EQ(rows[1].cells.cells().size(), 2);
    EXPECT_EQ(rows[2].number, 3);
    EXPECT_EQ(rows[2].cells.at(0), QStringLiteral("7"));
    EXPECT_EQ(rows[2].cells.at(1), QStringLiteral("1"));
    EXPECT_EQ(rows[3].number, 10);
    EXPECT_EQ(rows[3].cells.at(16383), QStringLiteral("3"));
    EXPECT_EQ(rows[3].cells.cells().size(), 1);
}

// One cell in the last column on each of 20 000 rows: a reader that pads
// each row up to its last column holds 327 million cells.
TEST_F(XlsxSheetTest, ACellInTheLastColumnCostsOneCell) {
    constexpr int kRows = 20000;
    WriteWorkbook(path, GeneratedPart{SheetHead(),
                                      [](qint64 i) {
                                          return QStringLiteral("<row r=\"%1\"><c r=\"XFD%1\" t=\"inlineStr\"><is><t>x%1</t></is></c></row>")
                                              .arg(i + 1)
                                              .toUtf8();
                                      },
                                      kRows, SheetTail()});
    const qint64 before = PeakMegabytes();
    ASSERT_TRUE(ReadXlsxSheet(path, QString(), rows, error)) << error.toStdString();
    EXPECT_LT(PeakMegabytes() - before, kMemoryBoundMb);
    ASSERT_EQ(rows.size(), kRows);
    EXPECT_EQ(rows.last().number, kRows);
    EXPECT_EQ(rows.last().cells.at(16383), QStringLiteral("x20000"));
}

// 256 MB of blanks pack into a few hundred kB; gathered whole by the XML
// reader they would take twice that as text.
TEST_F(XlsxSheetTest, APackedBombOfBlanksIsRefusedInBoundedMemory) {
    const QByteArray blanks(1 << 20, ' ');
    WriteWorkbook(path, GeneratedPart{SheetHead() + "<row r=\"1\"><c r=\"A1\"><v>1</v></c>",
                                      [blanks](qint64) { return blanks; }, 256, "</row>" + SheetTail()});
    const qint64 before = PeakMegabytes();
    EXPECT_FALSE(ReadXlsxSheet(path, QString(), rows, error));
    EXPECT_LT(PeakMegabytes() - before, kMemoryBoundMb);
    EXPECT_EQ(error, QStringLiteral("A munkalap sérült: több mint 1 MB szöveg vagy szóköz áll benne jelölés nélkül."));
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(XlsxSheetTest, RowAndColumnNumbersBeyondAWorksheetAreRefused) {
    struct Case {
        const char* rows;
        const char* error;
    };
    const Case cases[] = {
        {"<row r=\"2147483647\"><c r=\"A2147483647\"><v>1</v></c></row>",
         "Hibás sorszám a munkalapon: 2147483647 (1 és 1048576 között lehet)."},
        {"<row r=\"99999999999999999999\"><c><v>1</v></c></row>",
         "Hibás sorszám a munkalapon: 99999999999999999999 (1 és 1048576 között lehet)."},
        {"<row r=\"1048577\"><c><v>1</v></c></row>", "Hibás sorszám a munkalapon: 1048577 (1 és 1048576 között lehet)."},
        {"<row r=\"0\"><c><v>1</v></c></row>", "Hibás sorszám a munkalapon: 0 (1 és 1048576 között lehet)."},
        {"<row r=\"-5\"><c><v>1</v></c></row>", "Hibás sorszám a munkalapon: -5 (1 és 1048576 között lehet)."},
        {"<row r=\"1048576\"/><row><c><v>1</v></c></row>", "Hibás sorszám a munkalapon: 1048577 (1 és 1048576 között lehet)."},
        {"<row r=\"1\"><c r=\"ZZZZZZZ1\"><v>1</v></c></row>",
         "A(z) ZZZZZZZ1 cella a munkalap utolsó oszlopán túl van (legfeljebb 16384 oszlop lehet)."},
        {"<row r=\"1\"><c r=\"ZZZ1\"><v>1</v></c></row>",
         "A(z) ZZZ1 cella a munkalap utolsó oszlopán túl van (legfeljebb 16384 oszlop lehet)."},
        {"<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>",
         "A(z) XFE1 cella a munkalap utolsó oszlopán túl van (legfeljebb 16384 oszlop lehet)."},
        {"<row r=\"1\"><c r=\"XFD1\"><v>1</v></c><c><v>2</v></c></row>", "Túl sok oszlop a munkalapon (legfeljebb 16384 lehet)."},
        {"<row r=\"1\"><c r=\"A99999999999\"><v>1</v></c></row>",
         "Hibás sorszám a munkalapon: 99999999999 (1 és 1048576 között lehet)."},
        {"<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>", "Hibás cellahivatkozás a munkalapon: 1A"},
        {"<row r=\"1\"><c r=\"B\"><v>1</v></c></row>", "Hibás cellahivatkozás a munkalapon: B"},
        {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c></row>", "Hibás közös szöveg hivatkozás a munkalapon: 5"},
        {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>-1</v></c></row>", "Hibás közös szöveg hivatkozás a munkalapon: -1"},
        {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>99999999999999999999</v></c></row>",
         "Hibás közös szöveg hivatkozás a munkalapon: 99999999999999999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        WriteWorkbook(path, QByteArray(c.rows),
                      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>a</t></si></sst>");
        error.clear();
        EXPECT_FALSE(ReadXlsxSheet(path, QString(), rows, error));
        EXPECT_EQ(error, QString::fromUtf8(c.error));
        EXPECT_TRUE(rows.isEmpty());
    }
}

// The limits on what a sheet unpacks into, each met by a sheet just beyond it.
TEST_F(XlsxSheetTest, SheetsBeyondTheLimitsAreRefused) {
    const auto cellRows = [](qint64 i) {
        return QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>%1</v></c><c r=\"B%1\" t=\"inlineStr\"><is><t>szöveg</t></is></c></row>")
            .arg(i + 1)
            .toUtf8();
    };
    struct Case {
        const char* name;
        SheetLimits limits;
        const char* error;
    };
    SheetLimits bytes, cells, text;
    bytes.sheetBytes = 64 << 10;
    cells.cells = 1000;
    text.textChars = 5000;
    const Case cases[] = {
        {"unpacked size", bytes, "A munkalap kicsomagolva túl nagy (legfeljebb 64 kB lehet)."},
        {"cells", cells, "Túl sok kitöltött cella a munkalapon (legfeljebb 1000)."},
        {"text", text, "Túl sok szöveg a munkalapon (legfeljebb 5000 karakter)."},
    };
    WriteWorkbook(path, GeneratedPart{SheetHead(), cellRows, 2000, SheetTail()});
    ASSERT_TRUE(ReadXlsxSheet(path, QString(), rows, error)) << error.toStdString();
    EXPECT_EQ(rows.size(), 2000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        error.clear();
        EXPECT_FALSE(ReadXlsxSheet(path, QString(), rows, error, c.limits));
        EXPECT_EQ(error, QString::fromUtf8(c.error));
        EXPECT_TRUE(rows.isEmpty());
    }
}

// One cell holds at most what a spreadsheet program lets it hold, and a
// shared text counts in every cell it fills: each of them is a text of its
// own for the rest of the import.
TEST_F(XlsxSheetTest, TextsAreBoundedByCellAndByCellsFilled) {
    const QByteArray sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    const QByteArray longest = QByteArray(32767, 'x');
    struct Case {
        const char* name;
        QByteArray rows, shared;
        const char* error;  // empty: read
    };
    const Case cases[] = {
        {"longest inline", "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + longest + "</t></is></c></row>", {}, ""},
        {"inline beyond", "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + longest + "</t><t>x</t></is></c></row>", {},
         "A munkalap A1 cellájának szövege túl hosszú (egy cellában legfeljebb 32767 karakter lehet)."},
        {"value beyond", "<row r=\"1\"><c r=\"B1\"><v>" + longest + "1</v></c></row>", {},
         "A munkalap B1 cellájának szövege túl hosszú (egy cellában legfeljebb 32767 karakter lehet)."},
        {"shared beyond", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
         sst + "<si><t>" + longest + "</t><t>x</t></si></sst>",
         "A munkafüzet 1. közös szövege túl hosszú (egy cellában legfeljebb 32767 karakter lehet)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        error.clear();
        WriteWorkbook(path, c.rows, c.shared);
        const bool read = ReadXlsxSheet(path, QString(), rows, error);
        EXPECT_EQ(error, QString::fromUtf8(c.error));
        EXPECT_EQ(read, error.isEmpty());
    }

    // 3 000 cells of one shared text of 30 000 characters: 90 million.
    WriteWorkbook(path,
                  GeneratedPart{SheetHead(),
                                [](qint64 i) { return QStringLiteral("<row r=\"%1\"><c r=\"A%1\" t=\"s\"><v>0</v></c></row>").arg(i + 1).toUtf8(); },
                                3000, SheetTail()},
                  sst + "<si><t>" + QByteArray(30000, 'x') + "</t></si></sst>");
    EXPECT_FALSE(ReadXlsxSheet(path, QString(), rows, error));
    EXPECT_EQ(error, QStringLiteral("Túl sok szöveg a munkalapon (legfeljebb 67108864 karakter)."));
}

}  // namespace
