// The VAT list window: the default period and the month buttons, the
// messages with the focus on the field at fault, the preview of both
// layouts (itemised or not), the reuse of the result table, the file store
// and the XML with its save dialog; and the main-menu item.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "export/ask_file_name.h"
#include "reports/afalista_window.h"
#include "reports/afalista_fixture.h"
#include "reports/engine/report_runner.h"
#include "reports/report_params_window.h"
#include "shell/main_menu_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/shell_test_support.h"
#include "support/test_db.h"

namespace {

struct Previews {
    Previews() {
        SetReportPreview([this](const ReportLayout& layout, ExportSource& rows, QWidget*, QProgressBar*, qint64 n) {
            ++count;
            ReportRunOptions options;
            options.expectedRows = n;
            text = LayOutReport(layout, rows, options).text();
        });
    }
    ~Previews() { SetReportPreview({}); }
    bool hasLine(const QString& part) const {
        return std::any_of(text.cbegin(), text.cend(), [&](const QString& line) { return line.contains(part); });
    }
    int count = 0;
    QStringList text;
};

class AfalistaWindow : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        ExecSql(d_tarvedo, "update CEG set AFAHONAP = 3, AKTUALISEV = '2025'");
        db1AfterConnect();
        afa::PostQuarter();
        w.wtoday = QDate(2025, 4, 10);  // the first quarter's return is due
        w.show();
        QApplication::setActiveWindow(&w);
        ProcessUntil([this] { return w.isActiveWindow(); });
    }
    void TearDown() override {
        SetAfaXmlSaveDialog({});
        CompanyDbTest::TearDown();
    }
    TAFAlistafm w;
    Previews previews;
    UserSide user;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(AfalistaWindow, DefaultPeriodAndTheMonthButtons) {
    EXPECT_EQ(w.l_idoszak->text(), "3");
    EXPECT_EQ(w.e_datumtol->text(), "2025.01");
    EXPECT_EQ(w.e_datumig->text(), "2025.03");
    EXPECT_EQ(w.l_tol->text(), "2025.01.01");
    EXPECT_EQ(w.l_ig->text(), "2025.03.31");
    EXPECT_TRUE(w.cb_fiz->isChecked());
    EXPECT_TRUE(w.cb_lev->isChecked());
    EXPECT_TRUE(w.cb_teteles->isChecked());
    EXPECT_FALSE(w.cb_recount->isChecked());
    EXPECT_TRUE(w.rb_sorrend0->isChecked());
    EXPECT_EQ(w.e_verzio->text(), "1.0");

    w.b_igminus->click();
    EXPECT_EQ(w.e_datumig->text(), "2025.02");
    EXPECT_EQ(w.l_ig->text(), "2025.02.28");
    w.b_tolminus->click();
    EXPECT_EQ(w.e_datumtol->text(), "2024.12");
    EXPECT_EQ(w.l_tol->text(), "2024.12.01");
    w.b_tolplus->click();
    w.b_igplus->click();
    EXPECT_EQ(w.e_datumtol->text(), "2025.01");
    EXPECT_EQ(w.l_ig->text(), "2025.03.31");
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('|').toStdString();
}

TEST_F(AfalistaWindow, BadMonthAndNoSideAreTold) {
    w.e_datumig->setText("2025.13");
    w.b_kepernyo->click();
    EXPECT_EQ(user.messages, QStringList({"Hibás dátum :2025.13.01"}));
    EXPECT_TRUE(w.e_datumig->hasFocus());
    EXPECT_EQ(previews.count, 0);

    user.messages.clear();
    w.e_datumig->setText("2025.03");
    w.cb_fiz->setChecked(false);
    w.cb_lev->setChecked(false);
    w.b_kepernyo->click();
    EXPECT_EQ(user.messages, QStringList({AfaNeitherSide}));
    EXPECT_EQ(previews.count, 0);
    EXPECT_TRUE(w.wmemory.table.name.isEmpty());
}

TEST_F(AfalistaWindow, PreviewByAccountReusesItsTableUntilRecount) {
    w.b_kepernyo->click();
    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_TRUE(previews.hasLine("ÁFA analitika"));
    EXPECT_TRUE(previews.hasLine("Időszak: 2025.01.01 -> 2025.03.31"));
    EXPECT_TRUE(previews.hasLine("Sorrend: ÁFA kulcs, számlaszám"));
    EXPECT_TRUE(previews.hasLine("Szállító számlák levonható"));
    EXPECT_TRUE(previews.hasLine("Vevő számlák fizetendő"));
    EXPECT_TRUE(previews.hasLine("Pénztár fizetendő"));
    EXPECT_TRUE(previews.hasLine("VSZ-1"));
    EXPECT_TRUE(previews.hasLine("Vevő Kft."));  // the partner's name for its code
    EXPECT_EQ(w.pbar->value(), w.pbar->maximum());
    const QString table = w.wmemory.table.name;

    w.b_kepernyo->click();
    EXPECT_EQ(w.wmemory.table.name, table);
    w.cb_recount->setChecked(true);
    w.b_kepernyo->click();
    EXPECT_NE(w.wmemory.table.name, table);
    EXPECT_EQ(previews.count, 3);

    // Not itemised: the totals only, the items still in them.
    w.cb_recount->setChecked(false);
    w.cb_teteles->setChecked(false);
    w.b_kepernyo->click();
    EXPECT_FALSE(previews.hasLine("VSZ-1"));
    EXPECT_TRUE(previews.hasLine("466  Előzetesen felszámított általános forgalmi adó | Összesen | 1 400 | 378 | 1 778"))
        << previews.text.join('\n').toStdString();
    EXPECT_TRUE(previews.hasLine("Összesen (ezer Ft) | 1 |  | 2"));
}

TEST_F(AfalistaWindow, PreviewByVoucherWithTheFixedAssetShare) {
    w.rb_sorrend1->setChecked(true);
    w.b_kepernyo->click();
    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_TRUE(previews.hasLine("Sorrend: Könyvelési bizonylat"));
    // Every rate of the period's VAT accounts has its columns: the base at
    // 0 %, base and VAT at 5 %, 18 % and 27 %.
    EXPECT_TRUE(previews.hasLine("Könyv.biz | Számlaszám | Ügyfél | Telj.kelte | Számla kelte | Fiz.hat.idő | Alap 0% | "
                                 "Alap 5% | ÁFA 5% | Alap 18% | ÁFA 18% | Alap norm. | ÁFA norm. | Bruttó"))
        << previews.text.join('\n').toStdString();
    EXPECT_TRUE(previews.hasLine("Ebből tárgyi eszköz |  |  |  |  |  | 1 000 | 270 | 1 270"))
        << previews.text.join('\n').toStdString();
    // The invoice of two items in one line, at 27 % and at 5 %.
    EXPECT_TRUE(previews.hasLine("V1 | VSZ-1 | Vevő Kft. | 2025.02.10 | 2025.02.10 | 2025.02.10 |  | 400 | 20 |  |  | 1 000 | 270 | 1 690"))
        << previews.text.join('\n').toStdString();
}

TEST_F(AfalistaWindow, StoreToFileAndTheEmptyPeriod) {
    const QString file = dir.filePath("afa.xlsx");
    SetSaveDialog([&](SaveDialogState& state) {
        state.fileName = file;
        state.filterIndex = ExportFilterIndex(ExportFileExtension(file));
        return true;
    });
    w.b_save->click();
    SetSaveDialog({});
    EXPECT_TRUE(QFile::exists(file)) << user.messages.join('|').toStdString();

    w.e_datumtol->setText("2025.11");
    w.e_datumig->setText("2025.11");
    w.b_save->click();
    EXPECT_EQ(user.messages.last(), AfaNoData);
    // The preview of an empty period shows its headers, with no message.
    const qsizetype told = user.messages.size();
    w.b_kepernyo->click();
    EXPECT_EQ(previews.count, 1);
    EXPECT_EQ(user.messages.size(), told);
}

TEST_F(AfalistaWindow, XmlThroughTheSaveDialogOrNothingWhenCancelled) {
    w.rb_sorrend1->setChecked(true);
    QString proposed;
    SetAfaXmlSaveDialog([&](QWidget*, const QString& name) {
        proposed = name;
        return QString();
    });
    w.b_tarolXML->click();
    EXPECT_EQ(proposed, "AFA_" + Td().ceg.text("KOD") + "_2025.01-2025.03.XML");
    EXPECT_TRUE(user.messages.isEmpty());
    EXPECT_TRUE(w.rb_sorrend0->isChecked());  // the XML reads the list by VAT account

    const QString file = dir.filePath("afa.xml");
    SetAfaXmlSaveDialog([&](QWidget*, const QString&) { return file; });
    w.e_verzio->setText("3.1");
    w.b_tarolXML->click();
    EXPECT_EQ(user.messages, QStringList({"Az XML file elkészült."}));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("<nyomtatvanyverzio>3.1</nyomtatvanyverzio>"));
}

TEST(AfalistaMenu, TheItemOpensTheWindowModeless) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.runStartup();
    QAction* action = main.menuBar()->findChild<QAction*>(QStringLiteral("afalista"));
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isEnabled());
    action->trigger();
    TAFAlistafm* window = AFAlistaFm(nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ÁFA lista * ") + QString::number(work.year));
    window->close();
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('|').toStdString();
}

TEST_F(AfalistaWindow, LeavingABadMonthTellsItOnceAndKeepsTheFocus) {
    w.e_datumtol->setFocus();
    ProcessUntil([this] { return w.e_datumtol->hasFocus(); });
    w.e_datumtol->setText("2025.00");
    // The button takes the focus as the mouse presses it, then runs.
    w.b_kepernyo->setFocus();
    w.b_kepernyo->click();
    ProcessUntil([this] { return w.e_datumtol->hasFocus(); });
    EXPECT_EQ(user.messages, QStringList({"Hibás dátum :2025.00.01"}));
    EXPECT_TRUE(w.e_datumtol->hasFocus());
    EXPECT_EQ(previews.count, 0);
    // Mended, the month sets its date label.
    w.e_datumtol->setText("2025.02");
    w.e_datumig->setFocus();
    EXPECT_EQ(w.l_tol->text(), "2025.02.01");
}
