#pragma once
// The settlement proposal of a bank or cash item: leaving the invoice number
// of the voucher header looks the invoice up among the customer-invoice,
// supplier-invoice and opening items and fills the partner, the invoice's
// dates, the partner account, the narrative and the amount still unpaid.
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <functional>
#include <optional>

#include "posting/konyvel.h"

// Several invoice rows carry the number: the user picks one. Receives the
// invoice number and its rows; returns the chosen row's voucher number, or
// nothing when the choice was closed.
using InvoiceChooser = std::function<std::optional<QString>(const QString& szamlaszam, const QList<QSqlRecord>& rows)>;

// The rows of q_szamla: the invoice's rows that are not VAT rows.
QList<QSqlRecord> InvoiceRows(const QString& szamlaszam);

// Leaving e_szamlaszam. Does nothing outside bank and cash vouchers or for
// an empty number; an unknown number is told with
// "<number>:  Nincs ilyen számlaszám !" and proposes empty values.
void SzamlaszamExit(KonyvelForm& form, const InvoiceChooser& choose);
