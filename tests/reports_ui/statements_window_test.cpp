// The windows of the income statement and the balance sheet: the first run
// after showing computes over the trial balance window's criteria, later
// runs only list, "Számold át" recomputes, the profit line waits for the
// income statement, and the listing is previewed with the statement's
// title or stored to a file.
#include <QAction>
#include <QCheckBox>
#include <QMenuBar>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "export/ask_file_name.h"
#include "reports/engine/report_runner.h"
#include "reports/eredmeny_window.h"
#include "reports/fokiv_window.h"
#include "reports/ledger_items.h"
#include "reports/merleg_window.h"
#include "reports/report_params_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/shell_test_support.h"
#include "support/test_db.h"

namespace {

double Value(const QString& sql) { return SelectValue(d_tarvedo, sql).toDouble(); }

class StatementWindows : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        Td().IncomeResult = 0;
        FokivFm(nullptr)->E_KDATUMTOL->clear();
        items::Post({{"311", "911", 250000, "VE", "2025.02.01", "V1", "1"},
                     {"521", "454", 40000, "SZ", "2025.03.01", "S1", "2"}});
        SetReportPreview([this](const ReportLayout& layout, ExportSource& rows, QWidget*, QProgressBar*, qint64 n) {
            ReportRunOptions options;
            options.expectedRows = n;
            previews << LayOutReport(layout, rows, options).text().join('\n');
        });
    }
    void TearDown() override {
        SetReportPreview({});
        CompanyDbTest::TearDown();
    }
    QStringList previews;
    UserSide user;
};

}  // namespace

TEST_F(StatementWindows, IncomeStatementComputesOnceAfterShowing) {
    Teredmenyfm w;
    w.show();
    EXPECT_EQ(w.b_indul->text(), "Indul");
    EXPECT_FALSE(w.Label1->isVisible());
    w.b_indul->click();
    ASSERT_EQ(previews.size(), 1) << user.messages.join('|').toStdString();
    EXPECT_TRUE(previews[0].contains("\"A\" Eredménykimutatás (összköltség eljárással)")) << previews[0].toStdString();
    EXPECT_TRUE(previews[0].contains("Az adatok ezer Forintban értendők!"));
    EXPECT_TRUE(previews[0].contains("Belföldi értékesítés nettó árbevétele"));
    EXPECT_EQ(Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'"), 250 - 40);
    EXPECT_EQ(Td().IncomeResult, 210);
    EXPECT_FALSE(w.Label1->isVisible());

    // Without showing the window again the next run only lists.
    items::Post({{"311", "911", 100000, "VE", "2025.04.01", "V2", "3"}});
    w.cb_nulla->setChecked(true);
    w.b_indul->click();
    ASSERT_EQ(previews.size(), 2);
    EXPECT_EQ(Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'"), 210);
    EXPECT_LT(previews[1].count('\n'), previews[0].count('\n'));  // the zero lines left out

    w.hide();
    w.show();
    w.b_indul->click();
    EXPECT_EQ(Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'"), 310);
}

TEST_F(StatementWindows, IncomeStatementUsesTheTrialBalanceCriteria) {
    FokivFm(nullptr)->E_KDATUMTOL->setText("2025.03.01");
    Teredmenyfm w;
    w.show();
    w.b_indul->click();
    EXPECT_EQ(Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'"), -40);
    EXPECT_EQ(FokivFm(nullptr)->whivo, FokivCallerEredmeny);
}

TEST_F(StatementWindows, AfterAChangeOfCompanyTheNextRunComputes) {
    Teredmenyfm w;
    w.show();
    w.b_indul->click();
    EXPECT_EQ(Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'"), 210);
    {
        TempCompanyDb other;
        other.connect();
        db1AfterConnect();
        items::Post({{"311", "911", 70000, "VE", "2025.02.01", "V1", "1"}});
        w.b_indul->click();
        EXPECT_EQ(Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'"), 70);
        DbDisconnect(d_tarvedo);
    }
    db.connect();
}

TEST_F(StatementWindows, BalanceSheetWaitsForTheIncomeStatement) {
    Tmerlegfm m;
    m.show();
    EXPECT_TRUE(m.l_eredmeny->isVisible());
    m.b_indul->click();
    ASSERT_EQ(previews.size(), 1) << user.messages.join('|').toStdString();
    EXPECT_TRUE(previews[0].contains("MÉRLEG  \"A\" változat")) << previews[0].toStdString();
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 590"), 0);
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 130"), 250);
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 680"), 40);

    Teredmenyfm e;
    e.show();
    e.b_indul->click();

    // A second run lists what was computed ...
    m.b_indul->click();
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 590"), 0);
    // ... unless told to compute again.
    m.CheckBox1->setChecked(true);
    m.b_indul->click();
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 590"), 210);
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 680"), 250);

    m.hide();
    m.show();
    EXPECT_FALSE(m.l_eredmeny->isVisible());
}

TEST_F(StatementWindows, StoreWritesTheLines) {
    QTemporaryDir dir;
    const QString file = dir.filePath("merleg.txt");
    SetSaveDialog([file](SaveDialogState& state) {
        state.fileName = file;
        state.filterIndex = ExportFilterIndex(ExportFileExtension(file));
        return true;
    });
    Tmerlegfm m;
    m.show();
    m.b_tarol->click();
    SetSaveDialog({});
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('|').toStdString();
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLatin1(out.readAll()).contains("PASSZ"));
}

TEST(StatementMenu, ItemsOpenTheStatementsBesideTheMainWindow) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.runStartup();
    items::Post({{"311", "911", 1'000'000, "VE", "2025.05.01", "V9", "9001"}});
    int previews = 0;
    SetReportPreview([&](const ReportLayout&, ExportSource&, QWidget*, QProgressBar*, qint64) { ++previews; });

    main.menuBar()->findChild<QAction*>("eredmeny")->trigger();
    auto* eredmeny = main.findChild<Teredmenyfm*>();
    ASSERT_NE(eredmeny, nullptr);
    EXPECT_TRUE(eredmeny->isVisible());
    EXPECT_FALSE(eredmeny->isModal());
    EXPECT_EQ(eredmeny->windowTitle(), "Eredmény kimutatás * " + QString::number(work.year));
    eredmeny->b_indul->click();

    main.menuBar()->findChild<QAction*>("merleg")->trigger();
    auto* merleg = main.findChild<Tmerlegfm*>();
    ASSERT_NE(merleg, nullptr);
    EXPECT_TRUE(merleg->isVisible());
    EXPECT_TRUE(eredmeny->isVisible());  // both stay open
    EXPECT_FALSE(merleg->l_eredmeny->isVisible());
    merleg->b_indul->click();
    SetReportPreview({});

    EXPECT_EQ(previews, 2) << user.messages.join('|').toStdString();
    const double g = Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'");
    EXPECT_NE(g, 0);
    EXPECT_EQ(Value("select TARGYEV from MERLEG where ID = 590"), g);
    EXPECT_NEAR(Value("select TARGYEV from MERLEG where ID = 130"), Value("select TARGYEV from MERLEG where ID = 680"), 5);
}
