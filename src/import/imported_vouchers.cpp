#include "imported_vouchers.h"


#include "db/catalog.h"
#include "db/file_record.h"
#include "db/dat.h"
#include "db/fb_write.h"

namespace {

const QString kTable = QStringLiteral("BEOVETT");

}  // namespace

QSet<QString> ImportedVoucherKeys(const QString& digest) {
    return RecordedVoucherKeys(kTable, QStringLiteral("KULCS"), digest);
}

void EnsureImportRecord() {
    if (TableExists(kTable)) return;
    ExecSql(d_tarvedo, QStringLiteral("CREATE TABLE BEOVETT (DIGEST VARCHAR(64) NOT NULL, KULCS VARCHAR(60) NOT NULL, "
                                      "NTIPUS VARCHAR(3), KONYVBIZ VARCHAR(15), "
                                      "CONSTRAINT PK_BEOVETT PRIMARY KEY (DIGEST, KULCS))"));
}

void RecordImportedVouchers(FbWriteTransaction& transaction, const QString& digest, const QList<ImportedVoucher>& vouchers) {
    if (vouchers.isEmpty()) return;
    const isc_stmt_handle insert =
        transaction.prepare(QStringLiteral("insert into BEOVETT (DIGEST, KULCS, NTIPUS, KONYVBIZ) values (?, ?, ?, ?)"));
    FbParams params;
    for (const ImportedVoucher& voucher : vouchers) {
        params.reset(4);
        params.text(0, digest);
        params.text(1, voucher.key, false);
        params.text(2, voucher.ntipus, false);
        params.text(3, voucher.konyvbiz, false);
        transaction.execute(insert, params);
    }
}
