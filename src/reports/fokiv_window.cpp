#include "fokiv_window.h"

#include <QCheckBox>
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
#include "reports/frfokiv.h"
#include "reports/report_params_window.h"

TFokivfm::TFokivfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Fokivfm"));
    setWindowTitle(QStringLiteral("Főkönyvi kivonat"));

    // Fields first: the focus chain runs through them, then to the buttons.
    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Számlaosztály tól - ig :")), 0, 0);
    g->addWidget(E_OTOL = ReportCodeEdit(fields, "E_OTOL", 1), 0, 1);
    g->addWidget(E_OIG = ReportCodeEdit(fields, "E_OIG", 1), 0, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Főkönyvi számlaszám tól - ig:")), 1, 0);
    g->addWidget(E_SZTOL = ReportCodeEdit(fields, "E_SZTOL", 10), 1, 1);
    g->addWidget(E_SZIG = ReportCodeEdit(fields, "E_SZIG", 10), 1, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Teljesítés kelte tól -ig :")), 2, 0);
    g->addWidget(E_KDATUMTOL = ReportDateEdit(fields, "E_KDATUMTOL"), 2, 1);
    g->addWidget(E_KDATUMIG = ReportDateEdit(fields, "E_KDATUMIG"), 2, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Lekérdezés csak gyűjtőre :")), 3, 0);
    g->addWidget(CB_csakgyujto = new QCheckBox(fields), 3, 1);
    CB_csakgyujto->setObjectName(QStringLiteral("CB_csakgyujto"));
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Lekérdezés csak a nyitó tételekre :")), 4, 0);
    g->addWidget(cb_csaknyito = new QCheckBox(fields), 4, 1);
    cb_csaknyito->setObjectName(QStringLiteral("cb_csaknyito"));
    g->setColumnStretch(3, 1);

    const ReportButtons top = ReportTopPanel(this, "P_FEJ", "B_letarol", QStringLiteral("&Letárol"), "B_VISSZA",
                                             QStringLiteral("&Vissza"));
    P_FEJ = top.panel;
    b_indul = top.indul;
    B_letarol = top.letarol;
    B_VISSZA = top.vissza;
    ProgressBar1 = ArrangeReportWindow(this, top, fields, "ProgressBar1", [this](bool preview) { run(preview); });

    auto* keys = new ReportFieldKeys(this);
    keys->watch({E_OTOL, E_OIG, E_SZTOL, E_SZIG, E_KDATUMTOL, E_KDATUMIG});
}

void TFokivfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResetProgress(ProgressBar1);
    wtmp_name.forgetIfDropped();
    E_OTOL->setFocus();
}

FokivCriteria TFokivfm::criteria() const {
    FokivCriteria c;
    c.osztTol = FieldText(E_OTOL);
    c.osztIg = FieldText(E_OIG);
    c.szlaTol = FieldText(E_SZTOL);
    c.szlaIg = FieldText(E_SZIG);
    c.datumTol = FieldText(E_KDATUMTOL);
    c.datumIg = FieldText(E_KDATUMIG);
    c.csakGyujto = CB_csakgyujto->isChecked();
    c.csakNyito = cb_csaknyito->isChecked();
    return c;
}

std::optional<ReportRun> TFokivfm::compute() {
    ResetProgress(ProgressBar1);
    if (!ReportDatesValid({E_KDATUMTOL, E_KDATUMIG})) return std::nullopt;
    return RunFokiv(criteria(), wtmp_name, whivo, ProgressBarSteps(ProgressBar1));
}

void TFokivfm::run(bool preview) {
    ReportRunning running(P_FEJ);
    try {
        const std::optional<ReportRun> result = compute();
        if (!result || whivo != FokivCallerMain) return;
        PresentReport(this, *result, Frfokiv(result->whivparam), preview ? ReportOutcome::Preview : ReportOutcome::Store,
                      ProgressBar1, QStringLiteral("Nincs mit nyomtatni"), QStringLiteral("q_fokiv"));
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

TFokivfm* FokivFm(QWidget* parent) {
    static QPointer<TFokivfm> window;
    if (!window) window = new TFokivfm(parent);
    return window;
}

void ShowFokivFm(QWidget* parent, const QString& caption) {
    TFokivfm* window = FokivFm(parent);
    window->whivo = FokivCallerMain;
    window->setWindowTitle(caption);
    window->exec();
}
