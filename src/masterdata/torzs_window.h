#pragma once
// The master-data editor: the generated data panel of a table above the
// grid of its rows, the navigation and record buttons, searching and
// sorting. TablaValaszt (lookup_window.h) opens it for maintenance or for
// choosing a row.
#include <QDialog>
#include <QString>
#include <functional>

#include "masterdata/torzs.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QRadioButton;
class QScrollArea;
class QTableView;
class QToolButton;
class GeneratedPanel;
class TorzsGridModel;
class Ttorzsmazsolafm;

class TTorzsfm : public QDialog {
    Q_OBJECT
public:
    explicit TTorzsfm(QWidget* parent = nullptr);

    TorzsEditor ed;
    QString wenter;
    int windowmagas = 600;
    int wpsboxmagas = 300;

    QMenuBar* menu;
    QToolButton *b_first, *b_prior, *b_next, *b_last;
    QToolButton *b_insert, *b_edit, *b_aktuj, *b_delete, *b_post, *b_cancel, *b_kivalaszt;
    QLabel *Label3, *l_tetel, *l_state, *l_readonly, *Label1, *l_sorrend, *Label2, *l_enter;
    QRadioButton *rb1, *rbtobb;
    QLineEdit* e_keres;
    QCheckBox *CheckBox_barhol, *CheckBox_innentol;
    QScrollArea* sb_data;
    QWidget* dataPanel;  // the generated panel inside sb_data
    QTableView* grid;

    QMenu *navigacio, *adatkezeles, *lista, *beallitasok;
    QAction *aFirst, *aPrior, *aNext, *aLast, *aFrissit;
    QAction *aInsert, *aCopy, *aEdit, *aDelete, *aPost, *aCancel, *aSzovegresz;
    QAction *aTeljesLista, *aTablazatba, *aSajatLista;
    QAction *aCsakAktiv, *aCsakEnter;
    QAction *aKivalaszt, *aKivalasztasTorlese, *aVissza;

    // Selection mode shows the choose button and its menu items.
    void setSelectionMode(bool selection);
    bool selectionMode() const;

    void first();
    void prior();
    void next();
    void last();
    void refresh();
    void newRecord();
    void copyRecord();
    void modify();
    void deleteRecord();
    bool post();
    void cancel();
    void choose();
    void clearSelection();
    void back();
    void storeToFile();
    // "&Teljes lista": the rows as the general list with the table's title.
    void fullList();
    // "Saját öszeállítású lista": the list builder; its condition may filter the grid.
    void ownList();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void prepareShow();
    void buildPanel();
    void readRows();
    void afterRead();
    void setState(const QString& state);
    void moveTo(int row);
    void showCurrent(bool descending);
    void syncGrid();
    void sizeColumns();
    void search();
    void searchReturn();
    void titleClicked(int section);
    void finishChoice();
    bool askClose();
    void guarded(const std::function<void()>& work);

    GeneratedPanel* m_panel;
    Ttorzsmazsolafm* m_builder = nullptr;
    TorzsGridModel* m_model;
    bool m_syncing = false;
    QString m_searched;  // the search text last searched for
};
