#include "masterdata/torzsmazsola.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <functional>

#include "db/dat.h"

namespace {

const QString kPositions = QStringLiteral("123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

int positionIndex(const QString& p) { return p.isEmpty() ? -1 : int(kPositions.indexOf(p.at(0))); }

// A typed value between quotes, each quote doubled so that it stays a value.
QString quoted(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

// One condition as text: the values given by `valueText` (a quoted literal
// or a placeholder). LIKE patterns carry their "%" in the value.
QString conditionText(const ConditionPart& c, const std::function<QString(const QString&)>& valueText) {
    const QString v = c.value.trimmed();
    if (c.op == QLatin1String("%t%")) return QStringLiteral("like ") + valueText(QLatin1Char('%') + v + QLatin1Char('%'));
    if (c.op == QLatin1String("%t")) return QStringLiteral("like ") + valueText(QLatin1Char('%') + v);
    if (c.op == QLatin1String("t%")) return QStringLiteral("like ") + valueText(v + QLatin1Char('%'));
    if (c.op == QLatin1String("[]"))
        return QStringLiteral("between ") + valueText(v) + QStringLiteral(" and ") + valueText(c.value2.trimmed());
    if (c.op == QLatin1String("null")) return QStringLiteral("is null");
    return c.op + QLatin1Char(' ') + valueText(v);
}

// The connective before a further condition of the same field.
QString joinWord(const ConditionPart& c) { return c.op == QLatin1String("<>") ? QStringLiteral("or") : QStringLiteral("and"); }

// A row's conditions on `qualified` (T.F), wrapped when there is more than
// one or a "between".
QString rowCondition(const MazsolaRow& row, const QString& qualified,
                     const std::function<QString(const QString&)>& valueText) {
    QString text;
    for (int i = 0; i < row.conditions.size(); ++i) {
        const ConditionPart& c = row.conditions[i];
        if (i > 0) text += QLatin1Char(' ') + joinWord(c) + QLatin1Char(' ');
        text += qualified + QLatin1Char(' ') + conditionText(c, valueText);
    }
    const bool wrap = row.conditions.size() > 1 || row.conditions.value(0).op == QLatin1String("[]");
    return wrap ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

QString withoutFirstWord(const QString& item) {
    const qsizetype blank = item.indexOf(QLatin1Char(' '));
    return blank < 0 ? item : item.mid(blank + 1);
}

}  // namespace

const QStringList& MuveletItems() {
    static const QStringList items = {
        QStringLiteral("=    egyenlő"),
        QStringLiteral(">    nagyobb"),
        QStringLiteral(">=  nagyobb, vagy egyenlő"),
        QStringLiteral("<    kisebb"),
        QStringLiteral("<=  kisebb, vagy egyenlő"),
        QStringLiteral("<>  nem egyenlő"),
        QStringLiteral("%t% szöveget tartalmaz bárhol"),
        QStringLiteral("%t   szöveg vége"),
        QStringLiteral("t%   szöveg kezdete"),
        QStringLiteral("[]    tól - ig"),
        QStringLiteral("null érték nélkül"),
    };
    return items;
}

QString MuveletOf(const QString& item) { return item.left(4).trimmed(); }

QString MazsolaRow::feltetel() const {
    QString text;
    for (int i = 0; i < conditions.size(); ++i) {
        if (i > 0) text += QLatin1Char(' ') + joinWord(conditions[i]) + QLatin1Char(' ');
        text += conditionText(conditions[i], quoted);
    }
    return text;
}

void TorzsMazsola::Load(const QString& connection, const QString& tableName) {
    table = tableName.trimmed().toUpper();
    rows.clear();
    QSqlQuery q = ExecSql(connection,
                          QStringLiteral("Select SORREND, MEGNEVEZES, MEZO\n  from VEZERLO\n"
                                         " where (BUTTON <> 'MEMO' or button is null) and (MODUL = :TABLA)\n"
                                         "Order By SORREND"),
                          {{QStringLiteral("TABLA"), table}});
    while (NextRow(q)) {
        MazsolaRow row;
        row.caption = q.value(1).toString().trimmed();
        row.field = q.value(2).toString().trimmed().toUpper();
        if (row.field.isEmpty()) continue;  // a control without a column
        if (row.caption.isEmpty()) row.caption = row.field;
        rows << row;
    }
    if (!rows.isEmpty()) return;
    // The table's name comes from the table list, never from typed text.
    QSqlQuery columns = ExecSql(connection, QStringLiteral("Select * From ") + table + QStringLiteral(" where 1=2"));
    const QSqlRecord record = columns.record();
    for (int i = 0; i < record.count(); ++i) {
        MazsolaRow row;
        row.caption = row.field = record.fieldName(i).trimmed();
        rows << row;
    }
}

bool TorzsMazsola::ClickKell(int row) {
    MazsolaRow& r = rows[row];
    if (!r.kell.isEmpty()) {
        const int removed = positionIndex(r.kell);
        r.kell.clear();
        for (MazsolaRow& other : rows)
            if (const int p = positionIndex(other.kell); p > removed) other.kell = kPositions.at(p - 1);
        return true;
    }
    int highest = -1;
    for (const MazsolaRow& other : rows) highest = std::max(highest, positionIndex(other.kell));
    if (highest + 1 >= MaxOutputs) return false;
    r.kell = kPositions.at(highest + 1);
    return true;
}

bool TorzsMazsola::HasOutput() const {
    return std::any_of(rows.begin(), rows.end(), [](const MazsolaRow& r) { return !r.kell.isEmpty(); });
}

bool TorzsMazsola::CanEnterSorrend(int row) const {
    const MazsolaRow& r = rows[row];
    return !r.kell.isEmpty() || !r.sorrend.isEmpty() || HasOutput();
}

bool TorzsMazsola::ClickSorrend(int row) {
    if (!CanEnterSorrend(row)) return false;
    MazsolaRow& r = rows[row];
    if (!r.sorrend.isEmpty()) {
        const int removed = r.sorrend.toInt();
        r.sorrend.clear();
        for (MazsolaRow& other : rows)
            if (const int n = other.sorrend.toInt(); n > removed) other.sorrend = QString::number(n - 1);
        return true;
    }
    int highest = 0;
    for (const MazsolaRow& other : rows) highest = std::max(highest, other.sorrend.toInt());
    if (highest >= MaxSorts) return false;
    r.sorrend = QString::number(highest + 1);
    return true;
}

void TorzsMazsola::ClickEsVagy(int row) {
    QString& w = rows[row].esvagy;
    w = w == QLatin1String("and") ? QStringLiteral("or") : QStringLiteral("and");
}

bool TorzsMazsola::AddCondition(int row, const QString& operatorItem, const QString& value, const QString& value2) {
    ConditionPart c;
    c.op = MuveletOf(operatorItem);
    c.value = value.trimmed();
    c.value2 = value2.trimmed();
    if (c.op != QLatin1String("null") && c.value.isEmpty()) return false;
    if (c.op == QLatin1String("null")) c.value.clear();
    if (c.op != QLatin1String("[]")) c.value2.clear();
    rows[row].conditions << c;
    rows[row].esvagy = QStringLiteral("and");
    return true;
}

void TorzsMazsola::ClearCondition(int row) {
    rows[row].conditions.clear();
    rows[row].esvagy.clear();
}

void TorzsMazsola::ClearAllConditions() {
    for (int i = 0; i < rows.size(); ++i) ClearCondition(i);
}

void TorzsMazsola::NewQuery() {
    ClearAllConditions();
    for (MazsolaRow& r : rows) {
        r.kell.clear();
        r.sorrend.clear();
    }
}

MazsolaStatement TorzsMazsola::Build() const {
    MazsolaStatement s;
    // Output items: position character + T.F, in position order.
    QList<std::pair<QString, QString>> outputs;  // item, caption
    for (const MazsolaRow& r : rows)
        if (!r.kell.isEmpty()) outputs << std::pair{r.kell + table + QLatin1Char('.') + r.field, r.caption};
    std::sort(outputs.begin(), outputs.end());
    outputs.erase(std::unique(outputs.begin(), outputs.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  outputs.end());
    QStringList columns, captions;
    for (const auto& [item, caption] : outputs) {
        columns << item.mid(1);
        captions << caption;
    }
    s.columns = columns.join(QLatin1Char(','));
    s.captions = captions.isEmpty() ? QString() : captions.join(QLatin1Char(',')) + QLatin1Char(',');

    // Condition items: "and|or" + the row's condition, sorted as they read.
    struct Item {
        QString shown;
        const MazsolaRow* row;
    };
    QList<Item> conditions;
    for (const MazsolaRow& r : rows) {
        if (r.conditions.isEmpty()) continue;
        const QString qualified = table + QLatin1Char('.') + r.field;
        const QString word = r.esvagy.isEmpty() ? QStringLiteral("and") : r.esvagy;
        conditions << Item{word + QLatin1Char(' ') + rowCondition(r, qualified, quoted), &r};
    }
    std::stable_sort(conditions.begin(), conditions.end(), [](const Item& a, const Item& b) { return a.shown < b.shown; });
    QStringList shownLines, boundLines;
    for (int i = 0; i < conditions.size(); ++i) {
        const MazsolaRow& r = *conditions[i].row;
        const QString word = r.esvagy.isEmpty() ? QStringLiteral("and") : r.esvagy;
        const auto placeholder = [&s](const QString& value) {
            const QString name = QStringLiteral("F%1").arg(s.params.size() + 1);
            s.params.insert(name, value);
            return QLatin1Char(':') + name;
        };
        const QString bound = rowCondition(r, table + QLatin1Char('.') + r.field, placeholder);
        shownLines << (i == 0 ? withoutFirstWord(conditions[i].shown) : conditions[i].shown);
        boundLines << (i == 0 ? bound : word + QLatin1Char(' ') + bound);
    }
    if (!shownLines.isEmpty()) {
        s.condition = shownLines.join(QLatin1Char(' '));
        s.boundCondition = boundLines.join(QLatin1Char(' '));
        if (s.condition.contains(QLatin1String(" or "))) {
            s.condition = QLatin1Char('(') + s.condition + QLatin1Char(')');
            s.boundCondition = QLatin1Char('(') + s.boundCondition + QLatin1Char(')');
        }
    }

    // Sort items: number + T.F, in number order.
    QStringList sorts;
    for (const MazsolaRow& r : rows)
        if (!r.sorrend.isEmpty()) sorts << r.sorrend + table + QLatin1Char('.') + r.field;
    sorts.sort();
    for (QString& item : sorts) item.remove(0, 1);
    s.orders = sorts.join(QLatin1Char(','));

    const QString select = columns.isEmpty() ? QStringLiteral(" SELECT *") : QStringLiteral(" SELECT ") + s.columns;
    const QString from = QStringLiteral("From ") + table;
    QStringList bound{select, from};
    s.lines = QStringList{select, from};
    if (!shownLines.isEmpty()) {
        s.lines << QStringLiteral(" where ") << shownLines;
        bound << QStringLiteral(" where ") << boundLines;
    }
    if (!sorts.isEmpty()) {
        const QString order = QStringLiteral(" order by ") + sorts.join(QStringLiteral(" , "));
        s.lines << order;
        bound << order;
    }
    s.boundSql = bound.join(QLatin1Char('\n'));
    return s;
}

ASelecter TorzsMazsola::Selections() const {
    ASelecter list;
    for (const MazsolaRow& r : rows) {
        if (r.kell.isEmpty() && r.conditions.isEmpty()) continue;
        TSelecter s;
        s.mezonev = r.field;
        s.kell = positionIndex(r.kell) + 1;
        s.sorrend = r.sorrend.toInt();
        s.esvagy = r.esvagy;
        s.feltetel = r.feltetel();
        list << s;
    }
    return list;
}

QStringList TorzsMazsola::DistinctValues(const QString& connection, int row) const {
    const QString field = rows[row].field;
    QSqlQuery q = ExecSql(connection, QStringLiteral("Select Distinct ") + field + QStringLiteral(" From ") + table +
                                          QStringLiteral("\nOrder By ") + field);
    QStringList values;
    while (NextRow(q)) values << q.value(0).toString();
    return values;
}

QString MazsolaSummary(const MazsolaStatement& s) {
    return QStringLiteral("Megadott feltétel:\n") +
           (s.condition.isEmpty() ? QStringLiteral(" * Nincs megadva feltétel *") : s.condition) +
           QStringLiteral("\nKiválasztott mezők:\n") +
           (s.columns.isEmpty() ? QStringLiteral(" * Nincs kiválasztva mező *") : s.columns);
}
