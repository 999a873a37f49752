#include "afalista_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/named_widgets_window.h"
#include "db/ui_hooks.h"
#include "export/export_progress_window.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "reports/afaxml.h"
#include "reports/engine/report_progress_window.h"
#include "reports/frafa.h"
#include "reports/frafa2.h"
#include "reports/report_params_window.h"

namespace {

AfaXmlSaveDialogFn& saveDialogHook() {
    static AfaXmlSaveDialogFn hook;
    return hook;
}

QString askXmlFile(QWidget* parent, const QString& proposed) {
    if (saveDialogHook()) return saveDialogHook()(parent, proposed);
    QFileDialog dialog(parent, AfaXmlDialogTitle, QString(), QStringLiteral("08 XML file (*.XML *.xml)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("XML"));
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPushButton* stepButton(QWidget* parent, const char* name, const QString& caption) {
    QPushButton* b = NamedButton(parent, name, caption, false);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("+")) + 24);
    return b;
}

}  // namespace

void SetAfaXmlSaveDialog(AfaXmlSaveDialogFn dialog) { saveDialogHook() = std::move(dialog); }

TAFAlistafm::TAFAlistafm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AFAlistafm"));
    setWindowTitle(QStringLiteral("AFA lista"));

    p_param = new QFrame(this);
    p_param->setObjectName(QStringLiteral("p_param"));
    auto* g = new QGridLayout(p_param);
    g->addWidget(ReportParamLabel(p_param, QStringLiteral(" Bevallás gyakorisága (hónap):")), 0, 0);
    g->addWidget(l_idoszak = NamedLabel(p_param, "l_idoszak", QString()), 0, 1, 1, 3);

    const auto monthRow = [&](int row, const QString& caption, const char* plus, const char* minus, const char* edit,
                              const char* label, QPushButton*& plusButton, QPushButton*& minusButton,
                              QLineEdit*& field, QLabel*& dateLabel) {
        g->addWidget(ReportParamLabel(p_param, caption), row, 0);
        auto* line = new QWidget(p_param);
        auto* h = new QHBoxLayout(line);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(plusButton = stepButton(line, plus, QStringLiteral("+")));
        h->addWidget(minusButton = stepButton(line, minus, QStringLiteral("-")));
        h->addWidget(field = ReportCodeEdit(line, edit, 7));
        h->addWidget(dateLabel = NamedLabel(line, label, QString()));
        h->addStretch(1);
        g->addWidget(line, row, 1, 1, 3);
    };
    monthRow(1, QStringLiteral(" Bevallási időszak kezdete (év.hónap): "), "b_tolplus", "b_tolminus", "e_datumtol", "l_tol",
             b_tolplus, b_tolminus, e_datumtol, l_tol);
    monthRow(2, QStringLiteral(" Bevallási időszak vége (év.hónap): "), "b_igplus", "b_igminus", "e_datumig", "l_ig",
             b_igplus, b_igminus, e_datumig, l_ig);

    g->addWidget(cb_fiz = checkBox(p_param, "cb_fiz", QStringLiteral(" Fizetendő ÁFA")), 3, 0);
    g->addWidget(cb_lev = checkBox(p_param, "cb_lev", QStringLiteral(" Levonható ÁFA")), 4, 0);
    g->addWidget(cb_teteles = checkBox(p_param, "cb_teteles", QStringLiteral(" Tételes kimutatást kérek")), 5, 0);
    g->addWidget(cb_recount = checkBox(p_param, "cb_recount", QStringLiteral("Újraszámolással")), 6, 0);
    cb_fiz->setChecked(true);
    cb_lev->setChecked(true);
    cb_teteles->setChecked(true);

    rb_sorrend = new QGroupBox(QStringLiteral(" A lista sorrendje "), p_param);
    rb_sorrend->setObjectName(QStringLiteral("rb_sorrend"));
    auto* radios = new QVBoxLayout(rb_sorrend);
    radios->addWidget(rb_sorrend0 = new QRadioButton(AfaSorrendCaptions[0], rb_sorrend));
    radios->addWidget(rb_sorrend1 = new QRadioButton(AfaSorrendCaptions[1], rb_sorrend));
    rb_sorrend0->setObjectName(QStringLiteral("rb_sorrend0"));
    rb_sorrend1->setObjectName(QStringLiteral("rb_sorrend1"));
    rb_sorrend0->setChecked(true);
    g->addWidget(rb_sorrend, 3, 1, 4, 2);

    g->addWidget(ReportParamLabel(p_param, QStringLiteral(" Nyomtatvány verziója")), 7, 0);
    g->addWidget(e_verzio = ReportCodeEdit(p_param, "e_verzio", 10), 7, 1);
    e_verzio->setText(QStringLiteral("1.0"));
    g->setColumnStretch(3, 1);

    p_fej = new QFrame(this);
    p_fej->setObjectName(QStringLiteral("p_fej"));
    p_fej->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QHBoxLayout(p_fej);
    buttons->addWidget(b_kepernyo = NamedButton(p_fej, "b_kepernyo", QStringLiteral("&Indul")));
    buttons->addWidget(b_save = NamedButton(p_fej, "b_save", QStringLiteral("&Tárolás táblába")));
    buttons->addWidget(b_tarolXML = NamedButton(p_fej, "b_tarolXML", QStringLiteral("Tárolás &XML-be")));
    buttons->addStretch(1);
    buttons->addWidget(b_vissza = NamedButton(p_fej, "b_vissza", QStringLiteral("&Vissza")));

    pbar = new QProgressBar(this);
    pbar->setObjectName(QStringLiteral("pbar"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(p_fej);
    root->addWidget(p_param);
    root->addStretch(1);
    root->addWidget(pbar);

    connect(b_kepernyo, &QPushButton::clicked, this, [this] { Run(Output::Preview); });
    connect(b_save, &QPushButton::clicked, this, [this] { Run(Output::Store); });
    connect(b_tarolXML, &QPushButton::clicked, this, [this] { Run(Output::Xml); });
    connect(b_vissza, &QPushButton::clicked, this, &QDialog::reject);
    connect(b_tolplus, &QPushButton::clicked, this, [this] { stepMonth(e_datumtol, 1); });
    connect(b_tolminus, &QPushButton::clicked, this, [this] { stepMonth(e_datumtol, -1); });
    connect(b_igplus, &QPushButton::clicked, this, [this] { stepMonth(e_datumig, 1); });
    connect(b_igminus, &QPushButton::clicked, this, [this] { stepMonth(e_datumig, -1); });

    auto* keys = new ReportFieldKeys(this);
    keys->watch({e_datumtol, e_datumig, e_verzio});
    e_datumtol->installEventFilter(this);
    e_datumig->installEventFilter(this);
}

void TAFAlistafm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResetProgress(pbar);
    const int afahonap = Td().ceg.value(QStringLiteral("AFAHONAP")).toInt();
    l_idoszak->setText(QString::number(afahonap));
    const AfaPeriod period = DefaultAfaPeriod(afahonap, Td().ceg.text(QStringLiteral("AKTUALISEV")).toInt(),
                                              wtoday.isValid() ? wtoday : QDate::currentDate());
    e_datumtol->setText(period.tol);
    e_datumig->setText(period.ig);
    checkMonth(e_datumtol);
    checkMonth(e_datumig);
    wmemory.table.forgetIfDropped();
    e_datumtol->setFocus();
}

bool TAFAlistafm::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusIn && field) m_warned = {};
    if (event->type() == QEvent::FocusOut && field && field->isVisible() && !checkMonth(field))
        QMetaObject::invokeMethod(field, [field] { field->setFocus(); }, Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

bool TAFAlistafm::checkMonth(QLineEdit* field) {
    if (!AfaMonthValid(field->text(), false)) {
        // Leaving the field told it already when a button took the focus.
        if (m_warned != std::pair<QLineEdit*, QString>{field, field->text()}) AfaMonthValid(field->text(), true);
        m_warned = {field, field->text()};
        return false;
    }
    m_warned = {};
    if (field == e_datumtol) l_tol->setText(AfaPeriodStart(field->text()));
    else l_ig->setText(AfaPeriodEnd(field->text()));
    return true;
}

void TAFAlistafm::stepMonth(QLineEdit* field, int months) {
    const QString moved = MonthAdd(field->text().trimmed(), months);
    if (!moved.isEmpty()) field->setText(moved);
    if (!checkMonth(field)) field->setFocus();
}

AfalistaCriteria TAFAlistafm::criteria() const {
    AfalistaCriteria c;
    c.tol = e_datumtol->text();
    c.ig = e_datumig->text();
    c.fizetendo = cb_fiz->isChecked();
    c.levonhato = cb_lev->isChecked();
    c.sorrend = rb_sorrend1->isChecked() ? AfaByVoucher : AfaByAccount;
    return c;
}

void TAFAlistafm::Run(Output output) {
    ResetProgress(pbar);
    if (!cb_fiz->isChecked() && !cb_lev->isChecked()) {
        ShowMessage(AfaNeitherSide);
        return;
    }
    if (output == Output::Xml) rb_sorrend0->setChecked(true);
    for (QLineEdit* field : {e_datumtol, e_datumig}) {
        if (!checkMonth(field)) {
            field->setFocus();
            return;
        }
    }
    ReportRunning running(p_fej);
    try {
        const AfalistaCriteria c = criteria();
        const AfalistaRun run = RunAfalista(c, wmemory, cb_recount->isChecked(), ProgressBarSteps(pbar));
        if (output == Output::Xml) {
            writeXml(run);
        } else if (output == Output::Store) {
            ReportRun stored = run.run;
            stored.querySql = AfalistaStoreQuery(run.run.table, c.sorrend);
            PresentReport(this, stored, ReportLayout(), ReportOutcome::Store, pbar, AfaNoData, QStringLiteral("q_afalista"));
        } else {
            const AfaLayoutTexts texts{AfaPeriodLabel(c), AfaOrderLabel(c.sorrend), cb_teteles->isChecked()};
            ReportRun shown = run.run;
            // The preview is shown even without rows: the report's headers tell the period.
            shown.rows = qMax<qint64>(shown.rows, 1);
            PresentReport(this, shown,
                          c.sorrend == AfaByVoucher ? Frafa2(texts, AfaTableRates(shown.table)) : Frafa(texts),
                          ReportOutcome::Preview,
                          pbar, QString(), QStringLiteral("q_afalista"));
        }
    } catch (const std::invalid_argument& error) {
        ShowMessage(QString::fromUtf8(error.what()));
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void TAFAlistafm::writeXml(const AfalistaRun& run) {
    const AfalistaCriteria c = criteria();
    const QString file = askXmlFile(this, AfaXmlFileName(c.tol, c.ig));
    if (file.isEmpty()) return;  // cancelled: nothing written, nothing said
    try {
        WriteAfaXml({c.tol.trimmed(), c.ig.trimmed(), e_verzio->text(), run.run.table, {}}, file);
    } catch (const std::runtime_error& error) {
        ShowMessage(QString::fromUtf8(error.what()));
        return;
    }
    ShowMessage(AfaXmlReady);
}

TAFAlistafm* AFAlistaFm(QWidget* parent) {
    static QPointer<TAFAlistafm> window;
    if (!window) window = new TAFAlistafm(parent);
    return window;
}

void ShowAFAlistaFm(QWidget* parent, const QString& caption) {
    TAFAlistafm* window = AFAlistaFm(parent);
    window->setWindowTitle(caption);
    window->show();
    window->raise();
    window->activateWindow();
}
