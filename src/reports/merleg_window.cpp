#include "reports/merleg_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "db/dat.h"
#include "reports/fokiv_window.h"
#include "reports/freredmeny.h"
#include "reports/merleg.h"

Tmerlegfm::Tmerlegfm(QWidget* parent)
    : StatementWindow(parent, QStringLiteral("merlegfm"), QStringLiteral("Mérleg kimutatás"), QStringLiteral("&Indul")) {
    l_eredmeny = new QLabel(QStringLiteral("Az eredmény kimutatást kell először futtatni!"));
    l_eredmeny->setObjectName(QStringLiteral("l_eredmeny"));
    l_eredmeny->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    fieldsLayout()->insertWidget(0, l_eredmeny);
    CheckBox1 = addCheckBox("CheckBox1", QStringLiteral("Számold át"));
}

void Tmerlegfm::shown() { l_eredmeny->setVisible(Td().IncomeResult == 0); }

void Tmerlegfm::run(bool preview) {
    runStatement(preview, QStringLiteral("q_merleg"), FokivCallerMerleg, [this](TFokivfm* fokiv, const ReportStep& step) {
        const ReportRun result = RunMerleg(fokiv->criteria(), fokiv->wtmp_name, wszamol || CheckBox1->isChecked(), step);
        wszamol = false;
        return StatementRun{result, Freredmeny(MerlegTitle())};
    });
}

Tmerlegfm* ShowMerlegFm(QWidget* parent, const QString& caption) { return ShowStatementWindow<Tmerlegfm>(parent, caption); }
