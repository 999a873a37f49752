#include "voucher_batch_writer.h"

#include <optional>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_write.h"
#include "ledger/ledger_batch_writer.h"
#include "ledger/turnover_load.h"

namespace {

const QString kRecordInsert =
    QStringLiteral("insert into KONYVELT_FAJL (DIGEST, VOUCHER, NTIPUS, KONYVBIZ) values (?, ?, ?, ?)");

QString refusal(const DbError& error) { return QStringLiteral("Adatbázis hiba: ") + error.message(); }

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

    void write(const CheckedVoucher& voucher) {
        for (const QList<LedgerItem>& item : voucher.items)
            for (const LedgerItem& row : item) rows.write(row);
        // The record goes with the voucher: both are stored, or neither.
        record.reset(4);
        record.text(0, digest);
        record.text(1, voucher.key);
        record.text(2, voucher.ntipus);
        record.text(3, voucher.konyvbiz);
        transaction.execute(kRecordInsert, record);
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
                        refused << RefusedVoucher{i, refusal(error)};
                    }
                }
            }
            turnovers.write();
            transaction.commit();
        } catch (const DbError& error) {
            // The batch could not be committed: none of it is stored.
            refused.clear();
            for (qsizetype i = 0; i < vouchers.size(); ++i) refused << RefusedVoucher{i, refusal(error)};
        }
        return refused;
    }
};

VoucherBatchWriter::VoucherBatchWriter(QList<CheckedVoucher> vouchers, const QStringList& columns, const QString& digest)
    : m_vouchers(std::move(vouchers)), m_work(std::make_unique<Work>(columns, digest)) {
    m_done = std::async(std::launch::async, [this] { return m_work->run(m_vouchers); });
}

VoucherBatchWriter::~VoucherBatchWriter() {
    if (m_done.valid()) m_done.wait();
}

QList<RefusedVoucher> VoucherBatchWriter::wait() { return m_done.get(); }
