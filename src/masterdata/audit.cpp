#include "audit.h"

#include <QDateTime>
#include <QSqlField>

#include "db/catalog.h"
#include "db/dat.h"
#include "masterdata/record_storage.h"

namespace {

const QString kInsert = QStringLiteral("INSERT INTO DOKU\n(JUZER,MIKOR,TABLA,KULCSERTEK,AKCIO,MEZO,MIROL,MIRE)\nVALUES\n"
                                       "(:juzer,:mikor,:tabla,:kulcsertek,:akcio,:mezo,:mirol,:mire)");

QString valueText(const QVariant& value) {
    // Pictures are not written into the trail.
    if (value.metaType().id() == QMetaType::QByteArray) return {};
    return FieldValueText(value);
}

void writeRow(const QString& connection, const QString& table, const QString& key, const QString& action,
              const QString& column, const QString& from, const QString& to) {
    ExecSql(connection, kInsert,
            {{QStringLiteral("JUZER"), NonNullText(Td().CurrentUser)},
             {QStringLiteral("MIKOR"), QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"))},
             {QStringLiteral("TABLA"), table},
             {QStringLiteral("KULCSERTEK"), NonNullText(key.left(120))},
             {QStringLiteral("AKCIO"), action},
             {QStringLiteral("MEZO"), NonNullText(column)},
             {QStringLiteral("MIROL"), NonNullText(from.left(250))},
             {QStringLiteral("MIRE"), NonNullText(to.left(250))}});
}

}  // namespace

bool AuditAvailable(const QString& connection) {
    return SelectValue(connection, QStringLiteral("Select Count(*) From RDB$RELATIONS Where RDB$RELATION_NAME = 'DOKU'"))
               .toInt()
           > 0;
}

void AuditStore(const QString& connection, const QString& table, const QStringList& keyFields, const QString& action,
                const QSqlRecord& before, const SqlStatement& stored) {
    QStringList keys;
    for (const QString& k : keyFields) keys << valueText(stored.value(k));
    const QString key = keys.join(QLatin1Char(';'));
    for (const QString& p : stored.paramNames()) {
        if (p.startsWith(QLatin1String("OLD_"))) continue;
        const int i = before.indexOf(p);
        const QString from = i < 0 ? QString() : valueText(before.value(i));
        const QString to = valueText(stored.value(p));
        if (from != to) writeRow(connection, table, key, action, p, from, to);
    }
}

void AuditDelete(const QString& connection, const QString& table, const QStringList& keyFields, const QSqlRecord& row) {
    QStringList keys;
    for (const QString& k : keyFields) keys << valueText(row.value(k));
    QStringList values;
    for (int i = 0; i < row.count(); ++i) {
        const QString v = valueText(row.value(i));
        if (!v.isEmpty()) values << row.fieldName(i) + QLatin1Char('=') + v;
    }
    writeRow(connection, table, keys.join(QLatin1Char(';')), QStringLiteral("delete"), QString(), values.join(QStringLiteral("; ")),
             QString());
}
