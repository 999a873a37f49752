#include "egyenlegkozlo_window.h"

#include <QButtonGroup>
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

#include "db/altproc.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"
#include "reports/egyenleg_window.h"
#include "reports/engine/report_progress_window.h"
#include "reports/fregyenlegkozlo.h"
#include "reports/report_params_window.h"

TegyenlegkozloFm::TegyenlegkozloFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("egyenlegkozloFm"));
    setWindowTitle(QStringLiteral("Egyenlegközlő levél"));

    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Ügyfélkód:")), 0, 0);
    g->addWidget(B_ugyfel = ReportLookupButton(fields, "B_ugyfel", QStringLiteral("...?")), 0, 1);
    g->addWidget(E_UGYFELKOD = ReportCodeEdit(fields, "E_UGYFELKOD", 7), 0, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Dátum:")), 1, 0);
    g->addWidget(E_IG = ReportDateEdit(fields, "E_IG"), 1, 2);
    RG_TIPUS = ReportRadioGroup(fields, "RG_TIPUS", QStringLiteral("Típus:"),
                                {QStringLiteral("Részletes"), QStringLiteral("Összesítő")}, 0, tipusItems);
    g->addWidget(RG_TIPUS, 2, 0, 1, 3);
    g->setColumnStretch(3, 1);

    ReportButtons top =
        ReportTopPanel(this, "P_FEJ", "B_letarol", QStringLiteral("Letárol"), "B_VISSZA", QStringLiteral("Vissza"));
    top.indul->setObjectName(QStringLiteral("B_MEGNEZ"));
    top.indul->setText(QStringLiteral("Indul"));
    P_FEJ = top.panel;
    B_MEGNEZ = top.indul;
    B_letarol = top.letarol;
    B_VISSZA = top.vissza;
    ProgressBar1 = ArrangeReportWindow(this, top, fields, "ProgressBar1", [this](bool) { run(); });

    auto* keys = new ReportFieldKeys(this);
    keys->watch({E_UGYFELKOD, E_IG});
    connect(B_ugyfel, &QPushButton::clicked, this, &TegyenlegkozloFm::choosePartner);
    connect(E_IG, &QLineEdit::editingFinished, this, &TegyenlegkozloFm::checkDate);
}

void TegyenlegkozloFm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    B_letarol->hide();
    EgyenlegkozloResultTable().name.clear();
    ResetProgress(ProgressBar1);
    E_IG->setText(DateToText());
    E_UGYFELKOD->setFocus();
}

EgyenlegkozloCriteria TegyenlegkozloFm::criteria() const {
    EgyenlegkozloCriteria c;
    c.datum = EgyenlegkozloDate(FieldText(E_IG));
    c.ugyfelkod = E_UGYFELKOD->text().trimmed();
    c.osszesito = tipusItems->checkedId() == 1;
    return c;
}

void TegyenlegkozloFm::checkDate() {
    const QString date = DateCriterion(FieldText(E_IG));
    const QString allowed = EgyenlegkozloDate(date);
    if (allowed != date) E_IG->setText(allowed);
}

void TegyenlegkozloFm::run() {
    ReportRunning running(P_FEJ);
    ResetProgress(ProgressBar1);
    if (!ReportDatesValid({E_IG})) return;
    checkDate();
    try {
        const EgyenlegkozloCriteria c = criteria();
        const ReportRun result = RunEgyenlegkozlo(c, EgyenlegkozloResultTable(), ProgressBarSteps(ProgressBar1));
        PresentReport(this, result, Fregyenlegkozlo(c), ReportOutcome::Preview, ProgressBar1, NothingToPrint,
                      QStringLiteral("q_egyenlegkozlo"));
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void TegyenlegkozloFm::choosePartner() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("UGYFEL"), QStringLiteral(" where vevo = 'I' "), E_UGYFELKOD->text(), nullptr, chosen,
                      false, true, false))
        return;
    E_UGYFELKOD->setText(RekordErtek(chosen, QStringLiteral("KOD")));
    E_UGYFELKOD->setFocus();
}

void ShowEgyenlegkozloFm(QWidget* parent, const QString& caption) {
    static QPointer<TegyenlegkozloFm> window;
    if (!window) window = new TegyenlegkozloFm(parent);
    window->setWindowTitle(caption);
    window->exec();
}
