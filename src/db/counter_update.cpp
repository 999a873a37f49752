#include "counter_update.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QThread>
#include <QVariant>

#include <cstring>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_status.h"

namespace {

// Read committed, waiting for a lock at most `lockSeconds`.
QByteArray transactionOptions(int lockSeconds) {
    const char tpb[] = {isc_tpb_version3, isc_tpb_write,        isc_tpb_read_committed, isc_tpb_rec_version,
                        isc_tpb_wait,     isc_tpb_lock_timeout, 1,                      char(qBound(1, lockSeconds, 127))};
    return QByteArray(tpb, sizeof tpb);
}

const char kUpdate[] =
    "update SORSZAM set UTOLSO = maxvalue(coalesce(UTOLSO, 0), cast(? as bigint)) + ?, FOGLALT = null where FAJTA = ? and EV = ? "
    "returning UTOLSO";
const char kInsert[] = "insert into SORSZAM (FAJTA, EV, ELSO, UTOLSO) values (?, ?, 1, ?)";

constexpr int kMaxAttempts = 200;

// Parameters as the statements take them: each value with its own buffer.
class Params {
public:
    explicit Params(int count) : m_bytes(qsizetype(XSQLDA_LENGTH(count)), '\0') {
        da()->version = SQLDA_VERSION1;
        da()->sqln = da()->sqld = short(count);
        m_values.reserve(count);
        m_null.resize(count);
    }
    XSQLDA* da() { return reinterpret_cast<XSQLDA*>(m_bytes.data()); }
    void setText(int i, const QString& text) {
        m_values.append(text.toUtf8());
        bind(i, SQL_TEXT + 1, m_values.last());
    }
    void setInt64(int i, qlonglong value) {
        m_values.append(QByteArray(reinterpret_cast<const char*>(&value), sizeof value));
        bind(i, SQL_INT64 + 1, m_values.last());
    }

private:
    void bind(int i, short type, QByteArray& value) {
        XSQLVAR& var = da()->sqlvar[i];
        var.sqltype = type;
        var.sqlscale = 0;
        var.sqllen = short(value.size());
        var.sqldata = value.data();
        var.sqlind = &m_null[i];
    }
    QByteArray m_bytes;
    QList<QByteArray> m_values;
    QList<short> m_null;
};

enum class Outcome { Done, Retry };

isc_db_handle attachmentOf(const QString& connection) {
    const QVariant handle = Connection(connection).driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        throw DbError(QStringLiteral("Nem Firebird kapcsolat: ") + connection);
    return *static_cast<const isc_db_handle*>(handle.constData());
}

QString counterName(const QString& kind, const QString& year) {
    return QStringLiteral("a(z) %1 sorszám (%2. év)").arg(kind, year);
}

QString lockTimeoutMessage(const QString& kind, const QString& year, int lockSeconds) {
    return QStringLiteral("A sorszámot nem lehetett kiadni: %1 zárolása %2 másodperc alatt sem oldódott fel, egy "
                          "másik munkaállomás tartja. Próbálja újra később.")
        .arg(counterName(kind, year))
        .arg(lockSeconds);
}

// One try in one transaction for every counter of `counts`: Retry on a
// conflict, after rolling back; a counter with no row gets one.
Outcome advanceOnce(isc_db_handle database, const QString& year, const QMap<QString, qlonglong>& counts,
                    const QMap<QString, qlonglong>& floors, int lockSeconds, QMap<QString, qlonglong>& last) {
    ISC_STATUS_ARRAY status;
    isc_tr_handle transaction = 0;
    const QByteArray tpb = transactionOptions(lockSeconds);
    if (isc_start_transaction(status, &transaction, 1, &database, short(tpb.size()), tpb.constData()))
        throw DbError(FbStatusText(status));
    QString kind;
    const auto fail = [&]() -> Outcome {
        const QString message = FbStatusText(status);
        // The engine reports a lock still held when the wait ends as an
        // update conflict; the caller tells the two apart by the time spent.
        const bool timeout = FbStatusHas(status, isc_lock_timeout);
        const bool conflict = FbStatusHas(status, isc_update_conflict) || FbStatusHas(status, isc_deadlock) ||
                              FbStatusHas(status, isc_lock_conflict) || FbStatusHas(status, isc_unique_key_violation) ||
                              FbStatusHas(status, isc_no_dup);
        ISC_STATUS_ARRAY ignored;
        isc_rollback_transaction(ignored, &transaction);
        if (timeout) throw DbError(lockTimeoutMessage(kind, year, lockSeconds));
        if (conflict) return Outcome::Retry;
        throw DbError(message);
    };

    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        kind = it.key();
        const qlonglong count = it.value();
        const qlonglong floor = floors.value(kind);
        Params in(4);
        in.setInt64(0, floor);
        in.setInt64(1, count);
        in.setText(2, kind);
        in.setText(3, year);
        QByteArray outBytes(qsizetype(XSQLDA_LENGTH(1)), '\0');
        auto* out = reinterpret_cast<XSQLDA*>(outBytes.data());
        out->version = SQLDA_VERSION1;
        out->sqln = out->sqld = 1;
        qlonglong value = 0;
        short isNull = -1;
        out->sqlvar[0].sqltype = SQL_INT64 + 1;
        out->sqlvar[0].sqllen = sizeof value;
        out->sqlvar[0].sqldata = reinterpret_cast<char*>(&value);
        out->sqlvar[0].sqlind = &isNull;
        if (isc_dsql_exec_immed2(status, &database, &transaction, 0, kUpdate, SQL_DIALECT_V6, in.da(), out)) return fail();
        if (isNull) {
            // No row yet: made here; another workstation making it at the same moment is a conflict.
            Params row(3);
            row.setText(0, kind);
            row.setText(1, year);
            row.setInt64(2, floor + count);
            if (isc_dsql_execute_immediate(status, &database, &transaction, 0, kInsert, SQL_DIALECT_V6, row.da()))
                return fail();
            value = floor + count;
        }
        last[kind] = value;
    }
    if (isc_commit_transaction(status, &transaction)) return fail();
    return Outcome::Done;
}

}  // namespace

QMap<QString, qlonglong> AdvanceCountersPast(const QString& connection, const QString& year,
                                             const QMap<QString, qlonglong>& counts, const QMap<QString, qlonglong>& floors,
                                             int lockSeconds) {
    QMap<QString, qlonglong> all = counts;  // every counter to touch
    for (auto it = floors.cbegin(); it != floors.cend(); ++it)
        if (it.value() > 0 && !all.contains(it.key())) all.insert(it.key(), 0);
    QMap<QString, qlonglong> last;
    if (all.isEmpty()) return last;
    const isc_db_handle database = attachmentOf(connection);
    QElapsedTimer waited;
    waited.start();
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        last.clear();
        if (advanceOnce(database, year, all, floors, lockSeconds, last) == Outcome::Done) return last;
        // Another workstation took a counter, or made its row, first; or
        // it still holds the row after the whole wait.
        if (waited.elapsed() >= qint64(lockSeconds) * 1000)
            throw DbError(lockTimeoutMessage(all.firstKey(), year, lockSeconds));
        QThread::msleep(1 + attempt % 7);
    }
    throw DbError(
        QStringLiteral("A sorszámot nem lehetett kiadni: %1 folyamatosan foglalt.").arg(counterName(all.firstKey(), year)));
}

QMap<QString, qlonglong> AdvanceCounters(const QString& connection, const QString& year, const QMap<QString, qlonglong>& counts,
                                         int lockSeconds) {
    return AdvanceCountersPast(connection, year, counts, {}, lockSeconds);
}

qlonglong AdvanceCounter(const QString& connection, const QString& kind, const QString& year, qlonglong count,
                         int lockSeconds) {
    return AdvanceCounters(connection, year, {{kind, count}}, lockSeconds).value(kind);
}
