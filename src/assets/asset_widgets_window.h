#pragma once
// What the asset windows share: their edits (date edits with the "Nap"
// button), moving the panel's texts between the logic and the widgets, the
// grids over the logic's rows, the keyboard, and showing a database error
// of an event instead of abandoning it silently.
#include <QObject>
#include <QSqlRecord>
#include <QStringList>
#include <functional>

#include "assets/eszkoz.h"
#include "db/quiet_edits_window.h"
#include "masterdata/panel_values.h"

class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

// A push button named `name`.
QPushButton* AssetButton(QWidget* parent, const char* name, const QString& caption);
// A single-line edit; a date edit takes "9999.99.99" with blanks.
QLineEdit* AssetEdit(QWidget* parent, const QString& name, int maxLength, bool date = false);
// The "Nap" button of a date edit: the date picker's choice goes into it.
QPushButton* DayButton(QWidget* parent, QLineEdit* date, const QString& name);
// The edit's text as the logic reads it: an empty date is the empty text.
QString EditText(const QLineEdit* edit);

// The texts of the panel's edits from the window's widgets of the same names.
void ReadEdits(const QWidget* window, PanelValues& panel);
// The panel's edits and info labels into the widgets, with their
// visibility and whether they take input.
void ShowEdits(QWidget* window, const PanelValues& panel);

// The rows in the grid, the current one selected; signals are held back.
void FillGrid(QTableWidget* grid, const QList<QSqlRecord>& rows, const QList<GridColumn>& columns, int current);
QTableWidget* AssetGrid(QWidget* parent, const QString& name);

// Runs an event's work; a database or data error is shown to the user.
void RunGuarded(const std::function<void()>& work);

// Enter and the down arrow move to the next control, the up arrow to the
// previous one, in the edits of the window.
class AssetKeys : public QObject {
public:
    explicit AssetKeys(QWidget* window);
    void watchEdits();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
