// The laid-out report written as a real PDF file and read back with poppler.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "report_engine_samples.h"
#include "reports/engine/report_painter.h"
#include "reports/engine/report_print.h"

namespace {

// Pixels clearly red on the first page, rendered by pdftoppm.
int RedPixels(const QString& pdf, const QString& dir) {
    const QString prefix = dir + "/page";
    sample::Poppler("pdftoppm", {"-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf, prefix});
    const QImage image(prefix + ".png");
    if (image.isNull()) return -1;
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 110 && c.blue() < 110) ++red;
        }
    return red;
}

}  // namespace

class ReportEnginePdf : public ::testing::TestWithParam<bool> {};

TEST_P(ReportEnginePdf, EveryPageWithItsHeaderInTheLayoutsOrientation) {
    const bool landscape = GetParam();
    QTemporaryDir dir;
    ReportLayout r = sample::Card(landscape);
    r.setText("l_hivparam", "Számlaszám : 311");
    const ReportDocument doc = LayOutReport(r, *sample::NumberedRows(120), sample::Options());
    const QString path = dir.filePath("karton.pdf");

    ASSERT_EQ(WriteReportPdf(doc, path), doc.pageCount());
    EXPECT_EQ(sample::PdfPages(path), doc.pageCount());
    EXPECT_EQ(sample::PdfPageSize(path), landscape ? "842 x 595" : "595 x 842");
    for (int page = 1; page <= doc.pageCount(); ++page) {
        SCOPED_TRACE(page);
        const QString text = sample::PdfPageText(path, page);
        EXPECT_TRUE(text.contains(QStringLiteral("Oldal: %1").arg(page))) << text.toStdString();
        EXPECT_TRUE(text.contains("Készült: 2025.06.30"));
        EXPECT_TRUE(text.contains("Számlaszám : 311"));
        EXPECT_TRUE(text.contains("Megnevezés"));
    }
    const QString last = sample::PdfPageText(path, doc.pageCount());
    EXPECT_TRUE(last.contains("tétel 120"));
    EXPECT_TRUE(last.contains("12 000"));
}

INSTANTIATE_TEST_SUITE_P(Orientation, ReportEnginePdf, ::testing::Values(false, true));

TEST(ReportEnginePdfColour, TextAHookTurnsRedIsRedOnThePage) {
    QTemporaryDir dir;
    for (const bool red : {false, true}) {
        SCOPED_TRACE(red);
        ReportLayout r = sample::Card();
        r.detail(5).beforePrint([red](BandPrint& p) {
            if (red && p.row().text("KONYVBIZ") == "2") p.field("SZOVEG").setColor(Qt::red);
        });
        const QString path = dir.filePath(red ? "red.pdf" : "black.pdf");
        ASSERT_EQ(RenderToPdf(r, *sample::NumberedRows(3), path, sample::Options()), 1);
        if (red)
            EXPECT_GT(RedPixels(path, dir.path()), 20);
        else
            EXPECT_EQ(RedPixels(path, dir.path()), 0);
    }
}

TEST(ReportEnginePdfFile, UnwritableFileWritesNoPages) {
    const ReportDocument doc = LayOutReport(sample::Card(), *sample::NumberedRows(3), sample::Options());
    EXPECT_EQ(WriteReportPdf(doc, "/nonexistent-folder/karton.pdf"), 0);
}
