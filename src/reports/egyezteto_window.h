#pragma once
// The reconciliation table's parameter window. One window lives for the
// whole run of the program and remembers its result table.
#include <QDialog>

#include "reports/egyezteto.h"

class QFrame;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TEgyeztetoFm : public QDialog {
    Q_OBJECT
public:
    explicit TEgyeztetoFm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *b_indul, *B_letarol, *B_VISSZA;
    QLineEdit *ME_TOL, *ME_IG;
    QProgressBar* Gauge1;

    ResultTable resultTable;  // remembered until the program ends

    EgyeztetoCriteria criteria() const;
    // "&Indul" and "&Letárol".
    void run(bool preview);

protected:
    void showEvent(QShowEvent* event) override;
};

// "Egyeztető tábla": the window of the run, made on first use, with the
// caption given, shown modally.
void ShowEgyeztetoFm(QWidget* parent, const QString& caption);
