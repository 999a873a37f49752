// The year-end windows offscreen: the closing window's defaults and run,
// the clean-up window's list and its one press.
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "db/ui_hooks.h"
#include "yearend/evzaro_window.h"
#include "yearend/takarit_window.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

// Messages the windows show, caught instead of shown.
struct Messages {
    QStringList shown;
    Messages() {
        UiHooks::setMessage([this](const QString& text) { shown << text; });
    }
    ~Messages() { UiHooks::setMessage({}); }
};

// The questions the windows ask, answered with the button at `answer`.
struct Questions {
    QStringList asked;
    int answer = 1;
    Questions() {
        UiHooks::setDialog([this](const QString& text, int, const QStringList&) {
            asked << text;
            return answer;
        });
    }
    ~Questions() { UiHooks::setDialog({}); }
};

void SaveGrab(QWidget& window, const char* name) {
    const QString dir = qEnvironmentVariable("TARVEDO_GRAB_DIR");
    if (!dir.isEmpty()) window.grab().save(dir + u'/' + QLatin1String(name));
}

TEST(EvzaroWindow, ShowsTheDefaultsAndClosesTheYear) {
    WorkingCopy copy(200);
    copy.open();
    Messages messages;
    TevzaroFm window;
    window.show();
    EXPECT_EQ(window.e_path->text(), copy.dir() + QStringLiteral("/2026"));
    EXPECT_EQ(window.e_nev->text(), QStringLiteral("TARVEDO_MINTA_2026.GDB"));
    EXPECT_TRUE(window.findChild<QRadioButton*>(QStringLiteral("RG_TIPUS_0"))->isChecked());
    EXPECT_EQ(window.E_ZARDATUM->text(), QStringLiteral("2026.01.01"));
    SaveGrab(window, "evzaro.png");

    // Another closing date is asked about; " Nem " does nothing.
    Questions questions;
    window.E_ZARDATUM->setText(QStringLiteral("2025.12.31"));
    window.B_letarol->click();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].startsWith(QStringLiteral("A zárás dátuma (2025.12.31) nem a következő év első napja (2026.01.01)")))
        << questions.asked[0].toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(copy.dir() + QStringLiteral("/2026")));

    window.E_ZARDATUM->setText(QStringLiteral("2026.01.01"));
    window.cb_teteles->setChecked(true);
    questions.asked.clear();
    window.B_letarol->click();  // only the backup question, answered " Nem "
    EXPECT_EQ(questions.asked, QStringList{QStringLiteral("Készüljön mentés a tárgyévi adatbázisról a zárás előtt?")});
    ASSERT_EQ(messages.shown, QStringList{QStringLiteral("KÉSZ !")});
    EXPECT_EQ(window.Gauge1->value(), window.Gauge1->maximum());
    EXPECT_GT(Number(d_tarvedo2, QStringLiteral("select count(*) from TETEL where NTIPUS = 'NY' and SZAMLASZAM <> ''")), 0);

    // Shown again: the registered next year is recomputed.
    window.hide();
    window.show();
    EXPECT_TRUE(window.findChild<QRadioButton*>(QStringLiteral("RG_TIPUS_1"))->isChecked());
    // Made again only when the user says so: without a window the answer is " Nem ".
    messages.shown.clear();
    window.findChild<QRadioButton*>(QStringLiteral("RG_TIPUS_0"))->setChecked(true);
    ExecSql(d_tarvedo2, QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, NTIPUS) values ('x', '384', '911', 77, 'BK')"));
    window.B_letarol->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from TETEL where NTIPUS = 'BK'")), 1);
}

TEST(EvzaroWindow, AFailureIsShownAndNotKesz) {
    WorkingCopy copy(0);
    copy.open();
    Messages messages;
    TevzaroFm window;
    window.show();
    window.e_nev->clear();
    window.B_letarol->click();
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Adja meg a következő év adatbázisának nevét!")});
    window.E_ZARDATUM->setText(QStringLiteral("2025.13.45"));
    window.B_letarol->click();
    EXPECT_FALSE(messages.shown.contains(QStringLiteral("KÉSZ !")));
}

TEST(TakaritWindow, ListsDropsOnceAndSaysWhenEmpty) {
    WorkingCopy copy(0);
    copy.open();
    Td().WorkDir = copy.dir() + u'/';
    Messages messages;
    ShowTakaritFm(nullptr);
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Nincsenek átmeneti táblák")});

    ExecSql(d_tarvedo, QStringLiteral("create table TMP_KR_1 (A integer)"));
    ExecSql(d_tarvedo, QStringLiteral("create table TMPX (A integer)"));
    Ttakaritfm window;
    ASSERT_TRUE(window.TmpTablesList());
    window.show();
    EXPECT_EQ(window.clbx_Tablak->count(), 1);
    EXPECT_TRUE(window.cbx_tmpdel->isChecked());
    EXPECT_TRUE(window.b_indul->isEnabled());
    SaveGrab(window, "takarit.png");
    window.b_indul->click();
    EXPECT_FALSE(window.b_indul->isEnabled());
    EXPECT_EQ(window.clbx_Tablak->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(Number(d_tarvedo, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME starting with 'TMP'")),
              2);  // TMP_TABLAK and TMPX stay
    window.hide();
    window.show();
    EXPECT_TRUE(window.b_indul->isEnabled());
}

}  // namespace
