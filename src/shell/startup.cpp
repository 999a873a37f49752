#include "startup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/session.h"
#include "db/db_error.h"
#include "db/ini.h"
#include "db/ini_writeback.h"
#include "db/script_runner.h"
#include "db/ui_hooks.h"

namespace {

QString setting(const QString& key) {
    QString value;
    IniGet(key, value);
    return value;
}

QString connectError(const QString& address) {
    return QStringLiteral("Hiba történt a ") + address + QStringLiteral(" adatbázisra csatlakozás közben.");
}

QString workFile(const QString& name) { return Td().WorkDir + name; }

void readInstallationRecord() {
    try {
        QSqlQuery q_szisztem = ExecSql(d_tarvedosys, QStringLiteral("Select * from SZISZTEM"));
        if (NextRow(q_szisztem)) {
            Td().SystemKod = q_szisztem.value(QStringLiteral("KOD")).toString();
            Td().SystemNev = q_szisztem.value(QStringLiteral("NEV")).toString();
        }
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

// The company row to work with; several rows without the default company
// ask the user to choose.
void chooseCompanyRow(ShellState& state, const StartupWindows& windows) {
    CompanyRecord& ceg = Td().ceg;
    if (ceg.rows.size() <= 1) {
        state.kiaz = CompanyCaption();
        return;
    }
    if (!state.wdefaultceg.isEmpty() && ceg.moveTo(state.wdefaultceg, state.wdefaultev)) {
        state.kiaz = CompanyCaption();
        return;
    }
    windows.changeCompany();
}

}  // namespace

QString VersionText() { return FileVersionText(QCoreApplication::applicationFilePath()); }

QString MainCaption() { return QStringLiteral("Főkönyvi könyvelés * ") + VersionText(); }

void ReadStartupSettings(ShellState& state) {
    AppValues& app = Td();
    app.WorkDir = QDir::currentPath() + QLatin1Char('/');
    IniLoad(SettingsFileName, false);
    app.DbServer = setting(QStringLiteral("DBSERVER"));
    app.DbSystem = setting(QStringLiteral("DBSYSTEM"));
    state.wdefaultceg = setting(QStringLiteral("DEFAULTCEG"));
    state.wdefaultev = setting(QStringLiteral("DEFAULTEV"));
    app.PwdSetting = setting(QStringLiteral("PWD"));
    state.wdefaultceg0 = state.wdefaultceg;
    state.wdefaultev0 = state.wdefaultev;
    state.wdbserver0 = app.DbServer;
}

StartupEnd RunStartup(ShellState& state, const QStringList& arguments, const StartupWindows& windows) {
    AppValues& app = Td();
    if (!DbConnect(d_tarvedosys, app.DbSystem)) {
        AskDialog(QStringLiteral("Hiba történt a ") + app.DbSystem
                      + QStringLiteral(" rendszer adatbázisra csatlakozás közben."),
                  1);
        return StartupEnd::SystemDbUnreachable;
    }
    if (!DbConnect(d_tarvedo, app.DbServer)) {
        const int answer = AskDialog(connectError(app.DbServer) + QLatin1Char('\r')
                                         + QStringLiteral("Akar választani a regisztrált adatbázisokból"),
                                     0);
        if (answer != 0) return StartupEnd::Close;
        if (!windows.changeCompany() || !IsConnected(d_tarvedo)) return StartupEnd::CompanyDbUnreachable;
    }
    return ContinueStartup(state, arguments, windows);
}

StartupEnd ContinueStartup(ShellState& state, const QStringList& arguments, const StartupWindows& windows) {
    AppValues& app = Td();
    if (!DbConnect(d_tarvedo2, app.DbServer)) ShowMessage(connectError(app.DbServer));
    readInstallationRecord();
    chooseCompanyRow(state, windows);

    if (!LoginNeeded(app.PwdSetting, arguments)) {
        app.CurrentUser = BuiltInUser;
    } else if (!windows.login()) {
        ShowMessage(QStringLiteral("Belépés megtagadva!"));
        return StartupEnd::LoginRefused;
    }

    state.wdefaultceg = app.ceg.text(QStringLiteral("KOD"));
    state.wdefaultev = app.ceg.text(QStringLiteral("AKTUALISEV"));

    RecordRateColumn();

    RunPendingUpdateScript();
    state.startupDone = true;
    return StartupEnd::Completed;
}

bool LoginNeeded(const QString& pwdSetting, const QStringList& arguments) {
    return pwdSetting.trimmed().toUpper() != QLatin1String("NONE") && arguments.isEmpty();
}

QString CompanyCaption() {
    const CompanyRecord& ceg = Td().ceg;
    if (ceg.isEmpty()) return NoOpenCompany;
    return ceg.text(QStringLiteral("NEV")) + QStringLiteral(" * ") + ceg.text(QStringLiteral("AKTUALISEV"));
}

QString RunPendingUpdateScript() {
    const QString script = workFile(UpdateScriptName);
    if (!QFile::exists(script)) return {};
    RunScriptFile(script);

    const QDateTime now = QDateTime::currentDateTime();
    QStringList candidates{QStringLiteral("UPDATES_") + now.toString(QStringLiteral("yyyyMMddhhmm")) + QStringLiteral(".SQL"),
                           QStringLiteral("UPDATES_") + now.toString(QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".SQL")};
    for (int n = 2; n < 100; ++n)
        candidates << QStringLiteral("UPDATES_%1_%2.SQL").arg(now.toString(QStringLiteral("yyyyMMddhhmmss"))).arg(n);
    for (const QString& name : candidates) {
        if (QFile::exists(workFile(name))) continue;
        return QFile::rename(script, workFile(name)) ? name : QString();
    }
    return {};
}

QList<MasterTableItem> ReadMasterTables() {
    QList<MasterTableItem> items;
    QSqlQuery q_tablak = ExecSql(d_tarvedo, QStringLiteral("Select * \nFrom Tablak"));
    while (NextRow(q_tablak))
        items.append({q_tablak.value(QStringLiteral("TABLANEV")).toString().trimmed(),
                      q_tablak.value(QStringLiteral("MEGNEVEZES")).toString()});
    return items;
}

bool ApplyCompanyChoice(ShellState& state, const CompanyChoice& choice) {
    AppValues& app = Td();
    state.kiaz = choice.nev + QStringLiteral(" * ") + choice.aktualisev;
    app.DbServer = choice.dbserver;
    IniSet(QStringLiteral("DBSERVER"), app.DbServer, QString());
    state.wdefaultceg = choice.kod;
    state.wdefaultev = choice.aktualisev;
    app.IncomeResult = 0;
    if (DbConnect(d_tarvedo, app.DbServer)) {
        app.ceg.moveTo(choice.kod, choice.aktualisev);
        return true;
    }
    ShowMessage(connectError(app.DbServer));
    return false;
}

CompanySwitch SwitchCompany(ShellState& state, const CompanyChoice& choice, const QStringList& arguments,
                            const std::function<bool()>& login) {
    AppValues& app = Td();
    const QString previous = app.DbServer;
    const QString previousServices = ServicesConnection();
    // The user tables the login reads follow the connection opened last.
    const auto stayOnPrevious = [&] {
        if (!DbConnect(d_tarvedo2, previous)) ShowMessage(connectError(previous));
        AttachQueries(previousServices);
    };
    if (!DbConnect(d_tarvedo2, choice.dbserver)) {
        ShowMessage(connectError(choice.dbserver));
        stayOnPrevious();
        return CompanySwitch::Unreachable;
    }
    if (LoginNeeded(app.PwdSetting, arguments) && !login()) {
        ShowMessage(QStringLiteral("Belépés megtagadva!"));
        stayOnPrevious();
        return CompanySwitch::LoginRefused;
    }
    if (!ApplyCompanyChoice(state, choice)) {
        // Logged in, but the company connection failed: the program stands on
        // no company rather than on the previous one with the new user; the
        // next choice runs the rest of the start-up, login first.
        state.startupDone = false;
        app.CurrentUser.clear();
        app.CurrentUserKod.clear();
        return CompanySwitch::Unreachable;
    }
    RecordRateColumn();
    return CompanySwitch::Switched;
}

bool WriteBackSettings(const ShellState& state) {
    const AppValues& app = Td();
    return WriteBackStartupSettings(workFile(SettingsFileName),
                                    {state.wdbserver0, state.wdefaultceg0, state.wdefaultev0},
                                    {app.DbServer, state.wdefaultceg, state.wdefaultev});
}
