#pragma once
// Voucher numbers, item serial numbers, asset numbers and opening-voucher
// numbers, one counter per kind and business year in the table SORSZAM.
#include <QString>

// The next number of `kind` in the business year of the open company record:
// the year's last two digits and the counter padded to five digits.
//
// The counter is advanced in a short transaction of its own that waits for
// another workstation's lock a limited time and retries a conflict, even
// when the caller has a transaction open: two workstations never receive the
// same number, and a long run never holds a counter. A number taken for work
// that is then rolled back stays unused.
QString NextSequenceNumber(const QString& kind);

// A number's text: the year's last two digits and the counter padded to five
// digits (more digits from 100000 on).
QString SequenceNumberText(const QString& year, qlonglong counter);

// The counter value a number of `year` stands for ("2509999" in 2025:
// 9999), 0 for a text of any other form (a number typed by hand, "T-1").
qlonglong CounterOfNumber(const QString& year, const QString& number);

// Reserves `count` consecutive numbers of `kind` at once for a bulk writer
// (the demo ledger, an import) and returns the first counter; the counter
// row then holds the last one, as if they had been taken one by one.
qlonglong ReserveSequenceBlock(const QString& connection, const QString& kind, const QString& year, qlonglong count);

// The same on a given connection and year (`user` is kept for the callers).
QString AllocateSequenceNumber(const QString& connection, const QString& kind, const QString& year,
                               const QString& user);
