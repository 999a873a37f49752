#pragma once
// Advancing a sequence counter (table SORSZAM) in a short transaction of its
// own on the connection's attachment, whatever transaction the connection
// has open: the counter row is locked only for that moment, so workstations
// posting long files at once never hold each other's counters.
#include <QMap>
#include <QString>

// How long a counter waits for another workstation's lock before it gives up.
constexpr int kCounterLockSeconds = 30;

// Adds `count` to the counter of `kind` in `year` (creating it when it has
// none yet) and returns its new last value; the numbers last - count + 1 to
// last are the caller's. Waits for another workstation's lock at most
// kCounterLockSeconds and retries an update conflict; throws DbError with a
// Hungarian message naming the counter when the wait runs out.
qlonglong AdvanceCounter(const QString& connection, const QString& kind, const QString& year, qlonglong count,
                         int lockSeconds = kCounterLockSeconds);

// The same for several counters of `year` in one short transaction, taken
// in the order of their kinds: `counts` maps each kind to the numbers
// wanted; the result maps it to its new last value.
QMap<QString, qlonglong> AdvanceCounters(const QString& connection, const QString& year, const QMap<QString, qlonglong>& counts,
                                         int lockSeconds = kCounterLockSeconds);

// The same, with the counters first moved up to `floors` (kind -> a counter
// value already used, a voucher number typed ahead of its counter) where
// they are behind: the numbers handed out then come after it. A kind may
// have a floor and no count.
QMap<QString, qlonglong> AdvanceCountersPast(const QString& connection, const QString& year,
                                             const QMap<QString, qlonglong>& counts, const QMap<QString, qlonglong>& floors,
                                             int lockSeconds = kCounterLockSeconds);
