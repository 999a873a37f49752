// The desktop start-up against a demo working directory: what the main
// window shows, which windows it asks through, and what it leaves in
// TARVEDO.INI at the end of the run.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "db/ini.h"
#include "masterdata/lookup_window.h"
#include "masterdata/torzs_window.h"
#include "shell/Password_window.h"
#include "shell/password.h"
#include "shell/cegvalaszt_window.h"
#include "shell/main_menu_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/menu_rules.h"
#include "shell_test_support.h"

namespace {

const QString kSkipLogin = QStringLiteral("x");  // any argument skips the login

QStringList masterTablesInReadOrder(const QString& companyDb) {
    EXPECT_TRUE(DbConnect(d_tarvedo, companyDb));
    QStringList names;
    QSqlQuery rows = ExecSql(d_tarvedo, QStringLiteral("Select * \nFrom Tablak"));
    while (rows.next()) names << rows.value(QStringLiteral("TABLANEV")).toString().trimmed();
    DbDisconnect(d_tarvedo);
    return names;
}

QStringList menuNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* item : menu->actions()) names << item->objectName();
    return names;
}

QAction* menuItem(Tmain_tarvedofm& window, const QString& name) {
    return window.menuBar()->findChild<QAction*>(name);
}

// Chooses the registry row of `kod` in the company selection once it is up.
void choosesCompany(const QString& kod) {
    WhenModal<Tcegvalasztfm>([kod](Tcegvalasztfm* window) {
        for (int i = 0; i < window->registry.rows.size(); ++i) {
            window->move(i == 0 ? 0 : 2);
            if (window->e_kod->text() == kod) break;
        }
        EXPECT_EQ(window->e_kod->text(), kod);
        window->b_kivalaszt->click();
    });
}

void logsIn(const QString& name, const QString& password) {
    WhenModal<TPasswordFM>([name, password](TPasswordFM* window) {
        window->e_nev->setText(name);
        window->e_jelszo->setText(password);
        window->OKBtn->click();
    });
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(work.made); }
    void addLine(const QString& line) {
        work.write(QStringLiteral("TARVEDO.INI"), work.bytes(QStringLiteral("TARVEDO.INI")) + line.toUtf8() + "\r\n");
    }
    DemoWorkDir work;
    UserSide user;
};

}  // namespace

TEST_F(StartupTest, DemoCompanyWithAnArgumentOpensWithoutLogin) {
    const QStringList tables = masterTablesInReadOrder(work.companyDb);
    ASSERT_GE(tables.size(), 3);
    const QByteArray iniBefore = work.bytes(QStringLiteral("TARVEDO.INI"));

    Tmain_tarvedofm window({kSkipLogin});
    int logins = 0;
    RefuseModal<TPasswordFM>(&window, &logins);
    window.show();
    ASSERT_TRUE(ProcessUntil([&] { return window.startupFinished(); }));
    EXPECT_EQ(logins, 0);
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Főkönyvi könyvelés * ") + QStringLiteral(TARVEDO_VERSION));
    EXPECT_EQ(window.l_version->text(), QStringLiteral(TARVEDO_VERSION));
    EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Minta Kft. * 2025"));
    EXPECT_EQ(window.l_db->text(), work.companyDb);
    EXPECT_EQ(Td().CurrentUser, QStringLiteral("KARDO"));
    EXPECT_TRUE(Td().CurrentUserKod.isEmpty());
    EXPECT_EQ(Td().SystemKod, QStringLiteral("MINTA"));
    EXPECT_EQ(Td().WorkDir, work.dir + QLatin1Char('/'));
    EXPECT_EQ(window.state().wdefaultceg, QStringLiteral("MINTA"));
    EXPECT_EQ(window.state().wdefaultev, QStringLiteral("2025"));
    QString rate;
    IniGet(QStringLiteral("VANARFOLYAM"), rate);
    EXPECT_EQ(rate, QStringLiteral("I"));
    EXPECT_TRUE(IsConnected(d_tarvedo2));
    EXPECT_EQ(ServicesConnection(), d_tarvedo2);

    // "Törzsek": the TABLAK rows in the reverse of the order they were read.
    QStringList reversed = tables;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(menuNames(window.torzsek), reversed);
    EXPECT_EQ(window.torzsek->actions().first()->text(), QStringLiteral("Számlatükör"));

    // Every item of the menu table is on the menu; the ones whose windows
    // are not there yet stand disabled.
    for (const MainMenuItem& item : MainMenuItems()) {
        if (item.submenu) continue;
        QAction* action = menuItem(window, item.name);
        ASSERT_NE(action, nullptr) << item.name.toStdString();
        if (item.caption != QLatin1String("-")) {
            EXPECT_EQ(action->isEnabled(), bool(item.action)) << item.name.toStdString();
        }
    }
    EXPECT_TRUE(menuItem(window, QStringLiteral("Adatbaziskivalasztasa"))->isEnabled());

    // A run that changed nothing leaves TARVEDO.INI untouched.
    menuItem(window, QStringLiteral("vege"))->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(work.bytes(QStringLiteral("TARVEDO.INI")), iniBefore);
}

TEST_F(StartupTest, MasterDataItemsOpenTheEditorBuiltAgainAfterACompanyChange) {
    Tmain_tarvedofm window({kSkipLogin});
    window.runStartup();
    QAction* accounts = window.torzsek->actions().first();
    ASSERT_EQ(accounts->objectName(), QStringLiteral("SZ_TUKOR"));
    EXPECT_TRUE(accounts->isEnabled());
    QString title;
    WhenModal<TTorzsfm>([&](TTorzsfm* editor) {
        title = editor->windowTitle();
        editor->reject();
    });
    accounts->trigger();
    EXPECT_TRUE(title.contains(QStringLiteral("Számlatükör"))) << title.toStdString();
    const QString editorName = QStringLiteral("SZ_TUKOR_SZ_TUKOR_Torzsfm");
    EXPECT_NE(FindTorzsWindow(editorName), nullptr);

    choosesCompany(QStringLiteral("MINTA"));
    menuItem(window, QStringLiteral("Adatbaziskivalasztasa"))->trigger();
    EXPECT_EQ(FindTorzsWindow(editorName), nullptr);
}

TEST_F(StartupTest, LoginIsSkippedOnlyByPwdNoneOrAnArgument) {
    const struct {
        const char* pwd;
        QStringList arguments;
        bool login;
    } cases[] = {
        {"", {}, true},          {"NONE", {}, false}, {"none", {}, false},
        {"", {kSkipLogin}, false}, {"IGEN", {}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoginNeeded(QString::fromUtf8(c.pwd), c.arguments), c.login) << c.pwd;

    addLine(QStringLiteral("PWD=NONE"));
    Tmain_tarvedofm window;
    int logins = 0;
    RefuseModal<TPasswordFM>(&window, &logins);
    window.runStartup();
    EXPECT_EQ(logins, 0);
    EXPECT_EQ(Td().CurrentUser, QStringLiteral("KARDO"));
    EXPECT_FALSE(window.torzsek->actions().isEmpty());
}

TEST_F(StartupTest, LoginAtStartAndItsRefusal) {
    {
        Tmain_tarvedofm window;
        logsIn(QStringLiteral("DEMO"), QStringLiteral("demo"));
        window.runStartup();
        EXPECT_EQ(Td().CurrentUserKod, QStringLiteral("DEMO"));
        EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Minta Kft. * 2025"));
        EXPECT_FALSE(window.torzsek->actions().isEmpty());
        EXPECT_TRUE(user.messages.isEmpty());
        window.close();
    }
    EXPECT_EQ(work.lines(LastUserFile), QStringList{QStringLiteral("USERNAME=DEMO")});

    Tmain_tarvedofm window;
    window.show();
    WhenModal<TPasswordFM>([](TPasswordFM* login) {
        EXPECT_EQ(login->e_nev->text(), QStringLiteral("DEMO"));  // remembered
        login->CancelBtn->click();
    });
    ASSERT_TRUE(ProcessUntil([&] { return window.startupFinished(); }));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Belépés megtagadva!")});
    EXPECT_FALSE(window.isVisible());  // the program ends
    EXPECT_TRUE(window.torzsek->actions().isEmpty());
}

TEST_F(StartupTest, EmptyCompanyRecordShowsNoOpenCompany) {
    work.exec(work.companyDb, QStringLiteral("delete from CEG"));
    Tmain_tarvedofm window({kSkipLogin});
    window.runStartup();
    EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Nincs nyitott cég!"));
    EXPECT_TRUE(window.state().wdefaultceg.isEmpty());
    EXPECT_TRUE(window.state().wdefaultev.isEmpty());
}

TEST_F(StartupTest, SeveralCompanyRowsUseTheDefaultOrAskForACompany) {
    work.exec(work.companyDb, QStringLiteral("insert into CEG (KOD, AKTUALISEV, NEV, NYITVA) values ('ELSO', '2025', 'Első Bt.', 'I')"));
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.runStartup();  // DEFAULTCEG=MINTA, DEFAULTEV=2025
        EXPECT_EQ(Td().ceg.text(QStringLiteral("KOD")), QStringLiteral("MINTA"));
        EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Minta Kft. * 2025"));
    }
    addLine(QStringLiteral("DEFAULTCEG=NINCS"));
    Tmain_tarvedofm window({kSkipLogin});
    choosesCompany(QStringLiteral("MINTA"));
    window.runStartup();
    EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Minta Kft. * 2025"));
    EXPECT_EQ(window.state().wdefaultceg, QStringLiteral("MINTA"));
}

TEST_F(StartupTest, CompanyChangeIsWrittenBackAtTheEnd) {
    const QString other = work.file(QStringLiteral("TARVEDO_MASIK_2025.GDB"));
    ASSERT_TRUE(QFile::copy(work.companyDb, other));
    work.exec(other, QStringLiteral("update CEG set KOD = 'MASIK', NEV = 'Másik Zrt.'"));
    work.exec(work.systemDb,
              QStringLiteral("insert into CEGEK (KOD, AKTUALISEV, NEV, DBSERVER, NYITVA) values ('MASIK', '2025', 'Másik Zrt.', :DB, 'I')"),
              {{QStringLiteral("DB"), other}});
    const QStringList linesBefore = work.lines(QStringLiteral("TARVEDO.INI"));

    Tmain_tarvedofm window({kSkipLogin});
    window.runStartup();
    int changes = 0;
    QObject::connect(&window, &Tmain_tarvedofm::companyChanged, [&] { ++changes; });
    Td().IncomeResult = 123;
    choosesCompany(QStringLiteral("MASIK"));
    menuItem(window, QStringLiteral("Adatbaziskivalasztasa"))->trigger();

    EXPECT_EQ(changes, 1);
    EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Másik Zrt. * 2025"));
    EXPECT_EQ(window.l_db->text(), other);
    EXPECT_EQ(Td().DbServer, other);
    EXPECT_EQ(Td().IncomeResult, 0);
    EXPECT_EQ(Td().ceg.text(QStringLiteral("NEV")), QStringLiteral("Másik Zrt."));
    QString dbserver;
    IniGet(QStringLiteral("DBSERVER"), dbserver);
    EXPECT_EQ(dbserver, other);
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();

    window.close();
    EXPECT_EQ(work.lines(QStringLiteral("TARVEDO.INI")),
              (QStringList{QLatin1Char('*') + linesBefore[0], linesBefore[1], QStringLiteral("*DEFAULTCEG=MINTA"),
                           linesBefore[3], QStringLiteral("DBSERVER=") + other, QStringLiteral("DEFAULTCEG=MASIK")}));
}

TEST_F(StartupTest, UpdateScriptRunsOnceAndIsMovedAside) {
    work.write(UpdateScriptName, "update CEG set TELEFON = '+36 1 111 1111';\r\n");
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.runStartup();
    }
    const QString telephone = QStringLiteral("select TELEFON from CEG");
    ASSERT_TRUE(DbConnect(d_tarvedo, work.companyDb));
    EXPECT_EQ(SelectValue(d_tarvedo, telephone).toString(), QStringLiteral("+36 1 111 1111"));
    EXPECT_FALSE(QFile::exists(work.file(UpdateScriptName)));
    QStringList moved = QDir(work.dir).entryList({QStringLiteral("UPDATES_*.SQL")});
    ASSERT_EQ(moved.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^UPDATES_\\d{12}\\.SQL$")).match(moved.first()).hasMatch()) << moved.first().toStdString();

    // The next start does not run it again.
    ExecSql(d_tarvedo, QStringLiteral("update CEG set TELEFON = 'kézzel'"));
    DbDisconnect(d_tarvedo);
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.runStartup();
    }
    EXPECT_EQ(SelectValue(d_tarvedo, telephone).toString(), QStringLiteral("kézzel"));

    // A second script within the same minute is moved aside under a name of its own.
    work.write(UpdateScriptName, "update CEG set TELEFON = 'második';\r\n");
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.runStartup();
    }
    EXPECT_EQ(SelectValue(d_tarvedo, telephone).toString(), QStringLiteral("második"));
    EXPECT_FALSE(QFile::exists(work.file(UpdateScriptName)));
    EXPECT_EQ(QDir(work.dir).entryList({QStringLiteral("UPDATES_*.SQL")}).size(), 2);
}

TEST_F(StartupTest, UnreachableDatabasesEndTheStartupWithTheirMessages) {
    const QByteArray ini = work.bytes(QStringLiteral("TARVEDO.INI"));
    const QString missing = work.file(QStringLiteral("NINCS.GDB"));

    // The system database: a warning, and the window stays with its menu.
    work.write(QStringLiteral("TARVEDO.INI"), QByteArray(ini).replace(work.systemDb.toUtf8(), missing.toUtf8()));
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.show();
        ASSERT_TRUE(ProcessUntil([&] { return window.startupFinished(); }));
        EXPECT_EQ(user.questions,
                  QStringList{QStringLiteral("Hiba történt a ") + missing + QStringLiteral(" rendszer adatbázisra csatlakozás közben.")});
        EXPECT_EQ(user.kinds, QList<int>{1});
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.torzsek->actions().isEmpty());
        window.close();
    }

    // The company database, answered " Nem ": the program ends.
    user.questions.clear();
    user.kinds.clear();
    work.write(QStringLiteral("TARVEDO.INI"), QByteArray(ini).replace(work.companyDb.toUtf8(), missing.toUtf8()));
    const QByteArray badIni = work.bytes(QStringLiteral("TARVEDO.INI"));
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.show();
        ASSERT_TRUE(ProcessUntil([&] { return window.startupFinished(); }));
        EXPECT_EQ(user.questions, QStringList{QStringLiteral("Hiba történt a ") + missing
                                              + QStringLiteral(" adatbázisra csatlakozás közben.\rAkar választani a regisztrált adatbázisokból")});
        EXPECT_EQ(user.kinds, QList<int>{0});
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(work.bytes(QStringLiteral("TARVEDO.INI")), badIni);

    // Answered " Igen " and a registered company chosen: the start-up goes on.
    user.answers = {0};
    Tmain_tarvedofm window({kSkipLogin});
    choosesCompany(QStringLiteral("MINTA"));
    window.runStartup();
    EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Minta Kft. * 2025"));
    EXPECT_EQ(window.l_db->text(), work.companyDb);
    EXPECT_FALSE(window.torzsek->actions().isEmpty());
    window.close();
    EXPECT_TRUE(work.lines(QStringLiteral("TARVEDO.INI")).contains(QStringLiteral("DBSERVER=") + work.companyDb));
}

TEST_F(StartupTest, ChoosingADatabaseLaterStillAsksForTheLogin) {
    const QString missing = work.file(QStringLiteral("NINCS.GDB"));
    work.write(QStringLiteral("TARVEDO.INI"),
               work.bytes(QStringLiteral("TARVEDO.INI")).replace(work.companyDb.toUtf8(), missing.toUtf8()));
    user.answers = {0};  // " Igen ", then nothing chosen
    Tmain_tarvedofm window;
    WhenModal<Tcegvalasztfm>([](Tcegvalasztfm* choice) { choice->b_vissza->click(); });
    window.runStartup();
    EXPECT_TRUE(window.torzsek->actions().isEmpty());
    EXPECT_FALSE(window.state().startupDone);

    // Later from the menu: the rest of the start-up follows, login first.
    choosesCompany(QStringLiteral("MINTA"));
    logsIn(QStringLiteral("DEMO"), QStringLiteral("demo"));
    menuItem(window, QStringLiteral("Adatbaziskivalasztasa"))->trigger();
    EXPECT_TRUE(window.state().startupDone);
    EXPECT_EQ(Td().CurrentUserKod, QStringLiteral("DEMO"));
    EXPECT_FALSE(window.torzsek->actions().isEmpty());
}

TEST_F(StartupTest, MissingSettingsFileIsReportedAndWrittenAtTheEnd) {
    QFile::remove(work.file(QStringLiteral("TARVEDO.INI")));
    {
        Tmain_tarvedofm window({kSkipLogin});
        window.runStartup();
        EXPECT_EQ(user.messages, QStringList{QStringLiteral("Ini file: TARVEDO.INI not found.")});
        EXPECT_EQ(user.kinds, QList<int>{1});  // the system database cannot be reached
        window.close();
    }
    EXPECT_EQ(work.lines(QStringLiteral("TARVEDO.INI")),
              (QStringList{QStringLiteral("DBSERVER="), QStringLiteral("DEFAULTCEG="), QStringLiteral("DEFAULTEV=")}));
}

TEST_F(StartupTest, MenuRulesForOpenedWindows) {
    Tmain_tarvedofm window({kSkipLogin});
    window.runStartup();
    EXPECT_EQ(MenuNev(QStringLiteral("&Főkönyvi kivonat")), QStringLiteral("Főkönyvi kivonat * 2025"));
    EXPECT_EQ(MenuNev(menuItem(window, QStringLiteral("kivonat"))), QStringLiteral("Főkönyvi kivonat * 2025"));
    EXPECT_TRUE(YearOpenCheck());
    EXPECT_TRUE(user.messages.isEmpty());
    ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'N'"));
    db1AfterConnect();
    EXPECT_FALSE(YearOpenCheck());
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Az év le van zárva.")});
}

TEST_F(StartupTest, SwitchingCompanyAsksForThatCompanysLogin) {
    // A second company whose only user is MASIK: DEMO does not exist there.
    const QString other = work.file(QStringLiteral("TARVEDO_MASIK_2025.GDB"));
    ASSERT_TRUE(QFile::copy(work.companyDb, other));
    work.exec(other, QStringLiteral("update CEG set KOD = 'MASIK', NEV = 'Másik Zrt.'"));
    work.exec(other, QStringLiteral("delete from SZ_JUZER"));
    work.exec(other, QStringLiteral("insert into SZ_JUZER (KOD, NEV, JELSZO, AKTIV) values ('MK', 'MASIK', 'masik', 'I')"));
    work.exec(work.systemDb,
              QStringLiteral("insert into CEGEK (KOD, AKTUALISEV, NEV, DBSERVER, NYITVA) values ('MASIK', '2025', 'Másik Zrt.', :DB, 'I')"),
              {{QStringLiteral("DB"), other}});

    Tmain_tarvedofm window;
    logsIn(QStringLiteral("DEMO"), QStringLiteral("demo"));
    window.runStartup();
    window.show();
    ASSERT_EQ(Td().CurrentUserKod, QStringLiteral("DEMO"));
    int changes = 0;
    QObject::connect(&window, &Tmain_tarvedofm::companyChanged, [&] { ++changes; });
    QAction* change = menuItem(window, QStringLiteral("Adatbaziskivalasztasa"));

    // The user of the first company is not one of the second: the login
    // window says so and stays; giving up keeps the program where it was.
    const struct {
        const char* nev;
        const char* jelszo;
    } refused[] = {{"DEMO", "demo"}, {"MASIK", "rossz"}};
    for (const auto& attempt : refused) {
        SCOPED_TRACE(attempt.nev);
        user.messages.clear();
        choosesCompany(QStringLiteral("MASIK"));
        QString shownError, shownCompany;
        WhenModal<TPasswordFM>([&](TPasswordFM* login) {
            shownCompany = window.l_kiaz->text();
            login->e_nev->setText(QString::fromLatin1(attempt.nev));
            login->e_jelszo->setText(QString::fromLatin1(attempt.jelszo));
            login->OKBtn->click();
            shownError = login->p_hiba->isVisible() ? login->l_hiba->text() : QString();
            login->CancelBtn->click();
        });
        change->trigger();
        EXPECT_EQ(shownCompany, QStringLiteral("Másik Zrt. * 2025"));
        EXPECT_EQ(shownError, QStringLiteral("Érvénytelen belépési név vagy jelszó"));
        EXPECT_EQ(user.messages, QStringList{QStringLiteral("Belépés megtagadva!")});
        EXPECT_EQ(changes, 0);
        EXPECT_TRUE(window.isVisible());  // the program goes on
        EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Minta Kft. * 2025"));
        EXPECT_EQ(Td().DbServer, work.companyDb);
        EXPECT_EQ(Td().ceg.text(QStringLiteral("KOD")), QStringLiteral("MINTA"));
        EXPECT_EQ(Td().CurrentUserKod, QStringLiteral("DEMO"));
        // The users read are the first company's again.
        EXPECT_TRUE(CheckLogin(QStringLiteral("DEMO"), QStringLiteral("demo"), true).ok());
    }

    // Its own user gets in.
    user.messages.clear();
    choosesCompany(QStringLiteral("MASIK"));
    logsIn(QStringLiteral("MASIK"), QStringLiteral("masik"));
    change->trigger();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(window.l_kiaz->text(), QStringLiteral("Másik Zrt. * 2025"));
    EXPECT_EQ(Td().DbServer, other);
    EXPECT_EQ(Td().CurrentUserKod, QStringLiteral("MK"));
    EXPECT_FALSE(CheckLogin(QStringLiteral("DEMO"), QStringLiteral("demo"), true).ok());
    EXPECT_FALSE(window.torzsek->actions().isEmpty());
}
