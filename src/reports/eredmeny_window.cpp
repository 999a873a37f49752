#include "reports/eredmeny_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "reports/eredmeny.h"
#include "reports/fokiv_window.h"
#include "reports/freredmeny.h"
#include "reports/eredmeny_run_window.h"

Teredmenyfm::Teredmenyfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("eredmenyfm"));
    setWindowTitle(QStringLiteral("Eredmény kimutatás"));

    auto* fields = new QWidget(this);
    auto* column = new QVBoxLayout(fields);
    column->addWidget(Label1 = StatementPreparingLabel(fields));
    column->addWidget(cb_nulla = StatementCheckBox(fields, "cb_nulla", QStringLiteral("Nullás sorokat mellőzzük")), 0,
                      Qt::AlignLeft);

    const StatementButtons top = ArrangeStatementWindow(this, fields, QStringLiteral("Indul"),
                                                        [this](bool preview) { run(preview); });
    Panel1 = top.panel;
    b_indul = top.indul;
    b_tarol = top.tarol;
    b_vissza = top.vissza;
    ProgressBar1 = top.bar;
}

void Teredmenyfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    wszamol = true;
    ResetStatementWindow(ProgressBar1, b_indul);
}

void Teredmenyfm::run(bool preview) {
    RunStatement(this, {Panel1, Label1, ProgressBar1}, preview, QStringLiteral("q_eredmeny"),
                 [this](TFokivfm* fokiv, const ReportStep& step) {
                     const ReportRun result =
                         RunEredmeny(fokiv->criteria(), fokiv->wtmp_name, wszamol, cb_nulla->isChecked(), step);
                     wszamol = false;
                     return StatementRun{result, Freredmeny(EredmenyTitle())};
                 },
                 FokivCallerEredmeny);
}

Teredmenyfm* ShowEredmenyFm(QWidget* parent, const QString& caption) {
    static QPointer<Teredmenyfm> window;
    if (!window) window = new Teredmenyfm(parent);
    window->setWindowTitle(caption);
    ShowModeless(window);
    return window;
}
