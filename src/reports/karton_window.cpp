#include "karton_window.h"

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
#include "reports/engine/report_progress_window.h"
#include "reports/frkarton.h"
#include "reports/report_params_window.h"

TKartonFm::TKartonFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KartonFm"));
    setWindowTitle(QStringLiteral("Karton"));

    // Fields first: the focus chain runs through them, then to the buttons.
    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Számlaszám :")), 0, 0);
    g->addWidget(B_SZLA = ReportLookupButton(fields, "B_SZLA", QStringLiteral("...?")), 0, 1);
    g->addWidget(e_szlaoszt = ReportCodeEdit(fields, "e_szlaoszt", 10), 0, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Naplótípus")), 1, 0);
    g->addWidget(Button1 = ReportLookupButton(fields, "Button1", QStringLiteral("...?")), 1, 1);
    g->addWidget(E_NTIPUS = ReportCodeEdit(fields, "E_NTIPUS", 10), 1, 2);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Könyvelés dátuma tól -ig :")), 2, 0);
    g->addWidget(E_KDATUMTOL = ReportDateEdit(fields, "E_KDATUMTOL"), 2, 2);
    g->addWidget(E_KDATUMIG = ReportDateEdit(fields, "E_KDATUMIG"), 2, 3);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Teljesítés kelte  tól -ig :")), 3, 0);
    g->addWidget(E_TTOL = ReportDateEdit(fields, "E_TTOL"), 3, 2);
    g->addWidget(E_TIG = ReportDateEdit(fields, "E_TIG"), 3, 3);
    g->setColumnStretch(4, 1);

    const ReportButtons top = ReportTopPanel(this, "P_FEJ", "B_letarol", QStringLiteral("&Letárol"), "B_VISSZA",
                                             QStringLiteral("&Vissza"));
    P_FEJ = top.panel;
    b_indul = top.indul;
    B_letarol = top.letarol;
    B_VISSZA = top.vissza;
    ProgressBar1 = ArrangeReportWindow(this, top, fields, "ProgressBar1", [this](bool preview) { run(preview); });

    auto* keys = new ReportFieldKeys(this);
    keys->watch({e_szlaoszt, E_NTIPUS, E_KDATUMTOL, E_KDATUMIG, E_TTOL, E_TIG});
    connect(B_SZLA, &QPushButton::clicked, this, &TKartonFm::chooseAccount);
    connect(Button1, &QPushButton::clicked, this, &TKartonFm::chooseNtipus);
}

void TKartonFm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResetProgress(ProgressBar1);
    e_szlaoszt->setFocus();
}

KartonCriteria TKartonFm::criteria() const {
    KartonCriteria c;
    c.szla = FieldText(e_szlaoszt).trimmed();
    c.ntipus = FieldText(E_NTIPUS).trimmed();
    c.konyvelveTol = FieldText(E_KDATUMTOL);
    c.konyvelveIg = FieldText(E_KDATUMIG);
    c.teljkeltTol = FieldText(E_TTOL);
    c.teljkeltIg = FieldText(E_TIG);
    return c;
}

void TKartonFm::run(bool preview) {
    ReportRunning running(P_FEJ);
    ResetProgress(ProgressBar1);
    const KartonCriteria c = criteria();
    if (c.szla.isEmpty()) {
        ShowMessage(KartonNoAccount);
        e_szlaoszt->setFocus();
        return;
    }
    if (!ReportDatesValid({E_KDATUMTOL, E_KDATUMIG, E_TTOL, E_TIG})) return;
    try {
        const ReportRun result = RunKarton(c, ProgressBarSteps(ProgressBar1));
        PresentReport(this, result, Frkarton(result.whivparam), preview ? ReportOutcome::Preview : ReportOutcome::Store,
                      ProgressBar1, NothingToPrint, QStringLiteral("q_karton"));
    } catch (const std::invalid_argument& error) {
        ShowMessage(QString::fromStdString(error.what()));
        e_szlaoszt->setFocus();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void TKartonFm::chooseAccount() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_TUKOR"), QString(), e_szlaoszt->text(), nullptr, chosen, false, true, false)) return;
    e_szlaoszt->setText(RekordErtek(chosen, QStringLiteral("SZLA")));
    e_szlaoszt->setFocus();
}

void TKartonFm::chooseNtipus() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_NTIP"), QString(), E_NTIPUS->text(), nullptr, chosen, false, true, false)) return;
    E_NTIPUS->setText(RekordErtek(chosen, QStringLiteral("KOD")));
    E_NTIPUS->setFocus();
}

void ShowKartonFm(QWidget* parent, const QString& caption) {
    static QPointer<TKartonFm> window;
    if (!window) window = new TKartonFm(parent);
    window->setWindowTitle(caption);
    window->exec();
}
