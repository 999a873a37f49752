#include "reports/eredmeny_window.h"

#include <QCheckBox>

#include "reports/eredmeny.h"
#include "reports/fokiv_window.h"
#include "reports/freredmeny.h"

Teredmenyfm::Teredmenyfm(QWidget* parent)
    : StatementWindow(parent, QStringLiteral("eredmenyfm"), QStringLiteral("Eredmény kimutatás"), QStringLiteral("Indul")) {
    cb_nulla = addCheckBox("cb_nulla", QStringLiteral("Nullás sorokat mellőzzük"));
}

void Teredmenyfm::run(bool preview) {
    runStatement(preview, QStringLiteral("q_eredmeny"), FokivCallerEredmeny, [this](TFokivfm* fokiv, const ReportStep& step) {
        const ReportRun result = RunEredmeny(fokiv->criteria(), fokiv->wtmp_name, wszamol, cb_nulla->isChecked(), step);
        wszamol = false;
        return StatementRun{result, Freredmeny(EredmenyTitle())};
    });
}

Teredmenyfm* ShowEredmenyFm(QWidget* parent, const QString& caption) { return ShowStatementWindow<Teredmenyfm>(parent, caption); }
