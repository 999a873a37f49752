// What the desktop program sets up before its main window: Hungarian month
// and day names in the date picker, Hungarian texts in the toolkit's own
// dialogs, and the program's own number conventions kept.
#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include "db/display_mask.h"
#include "db/app_conventions.h"
#include "db/getdatum_window.h"
#include "export/Qexport_window.h"
#include "export/ask_file_name.h"
#include "shell/desktop_start_window.h"
#include "shell/msg_window.h"
#include "shell_test_support.h"

namespace {

// The start-up's effects on the whole run are undone when the test ends.
class DesktopStart : public ::testing::Test {
protected:
    void SetUp() override {
        previousLocale = QLocale();
        previousSeparator = DecimalSeparator();
    }
    void TearDown() override {
        qexportfm.reset();
        UiHooks::setMessage(nullptr);
        UiHooks::setDialog(nullptr);
        UiHooks::setRetry(nullptr);
        QLocale::setDefault(previousLocale);
        qDeleteAll(qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly));
        SetDecimalSeparator(previousSeparator);
    }
    static bool translationInstalled() {
        return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_hu.qm"));
    }

    std::unique_ptr<Tqexportfm> qexportfm;
    QLocale previousLocale;
    QChar previousSeparator;
};

}  // namespace

TEST_F(DesktopStart, TheDatePickerShowsHungarianMonthAndDayNames) {
    qexportfm = PrepareDesktopProgram();
    TgetdatumFm picker;
    picker.MC_1->setSelectedDate(QDate(2024, 3, 15));
    picker.show();
    const auto* month = picker.MC_1->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text(), QStringLiteral("március"));
    // The header row of the month: Monday first, in Hungarian.
    const auto* days = picker.MC_1->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(days, nullptr);
    QStringList header;
    for (int column = 1; column < days->model()->columnCount(); ++column)
        header << days->model()->index(0, column).data().toString();
    EXPECT_EQ(header.value(0), QLocale(QLocale::Hungarian).dayName(1, QLocale::ShortFormat)) << header.join(u' ').toStdString();
    EXPECT_EQ(header.value(6), QLocale(QLocale::Hungarian).dayName(7, QLocale::ShortFormat)) << header.join(u' ').toStdString();
    EXPECT_NE(header.value(0), QStringLiteral("Mon"));
}

TEST_F(DesktopStart, TheToolkitsDialogsSpeakHungarian) {
    if (!translationInstalled()) GTEST_SKIP() << "qtbase_hu.qm is not installed";
    qexportfm = PrepareDesktopProgram();

    QMessageBox box(QMessageBox::Question, QStringLiteral("Kérdés"), QStringLiteral("Folytatja?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Igen"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nem"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Mégse"));

    // The export's save dialog, as the store buttons show it.
    auto* sd1 = qexportfm->findChild<QFileDialog*>(QStringLiteral("sd1"));
    ASSERT_NE(sd1, nullptr);
    QString saveText, cancelText;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        saveText = buttons->button(QDialogButtonBox::Save)->text();
        cancelText = buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    EXPECT_TRUE(AskFileName(QString(), 0).isEmpty());
    EXPECT_EQ(saveText.remove(u'&'), QStringLiteral("Mentés"));
    EXPECT_EQ(cancelText.remove(u'&'), QStringLiteral("Mégse"));
}

TEST_F(DesktopStart, TheProgramsOwnConventionsStay) {
    qexportfm = PrepareDesktopProgram();
    EXPECT_EQ(QLocale().language(), QLocale::Hungarian);
    // The decimal separator is the workstation's, not the Hungarian comma;
    // thousands are separated by a blank and dates written with points.
    EXPECT_EQ(DecimalSeparator(), QLocale::system().decimalPoint().at(0));
    EXPECT_EQ(FormatMask(1234567.5, QStringLiteral("###,###,##0.00")),
              QStringLiteral("1 234 567") + DecimalSeparator() + QStringLiteral("50"));
    EXPECT_EQ(QDate(2025, 3, 9).toString(QLatin1String(ShortDateFormat)), QStringLiteral("2025.03.09"));
}
