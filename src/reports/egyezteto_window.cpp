#include "egyezteto_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "reports/engine/report_progress_window.h"
#include "reports/fregyezteto.h"
#include "reports/report_params_window.h"

TEgyeztetoFm::TEgyeztetoFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EgyeztetoFm"));
    setWindowTitle(QStringLiteral("Egyeztető tábla"));

    // Fields first: the focus chain runs through them, then to the buttons.
    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Teljesítés kelte tól -ig :")), 0, 0);
    g->addWidget(ME_TOL = ReportDateEdit(fields, "ME_TOL"), 0, 1);
    g->addWidget(ME_IG = ReportDateEdit(fields, "ME_IG"), 0, 2);
    g->setColumnStretch(3, 1);

    const ReportButtons top = ReportTopPanel(this, "P_FEJ", "B_letarol", QStringLiteral("&Letárol"), "B_VISSZA",
                                             QStringLiteral("&Vissza"));
    P_FEJ = top.panel;
    b_indul = top.indul;
    B_letarol = top.letarol;
    B_VISSZA = top.vissza;
    Gauge1 = ArrangeReportWindow(this, top, fields, "Gauge1", [this](bool preview) { run(preview); });

    auto* keys = new ReportFieldKeys(this);
    keys->watch({ME_TOL, ME_IG});
}

void TEgyeztetoFm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResetProgress(Gauge1);
    resultTable.forgetIfDropped();
    ME_TOL->setFocus();
}

EgyeztetoCriteria TEgyeztetoFm::criteria() const { return {FieldText(ME_TOL), FieldText(ME_IG)}; }

void TEgyeztetoFm::run(bool preview) {
    ReportRunning running(P_FEJ);
    ResetProgress(Gauge1);
    if (!ReportDatesValid({ME_TOL, ME_IG})) return;
    try {
        const ReportRun result = RunEgyezteto(criteria(), resultTable, ProgressBarSteps(Gauge1));
        PresentReport(this, result, Fregyezteto(result.whivparam), preview ? ReportOutcome::Preview : ReportOutcome::Store,
                      Gauge1, NothingToPrint, QStringLiteral("q_egyezteto"));
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void ShowEgyeztetoFm(QWidget* parent, const QString& caption) {
    static QPointer<TEgyeztetoFm> window;
    if (!window) window = new TEgyeztetoFm(parent);
    window->setWindowTitle(caption);
    window->exec();
}
