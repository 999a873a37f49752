#include "knaplo_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <stdexcept>

#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"
#include "reports/frknaplo.h"
#include "reports/report_params_window.h"

TKnaploFm::TKnaploFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KnaploFm"));
    setWindowTitle(QStringLiteral("Napló"));

    // Fields first: the focus chain runs through them, then to the buttons.
    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Számlaszám :")), 0, 0);
    g->addWidget(b_szla = ReportLookupButton(fields, "b_szla", QStringLiteral("?")), 0, 1);
    g->addWidget(e_szla = ReportCodeEdit(fields, "e_szla", 10), 0, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Naplótípus")), 1, 0);
    g->addWidget(b_ntipus = ReportLookupButton(fields, "b_ntipus", QStringLiteral("?")), 1, 1);
    g->addWidget(e_ntipus = ReportCodeEdit(fields, "e_ntipus", 10), 1, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Könyvelés dátuma tól -ig :")), 2, 0);
    g->addWidget(e_konyvelve_tol = ReportDateEdit(fields, "e_konyvelve_tol"), 2, 2);
    g->addWidget(e_konyvelve_ig = ReportDateEdit(fields, "e_konyvelve_ig"), 2, 3);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Teljesítés kelte  tól -ig :")), 3, 0);
    g->addWidget(e_teljkelt_tol = ReportDateEdit(fields, "e_teljkelt_tol"), 3, 2);
    g->addWidget(e_teljkelt_ig = ReportDateEdit(fields, "e_teljkelt_ig"), 3, 3);
    g->setColumnStretch(4, 1);

    const ReportButtons top = ReportTopPanel(this, "P_FEJ", "b_letarol", QStringLiteral("&Letárol"), "b_vissza",
                                             QStringLiteral("Vissza"));
    P_FEJ = top.panel;
    b_indul = top.indul;
    b_letarol = top.letarol;
    b_vissza = top.vissza;
    ProgressBar1 = ArrangeReportWindow(this, top, fields, "ProgressBar1", [this](bool preview) { run(preview); });

    auto* keys = new ReportFieldKeys(this);
    keys->watch({e_szla, e_ntipus, e_konyvelve_tol, e_konyvelve_ig, e_teljkelt_tol, e_teljkelt_ig});
    connect(b_szla, &QPushButton::clicked, this, &TKnaploFm::chooseAccount);
    connect(b_ntipus, &QPushButton::clicked, this, &TKnaploFm::chooseNtipus);
}

void TKnaploFm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResetProgress(ProgressBar1);
    e_szla->setFocus();
}

KnaploCriteria TKnaploFm::criteria() const {
    KnaploCriteria c;
    c.ntipus = FieldText(e_ntipus).trimmed();
    c.szla = FieldText(e_szla).trimmed();
    c.konyvelveTol = FieldText(e_konyvelve_tol);
    c.konyvelveIg = FieldText(e_konyvelve_ig);
    c.teljkeltTol = FieldText(e_teljkelt_tol);
    c.teljkeltIg = FieldText(e_teljkelt_ig);
    return c;
}

void TKnaploFm::run(bool preview) {
    ReportRunning running(P_FEJ);
    ResetProgress(ProgressBar1);
    e_ntipus->setText(e_ntipus->text().trimmed());
    const KnaploCriteria c = criteria();
    if (c.ntipus.isEmpty()) {
        ShowMessage(KnaploNoJournalType);
        e_ntipus->setFocus();
        return;
    }
    if (!ReportDatesValid({e_konyvelve_tol, e_konyvelve_ig, e_teljkelt_tol, e_teljkelt_ig})) return;
    try {
        const ReportRun result = RunKnaplo(c);
        PresentReport(this, result, Frknaplo(result.whivparam), preview ? ReportOutcome::Preview : ReportOutcome::Store,
                      ProgressBar1, NothingToPrint, QStringLiteral("q_knaplo"));
    } catch (const std::invalid_argument& error) {
        ShowMessage(QString::fromStdString(error.what()));
        e_ntipus->setFocus();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void TKnaploFm::chooseAccount() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_TUKOR"), QString(), e_szla->text(), nullptr, chosen, false, true, false)) return;
    e_szla->setText(RekordErtek(chosen, QStringLiteral("SZLA")));
    e_szla->setFocus();
}

void TKnaploFm::chooseNtipus() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_NTIP"), QString(), e_ntipus->text(), nullptr, chosen, false, true, false)) return;
    e_ntipus->setText(RekordErtek(chosen, QStringLiteral("KOD")));
    e_ntipus->setFocus();
}

void ShowKnaploFm(QWidget* parent, const QString& caption) {
    static QPointer<TKnaploFm> window;
    if (!window) window = new TKnaploFm(parent);
    window->setWindowTitle(caption);
    window->exec();
}
