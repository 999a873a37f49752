#include "report_row.h"

#include <stdexcept>

#include "export/export_source.h"

int ReportRow::indexOf(const QString& column) const {
    if (!m_columns) return -1;
    auto found = m_columns->constFind(column);  // names are upper case; most callers write them so
    if (found == m_columns->constEnd()) found = m_columns->constFind(column.toUpper());
    return found == m_columns->constEnd() ? -1 : *found;
}

QVariant ReportRow::value(const QString& column) const {
    const int index = indexOf(column);
    if (index < 0) throw std::invalid_argument("no report column named " + column.toStdString());
    return at(index);
}

const QVariant& ReportRow::at(int index) const {
    static const QVariant none;
    if (!m_values || index < 0 || index >= m_values->size()) return none;
    return m_values->at(index);
}

QString ReportRow::text(const QString& column) const { return ExportValueText(value(column)); }

double ReportRow::number(const QString& column) const { return value(column).toDouble(); }
