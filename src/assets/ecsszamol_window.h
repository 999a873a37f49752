#pragma once
// The depreciation window "Értékcsökkenés elszámolása": the period, the run
// with its list, the print and the store.
#include <QDialog>
#include <functional>

#include "assets/ecsszamol.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class Tecsszamolfm : public QDialog {
    Q_OBJECT
public:
    explicit Tecsszamolfm(QWidget* parent = nullptr);
    ~Tecsszamolfm() override;

    EcsSzamolForm form;

    QFrame *p_buttons, *p_ecs;
    QPushButton *b_indul, *b_vissza, *b_nyomtatas, *b_tarolas;
    QLabel *l_idoszak, *l_beruhazva, *l_idoszakvege, *l_tol, *l_ig, *l_akt;
    QLineEdit *e_datumtol, *e_datumig;
    QProgressBar* pbar;
    QCheckBox* cb_teteles;
    QPlainTextEdit* Memo1;

    // Opens the window's defaults (as showing it does).
    void FormShow();
    void run(const std::function<void()>& work);
    void showForm();

private:
    void buildWindow();
    void connectEvents();
    void leavePeriodEdit(QLineEdit* edit, bool (EcsSzamolForm::*exit)());
    void print();
    bool m_checking = false;
};

// "Értékcsökkenés elszámolása" from the main menu: modal.
void ShowEcsszamolFm(QWidget* parent, const QString& caption);
// The preview of the printed list (Tfrecsfm): the period line and the lines
// of the last run.
void ShowFrecs(QWidget* parent, const EcsSzamolForm& form);
