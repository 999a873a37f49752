#include "yearend/takarit_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "yearend/takarit.h"

Ttakaritfm::Ttakaritfm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("takaritfm"));
    setWindowTitle(QStringLiteral("Rendszer karbantartó funkciók"));

    P_FEJ = new QFrame(this);
    P_FEJ->setObjectName(QStringLiteral("P_FEJ"));
    P_FEJ->setFrameShape(QFrame::StyledPanel);
    QFont bold = P_FEJ->font();
    bold.setBold(true);
    P_FEJ->setFont(bold);
    auto* top = new QHBoxLayout(P_FEJ);
    top->addWidget(b_indul = new QPushButton(QStringLiteral("Indul"), P_FEJ));
    top->addWidget(b_vissza = new QPushButton(QStringLiteral("Vissza"), P_FEJ));
    top->addWidget(cbx_tmpdel = new QCheckBox(QStringLiteral("Átmeneti táblák törlése"), P_FEJ));
    top->addStretch(1);
    b_indul->setObjectName(QStringLiteral("b_indul"));
    b_vissza->setObjectName(QStringLiteral("b_vissza"));
    cbx_tmpdel->setObjectName(QStringLiteral("cbx_tmpdel"));
    cbx_tmpdel->setChecked(true);

    clbx_Tablak = new QListWidget(this);
    clbx_Tablak->setObjectName(QStringLiteral("clbx_Tablak"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(P_FEJ);
    layout->addWidget(clbx_Tablak, 1);
    resize(460, 360);

    connect(b_indul, &QPushButton::clicked, this, &Ttakaritfm::TmpTablesDrop);
    connect(b_vissza, &QPushButton::clicked, this, &QWidget::close);
}

void Ttakaritfm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    b_indul->setEnabled(true);
}

bool Ttakaritfm::TmpTablesList() {
    clbx_Tablak->clear();
    for (const QString& table : ::TmpTablesList()) {
        auto* item = new QListWidgetItem(table, clbx_Tablak);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return clbx_Tablak->count() > 0;
}

void Ttakaritfm::TmpTablesDrop() {
    b_indul->setEnabled(false);
    if (!cbx_tmpdel->isChecked()) return;
    QStringList tables;
    for (int i = 0; i < clbx_Tablak->count(); ++i) tables << clbx_Tablak->item(i)->text();
    try {
        for (const TmpDropResult& result : ::TmpTablesDrop(tables, b_indul)) {
            const QList<QListWidgetItem*> found = clbx_Tablak->findItems(result.table, Qt::MatchExactly);
            for (QListWidgetItem* item : found) item->setCheckState(result.dropped ? Qt::Checked : Qt::Unchecked);
        }
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void ShowTakaritFm(QWidget* parent) {
    static QPointer<Ttakaritfm> window;
    if (!window) window = new Ttakaritfm(parent);
    if (!window->TmpTablesList()) {
        ShowMessage(QStringLiteral("Nincsenek átmeneti táblák"));
        return;
    }
    window->show();
    window->raise();
}
