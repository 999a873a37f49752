#pragma once
// The asset card window "Tárgyi eszköz karton": the movements of one asset,
// added, changed and deleted by hand.
#include <QWidget>
#include <functional>

#include "assets/eszkozkarton.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class Teszkozkartonfm : public QWidget {
    Q_OBJECT
public:
    explicit Teszkozkartonfm(QWidget* parent = nullptr);
    ~Teszkozkartonfm() override;

    EszkozKartonForm form;

    QFrame *p_buttons, *p_babral, *p_fej, *Panel1;
    QPushButton *b_vissza, *b_uj, *b_modositas, *b_torles, *b_ok, *b_megsem, *b_lista, *b_szla;
    QLabel *l_state, *l_kod, *l_megnevezes;
    QTableWidget* dbg_karton;

    void run(const std::function<void()>& work);
    void showForm();

private:
    void buildWindow();
    void connectEvents();
    void chooseAccount();
    QLineEdit* edit(const QString& name) const;
};

// Shows the card of the asset `belsokod` without blocking; `fromVoucher`:
// the posted item `tetel` is proposed as a new movement.
void ShowEszkozKartonFm(QWidget* parent, const QString& belsokod, bool fromVoucher, const QSqlRecord& tetel);
