#include "torzs_grid_window.h"

#include <QFont>
#include <QSqlField>

#include "db/catalog.h"
#include "db/db_error.h"
#include "db/display_mask.h"
#include "db/ui_hooks.h"
#include "masterdata/record_storage.h"
#include "masterdata/torzs.h"

TorzsGridModel::TorzsGridModel(TorzsEditor& editor, QObject* parent) : QAbstractTableModel(parent), m_editor(editor) {}

void TorzsGridModel::reset(const QStringList& displayFormats) {
    beginResetModel();
    m_formats = displayFormats;
    m_sourceColumns.clear();
    for (const QString& f : m_editor.wsmezok) m_sourceColumns << (f.isEmpty() ? -1 : m_editor.rows.columns().indexOf(f));
    endResetModel();
}

void TorzsGridModel::setEditableColumns(const QSet<int>& columns) { m_editable = columns; }

QString TorzsGridModel::field(int column) const {
    return column >= 0 && column < m_editor.wsmezok.size() ? m_editor.wsmezok[column] : QString();
}

int TorzsGridModel::sourceColumn(int column) const {
    return column >= 0 && column < m_sourceColumns.size() ? m_sourceColumns[column] : -1;
}

int TorzsGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_editor.rows.count(); }

int TorzsGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_sourceColumns.size());
}

QVariant TorzsGridModel::data(const QModelIndex& index, int role) const {
    const int source = sourceColumn(index.column());
    if (source < 0 || index.row() >= m_editor.rows.count()) return {};
    const QString type = FieldTypeName(m_editor.rows.columns().field(source));
    const bool numeric = type == QLatin1String("FLOAT") || type == QLatin1String("INTEGER") || type == QLatin1String("SMALLINT");
    if (role == Qt::TextAlignmentRole)
        return numeric ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const QVariant value = m_editor.rows.value(index.row(), source);
    if (type == QLatin1String("BLOB")) return value.isNull() ? QString() : QStringLiteral("(kép)");
    const QString format = index.column() < m_formats.size() ? m_formats[index.column()] : QString();
    if (role == Qt::DisplayRole && type == QLatin1String("FLOAT") && !format.trimmed().isEmpty() && !value.isNull())
        return FormatMask(value.toDouble(), format);
    QString text = FieldValueText(value);
    if (role == Qt::DisplayRole && type == QLatin1String("MEMO")) text = text.section(QLatin1Char('\n'), 0, 0);
    return text;
}

QVariant TorzsGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_editor.wgrdtitles.size()) return {};
    if (role == Qt::DisplayRole) return m_editor.wgrdtitles[section];
    if (role == Qt::FontRole) {
        QFont font;
        font.setBold(!field(section).isEmpty() && IsOrderItem(m_editor.worders, field(section)));
        return font;
    }
    return {};
}

Qt::ItemFlags TorzsGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable.contains(index.column()) && sourceColumn(index.column()) >= 0) f |= Qt::ItemIsEditable;
    return f;
}

bool TorzsGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    bool stored = false;
    try {
        stored = m_editor.StoreCell(index.row(), sourceColumn(index.column()), value.toString());
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
    if (stored) Q_EMIT dataChanged(index, index);
    return stored;
}
