#include "assets/ecsszamol_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "assets/asset_widgets_window.h"
#include "assets/frecs.h"
#include "db/ui_hooks.h"
#include "reports/engine/report_preview_window.h"
#include "reports/report_pattern.h"

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* l = new QLabel(caption, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

Tecsszamolfm::Tecsszamolfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ecsszamolfm"));
    setWindowTitle(QStringLiteral("Értékcsökkenés elszámolása"));
    buildWindow();
    connectEvents();
    resize(760, 560);
}

Tecsszamolfm::~Tecsszamolfm() { QuietEdits(this); }

void Tecsszamolfm::buildWindow() {
    auto* root = new QVBoxLayout(this);
    p_buttons = new QFrame(this);
    p_buttons->setObjectName(QStringLiteral("p_buttons"));
    auto* bar = new QHBoxLayout(p_buttons);
    b_indul = AssetButton(p_buttons, "b_indul", QStringLiteral("&Indul"));
    b_vissza = AssetButton(p_buttons, "b_vissza", QStringLiteral("&Vissza"));
    b_nyomtatas = AssetButton(p_buttons, "b_nyomtatas", QStringLiteral("&Nyomtatás"));
    b_tarolas = AssetButton(p_buttons, "b_tarolas", QStringLiteral("&Tárolás"));
    for (QPushButton* b : {b_indul, b_vissza, b_nyomtatas, b_tarolas}) {
        b->setAutoDefault(false);
        bar->addWidget(b);
    }
    bar->addStretch();
    root->addWidget(p_buttons);

    p_ecs = new QFrame(this);
    p_ecs->setObjectName(QStringLiteral("p_ecs"));
    p_ecs->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(p_ecs);
    grid->addWidget(label(p_ecs, nullptr, QStringLiteral(" Utolsó elszámolt időszak:")), 0, 0);
    l_idoszak = label(p_ecs, "l_idoszak");
    grid->addWidget(l_idoszak, 0, 1, 1, 2);
    l_beruhazva = label(p_ecs, "l_beruhazva", EcsTolCaption);
    e_datumtol = AssetEdit(p_ecs, QStringLiteral("e_datumtol"), 7);
    l_tol = label(p_ecs, "l_tol");
    grid->addWidget(l_beruhazva, 1, 0);
    grid->addWidget(e_datumtol, 1, 1);
    grid->addWidget(l_tol, 1, 2);
    l_idoszakvege = label(p_ecs, "l_idoszakvege", EcsIgCaption);
    e_datumig = AssetEdit(p_ecs, QStringLiteral("e_datumig"), 7);
    l_ig = label(p_ecs, "l_ig");
    grid->addWidget(l_idoszakvege, 2, 0);
    grid->addWidget(e_datumig, 2, 1);
    grid->addWidget(l_ig, 2, 2);
    for (QLineEdit* e : {e_datumtol, e_datumig}) e->setMaximumWidth(80);
    grid->addWidget(label(p_ecs, nullptr, QStringLiteral("Aktuális tétel")), 3, 0);
    l_akt = label(p_ecs, "l_akt");
    grid->addWidget(l_akt, 3, 1, 1, 2);
    pbar = new QProgressBar(p_ecs);
    pbar->setObjectName(QStringLiteral("pbar"));
    pbar->setValue(0);
    grid->addWidget(pbar, 4, 0, 1, 3);
    cb_teteles = new QCheckBox(QStringLiteral(" Részletes kimutatást kérek"), p_ecs);
    cb_teteles->setObjectName(QStringLiteral("cb_teteles"));
    cb_teteles->setChecked(true);
    grid->addWidget(cb_teteles, 5, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    root->addWidget(p_ecs);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    root->addWidget(Memo1, 1);
    (new AssetKeys(this))->watchEdits();
}

void Tecsszamolfm::connectEvents() {
    connect(b_vissza, &QPushButton::clicked, this, &QDialog::reject);
    connect(b_indul, &QPushButton::clicked, this, [this] {
        run([this] {
            form.progress = [this](int done, int total) {
                pbar->setMaximum(total);
                pbar->setValue(done);
                l_akt->setText(form.l_akt);
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            };
            pbar->setValue(0);
            form.Indul();
        });
    });
    connect(b_nyomtatas, &QPushButton::clicked, this, [this] { print(); });
    connect(b_tarolas, &QPushButton::clicked, this, [this] {
        run([this] {
            if (form.Tarolas()) l_akt->setText(QStringLiteral("Az értékcsökkenés tárolva: ") + EcsMozgasSzoveg(form.wrunTol, form.wrunIg));
        });
    });
    connect(e_datumtol, &QLineEdit::editingFinished, this, [this] { leavePeriodEdit(e_datumtol, &EcsSzamolForm::e_datumtolExit); });
    connect(e_datumig, &QLineEdit::editingFinished, this, [this] { leavePeriodEdit(e_datumig, &EcsSzamolForm::e_datumigExit); });
}

// A month that is no date keeps the focus; the warning's own box takes the
// focus away once, which must not warn again.
void Tecsszamolfm::leavePeriodEdit(QLineEdit* edit, bool (EcsSzamolForm::*exit)()) {
    if (m_checking) return;
    m_checking = true;
    bool ok = true;
    run([this, exit, &ok] { ok = (form.*exit)(); });
    if (!ok) edit->setFocus();
    m_checking = false;
}

void Tecsszamolfm::print() {
    if (form.Memo1.isEmpty()) {
        ShowMessage(NothingToPrint.trimmed());
        return;
    }
    RunGuarded([this] { ShowFrecs(this, form); });
}

void Tecsszamolfm::FormShow() {
    run([this] { form.FormShow(); });
    Memo1->clear();
    pbar->setValue(0);
    l_akt->clear();
}

void Tecsszamolfm::run(const std::function<void()>& work) {
    form.e_datumtol = e_datumtol->text().trimmed();
    form.e_datumig = e_datumig->text().trimmed();
    form.cb_teteles = cb_teteles->isChecked();
    RunGuarded(work);
    showForm();
}

void Tecsszamolfm::showForm() {
    l_idoszak->setText(form.l_idoszak);
    e_datumtol->setText(form.e_datumtol);
    e_datumig->setText(form.e_datumig);
    l_tol->setText(form.l_tol);
    l_ig->setText(form.l_ig);
    const QString memo = form.Memo1.join(u'\n');
    if (Memo1->toPlainText() != memo) Memo1->setPlainText(memo);
}

void ShowFrecs(QWidget* parent, const EcsSzamolForm& form) {
    auto rows = FrecsRows(form.Memo1);
    ShowPreview(Frecs(form.RllIdoszak()), *rows, parent);
}

void ShowEcsszamolFm(QWidget* parent, const QString& caption) {
    Tecsszamolfm window(parent);
    window.setWindowTitle(caption);
    window.FormShow();
    window.exec();
}
