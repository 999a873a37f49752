// The posting search opened from the main menu lies over the main window's
// client area, just below its top panel.
#include <QAction>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "posting/konyvkeres_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell_test_support.h"

TEST(SearchWindowPlacement, TheSearchCoversTheClientAreaBelowTheTopPanel) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.show();
    ProcessUntil([&] { return main.startupFinished(); });
    for (const QRect& frame : {QRect(0, 0, 1600, 1000), QRect(30, 20, 1400, 900)}) {
        SCOPED_TRACE(frame.width());
        main.setGeometry(frame);
        QApplication::processEvents();

        main.menuBar()->findChild<QAction*>(QStringLiteral("kereses"))->trigger();
        auto* search = main.findChild<Tkonyvkeresfm*>();
        ASSERT_NE(search, nullptr);
        ASSERT_TRUE(search->isVisible());
        EXPECT_EQ(search->windowTitle(), QStringLiteral("Könyvelési tétel visszakeresése * %1").arg(work.year));

        const QWidget* client = main.centralWidget();
        const QRect clientArea(client->mapToGlobal(QPoint(0, 0)), client->size());
        const int panelBottom = main.Panel1->mapToGlobal(QPoint(0, main.Panel1->height())).y();
        const QRect placed = search->geometry();
        EXPECT_EQ(placed.left(), clientArea.left());
        EXPECT_EQ(placed.top(), panelBottom);
        EXPECT_EQ(placed.width(), clientArea.width());
        EXPECT_EQ(placed.bottom(), clientArea.bottom());
        search->close();
    }
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();
}
