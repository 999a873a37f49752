#include "sequence.h"

#include <QDate>
#include <QThread>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"

namespace {

const QString kSelect = QStringLiteral("Select UTOLSO, FOGLALT\nFrom SORSZAM\nWhere FAJTA = :qpfajta\nand EV = :qpev\nWITH LOCK");
const QString kInsert = QStringLiteral("Insert Into SORSZAM\n       (FAJTA, EV, ELSO, UTOLSO)\nValues (:qpfajta, :qpev, 1, 1)");
const QString kUpdate = QStringLiteral("Update SORSZAM Set FOGLALT= :qpfoglalt, UTOLSO = :qputolso\nWhere FAJTA = :qpfajta\n And EV = :qpev");

constexpr int kMaxAttempts = 200;

bool isDuplicateKey(const DbError& error) {
    return error.nativeCode() == QLatin1String("-803") || error.message().contains(QLatin1String("PRIMARY or UNIQUE"));
}

// One attempt inside the current transaction. Empty result: the counter is
// marked taken by `takenBy`.
QString allocateOnce(const QString& connection, const QString& kind, const QString& year, const QString& user,
                     QString& takenBy) {
    const QVariantMap key{{QStringLiteral("qpfajta"), kind}, {QStringLiteral("qpev"), year}};
    qlonglong last = 0;
    {
        QSqlQuery row = ExecSql(connection, kSelect, key);
        if (NextRow(row)) {
            takenBy = row.value(1).toString();
            if (!takenBy.isEmpty()) return {};
            last = row.value(0).toLongLong();
        } else {
            ExecSql(connection, kInsert, key);
        }
    }
    QVariantMap mark = key;
    mark[QStringLiteral("qpfoglalt")] = user;
    mark[QStringLiteral("qputolso")] = last;
    ExecSql(connection, kUpdate, mark);
    const QString number = SequenceNumberText(year, last + 1);
    mark[QStringLiteral("qpfoglalt")] = QString();
    mark[QStringLiteral("qputolso")] = last + 1;
    ExecSql(connection, kUpdate, mark);
    return number;
}

// The wait question; true means read the counter again.
bool askToWait(const QString& kind, const QString& takenBy) {
    return AskRetry(QString::number(QDate::currentDate().year()) + QLatin1Char(' ') + kind
                    + QStringLiteral(" kulcsú tétel foglalt") + QStringLiteral("\r\n") + QStringLiteral("Foglalja: ")
                    + takenBy);
}

}  // namespace

QString AllocateSequenceNumber(const QString& connection, const QString& kind, const QString& year,
                               const QString& user) {
    if (InTransaction(connection)) {
        // The caller's transaction decides; a conflict goes back to the caller.
        for (;;) {
            QString takenBy;
            const QString number = allocateOnce(connection, kind, year, user, takenBy);
            if (!number.isEmpty()) return number;
            if (!askToWait(kind, takenBy)) return QStringLiteral("-1");
        }
    }
    for (int attempt = 0;; ++attempt) {
        QString takenBy;
        try {
            DbTransaction transaction(connection);
            const QString number = allocateOnce(connection, kind, year, user, takenBy);
            if (!number.isEmpty()) {
                transaction.commit();
                return number;
            }
        } catch (const DbError& error) {
            // Another workstation took the counter first: read it again.
            if (attempt >= kMaxAttempts || !(error.isLockConflict() || isDuplicateKey(error))) throw;
            QThread::msleep(1 + attempt % 7);
            continue;
        }
        // Marked taken: ask with no lock held, so the other workstation can finish.
        if (!askToWait(kind, takenBy)) return QStringLiteral("-1");
    }
}

QString SequenceNumberText(const QString& year, qlonglong counter) {
    return year.mid(2, 2) + ZeroPad(QString::number(counter), 5);
}

qlonglong ReserveSequenceBlock(const QString& connection, const QString& kind, const QString& year, qlonglong count) {
    const QVariantMap key{{QStringLiteral("qpfajta"), kind}, {QStringLiteral("qpev"), year}};
    for (int attempt = 0;; ++attempt) {
        try {
            DbTransaction transaction(connection);
            qlonglong last = 0;
            {
                QSqlQuery row = ExecSql(connection, kSelect, key);
                if (NextRow(row))
                    last = row.value(0).toLongLong();
                else
                    ExecSql(connection, kInsert, key);
            }
            QVariantMap block = key;
            block[QStringLiteral("qpfoglalt")] = QString();
            block[QStringLiteral("qputolso")] = last + count;
            ExecSql(connection, kUpdate, block);
            transaction.commit();
            return last + 1;
        } catch (const DbError& error) {
            if (attempt >= kMaxAttempts || !(error.isLockConflict() || isDuplicateKey(error))) throw;
            QThread::msleep(1 + attempt % 7);
        }
    }
}

QString NextSequenceNumber(const QString& kind) {
    return AllocateSequenceNumber(d_tarvedo, kind, Td().ceg.text(QStringLiteral("AKTUALISEV")), Td().CurrentUser);
}
