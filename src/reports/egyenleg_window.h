#pragma once
// The parameter window of the customer and supplier ledgers. One window
// serves both: its mode (tag) is 0 for customers and 1 for suppliers, set
// by the menu item that opens it; it is not modal. It remembers the
// criteria of its last completed run, and runs again with the same
// criteria show that run's table without computing it.
#include <QDialog>

#include "reports/egyenleg.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TEgyenlegFM : public QDialog {
    Q_OBJECT
public:
    explicit TEgyenlegFM(QWidget* parent = nullptr);
    ~TEgyenlegFM() override;

    QFrame* P_FEJ;
    QPushButton *b_indul, *B_letarol, *B_VISSZA, *B_ugyfel;
    QLineEdit *E_UGYFELKOD, *E_SZAMLASZAM, *E_FTOL, *E_FIG, *E_TOL, *E_IG;
    QLabel* l_ugyfelnev;
    QGroupBox* rg_szamlajel;
    QButtonGroup* szamlajelItems;
    QProgressBar* ProgressBar1;

    void setTag(int tag) { m_tag = tag; }
    int tag() const { return m_tag; }
    PartnerSide side() const { return m_tag == 1 ? PartnerSide::Suppliers : PartnerSide::Customers; }

    EgyenlegCriteria criteria() const;
    // "&Indul" and "Letárol".
    void run(bool preview);
    // Leaving the partner field: the partner's name, or that there is none.
    void showPartnerName();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void choosePartner();
    void prepareForUse();

    int m_tag = 0;
    EgyenlegLastRun m_last;  // wetol, weig, weftol, wefig, weugyfelkod, weszamlaszam, weszamlajel, wetag
};

// A radio group named `name` with one item a caption (named `name` + "_" +
// index) and the item `checked` chosen; `items` tells the chosen index.
QGroupBox* ReportRadioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& captions,
                            int checked, QButtonGroup*& items);

// "Vevő folyószámla" (customers) and "Szállító folyószámla" (suppliers):
// the window in that mode, shown without blocking the main window.
TEgyenlegFM* ShowEgyenlegFM(QWidget* parent, PartnerSide side);
