#include "row_set.h"
#include "db/dat.h"

void RowSet::load(QSqlQuery& query) {
    clear();
    m_columns = query.record();
    for (int i = 0; i < m_columns.count(); ++i) m_columns.setValue(i, QVariant());
    const int n = m_columns.count();
    while (NextRow(query)) {
        QVariantList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i) row << query.value(i);
        m_rows << row;
    }
    m_open = true;
    current = m_rows.isEmpty() ? -1 : 0;
}

void RowSet::clear() {
    m_rows.clear();
    m_open = false;
    current = -1;
}

QSqlRecord RowSet::record(int row) const {
    QSqlRecord r = m_columns;
    for (int i = 0; i < r.count(); ++i) r.setValue(i, m_rows[row][i]);
    return r;
}
