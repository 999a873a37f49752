// The report items of the main menu open their parameter windows modally,
// with the item's caption.
#include <QAction>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "reports/egyezteto_window.h"
#include "reports/fokiv_window.h"
#include "reports/karton_window.h"
#include "reports/knaplo_window.h"
#include "shell/main_menu_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/shell_test_support.h"

TEST(ReportMenu, EachReportItemOpensItsWindowWithTheItemsCaption) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.runStartup();

    // Run by the balance sheet last: the menu sets the caller mark back.
    FokivFm(&main)->whivo = FokivCallerMerleg;

    const struct {
        const char* item;
        const char* caption;
        const char* windowClass;
    } cases[] = {
        {"Knyvelsinapl1", "Könyvelési napló", "TKnaploFm"},
        {"kartonok", "Kartonok lekérdezése", "TKartonFm"},
        {"kivonat", "Főkönyvi kivonat", "TFokivfm"},
        {"Egyeztettbla1", "Egyeztető tábla", "TEgyeztetoFm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        QAction* action = main.menuBar()->findChild<QAction*>(QString::fromLatin1(c.item));
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isEnabled());
        EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
        QString opened, title, whivo;
        WhenModal<QDialog>([&](QDialog* window) {
            opened = QString::fromLatin1(window->metaObject()->className());
            title = window->windowTitle();
            if (auto* fokiv = qobject_cast<TFokivfm*>(window)) whivo = fokiv->whivo;
            window->reject();
        });
        action->trigger();
        EXPECT_EQ(opened, QString::fromLatin1(c.windowClass));
        EXPECT_EQ(title, QString::fromUtf8(c.caption) + QStringLiteral(" * ") + QString::number(work.year));
        if (opened == QLatin1String("TFokivfm")) {
            EXPECT_EQ(whivo, FokivCallerMain);
        }
    }
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();

    // The window lives on: the trial balance keeps its result table.
    EXPECT_EQ(FokivFm(&main), FokivFm(nullptr));
}
