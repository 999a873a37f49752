#pragma once
// The clean-up window "Rendszer karbantartó funkciók": the temporary tables
// of the company database in a check list; "Indul" drops them once and
// ticks each one dropped.
#include <QWidget>

class QCheckBox;
class QFrame;
class QListWidget;
class QPushButton;

class Ttakaritfm : public QWidget {
    Q_OBJECT
public:
    explicit Ttakaritfm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *b_indul, *b_vissza;
    QCheckBox* cbx_tmpdel;
    QListWidget* clbx_Tablak;

    // Fills the list from the company database; false when it is empty.
    bool TmpTablesList();
    // "Indul": the button is off for the rest of this showing.
    void TmpTablesDrop();

protected:
    void showEvent(QShowEvent* event) override;
};

// "Átmeneti táblák törlése": "Nincsenek átmeneti táblák" or the window, not modal.
void ShowTakaritFm(QWidget* parent);
