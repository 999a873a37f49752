// The text viewer and the general list's preview, offscreen.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

#include "db/dat.h"
#include "masterdata/list_fixture.h"
#include "masterdata/read_only_query.h"
#include "reports/engine/report_preview_window.h"
#include "reports/frszotar_window.h"
#include "reports/ricsi_window.h"
#include "support/test_db.h"

namespace {

class ListWindows : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        CreateListTable();
    }
    static void Shot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("MD_SHOTS");
        QApplication::processEvents();
        if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
};

TEST_F(ListWindows, TextViewerShowsAndStoresTheRows) {
    Tricsifm w;
    w.resize(700, 300);
    w.Mutat(std::make_unique<ReadOnlyQuery>(d_tarvedo, "SELECT KOD, NEV, DB FROM LISTAPROBA ORDER BY KOD"), "Próba");
    const QStringList lines = w.re->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "Próba");
    EXPECT_EQ(lines[5], QString("B2").leftJustified(10) + " " + QString("O'Brien").leftJustified(40) + " " +
                            QString("2").rightJustified(10) + " ");
    Shot(w, "ricsi");

    QTemporaryDir dir;
    ASSERT_TRUE(w.storeText(dir.filePath("lista")));
    QFile rtf(dir.filePath("lista.RTF"));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray text = rtf.readAll();
    EXPECT_TRUE(text.startsWith("{\\rtf1"));
    EXPECT_TRUE(text.contains("O'Brien"));
    EXPECT_TRUE(text.contains("K\\u246?rte"));
}

TEST_F(ListWindows, GeneralListPreview) {
    InstallGeneralListPrinter();
    int pages = 0;
    // The preview comes after the layout, which may show its progress first.
    std::function<void()> whenShown = [&] {
        auto* preview = qobject_cast<ReportPreviewWindow*>(QApplication::activeModalWidget());
        if (!preview) {
            QTimer::singleShot(10, whenShown);
            return;
        }
        pages = preview->document().pageCount();
        const QStringList text = preview->document().text();
        EXPECT_TRUE(text.join("\n").contains("Körte")) << text.join("\n").toStdString();
        preview->resize(900, 700);
        Shot(*preview, "altalanos_lista");
        preview->reject();
    };
    QTimer::singleShot(0, whenShown);
    ReadOnlyQuery rows(d_tarvedo, "SELECT * FROM LISTAPROBA ORDER BY KOD");
    Tfrszotarfm::Print(rows, "Általános lista");
    EXPECT_EQ(pages, 1);
}

}  // namespace
