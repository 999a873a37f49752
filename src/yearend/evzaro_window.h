#pragma once
// The year-closing window: the defaults, the closing date, the kind of
// closing and the gauge; "&Indul" offers a backup of the current year and
// runs the closing, which ends with "KÉSZ !".
#include <QDialog>

#include "yearend/evzaro.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

class TevzaroFm : public QDialog {
    Q_OBJECT
public:
    explicit TevzaroFm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *B_letarol, *B_VISSZA;
    QLineEdit *E_ZARDATUM, *e_path, *e_nev;
    QGroupBox* RG_TIPUS;
    QRadioButton *rb_uj, *rb_ujraszamol;
    QCheckBox* cb_teteles;
    QProgressBar* Gauge1;

    EvzaroParams params() const;
    // Fills the fields from the registry and the current database.
    void setDefaults();
    // "&Indul".
    void run();

protected:
    void showEvent(QShowEvent* event) override;
};

// "Év zárása": the window with the caption given, shown modally.
void ShowEvzaroFm(QWidget* parent, const QString& caption);
