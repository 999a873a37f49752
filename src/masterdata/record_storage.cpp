#include "record_storage.h"

#include <QLocale>
#include <QSqlField>

#include "db/altproc.h"
#include "db/app_conventions.h"
#include "db/catalog.h"
#include "db/db_error.h"
#include "db/display_mask.h"
#include "db/ui_hooks.h"
#include "masterdata/rights.h"
#include "db/dat.h"

namespace {

const QString kCr = QStringLiteral("\r");

QStringList tableColumns(const QString& connection, const QString& table) {
    QSqlQuery q = ExecSql(connection,
                          QStringLiteral("SELECT RDB$FIELD_NAME FIELD_NAME\nFROM RDB$RELATION_FIELDS\n"
                                         "WHERE RDB$RELATION_NAME = :TNAME\nORDER BY RDB$FIELD_POSITION"),
                          {{QStringLiteral("TNAME"), table.trimmed().toUpper()}});
    QStringList columns;
    while (NextRow(q)) columns << q.value(0).toString().trimmed();
    return columns;
}

QStringList splitKeys(const QString& keys) {
    QStringList list;
    for (const QString& k : keys.split(QLatin1Char(',')))
        if (!k.trimmed().isEmpty()) list << k.trimmed();
    return list;
}

// "WHERE K1= :<prefix>K1", "AND Ki= :<prefix>Ki"
QStringList whereLines(const QStringList& keys, const QString& prefix) {
    QStringList lines;
    for (int i = 0; i < keys.size(); ++i)
        lines << (i == 0 ? QStringLiteral("WHERE ") : QStringLiteral("AND ")) + keys[i] + QStringLiteral("= :") + prefix
                     + keys[i];
    return lines;
}

QString typeOf(const QSqlRecord& source, const QString& column) {
    const int i = source.indexOf(column);
    return i < 0 ? QString() : FieldTypeName(source.field(i));
}

bool isInteger(const QString& type) { return type == QLatin1String("INTEGER") || type == QLatin1String("SMALLINT"); }
bool isFloat(const QString& type) { return type == QLatin1String("FLOAT") || type == QLatin1String("DOUBLE PRECISION"); }
bool isValueControl(const PanelControl* c) { return c && (c->kind == PanelKind::Edit || c->kind == PanelKind::Check); }

// The integer conversion of a typed text: empty gives 0, a text that is not
// a whole number -1.
int intFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return 0;
    bool ok = false;
    const int value = t.toInt(&ok);
    return ok ? value : -1;
}

// A typed number as the database would read it, the thousands blanks of a
// display format left out. False when it is no number.
bool numberFromText(const QString& text, bool whole, QVariant& value) {
    QString t = text.trimmed();
    t.remove(ThousandSeparator);
    t.remove(QChar(0xA0));
    if (t.isEmpty()) t = QStringLiteral("0");
    if (!whole) {
        const qsizetype comma = t.indexOf(QLatin1Char(','));
        if (comma >= 0) t[comma] = QLatin1Char('.');
    }
    bool ok = false;
    if (whole) {
        const qlonglong n = t.toLongLong(&ok);
        if (ok) {
            value = n;
            return true;
        }
    }
    const double d = t.toDouble(&ok);
    if (!ok) return false;
    value = whole ? QVariant(qlonglong(RoundHalfAway(d))) : QVariant(d);
    return true;
}

void bindInsertParam(const QString& p, const PanelControl* c, const QString& type, SqlStatement& statement) {
    if (isValueControl(c)) {
        if (isInteger(type))
            statement.setValue(p, intFromText(c->text));
        else if (isFloat(type))
            statement.setValue(p, FloatFromText(c->text, 0));
        else if (type == QLatin1String("VARCHAR"))
            statement.setValue(p, NonNullText(c->text));
        return;
    }
    if (c && c->kind == PanelKind::Memo) {
        if (type == QLatin1String("MEMO")) statement.setValue(p, NonNullText(c->text));
        return;
    }
    // Without a control a parameter keeps its default, or is NULL.
}

// False when a typed number cannot be read.
bool bindUpdateParam(const QString& p, const PanelControl* c, const QSqlRecord& source, SqlStatement& statement) {
    if (p.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive)) {
        const QVariant old = source.value(p.mid(4, 30));
        if (!old.isNull())
            statement.setValue(p, old);
        else
            statement.unassign(p);
        return true;
    }
    const QString type = typeOf(source, p);
    if (isValueControl(c)) {
        if (isInteger(type) || isFloat(type)) {
            QVariant number;
            if (!numberFromText(c->text, isInteger(type), number)) return false;
            statement.setValue(p, number);
        } else {
            statement.setValue(p, NonNullText(c->text));
        }
    } else if (c && c->kind == PanelKind::Memo) {
        statement.setValue(p, NonNullText(c->text));
    } else {
        // No control (or a picture, which cannot be typed into): the column
        // keeps its stored value.
        const int i = source.indexOf(p);
        if (i >= 0)
            statement.setValue(p, source.value(i));
        else
            statement.unassign(p);
    }
    return true;
}

bool updateFailed() {
    const int answer = AskDialog(QStringLiteral("Nem sikerült a módosítás.") + kCr
                                     + QStringLiteral("Valaki törölte a tételt, vagy átírta a kulcsot vagy egyéb hiba történt.")
                                     + kCr + QStringLiteral("Mindenképpen tárolni akarja a módosításait?"),
                                 0);
    if (answer == 0) ShowMessage(QStringLiteral("Javítsa a hibás adatokat!"));
    return false;
}

QString condition(const QString& column, const QString& hint, const QString& v, QVariantMap* params) {
    // The value as a literal, or as a new bound parameter. A bound text is
    // wide enough for any typed value, however short the column.
    const auto value = [params](const QString& text) {
        if (!params) return SqlQuote(text);
        const QString name = QStringLiteral("KF%1").arg(params->size() + 1);
        params->insert(name, text);
        return QStringLiteral("cast(:") + name + QStringLiteral(" as varchar(1000))");
    };
    const QString lower = QStringLiteral("Lower(") + column + QLatin1Char(')');
    const QString prefix = QStringLiteral("Substring(Lower(") + column + QStringLiteral(") from 1 for ")
                           + QString::number(v.size()) + QLatin1Char(')');
    if (hint.isEmpty() || hint == QLatin1String("LOWER") || hint == QLatin1String("UPPER"))
        return QLatin1Char(' ') + lower + QStringLiteral(" like ") + value(QLatin1Char('%') + v + QLatin1Char('%'));
    if (hint == QLatin1String("L%")) return lower + QStringLiteral(" like ") + value(v + QLatin1Char('%'));
    if (hint == QLatin1String("=")) return lower + QStringLiteral(" = ") + value(v);
    if (hint == QLatin1String(">=")) return prefix + QStringLiteral(" >= ") + value(v);
    if (hint == QLatin1String("<=")) return prefix + QStringLiteral(" <= ") + value(v);
    if (hint == QLatin1String("IN")) {
        QString list = v;
        if (list.endsWith(QLatin1Char(','))) list.chop(1);
        if (list.isEmpty()) return {};
        QStringList items;
        for (const QString& item : list.split(QLatin1Char(','))) items << value(item);
        return lower + QStringLiteral(" in (") + items.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return {};
}

}  // namespace

void SqlKeszit(const QString& table, SqlStatement* insert, SqlStatement* update, SqlStatement* del,
               const QString& keys) {
    const SqlStatement* any = insert ? insert : update ? update : del;
    if (!any) return;
    SqlKeszit(table, tableColumns(any->connection, table), insert, update, del, keys);
}

void SqlKeszit(const QString& table, const QStringList& columns, SqlStatement* insert, SqlStatement* update,
               SqlStatement* del, const QString& keys) {
    QStringList keyList = splitKeys(keys);
    if (keyList.isEmpty()) keyList = columns;

    QStringList ins{QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (")};
    QStringList values;
    QStringList upd{QStringLiteral("UPDATE ") + table + QStringLiteral(" SET")};
    for (int i = 0; i < columns.size(); ++i) {
        const QString comma = i + 1 < columns.size() ? QStringLiteral(",") : QString();
        ins << columns[i] + comma;
        values << QLatin1Char(':') + columns[i] + comma;
        upd << columns[i] + QStringLiteral("= :") + columns[i] + comma;
    }
    ins << QStringLiteral(") VALUES (") << values << QStringLiteral(")");
    upd << whereLines(keyList, QStringLiteral("OLD_"));
    const QStringList dl = QStringList{QStringLiteral("DELETE FROM ") + table} + whereLines(keyList, QString());

    if (insert) insert->setSql(ins);
    if (update) update->setSql(upd);
    if (del) del->setSql(dl);
}

void UjParamok(const QSqlRecord& source, SqlStatement& insert) {
    const QStringList names = insert.paramNames();
    for (int i = 0; i < names.size(); ++i) {
        QString n = names[i];
        if (n.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive)) n = n.mid(4);
        const int column = source.indexOf(n);
        if (column < 0) {
            ShowMessage(QStringLiteral("wx=%1 nincs ilyen mező az alap táblában: %2").arg(i).arg(n));
            continue;
        }
        const QString type = FieldTypeName(source.field(column));
        if (type == QLatin1String("Unknown")) {
            ShowMessage(QStringLiteral("Ismeretlen típusú mező:") + n);
            continue;
        }
        if (type == QLatin1String("VARCHAR") || type == QLatin1String("MEMO") || type == QLatin1String("BLOB"))
            insert.setValue(names[i], NonNullText(QString()));
        else if (type == QLatin1String("INTEGER") || type == QLatin1String("SMALLINT"))
            insert.setValue(names[i], 0);
        else if (type == QLatin1String("FLOAT"))
            insert.setValue(names[i], 0.0);
        else if (type == QLatin1String("BOOLEAN"))
            insert.setValue(names[i], false);
    }
}

QString UresKotelezok(const SqlStatement& statement, const PanelValues& panel) {
    QString missing;
    for (const QString& p : statement.paramNames()) {
        const PanelControl* c = panel.find(QStringLiteral("E_") + p);
        if (!c || !c->required) continue;
        const bool empty = (c->kind == PanelKind::Edit && c->text.isEmpty())
                           || (c->kind == PanelKind::Memo && c->text.section(QLatin1Char('\n'), 0, 0).isEmpty());
        if (empty) missing += p + QLatin1Char(';');
    }
    return missing;
}

bool RekordTarol(const QSqlRecord& source, SqlStatement& statement, const PanelValues& panel, int keyCount,
                 const QString& state) {
    Q_UNUSED(keyCount);
    const QStringList names = statement.paramNames();
    if (state == QLatin1String("insert")) {
        for (const QString& p : names)
            bindInsertParam(p, panel.find(QStringLiteral("E_") + p), typeOf(source, p), statement);
        try {
            statement.exec();
        } catch (const DbError&) {
            ShowMessage(QStringLiteral("Nem sikerült az új adat felvitel."));
            return false;
        }
        return true;
    }
    if (state == QLatin1String("update")) {
        for (const QString& p : names)
            if (!bindUpdateParam(p, panel.find(QStringLiteral("E_") + p), source, statement)) return updateFailed();
        try {
            // A row that is no more where it was read is not stored either.
            if (statement.exec() <= 0) return updateFailed();
        } catch (const DbError&) {
            return updateFailed();
        }
        return true;
    }
    return false;
}

void RekordMutat(const QSqlRecord& record, PanelValues& panel, const QString& prefix) {
    for (int i = 0; i < record.count(); ++i) {
        PanelControl* c = panel.find(prefix + record.fieldName(i));
        if (!c) continue;
        const QString type = FieldTypeName(record.field(i));
        const QVariant value = record.value(i);
        if (type == QLatin1String("BLOB")) {
            c->picture = value.isNull() ? QByteArray() : value.toByteArray();
        } else if (type == QLatin1String("MEMO")) {
            c->text = FieldValueText(value);
            c->tag = 0;
        } else if (type == QLatin1String("FLOAT")) {
            const QString text = c->hint.trimmed().isEmpty() ? FieldValueText(value) : FormatMask(value.toDouble(), c->hint);
            c->text = c->maxLength > 0 ? text.rightJustified(c->maxLength, QLatin1Char(' ')) : text;
        } else {
            c->text = FieldValueText(value);
        }
    }
}

void MezokTorol(PanelValues& panel) {
    for (PanelControl& c : panel.controls)
        if (c.kind == PanelKind::Edit || c.kind == PanelKind::Memo || c.kind == PanelKind::StaticText) c.text.clear();
}

QString TablaJog(const QString& table, QSqlRecord* tablakRow) {
    if (tablakRow) *tablakRow = QSqlRecord();
    if (!TableExists(QStringLiteral("TABLAK"))) return QStringLiteral("FULL");
    QSqlQuery q = ExecSql(ServicesConnection(), QStringLiteral(" Select * From\nTABLAK\n Where TABLANEV = :ptablanev"),
                          {{QStringLiteral("PTABLANEV"), table.trimmed().toUpper()}});
    if (!NextRow(q)) return QStringLiteral("FULL");
    const QSqlRecord row = q.record();
    if (tablakRow) *tablakRow = row;
    if (JogVan(row.value(QStringLiteral("NEZHETI_JOG")).toString()))
        return JogVan(row.value(QStringLiteral("IRHATJA_JOG")).toString()) ? QStringLiteral("FULL") : QStringLiteral("VIEW");
    ShowMessage(QStringLiteral("Önnek nincs joga az alábbi táblát megtekinteni:") + kCr
                + row.value(QStringLiteral("MEGNEVEZES")).toString());
    return QStringLiteral("NONE");
}

int KeresFeltetel(const PanelValues& window, QStringList& conditions, QVariantMap* params) {
    conditions.clear();
    if (params) params->clear();
    int count = 0;
    for (const PanelControl& c : window.controls) {
        if (c.kind != PanelKind::Edit || !c.visible || !c.enabled || c.text.isEmpty()) continue;
        const QString column = c.name.toUpper().section(QLatin1Char('_'), 1, 1);
        const QString v = c.text.trimmed().toLower();
        const QString hint = c.hint.toUpper();
        if (hint != QLatin1String("SKIP")) ++count;
        const QString cond = condition(column, hint, v, params);
        if (!cond.isEmpty()) conditions << cond;
    }
    return count;
}

QString SqlQuote(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QString NonNullText(const QString& text) { return text.isNull() ? QString(0, QChar()) : text; }

QString FieldValueText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        // Fifteen significant digits, never an exponent.
        const double rounded = QString::number(value.toDouble(), 'g', 15).toDouble();
        QString text = QString::number(rounded + 0.0, 'f', QLocale::FloatingPointShortest);
        return text.replace(QLatin1Char('.'), DecimalSeparator());
    }
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return value.toString();
    }
}
