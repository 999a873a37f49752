#pragma once
// The record of imported files: every stored voucher of a file by the
// file's content digest and the voucher's key in it, written in the
// transaction of its items. An import of the same file again finds its
// vouchers here and stores only those still missing.
#include <QList>
#include <QSet>
#include <QString>

class FbWriteTransaction;

// The longest voucher key the record holds.
constexpr int kMaxImportVoucherKey = 60;

// The keys of the file's vouchers stored by earlier imports.
QSet<QString> ImportedVoucherKeys(const QString& digest);

struct ImportedVoucher {
    QString key, ntipus, konyvbiz;
};

// Makes the record table in databases made before it existed; before the
// transaction that writes into it.
void EnsureImportRecord();

// Records the vouchers in `transaction`. A voucher recorded meanwhile by
// another workstation fails the transaction (the key is the table's primary
// key).
void RecordImportedVouchers(FbWriteTransaction& transaction, const QString& digest, const QList<ImportedVoucher>& vouchers);
