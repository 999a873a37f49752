#pragma once
// The posting journal ("Könyvelési napló"): the items of one journal type,
// voucher by voucher, optionally only those touching an account (or the
// accounts beginning with given digits) and within posting- and
// fulfilment-date ranges. No result table: one query over TETEL. Each line
// tells whether the account stands on the debit ("T") or the credit ("K")
// side of the item.
#include <QString>

#include "reports/report_pattern.h"

inline const QString KnaploNoJournalType = QStringLiteral("Adjon meg valamilyen naplótípust!");

struct KnaploCriteria {
    QString ntipus{};                     // journal type, required
    QString szla{};                       // account (prefix)
    QString konyvelveTol{}, konyvelveIg{};  // posting date from / to
    QString teljkeltTol{}, teljkeltIg{};    // fulfilment date from / to
};

// The journal query and its parameters, and the parameter line. Throws
// std::invalid_argument with the message above when no journal type is
// given. `rows` is counted.
ReportRun RunKnaplo(const KnaploCriteria& criteria);
