#include "catalog.h"

#include <ibase.h>

#include "db/dat.h"
#include "db/db_error.h"

namespace {

const QString kFieldColumns = QStringLiteral(
    "SELECT RDB$RELATION_FIELDS.RDB$FIELD_NAME FIELD_NAME,\n"
    "RDB$RELATION_FIELDS.RDB$FIELD_POSITION FIELD_POS,\n"
    "RDB$RELATION_FIELDS.RDB$FIELD_SOURCE FIELD_SOURCE,\n"
    "RDB$RELATION_FIELDS.RDB$NULL_FLAG NULL_FLAG,\n"
    "RDB$TYPES.RDB$TYPE_NAME FIELD_TYPE,\n"
    "RDB$FIELDS.RDB$FIELD_LENGTH FIELD_STORE,\n"
    "RDB$FIELDS.RDB$CHARACTER_LENGTH FIELD_LENGTH,\n"
    "RDB$FIELDS.RDB$DEFAULT_SOURCE FIELD_DEFAULT_SOURCE,\n"
    "%1 COLLATION,\n"
    "RDB$FIELDS.RDB$CHARACTER_SET_ID CHARACTER_SET,\n"
    "RDB$FIELDS.RDB$FIELD_SUB_TYPE FIELD_SUB_TYPE,\n"
    "RDB$FIELDS.RDB$FIELD_SCALE FIELD_SCALE,\n"
    "RDB$FIELDS.RDB$FIELD_PRECISION FIELD_PRECISION\n"
    "FROM RDB$RELATION_FIELDS,RDB$FIELDS,RDB$TYPES\n"
    "WHERE RDB$RELATION_FIELDS.RDB$RELATION_NAME = :tname\n");
const QString kFieldJoin = QStringLiteral(
    "AND RDB$RELATION_FIELDS.RDB$FIELD_SOURCE = RDB$FIELDS.RDB$FIELD_NAME\n"
    "AND RDB$FIELDS.RDB$FIELD_TYPE = RDB$TYPES.RDB$TYPE\n"
    "AND RDB$TYPES.RDB$FIELD_NAME= 'RDB$FIELD_TYPE'");

QString text(const QSqlQuery& q, const char* column) { return q.value(QLatin1String(column)).toString().trimmed(); }
int number(const QSqlQuery& q, const char* column) { return q.value(QLatin1String(column)).toInt(); }

bool columnNotNull(const QSqlQuery& q) {
    const QString source = text(q, "FIELD_SOURCE");
    if (!source.startsWith(QLatin1String("RDB$"))) return DomainNotNull(source);
    return number(q, "NULL_FLAG") == 1;
}

QString lookupName(const QString& sql, const QVariantMap& params) {
    return SelectValue(ServicesConnection(), sql, params).toString().trimmed();
}

// Catalogue types that are not valid in a CREATE TABLE statement as they stand.
QString ddlTypeName(const QSqlQuery& q) {
    const QString catalogueType = text(q, "FIELD_TYPE");
    const int scale = number(q, "FIELD_SCALE");
    const int precision = number(q, "FIELD_PRECISION");
    if (catalogueType == QLatin1String("BLOB")) return QStringLiteral("BLOB");
    if (scale < 0 && (catalogueType == QLatin1String("LONG") || catalogueType == QLatin1String("SHORT")
                      || catalogueType == QLatin1String("INT64")))
        return QStringLiteral("NUMERIC(%1,%2)").arg(precision > 0 ? precision : 18).arg(-scale);
    if (catalogueType == QLatin1String("TEXT")) return QStringLiteral("CHAR(%1)").arg(number(q, "FIELD_LENGTH"));
    if (catalogueType == QLatin1String("INT64")) return QStringLiteral("BIGINT");
    if (catalogueType == QLatin1String("FLOAT")) return QStringLiteral("FLOAT");
    if (catalogueType == QLatin1String("TIMESTAMP")) return QStringLiteral("TIMESTAMP");
    return IbTypeName(catalogueType, number(q, "FIELD_SUB_TYPE"));
}

}  // namespace

bool TableExists(const QString& name) {
    const QVariant count = SelectValue(ServicesConnection(),
                                       QStringLiteral("Select Count(*) DARAB\nFrom RDB$RELATIONS\nWHERE RDB$RELATION_NAME=:NAME"),
                                       {{QStringLiteral("NAME"), name.trimmed().toUpper()}});
    return count.toInt() > 0;
}

bool IbFieldInfo(const QString& table, const QString& column, int& length, bool& notNull, QString& typeName) {
    QSqlQuery q = ExecSql(ServicesConnection(),
                          kFieldColumns.arg(QStringLiteral("RDB$FIELDS.RDB$COLLATION_ID"))
                              + QStringLiteral("AND RDB$RELATION_FIELDS.RDB$FIELD_NAME = :fname\n") + kFieldJoin,
                          {{QStringLiteral("TNAME"), table}, {QStringLiteral("FNAME"), column}});
    if (!NextRow(q)) {
        length = 0;
        notNull = false;
        typeName = QStringLiteral("nil");
        return false;
    }
    length = number(q, "FIELD_LENGTH");
    typeName = IbTypeName(text(q, "FIELD_TYPE"), number(q, "FIELD_SUB_TYPE"));
    notNull = columnNotNull(q);
    return true;
}

bool FieldInfo(const QString& table, const QString& column, int& length, bool& notNull, QString& typeName) {
    return IbFieldInfo(table, column, length, notNull, typeName);
}

bool DomainNotNull(const QString& domain) {
    const QVariant flag = SelectValue(ServicesConnection(),
                                      QStringLiteral("Select RDB$FIELDS.RDB$NULL_FLAG NULL_FLAG\nFrom RDB$FIELDS\n"
                                                     " where RDB$FIELDS.RDB$FIELD_NAME = :domainname"),
                                      {{QStringLiteral("DOMAINNAME"), domain}});
    return flag.isValid() && flag.toInt() == 1;
}

QString IbTypeName(const QString& catalogueTypeName, int subType) {
    const QString t = catalogueTypeName.trimmed();
    if (t == QLatin1String("VARYING")) return QStringLiteral("VARCHAR");
    if (t == QLatin1String("LONG")) return QStringLiteral("INTEGER");
    if (t == QLatin1String("SHORT")) return QStringLiteral("SMALLINT");
    if (t == QLatin1String("DOUBLE")) return QStringLiteral("DOUBLE PRECISION");
    if (t == QLatin1String("BLOB")) return subType != 0 ? QStringLiteral("MEMO") : QStringLiteral("BLOB");
    return t;
}

QString FieldTypeName(const QSqlField& field) {
    switch (field.typeID() & ~1) {
    case SQL_VARYING: return QStringLiteral("VARCHAR");
    case SQL_SHORT: return QStringLiteral("SMALLINT");
    case SQL_LONG:
    case SQL_INT64: return QStringLiteral("INTEGER");
    case SQL_BOOLEAN: return QStringLiteral("BOOLEAN");
    case SQL_DOUBLE:
    case SQL_FLOAT:
    case SQL_D_FLOAT: return QStringLiteral("FLOAT");
    case SQL_BLOB: {
        // The result does not carry the blob's sub type; the catalogue does.
        int length = 0;
        bool notNull = false;
        QString typeName;
        if (!field.tableName().isEmpty() && IbFieldInfo(field.tableName(), field.name(), length, notNull, typeName))
            return typeName;
        return QStringLiteral("BLOB");
    }
    default: return QStringLiteral("Unknown");
    }
}

int FieldDisplayWidth(const QSqlField& field, QString& typeName) {
    typeName = FieldTypeName(field);
    if (typeName == QLatin1String("VARCHAR")) return field.length() / 4;  // UTF8: four bytes a character
    if (typeName == QLatin1String("INTEGER") || typeName == QLatin1String("SMALLINT")) return 10;
    if (typeName == QLatin1String("FLOAT") || typeName == QLatin1String("DOUBLE PRECISION")) return 13;
    if (typeName == QLatin1String("MEMO") || typeName == QLatin1String("BLOB")) return -1;
    return 8;
}

QString PkFields(const QString& table, int& count) {
    QSqlQuery q = ExecSql(ServicesConnection(),
                          QStringLiteral("Select RDB$RELATION_CONSTRAINTS.RDB$RELATION_NAME,\n"
                                         "RDB$RELATION_CONSTRAINTS.RDB$CONSTRAINT_NAME,\n"
                                         "RDB$RELATION_CONSTRAINTS.RDB$INDEX_NAME,\n"
                                         "RDB$INDEX_SEGMENTS.RDB$FIELD_NAME,\n"
                                         "RDB$INDEX_SEGMENTS.RDB$FIELD_POSITION\n"
                                         "From RDB$RELATION_CONSTRAINTS, RDB$INDEX_SEGMENTS\n"
                                         " Where RDB$RELATION_CONSTRAINTS.RDB$CONSTRAINT_TYPE = :pkeytype\n"
                                         "And RDB$RELATION_CONSTRAINTS.RDB$RELATION_NAME = :ptable\n"
                                         "And RDB$RELATION_CONSTRAINTS.RDB$INDEX_NAME = RDB$INDEX_SEGMENTS.RDB$INDEX_NAME\n"
                                         "Order By RDB$RELATION_CONSTRAINTS.RDB$RELATION_NAME, "
                                         "RDB$RELATION_CONSTRAINTS.RDB$CONSTRAINT_NAME, RDB$INDEX_SEGMENTS.RDB$FIELD_POSITION"),
                          {{QStringLiteral("PKEYTYPE"), QStringLiteral("PRIMARY KEY")}, {QStringLiteral("PTABLE"), table}});
    QStringList names;
    while (NextRow(q)) names << q.value(3).toString().trimmed();
    count = int(names.size());
    return names.join(QLatin1Char(','));
}

bool CopyTableDdl(const QString& source, const QString& newName, bool execute, bool withKey, QStringList* statement) {
    QSqlQuery q = ExecSql(ServicesConnection(),
                          kFieldColumns.arg(QStringLiteral("RDB$RELATION_FIELDS.RDB$COLLATION_ID")) + kFieldJoin
                              + QStringLiteral(" ORDER BY RDB$RELATION_FIELDS.RDB$FIELD_POSITION"),
                          {{QStringLiteral("TNAME"), source}});
    if (!NextRow(q)) return false;

    const QString target = (!newName.isEmpty() || execute) ? newName : source;
    QStringList lines{QStringLiteral("CREATE TABLE ") + target + QStringLiteral(" (")};
    bool first = true;
    do {
        QString line = (first ? QStringLiteral(" ") : QStringLiteral(",")) + text(q, "FIELD_NAME") + QLatin1Char(' ');
        first = false;
        const QString typeName = ddlTypeName(q);
        line += typeName;
        if (typeName == QLatin1String("VARCHAR")) line += QStringLiteral("(%1)").arg(number(q, "FIELD_LENGTH"));
        // The sub type belongs to the type itself: after a character set it would not parse.
        if (typeName == QLatin1String("BLOB"))
            line += QStringLiteral(" SUB_TYPE %1 SEGMENT SIZE 80").arg(number(q, "FIELD_SUB_TYPE"));
        const bool notNull = columnNotNull(q);
        const int charset = number(q, "CHARACTER_SET");
        if (charset == 0) {
            if (notNull) line += QStringLiteral(" NOT NULL ");
        } else {
            const QString charsetName = lookupName(QStringLiteral("SELECT RDB$CHARACTER_SET_NAME CHARACTER_SET_NAME\n"
                                                                  "FROM RDB$CHARACTER_SETS\n"
                                                                  " WHERE RDB$CHARACTER_SET_ID = :CHARACTER_SET_ID"),
                                                   {{QStringLiteral("CHARACTER_SET_ID"), charset}});
            if (!charsetName.isEmpty()) {
                line += QStringLiteral(" CHARACTER SET ") + charsetName;
                if (notNull) line += QStringLiteral(" NOT NULL ");
                const int collation = number(q, "COLLATION");
                if (collation != 0) {
                    const QString collationName = lookupName(
                        QStringLiteral("SELECT RDB$COLLATIONS.RDB$COLLATION_NAME COLLATION_NAME\n"
                                       "FROM RDB$COLLATIONS\n"
                                       " WHERE RDB$COLLATIONS.RDB$COLLATION_ID = :COLLATION_ID\n"
                                       "AND RDB$COLLATIONS.RDB$CHARACTER_SET_ID = :CHARACTER_SET_ID"),
                        {{QStringLiteral("COLLATION_ID"), collation}, {QStringLiteral("CHARACTER_SET_ID"), charset}});
                    if (!collationName.isEmpty()) line += QStringLiteral(" COLLATE ") + collationName;
                }
            } else if (notNull) {
                line += QStringLiteral(" NOT NULL ");
            }
        }
        lines << line;
    } while (NextRow(q));

    if (withKey) {
        int count = 0;
        const QString keys = PkFields(source, count);
        if (!keys.isEmpty())
            lines << QStringLiteral(",Constraint Pk_") + (newName.isEmpty() ? source : newName)
                         + QStringLiteral(" Primary Key (") + keys + QLatin1Char(')');
    }
    lines << QStringLiteral(")");
    if (statement) *statement = lines;
    if (execute) ExecSql(ServicesConnection(), lines.join(QLatin1Char('\n')));
    return true;
}
