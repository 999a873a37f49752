#pragma once
// The trial balance's parameter window. One window lives for the whole run
// of the program: it remembers its result table, and the income statement
// and the balance sheet run it with the criteria last entered here.
#include <QDialog>
#include <optional>

#include "reports/fokiv.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TFokivfm : public QDialog {
    Q_OBJECT
public:
    explicit TFokivfm(QWidget* parent = nullptr);

    QFrame* P_FEJ;
    QPushButton *b_indul, *B_letarol, *B_VISSZA;
    QLineEdit *E_OTOL, *E_OIG, *E_SZTOL, *E_SZIG, *E_KDATUMTOL, *E_KDATUMIG;
    QCheckBox *CB_csakgyujto, *cb_csaknyito;
    QProgressBar* ProgressBar1;

    ResultTable wtmp_name;         // remembered until the program ends
    QString whivo = FokivCallerMain;  // who runs it: the menu, the income statement or the balance sheet

    FokivCriteria criteria() const;
    // The result table filled from the criteria as they stand; std::nullopt
    // when a date is bad (told to the user, focus on it).
    std::optional<ReportRun> compute();
    // "&Indul" and "&Letárol".
    void run(bool preview);

protected:
    void showEvent(QShowEvent* event) override;
};

// The window of the run, made on first use.
TFokivfm* FokivFm(QWidget* parent);
// "Főkönyvi kivonat": the caller mark "main", the caption given, shown modally.
void ShowFokivFm(QWidget* parent, const QString& caption);
