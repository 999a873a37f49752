#pragma once
// The list builder window ("Törzslista"): the fields of a master table in a
// grid where the user clicks output and sort positions and and/or words,
// adds conditions through the condition panel, looks at the statement and
// its rows, and prints them as the general list.
#include <QDialog>
#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>

#include "masterdata/torzsmazsola.h"

class ExportSource;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QToolButton;
class ResultRowsModel;

// Prints rows as the general list with a title (the report windows install it).
using GeneralListPrintFn = std::function<void(ExportSource& rows, const QString& title, QWidget* parent)>;
void SetGeneralListPrinter(GeneralListPrintFn fn);
const GeneralListPrintFn& GeneralListPrinter();

class Ttorzsmazsolafm : public QDialog {
    Q_OBJECT
public:
    explicit Ttorzsmazsolafm(QWidget* parent = nullptr);

    // Shows the builder for a table modally; the grid is loaded again (and
    // the choices dropped) when the table differs from the previous one.
    // True when the user finished with "&Befejez".
    bool Open(const QString& connection, const QString& table);

    TorzsMazsola mazsola;
    // Set when the user finished: the statement and the choices.
    MazsolaStatement result;
    ASelecter selections;

    // The grid's columns.
    enum Column { ColNo, ColNev, ColKell, ColSor, ColEsVagy, ColFeltetel, ColMezo, ColumnCount };

    QTableWidget* sg;
    QPushButton *b_feltetel, *b_feltetel_torles, *b_minden_torles, *b_uj;
    QGroupBox* p_feltetel;
    QListWidget* lb_muv;
    QComboBox* e_szuro;
    QLineEdit* e_ig;
    QLabel* l_ig;
    QToolButton* b_ertekek;
    QPushButton *b_elfogad, *b_megsem;
    QLabel* l_cim;
    QLineEdit* e_cim;
    QPlainTextEdit* m_sql;
    QPushButton *b_sql, *b_indul, *b_kerdes, *b_nyomtat, *b_tarol, *b_vissza, *b_befejez;
    QTableView* g_eredmeny;
    QLabel* l_sorok;

    // The cell of the grid the user entered (click or space).
    void cellEntered(int row, int column);
    void openConditionPanel();
    void acceptCondition();
    void fillDistinctValues();
    void buildStatement();
    // Runs the statement of the memo (built when empty); false on an error,
    // which the user has seen.
    bool run();
    void showSummary();
    void printPreview();
    // The rows into a file (a workbook, an SQL script or a text), its name asked.
    void storeRows();
    void finish();

    // The rows of the last run.
    int resultRowCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showGrid();
    void operatorChanged();
    void reset();

    QString m_connection;
    QString m_builtText;  // the memo's text as last built: run with bound values
    MazsolaStatement m_built;
    ResultRowsModel* m_result;
    bool m_hasRun = false;
};
