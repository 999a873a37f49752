#include "reports/merleg_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "db/dat.h"
#include "reports/eredmeny_run_window.h"
#include "reports/fokiv_window.h"
#include "reports/freredmeny.h"
#include "reports/merleg.h"

Tmerlegfm::Tmerlegfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("merlegfm"));
    setWindowTitle(QStringLiteral("Mérleg kimutatás"));

    auto* fields = new QWidget(this);
    auto* column = new QVBoxLayout(fields);
    column->addWidget(l_eredmeny = new QLabel(QStringLiteral("Az eredmény kimutatást kell először futtatni!"), fields));
    l_eredmeny->setObjectName(QStringLiteral("l_eredmeny"));
    l_eredmeny->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    column->addWidget(Label1 = StatementPreparingLabel(fields));
    column->addWidget(CheckBox1 = StatementCheckBox(fields, "CheckBox1", QStringLiteral("Számold át")), 0, Qt::AlignLeft);

    const StatementButtons top = ArrangeStatementWindow(this, fields, QStringLiteral("&Indul"),
                                                        [this](bool preview) { run(preview); });
    Panel1 = top.panel;
    b_indul = top.indul;
    b_tarol = top.tarol;
    b_vissza = top.vissza;
    ProgressBar1 = top.bar;
}

void Tmerlegfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    wszamol = true;
    ResetStatementWindow(ProgressBar1, b_indul);
    l_eredmeny->setVisible(Td().IncomeResult == 0);
}

void Tmerlegfm::run(bool preview) {
    RunStatement(this, {Panel1, Label1, ProgressBar1}, preview, QStringLiteral("q_merleg"),
                 [this](TFokivfm* fokiv, const ReportStep& step) {
                     const ReportRun result =
                         RunMerleg(fokiv->criteria(), fokiv->wtmp_name, wszamol || CheckBox1->isChecked(), step);
                     wszamol = false;
                     return StatementRun{result, Freredmeny(MerlegTitle())};
                 },
                 FokivCallerMerleg);
}

Tmerlegfm* ShowMerlegFm(QWidget* parent, const QString& caption) {
    static QPointer<Tmerlegfm> window;
    if (!window) window = new Tmerlegfm(parent);
    window->setWindowTitle(caption);
    ShowModeless(window);
    return window;
}
