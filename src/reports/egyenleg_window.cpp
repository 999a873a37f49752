#include "egyenleg_window.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "db/db_error.h"
#include "db/quiet_edits_window.h"
#include "db/ui_hooks.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"
#include "reports/engine/report_progress_window.h"
#include "reports/fregyenleg.h"
#include "reports/report_params_window.h"

QGroupBox* ReportRadioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& captions,
                            int checked, QButtonGroup*& items) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(box);
    items = new QButtonGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto* item = new QRadioButton(captions.at(i), box);
        item->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        items->addButton(item, i);
        column->addWidget(item);
    }
    items->button(checked)->setChecked(true);
    return box;
}

TEgyenlegFM::~TEgyenlegFM() { QuietEdits(this); }

TEgyenlegFM::TEgyenlegFM(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EgyenlegFM"));
    setWindowTitle(EgyenlegCaption(PartnerSide::Customers));
    setModal(false);

    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Ügyfélkód:")), 0, 0);
    g->addWidget(B_ugyfel = ReportLookupButton(fields, "B_ugyfel", QStringLiteral("...?")), 0, 1);
    g->addWidget(E_UGYFELKOD = ReportCodeEdit(fields, "E_UGYFELKOD", 7), 0, 2);
    l_ugyfelnev = new QLabel(QStringLiteral("..."), fields);
    l_ugyfelnev->setObjectName(QStringLiteral("l_ugyfelnev"));
    g->addWidget(l_ugyfelnev, 0, 3, 1, 3);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Számlaszám:")), 1, 0);
    g->addWidget(E_SZAMLASZAM = ReportCodeEdit(fields, "E_SZAMLASZAM", 20), 1, 2, 1, 3);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Fizetési határidő:")), 2, 0);
    g->addWidget(E_FTOL = ReportDateEdit(fields, "E_FTOL"), 2, 2);
    g->addWidget(E_FIG = ReportDateEdit(fields, "E_FIG"), 2, 3);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Számla teljesítés kelte:")), 3, 0);
    g->addWidget(E_TOL = ReportDateEdit(fields, "E_TOL"), 3, 2);
    g->addWidget(E_IG = ReportDateEdit(fields, "E_IG"), 3, 3);
    g->setColumnStretch(5, 1);

    rg_szamlajel = ReportRadioGroup(fields, "rg_szamlajel", QStringLiteral(" Számla:"), SzamlajelCaptions, NemKiegyenlitett,
                                    szamlajelItems);

    const ReportButtons top =
        ReportTopPanel(this, "P_FEJ", "B_letarol", QStringLiteral("Letárol"), "B_VISSZA", QStringLiteral("&Vissza"));
    P_FEJ = top.panel;
    b_indul = top.indul;
    B_letarol = top.letarol;
    B_VISSZA = top.vissza;
    ProgressBar1 = ArrangeReportWindow(this, top, fields, "ProgressBar1", [this](bool preview) { run(preview); });
    // The status filter below the progress bar, as the window shows it.
    static_cast<QVBoxLayout*>(layout())->addWidget(rg_szamlajel);

    auto* keys = new ReportFieldKeys(this);
    keys->watch({E_UGYFELKOD, E_SZAMLASZAM, E_FTOL, E_FIG, E_TOL, E_IG});
    connect(B_ugyfel, &QPushButton::clicked, this, &TEgyenlegFM::choosePartner);
    connect(E_UGYFELKOD, &QLineEdit::editingFinished, this, &TEgyenlegFM::showPartnerName);
}

void TEgyenlegFM::prepareForUse() {
    B_letarol->setVisible(true);
    ResetProgress(ProgressBar1);
    EgyenlegResultTable().forgetIfDropped();
    setWindowTitle(EgyenlegCaption(side()));
}

void TEgyenlegFM::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    prepareForUse();
}

bool TEgyenlegFM::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) prepareForUse();
    return QDialog::event(event);
}

EgyenlegCriteria TEgyenlegFM::criteria() const {
    EgyenlegCriteria c;
    c.teljkeltTol = FieldText(E_TOL);
    c.teljkeltIg = FieldText(E_IG);
    c.fizhatidoTol = FieldText(E_FTOL);
    c.fizhatidoIg = FieldText(E_FIG);
    c.ugyfelkod = E_UGYFELKOD->text();
    c.szamlaszam = E_SZAMLASZAM->text();
    c.szamlajel = szamlajelItems->checkedId();
    return c.normalised();
}

void TEgyenlegFM::run(bool preview) {
    ReportRunning running(P_FEJ);
    ResetProgress(ProgressBar1);
    if (!ReportDatesValid({E_FTOL, E_FIG, E_TOL, E_IG})) return;
    try {
        const EgyenlegRun result =
            RunEgyenleg(side(), criteria(), EgyenlegResultTable(), &m_last, ProgressBarSteps(ProgressBar1));
        PresentReport(this, result, Fregyenleg(side(), windowTitle(), result.whivparam, result.controlBalance),
                      preview ? ReportOutcome::Preview : ReportOutcome::Store, ProgressBar1, EgyenlegNoData,
                      QStringLiteral("q_egyenleg"));
    } catch (const std::invalid_argument& error) {
        ShowMessage(QString::fromStdString(error.what()));
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void TEgyenlegFM::showPartnerName() {
    const QString kod = E_UGYFELKOD->text().trimmed();
    if (kod.isEmpty()) {
        l_ugyfelnev->clear();
        return;
    }
    try {
        ASelectedRecord found;
        l_ugyfelnev->setText(ErtekVan(kod, QStringLiteral("UGYFEL"), QStringLiteral("KOD"), false, found)
                                 ? RekordErtek(found, QStringLiteral("NEV"))
                                 : EgyenlegNoPartner);
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void TEgyenlegFM::choosePartner() {
    const QString filter = side() == PartnerSide::Suppliers ? QStringLiteral(" where szallito = 'I' ")
                                                            : QStringLiteral(" where vevo = 'I' ");
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("UGYFEL"), filter, E_UGYFELKOD->text(), nullptr, chosen, false, true, false)) return;
    E_UGYFELKOD->setText(RekordErtek(chosen, QStringLiteral("KOD")));
    l_ugyfelnev->setText(RekordErtek(chosen, QStringLiteral("NEV")));
    E_UGYFELKOD->setFocus();
}

TEgyenlegFM* ShowEgyenlegFM(QWidget* parent, PartnerSide side) {
    static QPointer<TEgyenlegFM> window;
    if (!window) window = new TEgyenlegFM(parent);
    window->setTag(side == PartnerSide::Suppliers ? 1 : 0);
    window->setWindowTitle(EgyenlegCaption(side));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
