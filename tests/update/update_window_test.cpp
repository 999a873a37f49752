// The menu item "Program frissítése az internetről" and its FTP window,
// offscreen, against a real FTP server.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/text_scramble.h"
#include "db/ui_hooks.h"
#include "shell/main_tarvedo_window.h"
#include "shell/shell_test_support.h"
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

// The menu item of the main window asks first; " Igen " runs the update of
// the running program (this test program, B = "TESTS_UPDATE") from the
// server of the installation record, showing the FTP window while it works.
TEST(UpdateWindowTest, TheMenuItemAsksAndThenLooksForANewerVersion) {
    FtpTestServer server;
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    work.exec(work.systemDb, QStringLiteral("update SZISZTEM set FTPHOST = :H, FTPUSERID = :U, FTPPWDID = :P"),
              {{QStringLiteral("H"), ScrambleText(server.host())},
               {QStringLiteral("U"), ScrambleText(QString::fromLatin1(FtpTestServer::User))},
               {QStringLiteral("P"), ScrambleText(QString::fromLatin1(FtpTestServer::Password))}});
    const QString base = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUpper();
    server.put(QStringLiteral("public_html/exefiles/") + base + QStringLiteral(".INF"),
               QByteArray("VERSION=") + TARVEDO_VERSION + "\r\n");

    UserSide user;
    QStringList steps;  // what the FTP window showed when a message came
    UiHooks::setMessage([&](const QString& text) {
        user.messages.append(text);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = dynamic_cast<Tftpprocfm*>(widget); window && window->isVisible())
                steps.append(window->l_lepes->text());
    });
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.show();
    ASSERT_TRUE(ProcessUntil([&] { return main.startupFinished(); }));
    QAction* item = main.menuBar()->findChild<QAction*>(QStringLiteral("Programfrisstseazinternetrl1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("Program frissítése az internetről"));
    ASSERT_TRUE(item->isEnabled());

    user.answer = 1;  // " Nem "
    item->trigger();
    EXPECT_EQ(user.questions, QStringList{QStringLiteral("Keressünk programfrissítéseket az interneten?")});
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();

    user.answer = 0;  // " Igen "
    item->trigger();
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Nincs újabb frissítés.")});
    EXPECT_EQ(steps, QStringList{QStringLiteral("Frissítési információk: ") + base + QStringLiteral(".INF")});
    EXPECT_FALSE(QFile::exists(work.file(base + QStringLiteral(".INF"))));
}

}  // namespace
