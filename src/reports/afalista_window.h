#pragma once
// The VAT list's parameter window "AFA lista": the return period by months
// with its "+" and "-" buttons, the sides, the order, itemised or not, the
// recount switch and the form version; "&Indul" previews, "&Tárolás
// táblába" stores the rows to a file, "Tárolás &XML-be" writes the
// VAT-return file. One window lives for the whole run, modeless, and
// remembers its last result table and the criteria that made it.
#include <QDate>
#include <QDialog>
#include <functional>
#include <utility>

#include "reports/afalista.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

class TAFAlistafm : public QDialog {
    Q_OBJECT
public:
    explicit TAFAlistafm(QWidget* parent = nullptr);

    QFrame *p_fej, *p_param;
    QPushButton *b_kepernyo, *b_save, *b_tarolXML, *b_vissza;
    QLabel *l_idoszak, *l_tol, *l_ig;
    QPushButton *b_tolplus, *b_tolminus, *b_igplus, *b_igminus;
    QLineEdit *e_datumtol, *e_datumig, *e_verzio;
    QCheckBox *cb_fiz, *cb_lev, *cb_teteles, *cb_recount;
    QGroupBox* rb_sorrend;
    QRadioButton *rb_sorrend0, *rb_sorrend1;
    QProgressBar* pbar;

    AfalistaMemory wmemory;  // the result table and the criteria of the last computation
    QDate wtoday;            // the date the default period is taken from; null: today

    enum class Output { Preview, Store, Xml };
    AfalistaCriteria criteria() const;
    void Run(Output output);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The month field checked as on leaving it; a valid one sets its date label.
    bool checkMonth(QLineEdit* field);
    void stepMonth(QLineEdit* field, int months);
    void writeXml(const AfalistaRun& run);

    std::pair<QLineEdit*, QString> m_warned;  // the month text last told to be wrong
};

// The window of the run, made on first use.
TAFAlistafm* AFAlistaFm(QWidget* parent);
// "ÁFA lista": the caption given, shown modeless.
void ShowAFAlistaFm(QWidget* parent, const QString& caption);

// The save dialog of the XML file: the proposed name in, the chosen one
// out, empty when cancelled. Replaceable for tests (an empty function
// restores the file dialog).
using AfaXmlSaveDialogFn = std::function<QString(QWidget* parent, const QString& proposed)>;
void SetAfaXmlSaveDialog(AfaXmlSaveDialogFn dialog);
