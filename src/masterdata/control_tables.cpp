#include "control_tables.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "db/catalog.h"
#include "db/dat.h"

namespace {

QString text(const QSqlQuery& q, const QSqlRecord& r, const char* column) {
    const int i = r.indexOf(QLatin1String(column));
    return i < 0 ? QString() : q.value(i).toString();
}

int number(const QSqlQuery& q, const QSqlRecord& r, const char* column) {
    const int i = r.indexOf(QLatin1String(column));
    return i < 0 ? 0 : q.value(i).toInt();
}

}  // namespace

bool HasColumn(const QString& table, const QString& column) {
    int length = 0;
    bool notNull = false;
    QString type;
    return IbFieldInfo(table.trimmed().toUpper(), column.trimmed().toUpper(), length, notNull, type);
}

ControlSet LoadControlSet(const QString& modul) {
    ControlSet set;
    QSqlQuery q = ExecSql(ServicesConnection(),
                          QStringLiteral("SELECT *\n  FROM VEZERLO\n WHERE (modul = :modul)\n\n"
                                         "   AND (NEZHETI_JOG is null or Upper(NEZHETI_JOG)<>'X')\n ORDER BY SORREND"),
                          {{QStringLiteral("MODUL"), modul}});
    const QSqlRecord r = q.record();
    const auto has = [&r](const char* column) { return r.indexOf(QLatin1String(column)) >= 0; };
    set.hasIrhatjaJog = has("IRHATJA_JOG");
    set.hasCharcase = has("CHARCASE");
    set.hasPwdchar = has("PWDCHAR");
    set.hasPvezerlo = has("PVEZERLO");
    set.hasEditmask = has("EDITMASK");
    set.hasNotnull = has("NOTNULL");
    set.hasEcolor = has("ECOLOR");
    while (NextRow(q)) {
        VezerloRow row;
        row.modul = text(q, r, "MODUL");
        row.sorrend = number(q, r, "SORREND");
        row.mezo = text(q, r, "MEZO").trimmed().toUpper();
        row.megnevezes = text(q, r, "MEGNEVEZES");
        row.oszlopnev = text(q, r, "OSZLOPNEV");
        row.nezhetiJog = text(q, r, "NEZHETI_JOG");
        row.irhatjaJog = text(q, r, "IRHATJA_JOG");
        row.charcase = text(q, r, "CHARCASE");
        row.pwdchar = text(q, r, "PWDCHAR");
        row.pvezerlo = text(q, r, "PVEZERLO");
        row.editmask = text(q, r, "EDITMASK");
        row.notnull = text(q, r, "NOTNULL");
        row.ecolor = text(q, r, "ECOLOR");
        row.valid = number(q, r, "VALID");
        row.valtMezo = text(q, r, "VALT_MEZO");
        row.button = text(q, r, "BUTTON");
        row.funkcio = number(q, r, "FUNKCIO");
        row.szot = text(q, r, "SZOT_");
        row.valt = text(q, r, "VALT_");
        row.keynum = number(q, r, "KEYNUM");
        row.szotmezo = text(q, r, "SZOTMEZO");
        row.szotwhere = text(q, r, "SZOTWHERE");
        row.plusfield[0] = text(q, r, "PLUSFIELD1");
        row.plusfield[1] = text(q, r, "PLUSFIELD2");
        row.plusfield[2] = text(q, r, "PLUSFIELD3");
        row.plusfield1h = number(q, r, "PLUSFIELD1H");
        row.plusfield2h = number(q, r, "PLUSFIELD2H");
        set.rows << row;
    }
    int length = 0;
    bool notNull = false;
    QString type;
    IbFieldInfo(QStringLiteral("VEZERLO"), QStringLiteral("MEGNEVEZES"), length, notNull, type);
    set.megnevezesLength = length;
    return set;
}

QList<PvezerloRow> LoadPvezerlo(const QString& panel) {
    QList<PvezerloRow> rows;
    QSqlQuery q = ExecSql(ServicesConnection(), QStringLiteral("SELECT * FROM\nPVEZERLO\nWHERE PANEL = :panel"),
                          {{QStringLiteral("PANEL"), panel}});
    const QSqlRecord r = q.record();
    while (NextRow(q)) {
        PvezerloRow row;
        row.panel = text(q, r, "PANEL");
        row.szotmezo = text(q, r, "SZOTMEZO");
        row.qmezo = text(q, r, "QMEZO");
        row.szotmezo2 = text(q, r, "SZOTMEZO2");
        row.muvelet = text(q, r, "MUVELET");
        rows << row;
    }
    return rows;
}
