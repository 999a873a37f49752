// The text-file editor and the note editor as the user works with them.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/TextEdit_window.h"
#include "db/cp1250.h"
#include "db/memo_edit_window.h"
#include "shell_test_support.h"

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(TextEditor, ShowsSavesAndKeepsTheFilesEncoding) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("UPDATES.SQL"));
    // An older workstation's file: Windows-1250 with CR LF.
    writeAll(path, EncodeCp1250(QStringLiteral("update CEG set NEV = 'Árvíztűrő Kft.';\r\ncommit;\r\n")));
    UserSide user;
    TTextEditfm editor;
    editor.wfile = path;
    editor.show();
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Szöveges fájl szerkesztése"));
    EXPECT_EQ(editor.l_file->text(), path);
    EXPECT_EQ(editor.Memo1->toPlainText(), QStringLiteral("update CEG set NEV = 'Árvíztűrő Kft.';\ncommit;"));

    editor.Memo1->appendPlainText(QStringLiteral("-- Ő"));
    editor.Button1->click();
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("A szöveget mentettük")});
    EXPECT_EQ(readAll(path), EncodeCp1250(QStringLiteral("update CEG set NEV = 'Árvíztűrő Kft.';\r\ncommit;\r\n-- Ő\r\n")));
    EXPECT_FALSE(editor.Memo1->document()->isModified());

    // Unchanged text: "Vissza" closes without asking.
    editor.Button2->click();
    EXPECT_TRUE(user.questions.isEmpty());
    EXPECT_FALSE(editor.isVisible());

    // A missing file shows an empty text.
    editor.wfile = dir.filePath(QStringLiteral("nincs.txt"));
    editor.show();
    EXPECT_TRUE(editor.Memo1->toPlainText().isEmpty());
}

TEST(TextEditor, BackWithChangesAsksWhatToDo) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    writeAll(path, "egy\r\n");
    UserSide user;
    TTextEditfm editor;
    editor.wfile = path;
    editor.show();

    editor.Memo1->appendPlainText(QStringLiteral("kettő"));
    user.answers = {2};  // "Szerkesztés folytatása"
    editor.Button2->click();
    EXPECT_EQ(user.questions, QStringList{QStringLiteral("Menti a változtatásokat?")});
    EXPECT_TRUE(editor.isVisible());

    user.answers = {1};  // "Kilépés mentés nélkül"
    editor.Button2->click();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(readAll(path), QByteArray("egy\r\n"));

    editor.show();  // reloaded from the file
    EXPECT_EQ(editor.Memo1->toPlainText(), QStringLiteral("egy"));
    editor.Memo1->appendPlainText(QStringLiteral("három"));
    user.answers = {0};  // "Mentés és kilépés"
    editor.reject();     // the close box goes the same way
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(readAll(path), QStringLiteral("egy\r\nhárom\r\n").toUtf8());
}

TEST(NoteEditor, SavedOnlyThroughItsSaveButton) {
    Tmemo_editfm editor;
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Több soros megjegyzés szerkesztése"));
    editor.Memo1->setPlainText(QStringLiteral("első sor\nmásodik sor"));
    editor.show();
    EXPECT_FALSE(editor.wsaved);
    editor.Button1->click();
    EXPECT_TRUE(editor.wsaved);
    EXPECT_FALSE(editor.isVisible());

    editor.show();
    EXPECT_FALSE(editor.wsaved);
    editor.Button2->click();
    EXPECT_FALSE(editor.wsaved);
}
