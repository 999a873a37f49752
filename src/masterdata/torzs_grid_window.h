#pragma once
// The editor's grid: the rows of the editor's query in the columns of the
// panel model, numbers under their display formats, the titles of the sort
// fields in bold, and the cells of the GRIDEDIT columns editable in place.
#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

class TorzsEditor;

class TorzsGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TorzsGridModel(TorzsEditor& editor, QObject* parent = nullptr);

    // The columns (and their display formats) after a build, the rows after a read.
    void reset(const QStringList& displayFormats);
    // 0-based grid columns that may be edited in the grid; empty: none.
    void setEditableColumns(const QSet<int>& columns);
    // The field of a grid column; empty for a column bound to nothing.
    QString field(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    int sourceColumn(int column) const;

    TorzsEditor& m_editor;
    QStringList m_formats;
    QList<int> m_sourceColumns;
    QSet<int> m_editable;
};
