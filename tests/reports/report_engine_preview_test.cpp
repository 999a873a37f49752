// The preview window offscreen: navigation, zoom, the painted page, saving
// and printing; the progress bar while a report is laid out.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "report_engine_samples.h"
#include "reports/engine/report_preview_window.h"
#include "reports/engine/report_printer_window.h"
#include "reports/engine/report_progress_window.h"

namespace {

class ReportPreview : public ::testing::Test {
protected:
    ReportPreview()
        : doc(LayOutReport(sample::Card(), *sample::NumberedRows(120), sample::Options())), window(doc) {
        window.show();
    }

    template <class T>
    T* control(const char* name) {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Share of the page's pixels that are not white.
    double inkOnPage() {
        const QImage image = control<QScrollArea>("sc_page")->widget()->grab().toImage();
        qint64 ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 200) ++ink;
        return double(ink) / (image.width() * image.height());
    }

    ReportDocument doc;
    ReportPreviewWindow window;
};

}  // namespace

TEST_F(ReportPreview, ButtonsAndPageNumberMoveBetweenPages) {
    ASSERT_EQ(doc.pageCount(), 3);
    auto* page = control<QSpinBox>("e_page");
    EXPECT_EQ(control<QLabel>("l_pageCount")->text(), "/ 3");
    EXPECT_EQ(page->value(), 1);
    EXPECT_FALSE(control<QPushButton>("b_previousPage")->isEnabled());

    control<QPushButton>("b_nextPage")->click();
    EXPECT_EQ(window.currentPage(), 1);
    EXPECT_EQ(page->value(), 2);
    control<QPushButton>("b_lastPage")->click();
    EXPECT_EQ(window.currentPage(), 2);
    EXPECT_FALSE(control<QPushButton>("b_nextPage")->isEnabled());
    control<QPushButton>("b_nextPage")->click();  // disabled: stays
    EXPECT_EQ(window.currentPage(), 2);
    page->setValue(1);
    EXPECT_EQ(window.currentPage(), 0);
    control<QPushButton>("b_lastPage")->click();
    control<QPushButton>("b_firstPage")->click();
    EXPECT_EQ(window.currentPage(), 0);
}

TEST_F(ReportPreview, ZoomSizesThePageAndThePageShowsText) {
    auto* zoom = control<QComboBox>("cb_zoom");
    QWidget* view = control<QScrollArea>("sc_page")->widget();

    zoom->setCurrentText("100%");
    const double dotsPerMm = view->logicalDpiX() / 25.4;
    EXPECT_EQ(view->width(), qRound(210 * dotsPerMm));
    EXPECT_EQ(view->height(), qRound(297 * dotsPerMm));
    zoom->setCurrentText("200%");
    EXPECT_EQ(view->width(), qRound(2 * 210 * dotsPerMm));

    zoom->setCurrentText("Egész oldal");
    const QSize room = control<QScrollArea>("sc_page")->viewport()->size();
    EXPECT_LE(view->height(), room.height());
    EXPECT_LE(view->width(), room.width());

    // A full page carries text; the last page only a few lines.
    const double full = inkOnPage();
    control<QPushButton>("b_lastPage")->click();
    const double last = inkOnPage();
    EXPECT_GT(full, 0.005);
    EXPECT_GT(last, 0.0);
    EXPECT_LT(last, full);
}

TEST_F(ReportPreview, SavesAndPrintsThePagesAsked) {
    QTemporaryDir dir;
    const QString saved = dir.filePath("karton.pdf");
    ASSERT_TRUE(window.savePdf(saved));
    EXPECT_EQ(sample::PdfPages(saved), 3);

    // A printer that prints into a file: pages 2 to 3.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    ASSERT_TRUE(PrintReport(doc, printer));
    EXPECT_EQ(sample::PdfPages(printer.outputFileName()), 2);
    EXPECT_EQ(sample::PdfPageSize(printer.outputFileName()), "595 x 842");
    EXPECT_TRUE(sample::PdfPageText(printer.outputFileName(), 1).contains("Oldal: 2"));
}

TEST(ReportEngineProgress, BarStepsToTheRowCountWhileLayingOut) {
    QProgressBar bar;
    ReportRunOptions options = sample::Options();
    options.progress = ProgressBarSteps(&bar);
    LayOutReport(sample::Card(), *sample::NumberedRows(5000), options);
    EXPECT_EQ(bar.maximum(), 5000);
    EXPECT_EQ(bar.value(), 5000);
}
