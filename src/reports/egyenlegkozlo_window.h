#pragma once
// The balance confirmation letters' window ("Egyenlegközlő levél"), shown
// modally: the date (today unless changed; a later date becomes today), one
// customer or all, the detailed or the total-only letter.
#include <QDialog>

#include "reports/egyenlegkozlo.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TegyenlegkozloFm : public QDialog {
    Q_OBJECT
public:
    explicit TegyenlegkozloFm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *B_MEGNEZ, *B_letarol, *B_VISSZA, *B_ugyfel;
    QLineEdit *E_UGYFELKOD, *E_IG;
    QGroupBox* RG_TIPUS;
    QButtonGroup* tipusItems;
    QProgressBar* ProgressBar1;

    EgyenlegkozloCriteria criteria() const;
    // "Indul": the letters previewed.
    void run();
    // Leaving the date field: a date after today becomes today.
    void checkDate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void choosePartner();
};

// "Egyenlegközlő levél": the window with the caption given, shown modally.
void ShowEgyenlegkozloFm(QWidget* parent, const QString& caption);
