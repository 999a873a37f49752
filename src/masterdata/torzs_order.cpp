#include "torzs_order.h"

#include <QSqlField>

#include "db/catalog.h"
#include "masterdata/record_storage.h"

namespace {

const QString kDesc = QStringLiteral(" DESC");

QStringList orderItems(const QString& orders) {
    QStringList items;
    for (const QString& item : orders.split(QLatin1Char(',')))
        if (!item.trimmed().isEmpty()) items << item.trimmed();
    return items;
}

QString itemField(const QString& item) {
    return item.endsWith(kDesc, Qt::CaseInsensitive) ? item.left(item.size() - kDesc.size()).trimmed() : item;
}

QString cellText(const RowSet& rows, int row, int column) { return FieldValueText(rows.value(row, column)); }

}  // namespace

QString ClickTitle(const QString& orders, const QString& field, bool singleLevel, const QString& firstField) {
    if (singleLevel) return orders == field ? field + kDesc : field;
    QStringList items = orderItems(orders);
    const qsizetype descending = items.indexOf(field + kDesc);
    const qsizetype ascending = items.indexOf(field);
    if (descending >= 0)
        items.removeAt(descending);
    else if (ascending >= 0)
        items[ascending] = field + kDesc;
    else
        items << field;
    return items.isEmpty() ? firstField : items.join(QLatin1Char(','));
}

bool IsOrderItem(const QString& orders, const QString& field) { return orderItems(orders).contains(field); }

int RacsKeres(const RowSet& rows, const QString& text, const QString& orders, const SearchSwitches& switches) {
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char(','))) t.chop(1);
    const QStringList items = orderItems(orders);
    if (items.isEmpty()) return -1;

    if (switches.singleLevel || !t.contains(QLatin1Char(',')) || items.size() < 2) {
        const int column = rows.columns().indexOf(itemField(items.first()));
        if (column < 0) return -1;
        if (switches.anywhere) {
            for (int r = switches.fromCurrent ? qMax(rows.current, 0) : 0; r < rows.count(); ++r)
                if (cellText(rows, r, column).contains(t, Qt::CaseInsensitive)) return r;
            return -1;
        }
        for (int r = 0; r < rows.count(); ++r)
            if (cellText(rows, r, column).startsWith(t, Qt::CaseInsensitive)) return r;
        return -1;
    }

    // Several levels: each value against its field of the order, cut to the
    // field's width.
    const QStringList values = t.split(QLatin1Char(','));
    QList<int> columns;
    QStringList wanted;
    for (int i = 0; i < values.size() && i < items.size(); ++i) {
        const int column = rows.columns().indexOf(itemField(items[i]));
        if (column < 0) return -1;
        QString type;
        const int width = FieldDisplayWidth(rows.columns().field(column), type);
        columns << column;
        wanted << (width > 0 ? values[i].left(width) : values[i]);
    }
    for (int r = 0; r < rows.count(); ++r) {
        bool all = true;
        for (int i = 0; i < columns.size() && all; ++i)
            all = cellText(rows, r, columns[i]).startsWith(wanted[i], Qt::CaseInsensitive);
        if (all) return r;
    }
    return -1;
}

int LocateKey(const RowSet& rows, const QStringList& keyFields, const QStringList& values) {
    QList<int> columns;
    for (const QString& field : keyFields) {
        const int column = rows.columns().indexOf(field);
        if (column < 0) return -1;
        columns << column;
    }
    if (columns.isEmpty() || values.size() < columns.size()) return -1;
    for (bool exact : {true, false}) {
        for (int r = 0; r < rows.count(); ++r) {
            bool all = true;
            for (int i = 0; i < columns.size() && all; ++i) {
                const QString cell = cellText(rows, r, columns[i]);
                all = exact ? cell == values[i] : cell.startsWith(values[i]);
            }
            if (all) return r;
        }
    }
    return -1;
}
