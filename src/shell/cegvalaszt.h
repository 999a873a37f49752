#pragma once
// The registry of company-year databases (CEGEK in the system database):
// browsing it, storing entries, and creating a new company-year database by
// copying the empty template that lies beside the current database.
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

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

// Copies the template (folder of `dbServer` + TARVEDO_URES.GDB) to `target`,
// creating its folder, and tells the user how it went. True when the new
// database file is there.
bool CreateCompanyDatabase(const QString& dbServer, const QString& target);

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
};
