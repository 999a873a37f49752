#pragma once
// The voucher window: the header and item fields, the state and item
// buttons and the grid of the item's rows. It copies its controls into the
// voucher logic (konyvel.h), runs the operation of an event and shows the
// logic's values again.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "posting/konyvel.h"
#include "posting/voucher_store.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TKonyvelFm : public QDialog {
    Q_OBJECT
public:
    explicit TKonyvelFm(QWidget* parent = nullptr);
    ~TKonyvelFm() override;

    // The voucher logic; the opener sets wntipus, wkonyvbiz, wsorszam,
    // wszla, weszla before showing the window.
    KonyvelForm form;

    // Buttons and panels, by the names the program knows them.
    QFrame *p_topbutton, *P_fej, *p_sorbutton, *p_tetel, *p_afa;
    QPushButton *b_ujbiz, *b_vissza, *b_ujtetel, *b_modosit, *b_rogzit, *b_megsem;
    QPushButton *b_ntipus, *B_konyvdat, *B_ugyfel, *B_ktsghely, *b_devizanem, *b_teljkelt, *b_szamlakelt, *b_fizhatido,
        *b_bizkelt, *b_szla, *b_eszla, *b_aszla;
    QLabel *l_state, *l_statesor, *L_Bizonylat, *L_teljkelt, *l_arfolyam, *L_devizanem, *L_devizaertek;
    QLabel *l_ntip, *l_ugyfelnev, *l_szla, *l_eszla, *l_aszlanev;
    QLineEdit *e_ntipus, *e_konyvbiz, *e_konyvdat, *e_ugyfelkod, *e_ktsghely, *e_devizanem, *e_bizonylat, *e_szamlaszam,
        *e_teljkelt, *e_szamlakelt, *e_fizhatido, *e_arfolyam, *e_bizkelt;
    QLineEdit *e_szoveg, *e_szla, *e_eszla, *e_ertek, *e_aszla, *e_afaertek, *e_nettoertek, *e_sor65, *e_afakulcs,
        *e_devizaertek;
    QCheckBox* cb_afa;
    QTableWidget* DBGrid1;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void connectEvents();
    // Controls into the logic, and the logic back into the controls.
    void readControls();
    void showForm();
    void showGrid();
    // Runs an operation of the logic between reading and showing; a
    // database error is shown and abandons the event.
    void run(const std::function<void()>& operation);
    void fieldExit(QLineEdit* edit);
    void pickDate(QLineEdit* edit);
    void chooseNtipus();
    void chooseUgyfel();
    void chooseKtsghely();
    void chooseDeviza();
    void chooseSzla(bool debit);
    void chooseAszla();
    void gridMoved();

    bool m_showing = false;  // the controls are being filled: no events
    QList<QLineEdit*> m_edits;
};

// "Könyvelési tételek rögzítése": refuses a closed year ("Az év le van
// zárva."), else shows the voucher window without blocking, with the
// caption given, its journal type and voucher number cleared.
void ShowKonyvelFm(QWidget* parent, const QString& caption);
// The voucher window on one stored row, modally ("Könyvelési tételek
// módosítása"); returns when it is closed.
void ModifyInKonyvelFm(QWidget* parent, const QString& ntipus, const QString& konyvbiz, const QString& sorszam,
                       const QString& szla, const QString& eszla);
// The asset register the voucher window offers after storing an item on a
// class-1 account (set by the program once the register exists).
void SetAssetRegisterOpener(OpenAssetRegister opener);
