#include "assets/asset_widgets_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "db/altproc.h"
#include "db/db_error.h"
#include "db/edit_keys_window.h"
#include "db/getdatum_window.h"
#include "db/ui_hooks.h"
#include "masterdata/record_storage.h"

QPushButton* AssetButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit* AssetEdit(QWidget* parent, const QString& name, int maxLength, bool date) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (date) {
        e->setInputMask(QStringLiteral("9999.99.99; "));
        e->setMaximumWidth(100);
    } else if (maxLength > 0) {
        e->setMaxLength(maxLength);
    }
    return e;
}

QPushButton* DayButton(QWidget* parent, QLineEdit* date, const QString& name) {
    auto* b = new QPushButton(QStringLiteral("Nap"), parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMaximumWidth(40);
    QObject::connect(b, &QPushButton::clicked, date, [date] {
        if (date->isEnabled()) date->setText(PickDate(date->displayText()));
    });
    return b;
}

QString EditText(const QLineEdit* edit) {
    if (edit->inputMask().isEmpty()) return edit->text();
    QString t = edit->displayText();
    QString bare = t;
    bare.remove(u'.').remove(u' ');
    return bare.isEmpty() ? QString() : t.trimmed();
}

void ReadEdits(const QWidget* window, PanelValues& panel) {
    for (PanelControl& c : panel.controls) {
        if (c.kind != PanelKind::Edit) continue;
        if (const auto* e = window->findChild<QLineEdit*>(c.name)) c.text = EditText(e);
    }
}

void ShowEdits(QWidget* window, const PanelValues& panel) {
    for (const PanelControl& c : panel.controls) {
        if (c.kind == PanelKind::Edit) {
            auto* e = window->findChild<QLineEdit*>(c.name);
            if (!e) continue;
            if (EditText(e) != c.text) e->setText(c.text);
            e->setVisible(c.visible);
            e->setEnabled(c.enabled);
        } else if (c.kind == PanelKind::StaticText) {
            auto* l = window->findChild<QLabel*>(c.name);
            if (!l) continue;
            l->setText(c.text);
            l->setVisible(c.visible);
        }
    }
}

QTableWidget* AssetGrid(QWidget* parent, const QString& name) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->verticalHeader()->hide();
    grid->setAlternatingRowColors(true);
    return grid;
}

void FillGrid(QTableWidget* grid, const QList<QSqlRecord>& rows, const QList<GridColumn>& columns, int current) {
    const QSignalBlocker block(grid);
    grid->clear();
    grid->setColumnCount(int(columns.size()));
    QStringList titles;
    for (const GridColumn& c : columns) titles << c.title;
    grid->setHorizontalHeaderLabels(titles);
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < columns.size(); ++c) {
            const QVariant value = rows.at(r).value(columns.at(c).field);
            auto* item = new QTableWidgetItem(FieldValueText(value));
            if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int ||
                value.typeId() == QMetaType::LongLong)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(r, c, item);
        }
    }
    grid->resizeColumnsToContents();
    if (current >= 0 && current < rows.size()) grid->selectRow(current);
}

void RunGuarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    } catch (const HelperError& error) {
        ShowMessage(error.message());
    }
}

AssetKeys::AssetKeys(QWidget* window) : QObject(window), m_window(window) {}

void AssetKeys::watchEdits() {
    for (QLineEdit* e : m_window->findChildren<QLineEdit*>()) e->installEventFilter(this);
}

bool AssetKeys::eventFilter(QObject* watched, QEvent* event) {
    return MoveFocusByKey(m_window, event) || QObject::eventFilter(watched, event);
}
