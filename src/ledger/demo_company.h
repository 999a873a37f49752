#pragma once
// The demo company "Minta Kft.": a year of books shaped as a real small
// company's year looks, generated deterministically from a seed. Used by
// `tarvedo-cli init-demo` and by the benchmarks, which make ledgers of a
// million items with it.
#include <QString>
#include <functional>

struct DemoOptions {
    qlonglong items = 3000;  // ledger items (an item is a main row and an optional VAT row)
    int year = 2025;
    quint64 seed = 1;
};

struct DemoStats {
    qlonglong items = 0;
    qlonglong rows = 0;
    qlonglong vouchers = 0;
};

using DemoProgress = std::function<void(qlonglong itemsDone, qlonglong itemsTotal)>;

// Fills the company database open on `connection` (a copy of the template):
// the company record, partners, cost centres and the ledger items, every
// row written as the voucher window writes it and every number taken from
// the sequence counters. Throws DbError or std::runtime_error.
DemoStats GenerateDemoCompany(const QString& connection, const DemoOptions& options, const DemoProgress& progress = {});

// A customer invoice's number, "VSZ-2025-000123"; it fits the 15 characters
// of the document number column however many invoices a year has.
QString CustomerInvoiceNumber(int year, qint64 serial);
