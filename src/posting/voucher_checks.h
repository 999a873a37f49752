#pragma once
// The checks before an item is stored: the header check and, when the header
// passed, the item check. Each collects every fault it finds; the caller
// shows them in one message and puts the focus on the first faulty field.
#include <QString>
#include <QStringList>

#include "posting/konyvel.h"

struct CheckResult {
    QStringList lines;  // one per failed rule, in the order of the rules
    QString focus;      // objectName of the first faulty field
    bool ok() const { return lines.isEmpty(); }
    // "Az adatokban az alábbi hibák vannak:" and the lines, as shown.
    QString message() const;
};

// Journal type, voucher number (when typed by hand), posting date, invoice
// date, fulfilment date and due date.
CheckResult FejEllenoriz(const KonyvelFields& f, const KonyvelControls& c, PostingLookups& lookups);
// Debit and credit account, amount, and with VAT the VAT account, VAT and net amount.
CheckResult TetelEllenoriz(const KonyvelFields& f, const KonyvelControls& c, PostingLookups& lookups);
