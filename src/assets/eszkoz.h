#pragma once
// The asset register: one row of ESZKOZ per fixed or intangible asset, kept
// through a hand-made data panel whose edits are named "e_" + column, so the
// generic panel operations show, clear, store and search it. Storing also
// writes the asset's first card movements: the commissioning, an increase by
// a posted item, and the withdrawal.
//
// This is the register window without widgets: the window reads its
// controls into `p` and the flags below, calls an operation and shows what
// changed. Questions and messages go through the program's dialog hooks.
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <optional>

#include "ledger/asset_rate.h"
#include "masterdata/panel_model.h"
#include "masterdata/panel_values.h"
#include "masterdata/sql_statement.h"

class MemoryExportSource;
class ExportSource;

// One field of the register's data panel.
struct EszkozField {
    QString column;   // ESZKOZ column; the edit is "e_" + lower-case column
    QString caption;  // the label before it (empty: stands beside the previous field)
    bool date = false;      // a date edit with a "Nap" button
    bool disabled = false;  // shown, never typed into
    QString hint;           // search operator of the field
    int maxLength = 0;
    QString lookup;         // the "?" button's name, when the field has one
    QString infoLabel;      // the name label beside it, when it has one
};
const QList<EszkozField>& EszkozFields();

// The columns of the register list.
const QList<GridColumn>& EszkozColumns();

// Fills a name label from its hint "TABLE.COLUMN,KEY=FIELD": the column's
// values of the rows whose KEY equals FIELD of `row`, joined with ", ". A
// hint without its point, comma or equals sign gives no answer (the label
// stays as it is).
std::optional<QString> InfoLabel(const QString& hint, const QSqlRecord& row);


// A typed rate in percent (decimal point or comma; empty is 0); nothing
// when the text is no number.
std::optional<double> RateNumber(const QString& text);

class EszkozForm {
public:
    EszkozForm();
    ~EszkozForm();

    PanelValues p;  // e_ edits (with e_beruhazva_ig, e_uzembehely_ig) and the name labels

    // Window variables
    QString wstate = QStringLiteral("created");
    int wsqldb = 0;
    bool wanraktar = false;
    QString wntipus, wkonyvbiz;  // the voucher the window was opened for

    // Controls the logic sets or reads
    bool cb_keres = false;             // "KERESÉS"
    bool cb_aktiv = true;              // "Csak az élő tételeket lássuk"
    bool p_keresEnabled = true;        // the search panel
    bool p_toligVisible = false;       // the second date bounds
    bool b_kivalasztVisible = false;   // "&Kiválaszt"
    bool szallkodVisible = true;       // supplier code and its "?"
    bool modEnabled = true;            // "&Uj tétel", "&Módosít", "&Tárol" (open year)
    QString focus;                     // the control to focus after an operation stopped

    // The list
    QStringList listSql;
    QVariantMap listParams;
    QList<QSqlRecord> rows;
    int current = -1;
    const QSqlRecord& currentRow() const;
    QString l_tetel() const { return QString::number(rows.size()); }

    // The posted item the window was opened for (empty record: none).
    QSqlRecord wtetel;
    QString tetelText(const QString& column) const;

    void FormShow();
    // After a change of company the window starts over at its next showing.
    void CompanyChanged() { wstate = QStringLiteral("created"); }

    // The list: opens the SQL, stands on the first row (or clears the panel).
    void OpenList(const QStringList& sql, const QVariantMap& params, int sqldb);
    void ReopenList();
    // The list cursor moved: the panel and the name labels show the row.
    void Scroll(int row);
    void SortBy(const QString& field);
    bool Locate(const QString& belsokod);

    // Buttons
    void b_frissitClick();   // "&Feltételeket elfogad"
    void b_torolClick();     // "Feltételeket &töröl"
    void cb_keresClick(bool checked);
    void cb_aktivClick(bool checked);
    void b_ujClick();
    void b_modositClick();
    void b_megsemClick();
    bool b_tarolClick();
    void b_kivalasztClick();

    // Leaving the rate: false with a message when it is no number.
    bool e_kulcs1Exit();
    // Leaving a coded field outside search mode: true when the code was
    // found (the name label or the name filled); false asks for the choice.
    bool e_szlaExit();
    bool e_szallkodExit();
    bool e_ecsmodExit();
    bool e_raktarExit();
    void RefreshInfoLabels();

    // The current list for the spreadsheet export (sheet "Eszköz").
    std::unique_ptr<ExportSource> ListForExport() const;

    // The generated statements of the asset card table, which the card
    // window shares.
    SqlStatement wkartonInsert;

private:
    void openFromVoucher();
    void fillFromItem(bool increase);
    void runSearch();
    void addMovement(const QVariantMap& values);
    QSqlRecord lastMovement(const QString& belsokod) const;
    QString latestPeriodEnd() const;

    QSqlRecord wshape;  // the columns of ESZKOZ, for stores from an empty list
    SqlStatement wins, wupd;
};

// The fixed texts of the card movements the register writes.
inline const QString UzembeHelyezes = QStringLiteral("Üzembe helyezés");
inline const QString Kivezetes = QStringLiteral("Értékesítés / Megsemmisítés");
