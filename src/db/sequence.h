#pragma once
// Voucher numbers, item serial numbers, asset numbers and opening-voucher
// numbers, one counter per kind and business year in the table SORSZAM.
#include <QString>

// The next number of `kind` in the business year of the open company record:
// the year's last two digits and the counter padded to five digits. "-1" when
// the counter is marked taken and the user gave up waiting.
//
// The allocation reads the counter with a row lock and writes it back in one
// transaction, so two workstations never receive the same number. Inside a
// transaction the caller opened, the number commits or rolls back with the
// caller's work.
QString NextSequenceNumber(const QString& kind);

// A number's text: the year's last two digits and the counter padded to five
// digits (more digits from 100000 on).
QString SequenceNumberText(const QString& year, qlonglong counter);

// Reserves `count` consecutive numbers of `kind` at once for a bulk writer
// (the demo ledger, an import) and returns the first counter; the counter
// row then holds the last one, as if they had been taken one by one.
qlonglong ReserveSequenceBlock(const QString& connection, const QString& kind, const QString& year, qlonglong count);

// The same on a given connection and year, marking the row with `user`.
QString AllocateSequenceNumber(const QString& connection, const QString& kind, const QString& year,
                               const QString& user);
