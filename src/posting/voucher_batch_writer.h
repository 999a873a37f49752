#pragma once
// A batch of checked vouchers of a posted file, written in a transaction of
// its own straight through the client library on a thread of its own. The
// batch's record rows are written first, before its numbers are taken: they
// claim its vouchers, so that a second workstation posting the same file
// stops before it takes a number. Each voucher is stored whole with its
// record row, or not at all; the turnover table gets the batch's sums, one
// row per key.
#include <QList>
#include <QString>
#include <QStringList>
#include <future>
#include <memory>
#include <stdexcept>

#include "ledger/ledger_item.h"

struct CheckedVoucher {
    QString key;       // VOUCHER of the file
    QString ntipus;
    QString konyvbiz;  // as typed; empty until numbered: the next number of the journal type
    int firstLine = 0;
    bool numberTaken = false;        // konyvbiz came from the counter
    QList<QList<LedgerItem>> items;  // the rows of each item
};

struct RefusedVoucher {
    qsizetype index = 0;  // in the batch
    QString text;         // the fault, in the user's words
};

// Another workstation is posting, or has just posted, vouchers of the batch.
class VouchersClaimed : public std::runtime_error {
public:
    VouchersClaimed() : std::runtime_error("vouchers claimed") {}
};

class VoucherBatchWriter {
public:
    // Starts the transaction on the company connection's attachment and
    // claims the vouchers (by the file's `digest` and their keys), waiting
    // for another workstation's claims of them to be committed or rolled
    // back. `columns`: the TETEL columns the voucher window's insert writes.
    // Throws VouchersClaimed, or DbError when the transaction cannot start.
    VoucherBatchWriter(const QStringList& columns, const QString& digest, const QList<CheckedVoucher>& vouchers);
    ~VoucherBatchWriter();
    VoucherBatchWriter(const VoucherBatchWriter&) = delete;
    VoucherBatchWriter& operator=(const VoucherBatchWriter&) = delete;

    // Starts writing the claimed vouchers, numbered now, on the writing thread.
    void write(QList<CheckedVoucher> numbered);
    // Waits for the writing to end: the vouchers the database refused, in
    // the order of the batch (all of them when the batch could not be
    // committed or the writing was stopped).
    QList<RefusedVoucher> wait();
    // A stop request ended the writing: nothing of the batch is stored.
    bool stopped() const;

private:
    struct Work;
    QList<CheckedVoucher> m_vouchers;
    std::unique_ptr<Work> m_work;
    std::future<QList<RefusedVoucher>> m_done;
};
