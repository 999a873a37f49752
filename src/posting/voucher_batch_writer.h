#pragma once
// A batch of checked and numbered vouchers of a posted file, written in a
// transaction of its own straight through the client library on a thread
// of its own: the next vouchers are read and checked on the first core
// while the rows go in. Each voucher is stored whole with its record row,
// or not at all; the turnover table gets the batch's sums, one row per key.
#include <QList>
#include <QString>
#include <QStringList>
#include <future>

#include "ledger/ledger_item.h"

struct CheckedVoucher {
    QString key;       // VOUCHER of the file
    QString ntipus;
    QString konyvbiz;  // as typed; empty until numbered: the next number of the journal type
    int firstLine = 0;
    qsizetype faultsBefore = 0;     // where a fault of its own goes among the report's faults
    QList<QList<LedgerItem>> items;  // the rows of each item
};

struct RefusedVoucher {
    qsizetype index = 0;  // in the batch
    QString text;         // the fault, in the user's words
};

class VoucherBatchWriter {
public:
    // Starts the transaction on the company connection's attachment and
    // the writing. `columns`: the TETEL columns the voucher window's insert
    // writes; `digest`: the file's, for the record rows. Throws DbError
    // when the transaction cannot be started.
    VoucherBatchWriter(QList<CheckedVoucher> vouchers, const QStringList& columns, const QString& digest);
    ~VoucherBatchWriter();
    VoucherBatchWriter(const VoucherBatchWriter&) = delete;
    VoucherBatchWriter& operator=(const VoucherBatchWriter&) = delete;

    // Waits for the writing to end: the vouchers the database refused (all
    // of them when the batch could not be committed).
    QList<RefusedVoucher> wait();
    const QList<CheckedVoucher>& vouchers() const { return m_vouchers; }

private:
    struct Work;
    QList<CheckedVoucher> m_vouchers;
    std::unique_ptr<Work> m_work;
    std::future<QList<RefusedVoucher>> m_done;
};
