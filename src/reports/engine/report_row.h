#pragma once
// The row a band prints, as fields, sums and hooks read it: by column name,
// in any case, as the query delivers it.
#include <QHash>
#include <QString>
#include <QVariant>

class ReportRow {
public:
    ReportRow() = default;
    ReportRow(const QHash<QString, int>* columns, const QVariantList* values)
        : m_columns(columns), m_values(values) {}

    // -1 when the query has no such column.
    int indexOf(const QString& column) const;
    // Throws std::invalid_argument for a column the query does not have.
    QVariant value(const QString& column) const;
    const QVariant& at(int index) const;
    // As a list shows it: texts as they are, numbers in general form, NULL empty.
    QString text(const QString& column) const;
    // NULL and texts that are no number count as 0.
    double number(const QString& column) const;
    bool isNull(const QString& column) const { return value(column).isNull(); }

private:
    const QHash<QString, int>* m_columns = nullptr;
    const QVariantList* m_values = nullptr;
};
