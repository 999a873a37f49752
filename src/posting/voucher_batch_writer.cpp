#include "voucher_batch_writer.h"

#include <optional>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_write.h"
#include "db/stop_request.h"
#include "ledger/ledger_batch_writer.h"
#include "ledger/turnover_load.h"

namespace {

const QString kClaim =
    QStringLiteral("insert into KONYVELT_FAJL (DIGEST, VOUCHER, NTIPUS, KONYVBIZ) values (?, ?, ?, ?)");
const QString kRecordNumber =
    QStringLiteral("update KONYVELT_FAJL set KONYVBIZ = ? where DIGEST = ? and VOUCHER = ?");
const QString kUnclaim = QStringLiteral("delete from KONYVELT_FAJL where DIGEST = ? and VOUCHER = ?");

// The engine's SQLCODE of a duplicate key.
const QString kDuplicateKey = QStringLiteral("-803");

QString refusal(const DbError& error) { return QStringLiteral("Adatbázis hiba: ") + error.message(); }

// Ends the writing of a batch at a stop request.
struct StopWriting {};

}  // namespace

// What the writing thread uses: made on the calling thread, where the
// connection's driver is asked for the attachment, then used only there.
struct VoucherBatchWriter::Work {
    Work(const QStringList& columns, const QString& digest)
        : transaction(d_tarvedo), turnovers(d_tarvedo, transaction), rows(transaction, columns), digest(digest) {}

    FbWriteTransaction transaction;
    TurnoverLoad turnovers;
    LedgerBatchWriter rows;
    QString digest;
    FbParams record;
    bool stopped = false;

    void claim(const CheckedVoucher& voucher) {
        record.reset(4);
        record.text(0, digest);
        record.text(1, voucher.key);
        record.text(2, voucher.ntipus);
        record.text(3, voucher.konyvbiz);
        try {
            transaction.execute(kClaim, record);
        } catch (const DbError& error) {
            // Stored by another run meanwhile, or claimed by one that has
            // not ended: waiting for it ended in a conflict.
            if (error.nativeCode() == kDuplicateKey || error.isLockConflict()) throw VouchersClaimed();
            throw;
        }
    }
    void unclaim(const CheckedVoucher& voucher) {
        record.reset(2);
        record.text(0, digest);
        record.text(1, voucher.key);
        transaction.execute(kUnclaim, record);
    }
    void write(const CheckedVoucher& voucher) {
        if (StopRequested()) throw StopWriting();
        for (const QList<LedgerItem>& item : voucher.items)
            for (const LedgerItem& row : item) rows.write(row);
        if (!voucher.numberTaken) return;
        // The record learns the number the voucher got.
        record.reset(3);
        record.text(0, voucher.konyvbiz);
        record.text(1, digest);
        record.text(2, voucher.key);
        transaction.execute(kRecordNumber, record);
    }
    void addTurnovers(const CheckedVoucher& voucher) {
        for (const QList<LedgerItem>& item : voucher.items)
            for (const LedgerItem& row : item) turnovers.add(row);
    }

    QList<RefusedVoucher> run(const QList<CheckedVoucher>& vouchers) {
        QList<RefusedVoucher> refused;
        try {
            transaction.execute(QStringLiteral("SAVEPOINT VOUCHERS"));
            try {
                for (const CheckedVoucher& voucher : vouchers) write(voucher);
                for (const CheckedVoucher& voucher : vouchers) addTurnovers(voucher);
            } catch (const DbError&) {
                // Each voucher alone, so that only the faulty ones are left out.
                transaction.execute(QStringLiteral("ROLLBACK TO SAVEPOINT VOUCHERS"));
                for (qsizetype i = 0; i < vouchers.size(); ++i) {
                    transaction.execute(QStringLiteral("SAVEPOINT VOUCHER"));
                    try {
                        write(vouchers[i]);
                        addTurnovers(vouchers[i]);
                    } catch (const DbError& error) {
                        transaction.execute(QStringLiteral("ROLLBACK TO SAVEPOINT VOUCHER"));
                        unclaim(vouchers[i]);
                        refused << RefusedVoucher{i, refusal(error)};
                    }
                }
            }
            turnovers.write();
            transaction.commit();
        } catch (const StopWriting&) {
            // Rolled back with the transaction: none of the batch is stored.
            stopped = true;
            refused.clear();
            for (qsizetype i = 0; i < vouchers.size(); ++i) refused << RefusedVoucher{i, QString()};
        } catch (const DbError& error) {
            // The batch could not be committed: none of it is stored.
            refused.clear();
            for (qsizetype i = 0; i < vouchers.size(); ++i) refused << RefusedVoucher{i, refusal(error)};
        }
        return refused;
    }
};

VoucherBatchWriter::VoucherBatchWriter(const QStringList& columns, const QString& digest,
                                       const QList<CheckedVoucher>& vouchers)
    : m_work(std::make_unique<Work>(columns, digest)) {
    for (const CheckedVoucher& voucher : vouchers) m_work->claim(voucher);
}

VoucherBatchWriter::~VoucherBatchWriter() {
    if (m_done.valid()) m_done.wait();
}

void VoucherBatchWriter::write(QList<CheckedVoucher> numbered) {
    m_vouchers = std::move(numbered);
    m_done = std::async(std::launch::async, [this] { return m_work->run(m_vouchers); });
}

QList<RefusedVoucher> VoucherBatchWriter::wait() { return m_done.get(); }

bool VoucherBatchWriter::stopped() const { return m_work->stopped; }
