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

// The same on a given connection and year, marking the row with `user`.
QString AllocateSequenceNumber(const QString& connection, const QString& kind, const QString& year,
                               const QString& user);
