#pragma once
// What the posting and the import of a file remember of it: the digest of
// the file's content, and the keys of its vouchers already stored, so that
// running the same file again stores only what is still missing.
#include <QSet>
#include <QString>

// The SHA-256 digest of the file's content in hex; empty when it cannot be read.
QString FileDigest(const QString& path);

// The voucher keys recorded for `digest` in a record table (`table`, with its
// key column `keyColumn` and the column DIGEST); empty when the table is not
// there yet. Table and column are the program's own names, never user text.
QSet<QString> RecordedVoucherKeys(const QString& table, const QString& keyColumn, const QString& digest);
