#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include "masterdata/panel_widgets_window.h"
#include "md_test_support.h"

namespace {

// A hand-made window in the style of the company selection: lower-case
// names, a required edit, a hidden button.
struct Window {
    Window() {
        kod = new QLineEdit(&w);
        kod->setObjectName("e_kod");
        kod->setText("ABC");
        kod->setMaxLength(7);
        SetRequiredLook(kod, true);
        auto* inner = new QWidget(&w);
        nev = new QLineEdit(inner);
        nev->setObjectName("E_NEV");
        nev->setEnabled(false);
        memo = new QPlainTextEdit(&w);
        memo->setObjectName("E_MEGJ");
        memo->setPlainText("a\nb");
        memo->setProperty("tag", 1);
        info = new QLabel(&w);
        info->setObjectName("PF1_KOD");
        info->setProperty("panelKind", "static");
        info->setProperty("hint", "#SZ_NTIP\\NEV/KOD=KOD");
        label = new QLabel(" Kód:", &w);
        label->setObjectName("L_KOD");
        check = new QCheckBox(&w);
        check->setObjectName("e_aktiv");
        button = new QPushButton("I/N", &w);
        button->setObjectName("b_aktiv");
        button->hide();
    }
    QWidget w;
    QLineEdit *kod, *nev;
    QPlainTextEdit* memo;
    QLabel *info, *label;
    QCheckBox* check;
    QPushButton* button;
};

TEST(PanelWidgets, ReadsEveryControlOfThePrefixInAnyCase) {
    Window win;
    const PanelValues edits = ReadPanel(&win.w, "E_");
    QStringList names;
    for (const PanelControl& c : edits.controls) names << c.name;
    EXPECT_EQ(names, (QStringList{"e_kod", "E_NEV", "E_MEGJ", "e_aktiv"}));

    const PanelControl* kod = edits.find("E_KOD");
    ASSERT_NE(kod, nullptr);
    EXPECT_EQ(kod->kind, PanelKind::Edit);
    EXPECT_EQ(kod->text, QStringLiteral("ABC"));
    EXPECT_TRUE(kod->required);
    EXPECT_EQ(kod->maxLength, 7);
    EXPECT_FALSE(edits.find("E_NEV")->enabled);
    EXPECT_FALSE(edits.find("E_NEV")->required);
    EXPECT_EQ(edits.find("E_NEV")->maxLength, 0);
    EXPECT_EQ(edits.find("E_MEGJ")->kind, PanelKind::Memo);
    EXPECT_EQ(edits.find("E_MEGJ")->tag, 1);
    EXPECT_EQ(edits.find("e_aktiv")->text, QStringLiteral("N"));

    const PanelValues all = ReadPanel(&win.w);
    EXPECT_EQ(all.find("PF1_KOD")->kind, PanelKind::StaticText);
    EXPECT_EQ(all.find("PF1_KOD")->hint, QStringLiteral("#SZ_NTIP\\NEV/KOD=KOD"));
    EXPECT_EQ(all.find("L_KOD")->kind, PanelKind::Label);
    EXPECT_EQ(all.find("b_aktiv")->kind, PanelKind::Button);
    EXPECT_FALSE(all.find("b_aktiv")->visible);
    EXPECT_TRUE(all.find("L_KOD")->visible);  // never shown, yet not hidden
}

TEST(PanelWidgets, ShowsTheValuesBack) {
    Window win;
    PanelValues v = ReadPanel(&win.w);
    v.setText("E_KOD", "XYZ");
    v.setText("e_nev", "Név");
    v.find("E_MEGJ")->text = "új\nsorok";
    v.find("E_MEGJ")->tag = 0;
    v.setText("PF1_KOD", "Bank");
    v.setText("E_AKTIV", "i");
    v.add("E_NINCS", PanelKind::Edit, "skipped");
    ShowPanel(&win.w, v);
    EXPECT_EQ(win.kod->text(), QStringLiteral("XYZ"));
    EXPECT_EQ(win.nev->text(), QStringLiteral("Név"));
    EXPECT_EQ(win.memo->toPlainText(), QStringLiteral("új\nsorok"));
    EXPECT_EQ(win.memo->property("tag").toInt(), 0);
    EXPECT_EQ(win.info->text(), QStringLiteral("Bank"));
    EXPECT_TRUE(win.check->isChecked());
}

}  // namespace
