#include "fb_snapshot.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_status.h"

namespace {

bool heldByAnother(const ISC_STATUS* status) {
    return FbStatusHas(status, isc_lock_conflict) || FbStatusHas(status, isc_update_conflict) ||
           FbStatusHas(status, isc_deadlock);
}

}  // namespace

bool ExecSnapshotNoWait(const QString& connection, const QStringList& statements) {
    const QVariant handle = Connection(connection).driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        throw DbError(QStringLiteral("Nem Firebird kapcsolat: ") + connection);
    isc_db_handle database = *static_cast<const isc_db_handle*>(handle.constData());

    static const char kTpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_concurrency, isc_tpb_nowait};
    ISC_STATUS_ARRAY status;
    isc_tr_handle transaction = 0;
    if (isc_start_transaction(status, &transaction, 1, &database, short(sizeof kTpb), kTpb))
        throw DbError(FbStatusText(status));
    const auto giveUp = [&]() {
        const bool held = heldByAnother(status);
        const QString message = FbStatusText(status);
        ISC_STATUS_ARRAY ignored;
        isc_rollback_transaction(ignored, &transaction);
        if (!held) throw DbError(message);
        return false;
    };
    for (const QString& statement : statements) {
        const QByteArray text = statement.toUtf8();
        if (isc_dsql_execute_immediate(status, &database, &transaction, 0, text.constData(), SQL_DIALECT_V6, nullptr))
            return giveUp();
    }
    if (isc_commit_transaction(status, &transaction)) return giveUp();
    return true;
}
