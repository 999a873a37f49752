// The question and message dialog as the user meets it: captions, buttons,
// the wrapped message and the answer of each button.
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "shell/msg_window.h"
#include "shell_test_support.h"

namespace {

QStringList captions(const Tmsgfm& dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog.buttons) texts << button->text();
    return texts;
}

}  // namespace

TEST(MsgDialog, KindsGiveCaptionsAndDefaultButtons) {
    const struct {
        int kind;
        const char* caption;
        QStringList buttons;
    } cases[] = {
        {0, "   Kérem, döntsön!  ", {QStringLiteral(" &Igen "), QStringLiteral(" &Nem ")}},
        {1, "   Figyelmeztetés  ", {QStringLiteral(" &OK ")}},
        {2, "   Hiba történt  ", {QStringLiteral(" &OK ")}},
        {7, "   Párbeszéd ablak  ", {QStringLiteral(" &OK ")}},
    };
    for (const auto& c : cases) {
        Tmsgfm dialog;
        dialog.prepare(QStringLiteral("Kérdés"), c.kind, {});
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.caption)) << c.kind;
        EXPECT_EQ(captions(dialog), c.buttons) << c.kind;
        EXPECT_EQ(dialog.l_msg->text(), QStringLiteral("Kérdés"));
    }
}

TEST(MsgDialog, TheAcceleratorIsTheFirstLetterOfTheButton) {
    const struct {
        QStringList buttons;
        QStringList shortcuts;
    } cases[] = {
        {{}, {QStringLiteral("Alt+I"), QStringLiteral("Alt+N")}},  // " Igen ", " Nem "
        {{QStringLiteral(" OK ")}, {QStringLiteral("Alt+O")}},
        {{QStringLiteral("Mentés és kilépés"), QStringLiteral("  Kilépés mentés nélkül")},
         {QStringLiteral("Alt+M"), QStringLiteral("Alt+K")}},
    };
    for (const auto& c : cases) {
        Tmsgfm dialog;
        dialog.prepare(QStringLiteral("Kérdés"), 0, c.buttons);
        QStringList shortcuts;
        for (const QPushButton* button : dialog.buttons) shortcuts << button->shortcut().toString();
        EXPECT_EQ(shortcuts, c.shortcuts) << c.buttons.join(u'|').toStdString();
    }
}

TEST(MsgDialog, PressedButtonIsTheAnswer) {
    // " Nem " of a question is 1.
    WhenModal<Tmsgfm>([](Tmsgfm* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("button1"))->click(); });
    EXPECT_EQ(MsgDialog(QStringLiteral("Átsorszámozzuk a  bizonylatokat?"), 0), 1);

    // The only button of a warning is 0.
    WhenModal<Tmsgfm>([](Tmsgfm* dialog) {
        EXPECT_EQ(dialog->buttons.size(), 1);
        dialog->buttons.first()->click();
    });
    EXPECT_EQ(MsgDialog(QStringLiteral("Hiba történt a X rendszer adatbázisra csatlakozás közben."), 1), 0);

    // The caller's own buttons answer with their index.
    const QStringList own{QStringLiteral("Mentés és kilépés"), QStringLiteral("Kilépés mentés nélkül"),
                          QStringLiteral("Szerkesztés folytatása")};
    WhenModal<Tmsgfm>([](Tmsgfm* dialog) {
        EXPECT_EQ(dialog->buttons[2]->text(), QStringLiteral("&Szerkesztés folytatása"));
        dialog->buttons[2]->click();
    });
    EXPECT_EQ(MsgDialog(QStringLiteral("Menti a változtatásokat?"), 0, own), 2);

    // Closed without a button (Escape): the button that gives up.
    WhenModal<Tmsgfm>([](Tmsgfm* dialog) { dialog->reject(); });
    EXPECT_EQ(MsgDialog(QStringLiteral("Létrehozzuk?"), 0), 1);
}

TEST(MsgDialog, LongMessageWrapsAtFiveHundredPixelsWithButtonsOnItsRight) {
    QString message;
    while (message.size() < 2000) message += QStringLiteral("könyvelési tétel ");
    message.truncate(2000);
    Tmsgfm dialog;
    dialog.prepare(message, 0, {});
    const QRect label = dialog.l_msg->geometry();
    EXPECT_EQ(label.topLeft(), QPoint(16, 20));
    EXPECT_EQ(label.width(), 500);
    EXPECT_GT(label.height(), 10 * dialog.fontMetrics().height());  // many lines
    ASSERT_EQ(dialog.buttons.size(), 2);
    const QRect yes = dialog.buttons[0]->geometry();
    const QRect no = dialog.buttons[1]->geometry();
    EXPECT_EQ(yes.left(), 16 + 500 + 12);
    EXPECT_EQ(yes.top(), 20);
    EXPECT_EQ(no.left(), yes.left());
    EXPECT_EQ(no.top(), 20 + yes.height() + 8);
    EXPECT_EQ(yes.width(), no.width());
    EXPECT_GE(dialog.height(), label.bottom());
    EXPECT_GT(dialog.width(), yes.right());

    // A short message keeps its own one-line width.
    Tmsgfm small;
    small.prepare(QStringLiteral("Kész!"), 1, {});
    EXPECT_LT(small.l_msg->width(), 100);
    EXPECT_EQ(small.buttons[0]->x(), 16 + small.l_msg->width() + 12);
    EXPECT_EQ(small.height(), small.buttons[0]->geometry().bottom() + 1 + 20);
}

TEST(MsgDialog, CarriageReturnsBreakTheLine) {
    Tmsgfm dialog;
    dialog.prepare(QStringLiteral("Hiba történt a X adatbázisra csatlakozás közben.\rAkar választani a regisztrált adatbázisokból"),
                   0, {});
    EXPECT_EQ(dialog.l_msg->text(),
              QStringLiteral("Hiba történt a X adatbázisra csatlakozás közben.\nAkar választani a regisztrált adatbázisokból"));
}

TEST(MsgDialog, LogicQuestionsReachTheDialogOnceInstalled) {
    InstallDesktopDialogs();
    WhenModal<Tmsgfm>([](Tmsgfm* dialog) { dialog->buttons[0]->click(); });
    EXPECT_EQ(AskDialog(QStringLiteral("Átsorszámozzuk a  bizonylatokat?"), 0), 0);
    UiHooks::setDialog(nullptr);
    UiHooks::setMessage(nullptr);
    UiHooks::setRetry(nullptr);
}
