#pragma once
// "Adatok átvétele más programból": the file and its import format, a trial
// run that only checks, and the import itself; the faults by line and the
// outcome are listed in the window.
#include <QDialog>

#include "import/adatbeo.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class Tadatbeofm : public QDialog {
    Q_OBJECT
public:
    explicit Tadatbeofm(QWidget* parent = nullptr);
    ~Tadatbeofm() override;

    QLineEdit* e_fajl;
    QPushButton* b_tallozas;
    QComboBox* cb_formatum;
    QPushButton *b_proba, *b_atvetel, *b_vissza;
    QLabel* l_eredmeny;
    QPlainTextEdit* m_eredmeny;

    // The last run.
    const ImportReport& report() const { return m_report; }
    void run(bool dryRun);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void browse();
    void fileChosen();

    ImportReport m_report;
};

// Refuses a closed year ("Az év le van zárva."), else shows the import
// window modally with the caption given.
void ShowAdatbeoFm(QWidget* parent, const QString& caption);
