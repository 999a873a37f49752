#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "db/ini.h"
#include "export/export_source.h"
#include "masterdata/list_fixture.h"
#include "masterdata/read_only_query.h"
#include "reports/engine/report_painter.h"
#include "reports/engine/report_runner.h"
#include "reports/frszotar.h"
#include "reports/ricsi.h"
#include "support/cli_run.h"

namespace {

class GeneralList : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        CreateListTable();
    }
};

const QString Sql = "SELECT KOD, NEV, DB, OSSZEG FROM LISTAPROBA ORDER BY KOD";

TEST_F(GeneralList, WidthsAndPaddingOfTextAndNumberColumns) {
    ReadOnlyQuery rows(d_tarvedo, Sql);
    const QList<GeneralListColumn> columns = GeneralListColumns(rows.columns());
    ASSERT_EQ(columns.size(), 4);
    // 2 + the larger of the name's length and the display width.
    EXPECT_EQ(columns[0].width, 12);
    EXPECT_EQ(columns[1].width, 42);
    EXPECT_EQ(columns[2].width, 12);
    EXPECT_EQ(columns[3].width, 15);
    EXPECT_FALSE(columns[1].numeric);
    EXPECT_TRUE(columns[2].numeric);
    EXPECT_TRUE(columns[3].numeric);

    const QString header = GeneralListHeader(columns);
    EXPECT_EQ(header, QString("KOD").leftJustified(12) + QString("NEV").leftJustified(42) +
                          QString("DB").leftJustified(12) + QString("OSSZEG").leftJustified(15));

    const QString line = GeneralListLine(columns, {"A1", "Alma", 1, 10.5});
    EXPECT_EQ(line, QString("A1").leftJustified(12) + QString("Alma").leftJustified(42) + QString("1").rightJustified(11) +
                        " " + ExportValueText(10.5).rightJustified(14) + " ");
    // NULL is blank of the column's width; a long name widens its column.
    EXPECT_EQ(GeneralListLine(columns, {"D4", QVariant(), 4, QVariant()}).size(), 12 + 42 + 12 + 15);
    ExportColumn longName;
    longName.name = "NAGYON_HOSSZU_OSZLOPNEV";
    longName.typeName = "SMALLINT";
    longName.displayWidth = 10;
    EXPECT_EQ(GeneralListColumns({longName}).first().width, 25);

    // The laid-out list: the header once a page, one line a row.
    const QStringList text = RenderToText(Frszotar("Próba lista", rows.columns()), rows);
    EXPECT_TRUE(text.contains(header.trimmed()) || text.contains(header)) << text.join("\n").toStdString();
    int detailLines = 0;
    for (const QString& l : text)
        if (l.startsWith("A1 ") || l.startsWith("B2 ") || l.startsWith("C3 ") || l.startsWith("D4 ")) ++detailLines;
    EXPECT_EQ(detailLines, 4);
    EXPECT_TRUE(text.join("\n").contains("Próba lista"));
    EXPECT_TRUE(text.join("\n").contains("Lapszám: 1"));
    EXPECT_TRUE(text.join("\n").contains("Készült: "));
}

TEST_F(GeneralList, WideListsTurnAndShrinkToFitThePage) {
    QList<ExportColumn> columns;
    for (int i = 0; i < 4; ++i) {
        ExportColumn c;
        c.name = QString("C%1").arg(i);
        c.typeName = "VARCHAR";
        c.displayWidth = 30;
        columns << c;
    }
    EXPECT_FALSE(Frszotar("x", columns.mid(0, 1)).landscape());
    EXPECT_TRUE(Frszotar("x", columns).landscape());
    EXPECT_EQ(Frszotar("x", columns).fontSize(), 8);
    for (int i = 0; i < 6; ++i) columns << columns[0];
    const ReportLayout wide = Frszotar("x", columns);
    EXPECT_TRUE(wide.landscape());
    EXPECT_LT(wide.fontSize(), 8);
    // The characters of a line fit between the margins.
    EXPECT_LE(10 * 32 * wide.fontSize() * 0.602 * 25.4 / 72, wide.contentWidth());
}

TEST_F(GeneralList, TheLogoOfTheSettingsWhenTheFileExists) {
    QTemporaryDir dir;
    const QString logo = dir.filePath("logo.png");
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(logo));
    IniSet("LOGO_KEP", logo);
    EXPECT_EQ(GeneralListLogo(), logo);
    ReadOnlyQuery rows(d_tarvedo, Sql);
    const QString pdf = dir.filePath("lista.pdf");
    EXPECT_EQ(RenderToPdf(Frszotar("Lista", rows.columns(), GeneralListLogo()), rows, pdf), 1);
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    IniSet("LOGO_KEP", dir.filePath("nincs.png"));
    EXPECT_EQ(GeneralListLogo(), "");
}

TEST_F(GeneralList, TextViewerLines) {
    ReadOnlyQuery rows(d_tarvedo, "SELECT KOD AS KOD_HOSSZU_FELIRATTAL, NEV, DB "
                                  "FROM LISTAPROBA WHERE KOD IN ('A1', 'D4') ORDER BY KOD");
    const QStringList lines = RicsiLines(rows, "Cím");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Cím");
    EXPECT_EQ(lines[1], "");
    // Text captions on the left, others on the right; a caption longer than the width is cut.
    EXPECT_EQ(lines[2], QString("KOD_HOSSZU") + " " + QString("NEV").leftJustified(40) + " " +
                            QString("DB").rightJustified(10) + " ");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], QString("A1").leftJustified(10) + " " + QString("Alma").leftJustified(40) + " " +
                            QString("1").rightJustified(10) + " ");
    EXPECT_EQ(lines[5], QString("D4").leftJustified(10) + " " + QString().leftJustified(40) + " " +
                            QString("4").rightJustified(10) + " ");
    EXPECT_EQ(RicsiLines(rows).first(), lines[2]);

    EXPECT_EQ(RicsiFileName("/tmp/lista"), "/tmp/lista.RTF");
    EXPECT_EQ(RicsiFileName("/tmp/lista.rtf"), "/tmp/lista.rtf");
    EXPECT_EQ(RicsiFileName("/tmp/lista.txt"), "/tmp/lista.txt.RTF");
    const QByteArray rtf = RicsiRtf({"Körte {x}"}, "DejaVu Sans Mono", 9);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("K\\u246?rte \\{x\\}\\par")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\fs18"));
}

}  // namespace
