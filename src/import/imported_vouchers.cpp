#include "imported_vouchers.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>

#include "db/catalog.h"
#include "db/dat.h"
#include "db/fb_write.h"

namespace {

const QString kTable = QStringLiteral("BEOVETT");

}  // namespace

QString ImportFileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return {};
    return QString::fromLatin1(hash.result().toHex());
}

QSet<QString> ImportedVoucherKeys(const QString& digest) {
    QSet<QString> keys;
    if (!TableExists(kTable)) return keys;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select KULCS from BEOVETT where DIGEST = :digest"),
                          {{QStringLiteral("digest"), digest}});
    while (NextRow(q)) keys.insert(q.value(0).toString());
    return keys;
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
