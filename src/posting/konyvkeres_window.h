#pragma once
// The posting search: criteria, the list of ledger rows sorted by a column
// title, storing the list to a file, and the modification of a chosen row
// in the voucher window.
#include <QDialog>
#include <QString>

#include "masterdata/panel_values.h"
#include "posting/posting_search.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;
class QTableView;
class AmountDelegate;

class Tkonyvkeresfm : public QDialog {
    Q_OBJECT
public:
    explicit Tkonyvkeresfm(QWidget* parent = nullptr);
    ~Tkonyvkeresfm() override;

    QFrame *Panel1, *Panel2, *p_grid;
    QLineEdit *e_ntipus, *e_szla_tol, *e_szla_ig, *e_eszla_tol, *e_eszla_ig, *e_teljkelt_tol, *e_teljkelt_ig, *e_bizkelt_tol,
        *e_bizkelt_ig, *e_bizonylat, *e_ertek_tol, *e_ertek_ig, *e_konyvelve_tol, *e_konyvelve_ig, *e_konyvbiz,
        *e_szlakelt_tol, *e_szlakelt_ig, *e_szamlaszam, *e_fizhatido_tol, *e_fizhatido_ig, *e_ugyfelkod, *e_szoveg;
    QPushButton *B_ntipus, *b_fokszlatol, *b_fokszlaig, *b_eszlatol, *b_eszlaig, *B_ugyfelkod;
    QLabel *l_ntip, *l_fokszlatol, *l_fokszlaig, *l_eszlatol, *l_eszlaig, *l_ugyfel, *l_ugyfel1, *l_db;
    QPushButton *b_vissza, *b_modosit, *b_frissit, *b_tarol, *b_torol;
    QTableView* DBGrid1;

    // The list query as it stands: its lines, values and whether it is open.
    const PostingSearch& search() const { return m_search; }
    bool listOpen() const { return m_open; }

    void clearCriteria();   // "&Feltételek törlése"
    void runSearch();       // "&Keresés, leválogatás"
    void sortBy(int column);  // a click on a column title
    void modifyCurrent();   // "A kiválasztott tétel módosítása"
    void storeList();       // "&Táblázat tárolása"

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void buildWindow();
    PanelValues criteria() const;
    void openList();
    void closeList();
    void criterionExit(QLineEdit* edit);
    void chooseNtipus();
    void chooseAccount(QLineEdit* edit, QLabel* name, bool locate);
    void chooseUgyfel();

    PostingSearch m_search;
    bool m_open = false;
    bool m_searched = false;
    QSqlQueryModel* m_model;
    AmountDelegate* m_amounts;
    QList<QLineEdit*> m_edits;
};

// "Könyvelési tétel visszakeresése": shows the search window without
// blocking, with the caption given, over `area` (the main window's client
// area, in the parent's coordinates) when one is given.
void ShowKonyvkeresFm(QWidget* parent, const QString& caption, const QRect& area = {});
