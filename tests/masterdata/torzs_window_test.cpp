#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QTableView>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/cp1250.h"
#include "export/ask_file_name.h"

#include "db/ini.h"
#include "masterdata/panel_widgets_window.h"
#include "md_test_support.h"
#include "support/test_db.h"
#include "window_test_support.h"

namespace {

class TorzsWindowTest : public CompanyDbTest {
protected:
    void TearDown() override {
        DestroyTorzsWindows();
        CompanyDbTest::TearDown();
    }
    // Where the screenshots of the editor go, when asked for.
    static void Shot(TTorzsfm& w, const char* name) {
        const QString dir = qEnvironmentVariable("MD_SHOTS");
        QApplication::processEvents();  // pending layout
        if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    UserSide user;
};

TEST_F(TorzsWindowTest, InsertChecksAndAuditRows) {
    const int before = One("select count(*) from SZ_DEVIZA").toInt();
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Törzs karbantartás * Tábla neve: Devizanemek (SZ_DEVIZA)"));
        EXPECT_TRUE(w.b_kivalaszt->isHidden());
        EXPECT_EQ(w.l_tetel->text(), QString::number(before) + QStringLiteral(" tétel"));
        EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));

        Press(w.b_insert);
        EXPECT_EQ(w.l_state->text(), QStringLiteral("új tétel"));
        EXPECT_FALSE(w.grid->isEnabled());
        EXPECT_FALSE(w.b_insert->isEnabled());
        EXPECT_EQ(Shown(w, "E_KOD"), QString());

        // Required fields left empty are named by their captions.
        Type(w, "E_KOD", "XYZ");
        Press(w.b_post);
        EXPECT_EQ(user.messages.value(0),
                  QStringLiteral("Nem tárolható az alábbi hiba miatt:\rKitöltendő mezőt üresen hagyott : Megnevezés;\r"));
        EXPECT_EQ(w.l_state->text(), QStringLiteral("új tétel"));

        Type(w, "E_NEV", "O'Neil dollár");
        Shot(w, "insert");
        Press(w.b_post);
        EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));
        EXPECT_EQ(w.l_tetel->text(), QString::number(before + 1) + QStringLiteral(" tétel"));
        EXPECT_EQ(Shown(w, "E_KOD"), QStringLiteral("XYZ"));  // standing on the new row

        // The same key again.
        Press(w.b_aktuj);
        Press(w.b_post);
        EXPECT_EQ(user.messages.value(1), QStringLiteral("Nem tárolható az alábbi hiba miatt:\rMár van ilyen kódú tétel.\r"));
        Press(w.b_cancel);

        // Changing the name only: no duplicate test, one audit row.
        Press(w.b_edit);
        Type(w, "E_NEV", "Új név");
        Press(w.b_post);
        EXPECT_EQ(user.messages.size(), 2);
        Press(w.b_edit);
        Type(w, "E_KOD", "HUF");
        Press(w.b_post);
        EXPECT_EQ(user.messages.value(2), QStringLiteral("Nem tárolható az alábbi hiba miatt:\rMár van ilyen kódú tétel.\r"));
        Press(w.b_cancel);
        EXPECT_EQ(Shown(w, "E_KOD"), QStringLiteral("XYZ"));
    });
    EXPECT_EQ(One("select NEV from SZ_DEVIZA where KOD = 'XYZ'"), QStringLiteral("Új név"));
    EXPECT_EQ(One("select list(AKCIO || ':' || MEZO || ':' || coalesce(MIROL, '') || '>' || MIRE, '|') from "
                  "(select * from DOKU where TABLA = 'SZ_DEVIZA' order by AKCIO, MEZO)"),
              QStringLiteral("insert:KOD:>XYZ|insert:NEV:>O'Neil dollár|update:NEV:O'Neil dollár>Új név"));
    EXPECT_EQ(One("select first 1 JUZER || ' ' || KULCSERTEK from DOKU"), QStringLiteral("KARDO XYZ"));
}

TEST_F(TorzsWindowTest, DeleteAsksAndNeedsAKey) {
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAA', 'Első')");
    Exec("create table NOKEY_T (A varchar(5), B integer)");
    Exec("insert into NOKEY_T values ('x', 1)");
    // Two items in currency AAA: the code is not deleted, and nothing is asked.
    Exec("insert into TETEL (SORSZAM, SZLA, ESZLA, NTIPUS, KONYVBIZ, KAPOCS, ERTEK, DEVIZANEM) "
         "values ('2500001', '384', '311', 'BK', '1', '001', 1, 'AAA')");
    Exec("insert into TETEL (SORSZAM, SZLA, ESZLA, NTIPUS, KONYVBIZ, KAPOCS, ERTEK, DEVIZANEM) "
         "values ('2500002', '384', '311', 'BK', '1', '002', 1, 'AAA')");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        ASSERT_EQ(Shown(w, "E_KOD"), QStringLiteral("AAA"));
        Press(w.b_delete);
        EXPECT_TRUE(user.questions.isEmpty());
        EXPECT_EQ(user.messages,
                  QStringList{QStringLiteral("A(z) „AAA” kódot 2 könyvelési tétel használja, ezért nem törölhető.")});
    });
    EXPECT_EQ(One("select count(*) from SZ_DEVIZA where KOD = 'AAA'"), QStringLiteral("1"));
    Exec("delete from TETEL");
    user.messages.clear();

    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        user.answer = 1;
        Press(w.b_delete);
        EXPECT_EQ(user.questions, QStringList{QStringLiteral("Biztos, hogy törölni akarja ?")});
        user.answer = 0;
        Press(w.b_delete);
    });
    EXPECT_EQ(One("select count(*) from SZ_DEVIZA where KOD = 'AAA'"), QStringLiteral("0"));
    EXPECT_EQ(One("select AKCIO || ' ' || KULCSERTEK || ' ' || MIROL from DOKU"), QStringLiteral("delete AAA KOD=AAA; NEV=Első"));

    OpenTable("NOKEY_T", [&](TTorzsfm& w) {
        Press(w.b_delete);
        EXPECT_EQ(user.messages, QStringList{QStringLiteral("Nem törölhet elsődleges kulcs nélküli táblából")});
        // It can still be changed and added to.
        Press(w.b_edit);
        Type(w, "E_B", "");
        Press(w.b_post);
        Press(w.b_insert);
        Type(w, "E_A", "y");
        Press(w.b_post);
        Shot(w, "generic");
    });
    EXPECT_EQ(One("select list(A || B, ',') from (select * from NOKEY_T order by A)"), QStringLiteral("x0,y0"));
}

TEST_F(TorzsWindowTest, EditorFillsTheMainWindowAndKeepsTheSizeTheUserLeftItAt) {
    QMainWindow main;
    main.setCentralWidget(new QWidget(&main));
    main.resize(1400, 950);
    main.show();
    QApplication::processEvents();
    const QSize client = main.centralWidget()->size();
    QSize left;
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_GE(w.width(), client.width());
        EXPECT_GE(w.height(), client.height());
        w.resize(1111, 777);
        left = w.size();
    });
    ASSERT_EQ(left, QSize(1111, 777));
    // Without a main window a new editor takes the size the last one was left at.
    main.hide();
    OpenTable("SZ_NTIP", [&](TTorzsfm& w) { EXPECT_EQ(w.size(), left); });
}

TEST_F(TorzsWindowTest, TitleClicksSort) {
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAA', 'Zeta')");
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('ZZZ', 'Alfa')");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        QHeaderView* header = w.grid->horizontalHeader();
        const auto bold = [&](int section) {
            return w.grid->model()->headerData(section, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
        };
        EXPECT_EQ(w.l_sorrend->text(), QStringLiteral("KOD"));
        EXPECT_TRUE(bold(0));
        EXPECT_EQ(Shown(w, "E_KOD"), QStringLiteral("AAA"));

        // One level: ascending, descending, ascending.
        QStringList orders;
        for (int i = 0; i < 3; ++i) {
            header->sectionClicked(1);
            orders << w.l_sorrend->text();
        }
        EXPECT_EQ(orders, (QStringList{"NEV", "NEV DESC", "NEV"}));
        EXPECT_EQ(w.grid->model()->index(0, 1).data().toString(), QStringLiteral("Alfa"));
        EXPECT_TRUE(bold(1));
        EXPECT_FALSE(bold(0));

        // Several levels, from NEV: KOD, NEV, NEV.
        w.rbtobb->setChecked(true);
        orders.clear();
        for (int section : {0, 1, 1}) {
            header->sectionClicked(section);
            orders << w.l_sorrend->text();
        }
        EXPECT_EQ(orders, (QStringList{"NEV,KOD", "NEV DESC,KOD", "KOD"}));
        header->sectionClicked(1);
        header->sectionClicked(1);
        EXPECT_EQ(w.l_sorrend->text(), QStringLiteral("KOD,NEV DESC"));
        EXPECT_TRUE(bold(0));
        EXPECT_FALSE(bold(1));  // a descending item is not bold
        EXPECT_EQ(w.ed.q_torzs.value(3), QStringLiteral("order by KOD,NEV DESC"));
    });
}

TEST_F(TorzsWindowTest, SearchByPrefixOrAnywhere) {
    for (const char* row : {"('K1', 'Abc', 'I')", "('K2', 'Cab', 'I')", "('K3', 'Xab', 'I')"})
        Exec(QStringLiteral("insert into SZ_KTSGHELY (KOD, NEV, AKTIV) values ") + row);
    OpenTable("SZ_KTSGHELY", [&](TTorzsfm& w) {
        w.grid->horizontalHeader()->sectionClicked(1);  // by name
        const auto current = [&] { return Shown(w, "E_NEV"); };
        w.CheckBox_barhol->setChecked(false);
        EXPECT_TRUE(w.CheckBox_innentol->isHidden());
        w.e_keres->setText("ca");
        EXPECT_EQ(current(), QStringLiteral("Cab"));
        w.e_keres->setText("ab");
        EXPECT_EQ(current(), QStringLiteral("Abc"));  // a prefix, whatever the case; not Cab
        w.e_keres->setText("b");
        EXPECT_EQ(current(), QStringLiteral("Abc"));  // nothing found: no move

        w.CheckBox_barhol->setChecked(true);
        w.e_keres->setText("xab");
        w.e_keres->setText("ab");
        EXPECT_EQ(current(), QStringLiteral("Abc"));
        w.CheckBox_innentol->setChecked(true);
        w.last();
        w.prior();
        w.e_keres->setText("b");
        EXPECT_EQ(current(), QStringLiteral("Cab"));

        // Several levels: the values of the comma list for the fields of the order.
        w.rbtobb->setChecked(true);
        EXPECT_TRUE(w.CheckBox_barhol->isHidden());
        w.grid->horizontalHeader()->sectionClicked(0);
        EXPECT_EQ(w.l_sorrend->text(), QStringLiteral("NEV,KOD"));
        w.e_keres->setText("xa,k3");
        EXPECT_EQ(current(), QStringLiteral("Xab"));

        // Searching waits for Enter when the option is on.
        w.aCsakEnter->setChecked(true);
        EXPECT_FALSE(w.l_enter->isHidden());
        w.e_keres->setText("ab,k1");
        EXPECT_EQ(current(), QStringLiteral("Xab"));
        w.e_keres->returnPressed();
        EXPECT_EQ(current(), QStringLiteral("Abc"));
    }, false, nullptr, "KOD in ('K1', 'K2', 'K3')");
}

TEST_F(TorzsWindowTest, ActiveRowsOnlyWhereTheTableHasAktiv) {
    Exec("insert into SZ_KTSGHELY (KOD, NEV, AKTIV) values ('K1', 'Aktív', 'I')");
    Exec("insert into SZ_KTSGHELY (KOD, NEV, AKTIV) values ('K2', 'Régi', 'N')");
    OpenTable("SZ_KTSGHELY", [&](TTorzsfm& w) {
        EXPECT_TRUE(w.aCsakAktiv->isEnabled());
        EXPECT_EQ(w.l_tetel->text(), QStringLiteral("1 tétel"));
        w.aCsakAktiv->setChecked(false);
        EXPECT_EQ(w.l_tetel->text(), QStringLiteral("2 tétel"));
    }, false, nullptr, "KOD starting with 'K'");
    // A filter with OR keeps to itself.
    OpenTable("SZ_KTSGHELY", [&](TTorzsfm& w) {
        w.aCsakAktiv->setChecked(true);
        w.refresh();
        EXPECT_EQ(w.ed.q_torzs.value(2), QStringLiteral("WHERE (KOD='K2' or KOD='K1') and AKTIV='I'"));
        EXPECT_EQ(w.l_tetel->text(), QStringLiteral("1 tétel"));
    }, false, nullptr, "KOD='K2' or KOD='K1'");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_FALSE(w.aCsakAktiv->isEnabled());
        EXPECT_EQ(w.ed.q_torzs.value(2), QString());
    });
}

TEST_F(TorzsWindowTest, MovingWhileEditingAndClosing) {
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAA', 'Első')");
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAB', 'Második')");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        Press(w.b_edit);
        w.next();  // nothing changed: back to browsing and moved
        EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));
        EXPECT_EQ(Shown(w, "E_KOD"), QStringLiteral("AAB"));
        Press(w.b_edit);
        Type(w, "E_NEV", "Változott");
        w.prior();
        EXPECT_EQ(user.messages, QStringList{QStringLiteral("Adatbevitel közben van. Tárolja le, vagy dobja el!")});
        EXPECT_EQ(Shown(w, "E_KOD"), QStringLiteral("AAB"));

        // Closing while editing: "Nem" keeps the window, "Igen, mentéssel" stores.
        user.answer = 0;
        w.back();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(user.questionButtons.value(0),
                  (QStringList{"Nem", "Igen, mentéssel", "Igen, mentés nélkül"}));
        EXPECT_EQ(user.questions.value(0), QStringLiteral("Adatbevitel közben van. Biztosan bezárja az ablakot?"));
        user.answer = 1;
        w.back();
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(One("select NEV from SZ_DEVIZA where KOD = 'AAB'"), QStringLiteral("Változott"));
}

TEST_F(TorzsWindowTest, ReadOnlyTableAndGridEditing) {
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAA', 'Első')");
    Exec("update TABLAK set IRHATJA_JOG = 'X' where TABLANEV = 'SZ_DEVIZA'");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_FALSE(w.l_readonly->isHidden());
        EXPECT_TRUE(w.b_insert->isHidden());
        EXPECT_FALSE(w.adatkezeles->isEnabled());
    });
    Exec("update TABLAK set IRHATJA_JOG = '', GRIDEDIT = '1' where TABLANEV = 'SZ_DEVIZA'");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_TRUE(w.l_readonly->isHidden());
        QAbstractItemModel* model = w.grid->model();
        EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
        ASSERT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
        EXPECT_TRUE(model->setData(model->index(0, 1), "Rácsban írva", Qt::EditRole));
        EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("Rácsban írva"));
    });
    EXPECT_EQ(One("select NEV from SZ_DEVIZA where KOD = 'AAA'"), QStringLiteral("Rácsban írva"));
    EXPECT_EQ(One("select MIRE from DOKU where MEZO = 'NEV'"), QStringLiteral("Rácsban írva"));
}

TEST_F(TorzsWindowTest, WholeListIntoAFile) {
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAA', 'Első')");
    QTemporaryDir dir;
    const QString file = dir.filePath("devizak.TXT");
    SetSaveDialog([&](SaveDialogState& state) {
        state.fileName = file;
        state.filterIndex = 3;
        return true;
    });
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_TRUE(w.aTeljesLista->isEnabled());
        EXPECT_TRUE(w.aSajatLista->isEnabled());
        w.aTablazatba->trigger();
    }, false, nullptr, "KOD = 'AAA'");
    SetSaveDialog(nullptr);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = DecodeCp1250(written.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("AAA"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Első"))) << text.toStdString();
}

}  // namespace
