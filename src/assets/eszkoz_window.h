#pragma once
// The asset register window "Tárgyi eszközök és immateriális javak": the
// data panel of one asset over the list of assets, with search, the card
// and the spreadsheet list.
#include <QWidget>

#include "assets/eszkoz.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class Teszkozfm : public QWidget {
    Q_OBJECT
public:
    explicit Teszkozfm(QWidget* parent = nullptr);
    ~Teszkozfm() override;

    EszkozForm form;

    QFrame *p_buttons, *p_keres, *p_vissza, *p_mod, *p_kivalaszt, *p_data;
    QPushButton *b_torol, *b_frissit, *b_vissza, *b_uj, *b_modosit, *b_tarol, *b_megsem, *b_karton, *b_listak,
        *b_kivalaszt;
    QCheckBox *cb_keres, *cb_aktiv;
    QLabel *l_state, *l_tetel;
    QTableWidget* dbg_eszkoz;

    // Runs an event: the controls into the logic, the work, the logic back
    // into the controls; a database error is shown.
    void run(const std::function<void()>& work);
    void showForm();

public Q_SLOTS:
    // Another company database was opened: the window starts over.
    void companyChanged() { form.CompanyChanged(); }

private:
    void buildWindow();
    void connectEvents();
    void readControls();
    void lookup(const QString& field);
    void lists();
    void openCard();
    QLineEdit* edit(const QString& name) const;
};

// The window from the main menu: placed over `area` (screen coordinates)
// with the menu's caption, shown without blocking.
void ShowEszkozFm(QWidget* mainWindow, const QString& caption, const QRect& area);
// The window for a stored voucher: it offers to record its class-1 item as
// a new asset or as an increase of an existing one.
void ShowEszkozFmForVoucher(QWidget* mainWindow, const QString& ntipus, const QString& konyvbiz);
// The one register window of the run (made on first use).
Teszkozfm* EszkozFm(QWidget* mainWindow);
