// The settings editor: every setting as an edit, stored back as a whole.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/ini.h"
#include "shell/ini_window.h"
#include "shell_test_support.h"

TEST(SettingsEditor, EditsEverySettingAndWritesTheFileBack) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("TARVEDO.INI"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("// a munkahely beállításai\r\nDBSERVER=/data/a.gdb  // cégadatbázis\r\n*PWD=NONE\r\nenter=I\r\n");
    }
    IniSet(QStringLiteral("ELOZO"), QStringLiteral("x"));
    Tinifm editor;  // its creation empties the store
    EXPECT_TRUE(SettingsStore().isEmpty());
    ASSERT_TRUE(IniLoad(file, false));
    editor.show();
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Beállítások (INI fájl szerkesztése)"));
    ASSERT_EQ(editor.edits.size(), 2);
    QLineEdit* dbserver = editor.findChild<QLineEdit*>(QStringLiteral("LE_ini0"));
    QLineEdit* enter = editor.findChild<QLineEdit*>(QStringLiteral("LE_ini1"));
    ASSERT_TRUE(dbserver && enter);
    EXPECT_EQ(dbserver->text(), QStringLiteral("/data/a.gdb"));
    EXPECT_EQ(dbserver->toolTip(), QStringLiteral(" cégadatbázis"));
    EXPECT_EQ(editor.findChild<QLabel*>(QStringLiteral("LE_ini0_label"))->text(), QStringLiteral(" DBSERVER"));
    EXPECT_EQ(editor.findChild<QLabel*>(QStringLiteral("LE_ini1_label"))->text(), QStringLiteral(" ENTER"));
    const int s = dbserver->font().pointSize();
    EXPECT_EQ(dbserver->geometry(), QRect(40 * s - 60, 4, 40 * s - 80, 20));
    EXPECT_EQ(enter->geometry().top(), 28);
    EXPECT_TRUE(dbserver->font().bold());

    dbserver->setText(QStringLiteral("/data/b.gdb"));
    WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("Biztos, hogy tárolja a paramétertáblát?"));
        box->button(QMessageBox::No)->click();
    });
    editor.b_tarol->click();
    QString value;
    IniGet(QStringLiteral("DBSERVER"), value);
    EXPECT_EQ(value, QStringLiteral("/data/a.gdb"));  // "No" stores nothing

    WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    editor.b_tarol->click();
    IniGet(QStringLiteral("DBSERVER"), value);
    EXPECT_EQ(value, QStringLiteral("/data/b.gdb"));
    QStringList lines;
    ASSERT_TRUE(ReadSettingsLines(file, lines));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("DBSERVER=/data/b.gdb  // cégadatbázis"), QStringLiteral("ENTER=I")}));

    // Shown again: the edits are made afresh, not added to the old ones.
    editor.hide();
    IniSet(QStringLiteral("PWD"), QStringLiteral("NONE"));
    editor.show();
    EXPECT_EQ(editor.edits.size(), 3);
    EXPECT_EQ(editor.findChildren<QLineEdit*>().size(), 3);
    editor.b_vissza->click();
    EXPECT_FALSE(editor.isVisible());
    IniClear();
}
