// Every "store to file" button of the windows, through the save dialog that
// the desktop program sets up at start: the file the user types is written
// with the list's rows; a cancelled dialog writes nothing and says nothing;
// a file that cannot be written is told in Hungarian.
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "db/cp1250.h"
#include "export/Qexport_window.h"
#include "export/ask_file_name.h"
#include "masterdata/window_test_support.h"
#include "posting/konyvkeres_window.h"
#include "reports/egyezteto_window.h"
#include "reports/fokiv_window.h"
#include "reports/karton.h"
#include "reports/karton_window.h"
#include "reports/knaplo_window.h"
#include "reports/ledger_items.h"
#include "shell/desktop_start_window.h"
#include "shell/shell_test_support.h"
#include "support/test_db.h"

namespace {

// The user at the save dialog once it is up: types `path` and saves, or
// cancels when `path` is empty. `shown` tells whether the dialog came up.
void AnswerSaveDialog(const QString& path, bool* shown, int triesLeft = 300) {
    QTimer::singleShot(10, qApp, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0) AnswerSaveDialog(path, shown, triesLeft - 1);
            return;
        }
        *shown = true;
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // The kind of file is picked as the name's extension says.
        dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))
            ->setCurrentIndex(ExportFilterIndex(ExportFileExtension(path)) - 1);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Save)->click();
    });
}

QString Written(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodeCp1250(file.readAll()) : QString();
}

class StoreButtons : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        items::PostSample();
        previousLocale = QLocale();
        // As the desktop program starts; the notices are kept by the test.
        qexportfm = PrepareDesktopProgram();
        UiHooks::setMessage([this](const QString& text) { messages << text; });
    }
    void TearDown() override {
        qexportfm.reset();
        UiHooks::setMessage(nullptr);
        UiHooks::setDialog(nullptr);
        UiHooks::setRetry(nullptr);
        QLocale::setDefault(previousLocale);
        qDeleteAll(qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly));
        DestroyTorzsWindows();
        CompanyDbTest::TearDown();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<Tqexportfm> qexportfm;
    QLocale previousLocale;
    QStringList messages;
    QTemporaryDir dir;
};

// A window with a list and the press of its store button.
struct StoreCase {
    const char* what;
    std::function<void()> press;  // builds the window, fills it and presses
    const char* expected;         // a text of the rows in the file
};

}  // namespace

TEST_F(StoreButtons, EveryStoreButtonWritesTheChosenFile) {
    const StoreCase cases[] = {
        {"posting search",
         [] {
             Tkonyvkeresfm w;
             w.show();
             w.e_ntipus->setText(QStringLiteral("VE"));
             w.b_frissit->click();
             w.b_tarol->click();
         },
         "V2"},
        {"account cards",
         [] {
             TKartonFm w;
             w.e_szlaoszt->setText(QStringLiteral("31"));
             w.B_letarol->click();
         },
         "B1"},
        {"journal",
         [] {
             TKnaploFm w;
             w.e_ntipus->setText(QStringLiteral("VE"));
             w.b_letarol->click();
         },
         "V2"},
        {"trial balance",
         [] {
             TFokivfm w;
             w.B_letarol->click();
         },
         "384"},
        {"reconciliation table",
         [] {
             TEgyeztetoFm w;
             w.B_letarol->click();
         },
         "1500"},
        {"master-data editor",
         [] { OpenTable(QStringLiteral("SZ_DEVIZA"), [](TTorzsfm& w) { w.aTablazatba->trigger(); }); },
         "Magyar forint"},
    };
    int n = 0;
    for (const StoreCase& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        const QString file = dir.filePath(QStringLiteral("lista%1.txt").arg(++n));
        bool shown = false;
        AnswerSaveDialog(file, &shown);
        c.press();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
        const QString text = Written(file);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected))) << text.toStdString();
    }
}

TEST_F(StoreButtons, ACancelWritesNothingAndSaysNothing) {
    TKartonFm w;
    w.e_szlaoszt->setText(QStringLiteral("31"));
    bool shown = false;
    AnswerSaveDialog(QString(), &shown);
    w.B_letarol->click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(StoreButtons, AFileThatCannotBeWrittenIsTold) {
    // Nobody, not even the administrator, makes files in /proc.
    const QString file = QStringLiteral("/proc/lista.txt");
    Tkonyvkeresfm w;
    w.show();
    w.b_frissit->click();
    bool shown = false;
    AnswerSaveDialog(file, &shown);
    w.b_tarol->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(messages, QStringList{QStringLiteral("A fájl nem írható: /proc/lista.txt")});
    EXPECT_FALSE(QFile::exists(file));
}
