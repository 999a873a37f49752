#include "yearend/takarit.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/error_log.h"
#include "db/fb_snapshot.h"

namespace {

// The company connection again, on the company row the program works with.
void reconnectCompany() {
    AppValues& app = Td();
    const QString kod = app.ceg.text(QStringLiteral("KOD"));
    const QString year = app.ceg.text(QStringLiteral("AKTUALISEV"));
    const QString services = ServicesConnection();
    DbDisconnect(d_tarvedo);
    if (!DbConnect(d_tarvedo, app.DbServer)) throw DbError(QStringLiteral("Hiba történt a ") + app.DbServer +
                                                           QStringLiteral(" adatbázisra csatlakozás közben."));
    if (!kod.isEmpty()) app.ceg.moveTo(kod, year);
    if (!services.isEmpty() && IsConnected(services)) AttachQueries(services);
}

bool isView(const QString& table) {
    return SelectValue(d_tarvedo,
                       QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = :NAME "
                                      "and RDB$VIEW_BLR is not null"),
                       {{QStringLiteral("NAME"), table}})
               .toInt() > 0;
}

QStringList listTmpTables() {
    QStringList tables;
    QSqlQuery rows = ExecSql(d_tarvedo, QStringLiteral("select trim(RDB$RELATION_NAME) from RDB$RELATIONS\n"
                                                       " where coalesce(RDB$SYSTEM_FLAG, 0) = 0\n"
                                                       "   and RDB$RELATION_NAME like 'TMP\\_%' escape '\\'\n"
                                                       " order by RDB$RELATION_NAME"));
    while (NextRow(rows)) {
        const QString name = rows.value(0).toString();
        if (name.compare(KeptTmpTable, Qt::CaseInsensitive) != 0) tables << name;
    }
    return tables;
}

// What stands on the table and keeps it: views, procedures, other tables'
// triggers (its own triggers go with it).
QStringList dependentsOf(const QString& table) {
    QStringList dependents;
    QSqlQuery rows = ExecSql(d_tarvedo, QStringLiteral(
        "select distinct trim(d.RDB$DEPENDENT_NAME), d.RDB$DEPENDENT_TYPE from RDB$DEPENDENCIES d\n"
        " where d.RDB$DEPENDED_ON_NAME = :NAME and d.RDB$DEPENDENT_NAME <> :NAME\n"
        "   and not exists (select 1 from RDB$TRIGGERS t where t.RDB$TRIGGER_NAME = d.RDB$DEPENDENT_NAME\n"
        "                                               and t.RDB$RELATION_NAME = :NAME)\n"
        " order by 1"), {{QStringLiteral("NAME"), table}});
    while (NextRow(rows)) {
        const int type = rows.value(1).toInt();
        const QString kind = type == 1 ? QStringLiteral("nézet")
                             : type == 2 ? QStringLiteral("trigger")
                             : type == 5 ? QStringLiteral("eljárás")
                                         : QStringLiteral("objektum");
        dependents << QStringLiteral("%1 (%2)").arg(rows.value(0).toString(), kind);
    }
    return dependents;
}

// Drops one temporary table or view; empty on success, otherwise why not.
QString dropTmpTable(const QString& table) {
    try {
        // The name comes from the catalogue; quoted, it cannot be taken for anything else.
        QString quoted = table;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        // Without waiting: a table another workstation uses stays, and the
        // clean-up goes on with the next one.
        const QString drop =
            (isView(table) ? QStringLiteral("Drop View \"") : QStringLiteral("Drop Table \"")) + quoted + QLatin1Char('"');
        if (ExecSnapshotNoWait(d_tarvedo, {drop})) return {};
        return QStringLiteral("A(z) %1 átmeneti tábla nem törölhető: egy másik munkahely használja.").arg(table);
    } catch (const DbError& error) {
        const QStringList dependents = dependentsOf(table);
        const QString reason = dependents.isEmpty()
                                   ? QStringLiteral("A(z) %1 átmeneti tábla nem törölhető.").arg(table)
                                   : QStringLiteral("A(z) %1 átmeneti tábla nem törölhető, mert ráépül: %2.")
                                         .arg(table, dependents.join(QLatin1String(", ")));
        return reason + QStringLiteral("\nA Firebird üzenete: ") + error.message().trimmed();
    }
}

}  // namespace

QStringList TmpTablesList() {
    reconnectCompany();
    return listTmpTables();
}

QList<TmpDropResult> TmpTablesDrop(const QStringList& tables, const QObject* sender) {
    QList<TmpDropResult> results;
    if (!IsConnected(d_tarvedo)) return results;
    for (const QString& table : tables)
        if (table.compare(KeptTmpTable, Qt::CaseInsensitive) != 0) results << TmpDropResult{table, false, {}};
    // A temporary view stands on a temporary table: whatever a round could not
    // drop is tried again while the round before dropped something.
    for (bool progress = true; progress;) {
        progress = false;
        for (TmpDropResult& result : results) {
            if (result.dropped) continue;
            result.error = dropTmpTable(result.table);
            result.dropped = result.error.isEmpty();
            progress = progress || result.dropped;
        }
    }
    for (const TmpDropResult& result : results)
        if (!result.dropped) Hiba_Kezelo(sender, {QStringLiteral("DbError"), result.error});
    reconnectCompany();
    return results;
}

void SilentTmpCleanup(const QObject* sender) {
    if (!IsConnected(d_tarvedo)) return;
    try {
        if (listTmpTables().isEmpty()) return;  // nothing to do: no reconnect either
        TmpTablesDrop(TmpTablesList(), sender);
    } catch (const DbError& error) {
        Hiba_Kezelo(sender, {QStringLiteral("DbError"), error.message()});
    }
}
