#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/cp1250.h"
#include "export/ask_file_name.h"

#include "export/export_source.h"
#include "list_fixture.h"
#include "masterdata/read_statement_check.h"
#include "masterdata/torzsmazsola_window.h"
#include "md_test_support.h"
#include "window_test_support.h"

namespace {

class TorzsmazsolaWindow : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        CreateListTable();
        // The general list is stood in for by counting what it gets.
        SetGeneralListPrinter([this](ExportSource& rows, const QString& title, QWidget*) {
            printedTitle = title;
            printedRows.clear();
            for (bool more = rows.first(); more; more = rows.next()) printedRows << rows.value(0).toString();
        });
    }
    void TearDown() override {
        SetGeneralListPrinter(nullptr);
        DestroyTorzsWindows();
        CompanyDbTest::TearDown();
    }
    static void Shot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("MD_SHOTS");
        QApplication::processEvents();
        if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    static void WhenBuilderShown(std::function<void(Ttorzsmazsolafm&)> act) {
        WhenShown<Ttorzsmazsolafm>(std::move(act));
    }
    static void Condition(Ttorzsmazsolafm& w, int row, int op, const QString& value) {
        w.sg->setCurrentCell(row, Ttorzsmazsolafm::ColFeltetel);
        w.b_feltetel->click();
        EXPECT_TRUE(w.p_feltetel->isVisibleTo(&w));
        w.lb_muv->setCurrentRow(op);
        w.e_szuro->setEditText(value);
        w.b_elfogad->click();
    }
    static QString Cell(Ttorzsmazsolafm& w, int row, int column) { return w.sg->item(row, column)->text(); }

    UserSide user;
    QString printedTitle;
    QStringList printedRows;
};

TEST_F(TorzsmazsolaWindow, ComposeRunPrintAndFinish) {
    Ttorzsmazsolafm w;
    WhenBuilderShown([&](Ttorzsmazsolafm& b) {
        EXPECT_EQ(b.windowTitle(), "Feltételek szerinti szűrés :LISTAPROBA");
        ASSERT_EQ(b.sg->rowCount(), 5);
        EXPECT_EQ(Cell(b, 1, Ttorzsmazsolafm::ColNev), "NEV");
        b.cellEntered(1, Ttorzsmazsolafm::ColKell);
        b.cellEntered(0, Ttorzsmazsolafm::ColKell);
        b.cellEntered(0, Ttorzsmazsolafm::ColSor);
        EXPECT_EQ(Cell(b, 1, Ttorzsmazsolafm::ColKell), "1");
        EXPECT_EQ(Cell(b, 0, Ttorzsmazsolafm::ColKell), "2");
        EXPECT_EQ(Cell(b, 0, Ttorzsmazsolafm::ColSor), "1");

        Condition(b, 1, 0, "O'Brien");
        EXPECT_FALSE(b.p_feltetel->isVisibleTo(&b));
        EXPECT_EQ(Cell(b, 1, Ttorzsmazsolafm::ColFeltetel), "= 'O''Brien'");
        EXPECT_EQ(Cell(b, 1, Ttorzsmazsolafm::ColEsVagy), "and");

        // The range operator shows the second value.
        b.b_feltetel->click();
        b.lb_muv->setCurrentRow(9);
        EXPECT_TRUE(b.e_ig->isVisibleTo(&b));
        Shot(b, "torzsmazsola_feltetel");
        b.lb_muv->setCurrentRow(0);
        EXPECT_FALSE(b.e_ig->isVisibleTo(&b));
        b.b_ertekek->click();
        EXPECT_EQ(b.e_szuro->count(), 4);
        b.b_megsem->click();

        b.b_indul->click();
        EXPECT_EQ(b.m_sql->toPlainText(), " SELECT LISTAPROBA.NEV,LISTAPROBA.KOD\nFrom LISTAPROBA\n where \n"
                                          "LISTAPROBA.NEV = 'O''Brien'\n order by LISTAPROBA.KOD");
        ASSERT_EQ(b.g_eredmeny->model()->rowCount(), 1);
        EXPECT_EQ(b.g_eredmeny->model()->index(0, 0).data().toString(), "O'Brien");
        b.e_cim->setText("Ügyfelek");
        Shot(b, "torzsmazsola");

        b.b_kerdes->click();
        EXPECT_EQ(user.messages.value(0), "Megadott feltétel:\nLISTAPROBA.NEV = 'O''Brien'\n"
                                          "Kiválasztott mezők:\nLISTAPROBA.NEV,LISTAPROBA.KOD");
        b.b_nyomtat->click();
        EXPECT_EQ(printedTitle, "Ügyfelek");
        EXPECT_EQ(printedRows, QStringList{"O'Brien"});

        // The rows into a text file.
        QTemporaryDir dir;
        const QString file = dir.filePath("lista.TXT");
        SetSaveDialog([&](SaveDialogState& state) {
            state.fileName = file;
            state.filterIndex = 3;
            return true;
        });
        b.b_tarol->click();
        SetSaveDialog(nullptr);
        QFile stored(file);
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        EXPECT_TRUE(DecodeCp1250(stored.readAll()).contains("O'Brien"));

        // A statement written by hand runs as written, but only a query runs at all.
        b.m_sql->setPlainText("DELETE FROM LISTAPROBA");
        b.b_indul->click();
        EXPECT_EQ(user.messages.last(), NotAQueryMessage);
        EXPECT_EQ(b.g_eredmeny->model()->rowCount(), 0);
        b.m_sql->setPlainText("SELECT KOD FROM LISTAPROBA WHERE 1=2");
        b.b_nyomtat->click();
        EXPECT_EQ(user.messages.last(), "Nincs mit nyomtatni.");
        b.m_sql->setPlainText("select NEV from LISTAPROBA where NEV starting with 'K'");
        b.e_cim->clear();
        b.b_nyomtat->click();
        EXPECT_EQ(printedTitle, "Saját összeállítású lista");
        EXPECT_EQ(printedRows, QStringList{"Körte"});

        b.b_befejez->click();
    });
    ASSERT_TRUE(w.Open(d_tarvedo, "LISTAPROBA"));
    EXPECT_EQ(w.result.condition, "LISTAPROBA.NEV = 'O''Brien'");
    EXPECT_EQ(w.result.boundCondition, "LISTAPROBA.NEV = :F1");
    ASSERT_EQ(w.selections.size(), 2);
    EXPECT_EQ(w.selections[0].mezonev, "KOD");
    EXPECT_EQ(w.selections[0].kell, 2);
    EXPECT_EQ(w.selections[0].sorrend, 1);
    EXPECT_TRUE(w.m_sql->toPlainText().isEmpty());
    EXPECT_EQ(One("SELECT COUNT(*) FROM LISTAPROBA"), "4");

    // The same table keeps the choices; another one starts afresh.
    WhenBuilderShown([&](Ttorzsmazsolafm& b) {
        EXPECT_EQ(Cell(b, 1, Ttorzsmazsolafm::ColKell), "1");
        b.b_vissza->click();
    });
    EXPECT_FALSE(w.Open(d_tarvedo, "LISTAPROBA"));
    WhenBuilderShown([&](Ttorzsmazsolafm& b) {
        EXPECT_EQ(Cell(b, 0, Ttorzsmazsolafm::ColMezo), "SZLA");
        EXPECT_EQ(Cell(b, 0, Ttorzsmazsolafm::ColKell), "");
    });
    EXPECT_FALSE(w.Open(d_tarvedo, "SZ_TUKOR"));
}

TEST_F(TorzsmazsolaWindow, TheEditorsListsAndTheComposedFilter) {
    user.answer = 0;  // " Igen ": filter the grid
    OpenTable("LISTAPROBA", [&](TTorzsfm& w) {
        EXPECT_EQ(w.l_tetel->text(), "4 tétel");
        ASSERT_TRUE(w.aTeljesLista->isEnabled());
        w.aTeljesLista->trigger();
        EXPECT_EQ(printedRows, QStringList({"A1", "B2", "C3", "D4"}));

        WhenBuilderShown([&](Ttorzsmazsolafm& b) {
            // Contains "r", accepted with Enter on the value.
            b.sg->setCurrentCell(1, Ttorzsmazsolafm::ColFeltetel);
            b.b_feltetel->click();
            b.lb_muv->setCurrentRow(6);
            b.e_szuro->setEditText("r");
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(b.e_szuro->lineEdit(), &enter);
            EXPECT_EQ(Cell(b, 1, Ttorzsmazsolafm::ColFeltetel), "like '%r%'");
            b.b_befejez->click();
        });
        w.aSajatLista->trigger();
        EXPECT_EQ(user.questions.value(0), "A táblázatban csak a feltételeknek megfelelő tételek látszódjanak?");
        EXPECT_EQ(w.l_tetel->text(), "2 tétel");
        w.aTeljesLista->trigger();
        EXPECT_EQ(printedRows, QStringList({"B2", "C3"}));

        // Finishing without a condition shows every row again.
        WhenBuilderShown([&](Ttorzsmazsolafm& b) {
            b.b_minden_torles->click();
            b.b_befejez->click();
        });
        w.aSajatLista->trigger();
        EXPECT_EQ(w.l_tetel->text(), "4 tétel");

        // Not while a record is being typed.
        Press(w.b_insert);
        w.aSajatLista->trigger();
        EXPECT_EQ(user.messages.last(), "Adatbevitel közben van. Tárolja le, vagy dobja el!");
        Press(w.b_cancel);
    });
}

}  // namespace
