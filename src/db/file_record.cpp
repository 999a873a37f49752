#include "file_record.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>

#include "db/catalog.h"
#include "db/dat.h"

QString FileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return {};
    return QString::fromLatin1(hash.result().toHex());
}

QSet<QString> RecordedVoucherKeys(const QString& table, const QString& keyColumn, const QString& digest) {
    QSet<QString> keys;
    if (!TableExists(table)) return keys;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select %1 from %2 where DIGEST = :digest").arg(keyColumn, table),
                          {{QStringLiteral("digest"), digest}});
    while (NextRow(q)) keys.insert(q.value(0).toString());
    return keys;
}
