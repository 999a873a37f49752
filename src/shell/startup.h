#pragma once
// The start-up of the desktop program, the company change and the end of the
// run, as steps the main window calls: settings, connections, installation
// record, company row, login, exchange-rate mark, pending update script.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

inline const QString SettingsFileName = QStringLiteral("TARVEDO.INI");
inline const QString UpdateScriptName = QStringLiteral("UPDATES.SQL");
inline const QString BuiltInUser = QStringLiteral("KARDO");
inline const QString NoOpenCompany = QStringLiteral("Nincs nyitott cég!");

// What the main window works with, and the settings as they were read at
// start, compared at the end of the run.
struct ShellState {
    QString wdefaultceg, wdefaultev;
    QString wdefaultceg0, wdefaultev0, wdbserver0;
    QString kiaz;            // the text of l_kiaz: company name and year
    bool startupDone = false;  // the login and the rest of the start-up have run
};

// A chosen row of the company registry (CEGEK).
struct CompanyChoice {
    QString kod, nev, aktualisev, dbserver;
};

// What the start-up asks of the windows.
struct StartupWindows {
    // The company change: shows the company selection and applies a choice;
    // false when nothing was chosen.
    std::function<bool()> changeCompany;
    // The login window; true when the user logged in.
    std::function<bool()> login;
};

enum class StartupEnd {
    Completed,               // go on with the "Törzsek" menu
    SystemDbUnreachable,     // the window stays open with its menu
    CompanyDbUnreachable,    // no company chosen instead: the window stays open
    Close,                   // the user does not want to go on: close the main window
    LoginRefused,            // "Belépés megtagadva!" was shown: close the main window
};

QString VersionText();
QString MainCaption();  // "Főkönyvi könyvelés * " + version

// Sets WorkDir, loads TARVEDO.INI and reads its start-up keys.
void ReadStartupSettings(ShellState& state);

// The connections and what follows them, up to the pending update script.
// A company chosen after the company database could not be reached goes on
// with the rest of the start-up, so the login is never skipped.
StartupEnd RunStartup(ShellState& state, const QStringList& arguments, const StartupWindows& windows);
// The start-up from the second company connection on, once the company
// database is connected.
StartupEnd ContinueStartup(ShellState& state, const QStringList& arguments, const StartupWindows& windows);

bool LoginNeeded(const QString& pwdSetting, const QStringList& arguments);
QString CompanyCaption();  // NEV * AKTUALISEV of the open company row, or NoOpenCompany

// Runs UPDATES.SQL of the working directory and moves it aside under
// "UPDATES_" + yyyymmddhhnn + ".SQL" (with seconds or a number added when
// that name is taken), so it never runs twice. Returns the new name, empty
// when there was no script.
QString RunPendingUpdateScript();

// The rows of TABLAK in the order the database gives them: table name and
// the caption of its "Törzsek" item.
struct MasterTableItem {
    QString tablanev, megnevezes;
};
QList<MasterTableItem> ReadMasterTables();

// Switches the program to the chosen database: l_kiaz, DbServer (also in
// the settings store), company code and year, the income result, and the
// company connection. False, with the start-up's message, when the chosen
// database cannot be reached.
bool ApplyCompanyChoice(ShellState& state, const CompanyChoice& choice);

// The company change once the program is running. Users live in each
// company's database, so the chosen one is entered only by a user of its
// own: its login runs against the chosen database (the second company
// connection opens it first) before the program switches to it. A refused
// or cancelled login, or a database that cannot be reached, leaves the
// program on the company it was on.
enum class CompanySwitch { Switched, LoginRefused, Unreachable };
CompanySwitch SwitchCompany(ShellState& state, const CompanyChoice& choice, const QStringList& arguments,
                            const std::function<bool()>& login);

// End of the run: DBSERVER, DEFAULTCEG and DEFAULTEV go back into
// TARVEDO.INI when they changed (or the file is written when it is missing).
bool WriteBackSettings(const ShellState& state);
