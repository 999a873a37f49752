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

}  // namespace

QStringList TmpTablesList() {
    reconnectCompany();
    return listTmpTables();
}

QList<TmpDropResult> TmpTablesDrop(const QStringList& tables, const QObject* sender) {
    QList<TmpDropResult> results;
    if (!IsConnected(d_tarvedo)) return results;
    for (const QString& table : tables) {
        if (table.compare(KeptTmpTable, Qt::CaseInsensitive) == 0) continue;
        TmpDropResult result{table, false, {}};
        try {
            // The name comes from the catalogue; quoted, it cannot be taken for anything else.
            QString quoted = table;
            quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
            // Without waiting: a table another workstation uses stays, and the
            // clean-up goes on with the next one.
            const QString drop = (isView(table) ? QStringLiteral("Drop View \"") : QStringLiteral("Drop Table \"")) + quoted +
                                 QLatin1Char('"');
            if (!ExecSnapshotNoWait(d_tarvedo, {drop}))
                throw DbError(QStringLiteral("A(z) %1 tábla használatban van, nem törölhető.").arg(table));
            result.dropped = true;
        } catch (const DbError& error) {
            result.error = error.message();
            Hiba_Kezelo(sender, {QStringLiteral("DbError"), error.message()});
        }
        results << result;
    }
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
