#pragma once
// The registry of company-year databases (CEGEK in the system database):
// browsing it, storing entries, and creating a new company-year database by
// copying the empty template that lies beside the current database.
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "masterdata/panel_values.h"
#include "masterdata/sql_statement.h"
#include "shell/startup.h"

inline const QString TemplateDbName = QStringLiteral("TARVEDO_URES.GDB");

// The folder of a database address: its text up to and including the last
// "\" (or "/"), empty when it has none.
QString DbFolder(const QString& address);
// Folder of `dbServer` + "TARVEDO_" + code + "_" + year + ".GDB".
QString SuggestedDbAddress(const QString& dbServer, const QString& kod, const QString& ev);
// A network share ("\\...") and an address with a server part are not
// checked as files; any other address is a file of this machine.
bool IsLocalDbAddress(const QString& address);
bool DbFileExists(const QString& address);

// The first user of a new company: the user who creates it, with the
// password hash it logs in with.
struct NewCompanyUser {
    QString kod, nev, teljesnev, passwordHash, jogok;
};

// What a new company-year database gets of its own instead of the template's
// company record, and who may log into it.
struct NewCompany {
    QString kod, nev, ev;
    std::optional<NewCompanyUser> creator;
};

// The row of the user logged in now (in the company connected now), to be
// copied into a new company; none when nobody has logged in (the choice
// before the first login, or the built-in user).
std::optional<NewCompanyUser> LoggedInUserRow();

// Gives the copy of the template its own company record (code, name, year,
// open) and its first user, in one transaction. False with a message on failure.
bool SetUpNewCompany(const QString& address, const NewCompany& company);

// Copies the template (folder of `dbServer` + TARVEDO_URES.GDB) to `target`,
// creating its folder, sets it up for `company`, and tells the user how it
// went. True when the new database is there and set up.
bool CreateCompanyDatabase(const QString& dbServer, const QString& target, const NewCompany& company);

class CompanyRegistry {
public:
    CompanyRegistry();

    QString wstate = QStringLiteral("created");
    bool walasztott = false;
    bool onlyOpen = false;  // "Csak a nyitottak"

    SqlStatement q_sz_cegek, qi_sz_cegek, qu_sz_cegek, qd_sz_cegek;
    QSqlRecord columns;      // the columns of CEGEK, learnt at the first show
    QList<QSqlRecord> rows;  // the list as last read
    int current = -1;
    bool isOpen = false;

    // At every show: nothing chosen yet; the statements are made at the first.
    void show();
    // Re-reads the list (with or without the open-only condition) and moves
    // to the first row of code `kod`, or to the first row.
    void reopen(const QString& kod = {});
    void setOnlyOpen(bool only);

    bool hasRow() const { return current >= 0 && current < rows.size(); }
    QSqlRecord row() const { return hasRow() ? rows[current] : columns; }
    QString rowText(const QString& column) const { return hasRow() ? rows[current].value(column).toString() : QString(); }
    CompanyChoice choice() const;

    // "&OK, tárol" with the fields of the panel (controls e_kod, e_nev,
    // e_aktualisev, e_dbserver, e_nyitva). False when the entry was not
    // stored; `focus` then names the field in error (may be empty).
    bool store(const PanelValues& fields, QString& focus);
    // "&Kiválaszt": true when the window may close with a choice.
    bool choose(const QString& dbserverField);

    // Asks who the first user of a new company is when nobody has logged in
    // yet; none when the user gives up. Without it the creation stops.
    std::function<std::optional<NewCompanyUser>()> askFirstUser;

private:
    bool createDatabase(const QString& target, const QString& kod, const QString& nev, const QString& ev);
};
