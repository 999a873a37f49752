#pragma once
// The company selection window: browse the registry of company-year
// databases, add or change entries, create a new database from the
// template, and choose the one to work with.
#include <QDialog>

#include "shell/cegvalaszt.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QToolButton;

class Tcegvalasztfm : public QDialog {
    Q_OBJECT
public:
    explicit Tcegvalasztfm(QWidget* parent = nullptr);

    // Shows the window modally; true when it was closed by choosing a row.
    bool choose();
    CompanyChoice chosen() const { return registry.choice(); }

    CompanyRegistry registry;

    QMenuBar* almenu;
    QAction* Ujfelvitel;
    QAction* Modositas;
    QAction* Aktualisbolujat;
    QAction* Oktarol;
    QAction* Nemtarolmegsem;
    QAction* Vissza;
    QAction* Elsosor;
    QAction* Elozosor;
    QAction* Kovetkezosor;
    QAction* Utolsosor;
    QAction* Mindenceglatszik;
    QAction* Csakanyitottak;
    QWidget* navi;
    QPushButton* b_uj;
    QPushButton* b_mod;
    QPushButton* b_ok;
    QPushButton* b_megsem;
    QPushButton* b_kivalaszt;
    QPushButton* b_vissza;
    QWidget* p_fej;
    QLineEdit* e_kod;
    QLineEdit* e_nev;
    QLineEdit* e_aktualisev;
    QLineEdit* e_dbserver;
    QPushButton* b_gdb;
    QLineEdit* e_nyitva;
    QPushButton* b_aktiv;
    QLabel* l_state;
    QTableView* DBGrid1;

    void newEntry();
    void modify();
    void newFromCurrent();
    void ok();
    void cancelEdit();
    void select();
    void move(int to);  // 0 first, 1 prior, 2 next, 3 last
    void browseGdb();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRow();
    void showList();
    void setEditMode(bool edit);
    void guarded(const std::function<void()>& work);
    QStandardItemModel* m_model;
    QString m_kodProposed;  // the code the file name was last proposed for
};
