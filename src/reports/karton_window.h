#pragma once
// The account cards' parameter window.
#include <QDialog>

#include "reports/karton.h"

class QFrame;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TKartonFm : public QDialog {
    Q_OBJECT
public:
    explicit TKartonFm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *b_indul, *B_letarol, *B_VISSZA;
    QPushButton *B_SZLA, *Button1;
    QLineEdit *e_szlaoszt, *E_NTIPUS, *E_KDATUMTOL, *E_KDATUMIG, *E_TTOL, *E_TIG;
    QProgressBar* ProgressBar1;

    KartonCriteria criteria() const;
    // "&Indul" and "&Letárol".
    void run(bool preview);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void chooseAccount();
    void chooseNtipus();
};

// "Kartonok lekérdezése": the window with the caption given, shown modally.
void ShowKartonFm(QWidget* parent, const QString& caption);
