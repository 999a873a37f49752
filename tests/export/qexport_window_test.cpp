#include <QComboBox>
#include <QDialogButtonBox>
#include <QProgressBar>
#include <QPushButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "export/Qexport_window.h"
#include "export/ask_file_name.h"
#include "export/export_progress_window.h"
#include "export_test_support.h"

TEST(QexportWindow, SaveDialogAsksWithTheExportKinds) {
    Tqexportfm window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Adatok tárolása külső adattáblába"));
    QFileDialog* sd1 = window.findChild<QFileDialog*>(QStringLiteral("sd1"));
    ASSERT_NE(sd1, nullptr);
    EXPECT_EQ(sd1->windowTitle(), QStringLiteral("Eredmény mentése más táblába"));
    EXPECT_EQ(sd1->nameFilters(),
              (QStringList{QStringLiteral("Excel tábla (XLSX) 2007-től (*.XLSX)"), QStringLiteral("Excel tábla (XLS) (*.XLS)"),
                           QStringLiteral("Szövegfájl (TXT) (*.TXT)"), QStringLiteral("SQL script (SQL) (*.SQL)"),
                           QStringLiteral("Excel tábla makrobarát (XLSM) (*.XLSM)")}));

    // The user picks the text kind, types a name ending in .xls and saves.
    QTemporaryDir dir;
    QTimer::singleShot(0, [&] {
        sd1->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->setCurrentIndex(2);
        sd1->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(dir.filePath(QStringLiteral("lista.xls")));
        sd1->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Save)->click();
    });
    EXPECT_EQ(AskFileName(QStringLiteral("lista.xlsx"), 0), dir.filePath(QStringLiteral("lista.xls.TXT")));
    EXPECT_EQ(SaveDialog().filterIndex, 3);

    QTimer::singleShot(0, [&] { sd1->reject(); });
    EXPECT_TRUE(AskFileName(QString(), 0).isEmpty());
}

TEST(QexportWindow, ProgressBarFollowsTheRows) {
    QProgressBar bar;
    ProgressBarExport progress(&bar);
    progress.start(1, 1000);
    EXPECT_EQ(bar.minimum(), 1);
    EXPECT_EQ(bar.maximum(), 1000);
    progress.setPosition(600);
    EXPECT_EQ(bar.value(), 600);
    progress.setPosition(1000);
    EXPECT_EQ(bar.value(), 1000);

    progress.start(1, 0);  // rows not known in advance: the bar only shows it is busy
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 0);
}
