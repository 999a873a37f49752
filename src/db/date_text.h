#pragma once
// Dates as users and files write them, read one strict way wherever a date
// comes in (voucher files, imports): the result is always a real calendar
// date in the stored form "yyyy.mm.dd", never the text as typed.
#include <QString>

// "yyyy.mm.dd", "yyyy.mm.dd.", "yyyy-mm-dd", "yyyy/mm/dd" or "yyyymmdd"
// (blanks around it are ignored) to "yyyy.mm.dd". False when the text has
// any other form or names no real day ("2025.02.30", "202506", "2025x06x15").
bool ReadDateText(const QString& text, QString& date);

// Whether `text` is exactly a real date in the stored form "yyyy.mm.dd".
bool IsStoredDate(const QString& text);
