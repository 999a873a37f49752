#include "lookup.h"

#include <QSqlField>
#include <QSqlQuery>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "masterdata/control_tables.h"
#include "masterdata/record_storage.h"

namespace {

using ValueOf = std::function<QString(const QString& column)>;

// The rows of an info statement; a value that its column cannot hold has none.
bool infoRows(const QString& sql, const QString& value, QSqlQuery& q) {
    try {
        q = ExecSql(ServicesConnection(), sql, {{QStringLiteral("INFOVALUE"), NonNullText(value)}});
        return true;
    } catch (const DbError& error) {
        if (!IsValueMismatch(error)) throw;
        return false;
    }
}

// "#FROM\SELECT/INFOCOLUMN=FIELD[,more conditions]": the rows of the info
// table that belong to the field's value. Descending: the first row only,
// each value after a blank; otherwise the distinct values of every row.
QString hashInfo(const QString& d, const ValueOf& valueOf, int orderColumn, bool descending) {
    const qsizetype backslash = d.indexOf(QLatin1Char('\\'));
    const qsizetype slash = d.indexOf(QLatin1Char('/'));
    if (backslash < 0 || slash < 0 || !d.contains(QLatin1Char('='))) return {};
    QString from = d.mid(1, backslash - 1);
    const QString select = d.mid(backslash + 1, slash - backslash - 1);
    QString where = d.mid(slash + 1);

    const qsizetype eq = where.indexOf(QLatin1Char('='));
    if (eq < 0) return {};
    const QString rest = where.mid(eq + 1);
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    const QString field = (comma < 0 ? rest : rest.left(comma)).trimmed();
    where = where.left(eq + 1) + QStringLiteral(":INFOVALUE") + (comma < 0 ? QString() : rest.mid(comma));
    if (!from.contains(QLatin1Char('+'))) {
        where.replace(QLatin1Char(','), QStringLiteral(" AND "));
    } else {
        from.replace(QLatin1Char('+'), QStringLiteral("  left outer join "));
        const qsizetype first = where.indexOf(QLatin1Char(','));
        if (first >= 0) {
            from += where.mid(first).replace(QLatin1Char(','), QStringLiteral(" on "));
            where = where.left(first);
        }
    }
    const QString sql = QStringLiteral("Select ") + select + QStringLiteral("\n from ") + from + QStringLiteral("\nWhere ")
                        + where + QStringLiteral("\nOrder by ") + QString::number(orderColumn == 0 ? 1 : orderColumn)
                        + (descending ? QStringLiteral(" desc") : QString());
    QSqlQuery q;
    QString text;
    if (!infoRows(sql, valueOf(field), q)) return text;
    if (descending) {
        if (NextRow(q))
            for (int i = 0; i < q.record().count(); ++i) text += QLatin1Char(' ') + FieldValueText(q.value(i)).trimmed();
        return text;
    }
    while (NextRow(q)) {
        for (int i = 0; i < q.record().count(); ++i) {
            const QString v = FieldValueText(q.value(i)).trimmed();
            if (v.isEmpty() || (text + QLatin1Char(',')).contains(v + QLatin1Char(','))) continue;
            if (!text.isEmpty()) text += QStringLiteral(", ");
            text += v;
        }
    }
    return text;
}

// "TABLE.SELECT,KEY=": the shown column of every row whose key is `value`;
// "expression@alias" selects an expression under a name.
bool dottedInfo(const QString& d, const QString& value, QString& text) {
    if (!d.contains(QLatin1Char('.')) || !d.contains(QLatin1Char(',')) || !d.contains(QLatin1Char('='))) return false;
    const qsizetype dot = d.indexOf(QLatin1Char('.'));
    const qsizetype comma = d.indexOf(QLatin1Char(','));
    if (comma < dot) return false;
    const QString table = d.left(dot);
    QString select = d.mid(dot + 1, comma - dot - 1);
    QString shown = select;
    const qsizetype at = d.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        shown = d.mid(at + 1, comma - at - 1);
        select.replace(QLatin1Char('@'), QLatin1Char(' '));
    }
    const qsizetype eq = d.indexOf(QLatin1Char('='), comma);
    if (eq < 0) return false;
    const QString condition = d.mid(comma + 1, eq - comma);
    QSqlQuery q;
    QStringList values;
    text.clear();
    if (!infoRows(QStringLiteral("Select ") + select + QStringLiteral("\n from ") + table + QStringLiteral("\nWhere ")
                      + condition + QStringLiteral(":INFOVALUE"),
                  value, q))
        return true;
    const int column = q.record().indexOf(shown.trimmed());
    while (NextRow(q)) values << FieldValueText(q.value(column < 0 ? 0 : column));
    text = values.join(QStringLiteral(", "));
    return true;
}

QString rowText(const QSqlRecord& row, const QString& column) {
    const int i = row.indexOf(column);
    return i < 0 ? QString() : FieldValueText(row.value(i));
}

}  // namespace

ASelectedRecord SelectedRecord(const QSqlRecord& row, bool cleared) {
    ASelectedRecord record;
    for (int i = 0; i < row.count(); ++i)
        record << TSelectedRecord{row.fieldName(i).toUpper(), FieldTypeName(row.field(i)),
                                  cleared ? QVariant(QString(0, QChar())) : row.value(i)};
    return record;
}

int RekordIndex(const ASelectedRecord& record, const QString& name) {
    const QString upper = name.toUpper();
    for (int i = int(record.size()) - 1; i >= 0; --i)
        if (record[i].nev == upper) return i;
    return -1;
}

QString RekordErtek(const ASelectedRecord& record, const QString& name) {
    if (name.isEmpty()) return {};
    const int i = RekordIndex(record, name);
    return i < 0 ? QString() : VarToText(record[i].ertek);
}

bool ErtekVan(const QString& value, const QString& table, const QString& column, bool message,
              ASelectedRecord& record) {
    if (value.isEmpty()) return false;
    try {
        QSqlQuery q = ExecSql(ServicesConnection(),
                              QStringLiteral("Select * From ") + table + QStringLiteral("\nWhere ") + column
                                  + QStringLiteral("=:VALUE"),
                              {{QStringLiteral("VALUE"), value}});
        if (NextRow(q)) {
            record = SelectedRecord(q.record());
            return true;
        }
    } catch (const DbError& error) {
        if (!IsValueMismatch(error)) throw;
    }
    if (message)
        ShowMessage(QStringLiteral("Nincs olyan érték a ") + table + QStringLiteral(" táblában, ahol ") + column
                    + QStringLiteral("='") + value + QLatin1Char('\''));
    return false;
}

LookupRequest SzotRequest(const TParaButtonFields& button, bool plus, const PanelValues& panel) {
    LookupRequest request;
    request.table = button.pSzotTabla.toUpper();
    request.plus = plus;
    QString head = button.pSzotWhere.trimmed();
    // The template's first "$" goes; the values put in below stay as typed.
    const qsizetype dollar = head.indexOf(QLatin1Char('$'));
    if (dollar >= 0) head.remove(dollar, 1);

    // "@TABLE.COLUMN" at the end: the column's first value.
    QString tail;
    const qsizetype at = head.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString reference = head.mid(at + 1).trimmed();
        const qsizetype dot = reference.indexOf(QLatin1Char('.'));
        if (dot > 0) {
            QSqlQuery q = ExecSql(ServicesConnection(), QStringLiteral("SELECT ") + reference.mid(dot + 1)
                                                            + QStringLiteral("\nFROM\n") + reference.left(dot));
            tail = SqlQuote(NextRow(q) ? FieldValueText(q.value(0)) : QString());
            head = head.left(at);
        }
    }

    // "#FIELD": the panel's value of the field.
    qsizetype from = 0;
    qsizetype hash;
    while ((hash = head.indexOf(QLatin1Char('#'), from)) >= 0) {
        qsizetype end = head.indexOf(QLatin1Char(' '), hash + 1);
        if (end < 0) end = head.size();
        const QString name = head.mid(hash + 1, end - hash - 1);
        const PanelControl* c = panel.find(QStringLiteral("E_") + name);
        const QString value = c && c->kind == PanelKind::Edit ? c->text : QString();
        if (plus) {
            request.defaultField = head.left(hash);
            request.defaultField.chop(1);
            request.defaultValue = value;
        }
        const QString quoted = SqlQuote(value);
        head.replace(hash, end - hash, quoted);
        from = hash + quoted.size();
    }
    request.where = head + tail;
    request.locate = panel.text(QStringLiteral("E_") + button.pMezo);
    return request;
}

bool SzotMezoQuerybe(const TParaButtonFields& button, const ASelectedRecord& record, PanelValues& panel,
                     const QString& prefix) {
    if (!button.pPanel.isEmpty()) {
        for (const PvezerloRow& row : LoadPvezerlo(button.pPanel)) {
            QString written;
            PanelControl* target = panel.find(prefix + row.qmezo);
            if (target && !target->readOnly && RekordIndex(record, row.szotmezo) >= 0) {
                written = RekordErtek(record, row.szotmezo);
                target->text = written;
            }
            if (row.muvelet == QLatin1String("+") && !row.szotmezo2.isEmpty()) {
                const qsizetype dot = row.szotmezo2.indexOf(QLatin1Char('.'));
                QSqlQuery q;
                const bool ran = infoRows(QStringLiteral("Select ") + row.szotmezo2.mid(dot + 1)
                                              + QStringLiteral(" INFO\n from ") + row.szotmezo2.left(dot)
                                              + QStringLiteral("\nWhere KOD=:INFOVALUE"),
                                          written, q);
                PanelControl* info = panel.find(QStringLiteral("PF1_") + row.qmezo);
                if (info) info->text = ran && NextRow(q) ? FieldValueText(q.value(0)) : QString();
            }
        }
        return false;
    }
    PanelControl* target = panel.find(prefix + button.pMezo);
    if (!target) return false;
    const QString v = RekordErtek(record, button.pSzotMezo.isEmpty() ? QStringLiteral("KOD") : button.pSzotMezo);
    if (button.pKeynum == 999) {
        if (!target->text.contains(v)) target->text = target->text.trimmed().isEmpty() ? v : target->text + u',' + v;
        return false;
    }
    target->text = v;
    return button.pKeynum == 201;
}

void InfoFrissit(PanelValues& panel, const QString& field) {
    PanelControl* label = panel.find(QStringLiteral("PF1_") + field);
    const PanelControl* edit = panel.find(QStringLiteral("E_") + field);
    if (!label || !edit) return;
    const QString d = label->hint;
    const QString value = edit->text;
    if (d.startsWith(QLatin1Char('#'))) {
        label->text = hashInfo(d, [&panel](const QString& column) { return panel.text(QStringLiteral("E_") + column); },
                               label->tag, false);
        return;
    }
    QString text;
    if (dottedInfo(d, value, text)) label->text = text;
}

void InfoMindFrissit(PanelValues& panel, const QSqlRecord& row, bool descending) {
    for (PanelControl& label : panel.controls) {
        if (label.kind != PanelKind::StaticText) continue;
        label.text.clear();
        if (row.isEmpty()) continue;
        const QString& d = label.hint;
        if (d.isEmpty()) continue;
        if (d.startsWith(QLatin1Char('#'))) {
            label.text = hashInfo(d, [&row](const QString& column) { return rowText(row, column); }, label.tag, descending);
            continue;
        }
        QString text;
        if (dottedInfo(d, rowText(row, NameAfterPrefix(label.name)), text)) {
            label.text = text;
            continue;
        }
        label.text = rowText(row, d.mid(1));
    }
}
