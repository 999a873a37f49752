#pragma once
// The control tables as the engine reads them: the VEZERLO rows of a control
// set (one per field of a generated panel) and the PVEZERLO rows that spread
// a chosen record over several fields. They are read on the connection the
// database services follow.
#include <QList>
#include <QString>

struct VezerloRow {
    QString modul;
    int sorrend = 0;
    QString mezo;  // trimmed, upper case
    QString megnevezes;
    QString oszlopnev;
    QString nezhetiJog;
    QString irhatjaJog;
    QString charcase;
    QString pwdchar;
    QString pvezerlo;
    QString editmask;
    QString notnull;
    QString ecolor;
    int valid = 0;  // null reads as 0: no validation
    QString valtMezo;
    QString button;
    int funkcio = 0;
    QString szot;  // SZOT_
    QString valt;  // VALT_
    int keynum = 0;
    QString szotmezo;
    QString szotwhere;
    QString plusfield[3];
    int plusfield1h = 0;
    int plusfield2h = 0;
};

// The rows of a control set, with the optional columns the database has
// (a missing one reads as empty in every row).
struct ControlSet {
    QList<VezerloRow> rows;
    bool hasIrhatjaJog = false;
    bool hasCharcase = false;
    bool hasPwdchar = false;
    bool hasPvezerlo = false;
    bool hasEditmask = false;
    bool hasNotnull = false;
    bool hasEcolor = false;
    int megnevezesLength = 0;  // declared length of VEZERLO.MEGNEVEZES
};

// The rows of the modul that somebody may see, in SORREND order.
ControlSet LoadControlSet(const QString& modul);

struct PvezerloRow {
    QString panel;
    QString szotmezo;
    QString qmezo;
    QString szotmezo2;
    QString muvelet;
};
QList<PvezerloRow> LoadPvezerlo(const QString& panel);

// True when the table has the column (catalogue of the services' connection).
bool HasColumn(const QString& table, const QString& column);
