// The menu item "Program frissítése az internetről" and its FTP window,
// offscreen, against a real FTP server.
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/session.h"
#include "db/text_scramble.h"
#include "db/ui_hooks.h"
#include "shell/main_menu_window.h"
#include "support/cli_run.h"
#include "update/ftp_test_server.h"
#include "update/update_window.h"

namespace {

using update_test::FtpTestServer;

TEST(UpdateWindowTest, ShowsTheStepAndHowMuchHasArrived) {
    Tftpprocfm window;
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("FTP (File Transfer)"));
    window.showStep(QStringLiteral("Az új program letöltése: TARVEDO"), 750, 1000);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("l_lepes"))->text(), QStringLiteral("Az új program letöltése: TARVEDO"));
    auto* bar = window.findChild<QProgressBar*>(QStringLiteral("pb_letoltes"));
    EXPECT_EQ(bar->value() * 100 / bar->maximum(), 75);
    window.grab().save(QStringLiteral("/tmp/tarvedo-update-window.png"));
    window.showStep(QStringLiteral("Az új program ellenőrzése"), 0, 0);
    EXPECT_EQ(bar->value(), 0);
}

TEST(UpdateWindowTest, TheMenuItemRunsTheUpdate) {
    const auto& items = MainMenuItems();
    const auto found = std::find_if(items.begin(), items.end(), [](const MainMenuItem& item) {
        return item.name == QLatin1String("Programfrisstseazinternetrl1");
    });
    ASSERT_NE(found, items.end());
    EXPECT_EQ(found->caption, QStringLiteral("Program frissítése az internetről"));
    EXPECT_TRUE(bool(found->action));
}

// The menu action asks first; " Igen " runs the update of the running
// program (this test program, B = "TESTS_UPDATE") from the server of the
// installation record, showing the FTP window while it works.
TEST(UpdateWindowTest, AsksAndThenLooksForANewerVersion) {
    FtpTestServer server;
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("munka"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                   QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QString here = QDir::currentPath();
    const SessionResult session = OpenWorkingDirectory(work);
    ASSERT_TRUE(session.ok) << session.error.toStdString();
    ExecSql(d_tarvedosys, QStringLiteral("update SZISZTEM set FTPHOST = :H, FTPUSERID = :U, FTPPWDID = :P"),
            {{QStringLiteral("H"), ScrambleText(server.host())},
             {QStringLiteral("U"), ScrambleText(QString::fromLatin1(FtpTestServer::User))},
             {QStringLiteral("P"), ScrambleText(QString::fromLatin1(FtpTestServer::Password))}});
    const QString base = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUpper();
    server.put(QStringLiteral("public_html/exefiles/") + base + QStringLiteral(".INF"),
               QByteArray("VERSION=") + TARVEDO_VERSION + "\r\n");

    QStringList asked, shown, steps;
    int answer = 1;
    UiHooks::setDialog([&](const QString& text, int, const QStringList&) {
        asked.append(text);
        return answer;
    });
    UiHooks::setMessage([&](const QString& text) {
        shown.append(text);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = dynamic_cast<Tftpprocfm*>(widget); window && window->isVisible())
                steps.append(window->l_lepes->text());
    });

    RunProgramUpdateFromMenu(nullptr, FileVersionText(QString()));  // " Nem "
    EXPECT_EQ(asked, QStringList{QStringLiteral("Keressünk programfrissítéseket az interneten?")});
    EXPECT_TRUE(shown.isEmpty());

    answer = 0;
    RunProgramUpdateFromMenu(nullptr, FileVersionText(QString()));
    EXPECT_EQ(shown, QStringList{QStringLiteral("Nincs újabb frissítés.")});
    EXPECT_EQ(steps, QStringList{QStringLiteral("Frissítési információk: ") + base + QStringLiteral(".INF")});
    EXPECT_FALSE(QFile::exists(work + QLatin1Char('/') + base + QStringLiteral(".INF")));

    UiHooks::setDialog({});
    UiHooks::setMessage({});
    CloseSession();
    QDir::setCurrent(here);
}

}  // namespace
