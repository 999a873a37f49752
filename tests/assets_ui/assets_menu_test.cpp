// The asset windows opened from the main menu of the demo company.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "assets/ecsszamol_window.h"
#include "assets/eszkoz_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/shell_test_support.h"

TEST(AssetMenuTest, RegisterLiesOverTheClientAreaAndDepreciationOpensModally) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.show();
    ProcessUntil([&] { return main.startupFinished(); });
    main.setGeometry(QRect(0, 0, 1400, 950));
    QApplication::processEvents();

    main.menuBar()->findChild<QAction*>(QStringLiteral("targyieszkozok"))->trigger();
    auto* register_ = main.findChild<Teszkozfm*>();
    ASSERT_NE(register_, nullptr);
    ASSERT_TRUE(register_->isVisible());
    EXPECT_EQ(register_->windowTitle(), QStringLiteral("Tárgyi eszközök és immateriális javak * %1").arg(work.year));
    // The demo register's live assets.
    EXPECT_GT(register_->dbg_eszkoz->rowCount(), 20);
    const QWidget* client = main.centralWidget();
    const QRect clientArea(client->mapToGlobal(QPoint(0, 0)), client->size());
    const int panelBottom = main.Panel1->mapToGlobal(QPoint(0, main.Panel1->height())).y();
    EXPECT_EQ(register_->geometry().left(), clientArea.left());
    EXPECT_EQ(register_->geometry().top(), panelBottom);
    EXPECT_EQ(register_->geometry().width(), clientArea.width());
    EXPECT_EQ(register_->geometry().height(), clientArea.bottom() + 1 - panelBottom - 40);
    register_->close();

    QString shownPeriod;
    WhenModal<Tecsszamolfm>([&shownPeriod](Tecsszamolfm* w) {
        shownPeriod = w->e_datumtol->text() + u'-' + w->e_datumig->text();
        w->b_vissza->click();
    });
    main.menuBar()->findChild<QAction*>(QStringLiteral("ecsszamol"))->trigger();
    EXPECT_TRUE(shownPeriod.startsWith(QStringLiteral("%1.01-").arg(work.year))) << shownPeriod.toStdString();
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(u'|').toStdString();
}
