#pragma once
// The posting journal's parameter window. No result table: the journal
// query runs over the ledger items directly.
#include <QDialog>

#include "reports/knaplo.h"

class QFrame;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TKnaploFm : public QDialog {
    Q_OBJECT
public:
    explicit TKnaploFm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *b_indul, *b_letarol, *b_vissza;
    QPushButton *b_szla, *b_ntipus;
    QLineEdit *e_szla, *e_ntipus, *e_konyvelve_tol, *e_konyvelve_ig, *e_teljkelt_tol, *e_teljkelt_ig;
    QProgressBar* ProgressBar1;

    KnaploCriteria criteria() const;
    // "&Indul" and "&Letárol".
    void run(bool preview);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void chooseAccount();
    void chooseNtipus();
};

// "Könyvelési napló": the window with the caption given, shown modally.
void ShowKnaploFm(QWidget* parent, const QString& caption);
