#pragma once
// The card of one asset: the numbered value movements of ESZKOZKARTON, each
// with the gross value and the net value after it. The user adds, changes
// and deletes movements by hand; the register and the depreciation run
// write their own movements into the same table.
//
// The card window without widgets: the window reads its edits into `p`,
// calls an operation and shows the result.
#include <QList>
#include <QSqlRecord>
#include <QString>

#include "masterdata/panel_values.h"
#include "masterdata/sql_statement.h"

#include "assets/eszkoz.h"

// The columns of the card grid.
const QList<GridColumn>& EszkozKartonColumns();

class EszkozKartonForm {
public:
    EszkozKartonForm();

    PanelValues p;  // e_ edits of the movement and l_szlanev

    QString weszkozkod;  // the asset shown
    bool wnew = false;   // the register was opened for a voucher: its posted item is proposed
    QSqlRecord wtetel;   // that posted item (first class-1 row of the voucher)
    QString wstate = QStringLiteral("created");

    QString kod, megnevezes;  // the asset's registration number and name
    bool p_fejEnabled = false;
    bool p_babralEnabled = true;
    QString focus;  // the edit to focus after the store stopped

    QList<QSqlRecord> rows;
    int current = -1;
    const QSqlRecord& currentRow() const;

    void FormShow();
    void OpenKarton();
    void Scroll(int row);

    // Leaving a gross change: the gross value continues the card.
    void e_bruttonovExit();
    void e_bruttocsokExit();
    // Leaving the account: true when found (its name is shown).
    bool e_szlaExit();

    void b_ujClick();
    void b_modositClick();
    bool b_okClick();
    void b_megsemClick();
    bool b_torlesClick();
    void b_listaClick() { Scroll(rows.isEmpty() ? -1 : 0); }

private:
    double baseBrutto() const;
    QSqlRecord wshape;
    SqlStatement wins, wupd, wdel;
};
