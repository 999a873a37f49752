#include "sequence.h"

#include <QDate>
#include <QThread>

#include "db/altproc.h"
#include "db/counter_update.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"

QString AllocateSequenceNumber(const QString& connection, const QString& kind, const QString& year,
                               const QString& user) {
    Q_UNUSED(user);
    return SequenceNumberText(year, AdvanceCounter(connection, kind, year, 1));
}

QString SequenceNumberText(const QString& year, qlonglong counter) {
    return year.mid(2, 2) + ZeroPad(QString::number(counter), 5);
}

qlonglong CounterOfNumber(const QString& year, const QString& number) {
    if (number.size() < 7 || !number.startsWith(year.mid(2, 2))) return 0;
    bool ok = false;
    const qlonglong counter = number.mid(2).toLongLong(&ok);
    return ok && counter > 0 && SequenceNumberText(year, counter) == number ? counter : 0;
}

qlonglong ReserveSequenceBlock(const QString& connection, const QString& kind, const QString& year, qlonglong count) {
    return AdvanceCounter(connection, kind, year, count) - count + 1;
}

QString NextSequenceNumber(const QString& kind) {
    return AllocateSequenceNumber(d_tarvedo, kind, Td().ceg.text(QStringLiteral("AKTUALISEV")), Td().CurrentUser);
}
