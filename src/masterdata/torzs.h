#pragma once
// The master-data editor without its window: the table it edits, its panel
// model, its rows, its state ("browse", "insert", "update") and what the
// buttons of the window do with them. The window (torzs_window.h) shows the
// panel and the grid and calls these operations.
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "masterdata/panel_model.h"
#include "masterdata/panel_values.h"
#include "masterdata/row_set.h"
#include "masterdata/sql_statement.h"
#include "masterdata/torzs_order.h"

class TorzsEditor {
public:
    explicit TorzsEditor(QString connection = d_tarvedo);
    virtual ~TorzsEditor() = default;

    // Set for every opening.
    QString wtable;        // upper case
    QString wmodulname;    // control set
    QString wmodulname2;   // the name after "+" in the table given to TablaValaszt; stored only
    QString wtablanev;     // title
    QString wwhere;        // empty or beginning with "WHERE"
    QString wlocate;
    bool weditable = true;
    QString wgedit;        // grid columns editable in the grid (GRIDEDIT)
    bool wdesc = false;    // info labels descending after "cancel"
    QString wdefault, wdefaultmezo;

    // Kept between openings.
    QString wstate = QStringLiteral("browse");
    QString wkey;  // key columns, comma-separated; empty without key
    int wkeynum = 0;
    QStringList wkeyfields;
    QString wkeylocate;
    QStringList waktertekek;  // key values of the row to return to
    QString worders;
    QStringList wmezok, wsmezok, wgrdtitles;
    int wsbcompcount = 0;
    bool walasztott = false, wtorol = false;
    bool wkellsbepit = true;   // the panel must be built
    bool wkellfrissit = true;  // the rows must be read
    bool activeOnlyEnabled = false;  // the table has AKTIV
    bool activeOnlyChecked = true;   // "Csak az aktív tételeket látjuk"

    QStringList q_torzs;  // "Select * From", table, filter, order
    // A condition the user composed in the list builder, with its typed
    // values bound by name; added to the filter until the window closes.
    QString listFilter;
    QVariantMap listFilterParams;
    // The values q_torzs binds.
    QVariantMap q_torzsParams() const { return listFilter.isEmpty() ? QVariantMap() : listFilterParams; }
    SqlStatement qi_torzs, qu_torzs, qd_torzs, q_dupla;
    RowSet rows;
    PanelModel model;

    const QString& connection() const { return m_connection; }

    // The panel model, the key and the statements of the table.
    void BuildPanel(int panelWidth);
    // Reads the rows again; a reader that had rows returns to the remembered key.
    void ReadRows();

    // New record: the panel is emptied (not when copying the current one).
    void BeginInsert(PanelValues& panel, bool copy);
    bool BeginUpdate();
    // The panel shows the current row (nothing when there is none).
    void ShowCurrent(PanelValues& panel, bool descending);
    bool HasUnsavedChanges(const PanelValues& panel) const;
    // Checks and stores the panel; true when stored: the rows are read again,
    // standing on the stored row, and the state is "browse".
    bool Store(const PanelValues& panel);
    // Asks, deletes the current row and reads the rows again.
    bool Delete();
    // A value typed into the grid's cell, stored into that row.
    bool StoreCell(int row, int column, const QString& text);

    void TitleClick(const QString& field, bool singleLevel);
    // Moves to the row the search text finds; false when it finds none.
    bool Search(const QString& text, const SearchSwitches& switches);

    // The panel captions of columns listed as "A;B;", in the same form.
    QString fieldCaptions(const QString& columns) const;

    // Per-table behaviour at fixed moments; in this system they do nothing
    // and allow everything.
    virtual void OnInsert(const QString& value, const QString& field, PanelValues& panel, const QString& table);
    virtual bool BeforeEdit(const QString& table);
    virtual bool BeforeDelete(const RowSet& rows, const QString& keys, const QString& table);
    virtual bool BeforePost(const PanelValues& panel, const QString& state, const RowSet& rows, const QString& table);
    virtual void AfterPost(const QString& state, const RowSet& rows, const SqlStatement& statement, const QString& table);
    virtual void AfterDelete();
    virtual void LookupCompleted();

private:
    bool duplicateKey(const PanelValues& panel);
    QStringList keyValues(const PanelValues* panel) const;
    QStringList auditKeys() const;

    QString m_connection;
};
