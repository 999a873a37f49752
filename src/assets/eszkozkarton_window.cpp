#include "assets/eszkozkarton_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "assets/asset_widgets_window.h"
#include "db/altproc.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"

namespace {

struct CardField {
    const char* name;
    const char* caption;
    bool date;
};
const CardField cardFields[] = {
    {"e_eszkozkod", " Eszköz: ", false},          {"e_sorszam", " Sorszám: ", false},           {"e_kelt", " Esemény kelte: ", true},
    {"e_bizonylat", " Bizonylat: ", false},       {"e_szoveg", " Szöveg: ", false},
    {"e_szla", " Számlaszám: ", false},           {"e_bruttonov", " Bruttó növekedés: ", false},
    {"e_bruttocsok", " Bruttó csökkenés: ", false}, {"e_brutto", " Bruttó érték: ", false},
    {"e_ecsnov", " É.cs.növekedés: ", false},     {"e_ecscsok", " É.cs. csökkenés: ", false},
    {"e_nettoert", " Nettó érték: ", false},
};

}  // namespace

Teszkozkartonfm::Teszkozkartonfm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("eszkozkartonfm"));
    setWindowTitle(QStringLiteral("Tárgyi eszköz karton"));
    buildWindow();
    connectEvents();
    resize(950, 600);
}

Teszkozkartonfm::~Teszkozkartonfm() { QuietEdits(this); }

void Teszkozkartonfm::buildWindow() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(2, 2, 2, 2);
    p_buttons = new QFrame(this);
    p_buttons->setObjectName(QStringLiteral("p_buttons"));
    auto* bar = new QHBoxLayout(p_buttons);
    l_state = new QLabel(p_buttons);
    l_state->setObjectName(QStringLiteral("l_state"));
    b_vissza = AssetButton(p_buttons, "b_vissza", QStringLiteral("&Vissza"));
    p_babral = new QFrame(p_buttons);
    p_babral->setObjectName(QStringLiteral("p_babral"));
    auto* babral = new QHBoxLayout(p_babral);
    babral->setContentsMargins(0, 0, 0, 0);
    b_uj = AssetButton(p_babral, "b_uj", QStringLiteral("&Uj tétel"));
    b_modositas = AssetButton(p_babral, "b_modositas", QStringLiteral("&Módosítás"));
    b_torles = AssetButton(p_babral, "b_torles", QStringLiteral("&Törlés"));
    b_ok = AssetButton(p_babral, "b_ok", QStringLiteral("&OK, tárol"));
    b_megsem = AssetButton(p_babral, "b_megsem", QStringLiteral("&Nem tárol mégsem"));
    for (QPushButton* b : {b_uj, b_modositas, b_torles, b_ok, b_megsem}) babral->addWidget(b);
    b_lista = AssetButton(p_buttons, "b_lista", QStringLiteral("Lista"));
    bar->addWidget(l_state);
    bar->addWidget(b_vissza);
    bar->addWidget(p_babral);
    bar->addWidget(b_lista);
    bar->addStretch();
    root->addWidget(p_buttons);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* head = new QHBoxLayout(Panel1);
    head->addWidget(new QLabel(QStringLiteral("Nyilvántartási szám:"), Panel1));
    l_kod = new QLabel(Panel1);
    l_kod->setObjectName(QStringLiteral("l_kod"));
    head->addWidget(l_kod);
    head->addSpacing(20);
    head->addWidget(new QLabel(QStringLiteral("Megnevezés:"), Panel1));
    l_megnevezes = new QLabel(Panel1);
    l_megnevezes->setObjectName(QStringLiteral("l_megnevezes"));
    head->addWidget(l_megnevezes, 1);
    root->addWidget(Panel1);

    p_fej = new QFrame(this);
    p_fej->setObjectName(QStringLiteral("p_fej"));
    p_fej->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(p_fej);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const CardField& f : cardFields) {
        const int column = row < 6 ? 0 : 2;
        const int line = row < 6 ? row : row - 6;
        grid->addWidget(new QLabel(QString::fromUtf8(f.caption).trimmed(), p_fej), line, column);
        auto* cell = new QHBoxLayout;
        QLineEdit* e = AssetEdit(p_fej, QString::fromLatin1(f.name), 0, f.date);
        cell->addWidget(e);
        if (f.date) cell->addWidget(DayButton(p_fej, e, QStringLiteral("b_kelt")));
        if (QLatin1String(f.name) == QLatin1String("e_szla")) {
            b_szla = AssetButton(p_fej, "b_szla", QStringLiteral("?"));
            b_szla->setFocusPolicy(Qt::NoFocus);
            b_szla->setMaximumWidth(24);
            cell->addWidget(b_szla);
            auto* name = new QLabel(p_fej);
            name->setObjectName(QStringLiteral("l_szlanev"));
            cell->addWidget(name, 1);
        }
        cell->addStretch();
        grid->addLayout(cell, line, column + 1);
        ++row;
    }
    AssetEdit(p_fej, QStringLiteral("e_mennyiseg"), 0)->hide();
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    root->addWidget(p_fej);

    dbg_karton = AssetGrid(this, QStringLiteral("dbg_karton"));
    root->addWidget(dbg_karton, 1);
    (new AssetKeys(this))->watchEdits();
}

QLineEdit* Teszkozkartonfm::edit(const QString& name) const { return findChild<QLineEdit*>(name); }

void Teszkozkartonfm::connectEvents() {
    connect(b_vissza, &QPushButton::clicked, this, &QWidget::close);
    connect(b_uj, &QPushButton::clicked, this, [this] {
        run([this] { form.b_ujClick(); });
        edit(QStringLiteral("e_kelt"))->setFocus();
    });
    connect(b_modositas, &QPushButton::clicked, this, [this] { run([this] { form.b_modositClick(); }); });
    connect(b_megsem, &QPushButton::clicked, this, [this] { run([this] { form.b_megsemClick(); }); });
    connect(b_torles, &QPushButton::clicked, this, [this] { run([this] { form.b_torlesClick(); }); });
    connect(b_lista, &QPushButton::clicked, this, [this] { run([this] { form.b_listaClick(); }); });
    connect(b_ok, &QPushButton::clicked, this, [this] {
        run([this] { form.b_okClick(); });
        if (QLineEdit* e = edit(form.focus)) e->setFocus();
    });
    connect(b_szla, &QPushButton::clicked, this, [this] { chooseAccount(); });
    connect(edit(QStringLiteral("e_bruttonov")), &QLineEdit::editingFinished, this,
            [this] { run([this] { form.e_bruttonovExit(); }); });
    connect(edit(QStringLiteral("e_bruttocsok")), &QLineEdit::editingFinished, this,
            [this] { run([this] { form.e_bruttocsokExit(); }); });
    connect(edit(QStringLiteral("e_szla")), &QLineEdit::editingFinished, this, [this] {
        if (!p_fej->isEnabled()) return;
        bool found = true;
        run([this, &found] { found = form.e_szlaExit(); });
        if (!found) chooseAccount();
    });
    connect(dbg_karton, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row == form.current || form.wstate != QLatin1String("browse")) return;
        run([this, row] { form.Scroll(row); });
    });
}

void Teszkozkartonfm::chooseAccount() {
    ReadEdits(this, form.p);
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_TUKOR"), QStringLiteral("WHERE KARTON='K'"), form.p.text(QStringLiteral("e_szla")),
                      nullptr, chosen, false, true, true))
        return;
    form.p.setText(QStringLiteral("e_szla"), RekordErtek(chosen, QStringLiteral("SZLA")));
    form.p.setText(QStringLiteral("l_szlanev"), RekordErtek(chosen, QStringLiteral("SZOVEG")));
    showForm();
}

void Teszkozkartonfm::run(const std::function<void()>& work) {
    ReadEdits(this, form.p);
    RunGuarded(work);
    showForm();
}

void Teszkozkartonfm::showForm() {
    ShowEdits(this, form.p);
    l_kod->setText(form.kod);
    l_megnevezes->setText(form.megnevezes);
    l_state->setText(StateCaption(form.wstate));
    p_fej->setEnabled(form.p_fejEnabled);
    p_babral->setEnabled(form.p_babralEnabled);
    FillGrid(dbg_karton, form.rows, EszkozKartonColumns(), form.current);
}

void ShowEszkozKartonFm(QWidget* parent, const QString& belsokod, bool fromVoucher, const QSqlRecord& tetel) {
    static QPointer<Teszkozkartonfm> window;
    if (!window) window = new Teszkozkartonfm(parent);
    window->form.weszkozkod = belsokod;
    window->form.wnew = fromVoucher;
    window->form.wtetel = tetel;
    window->run([] { window->form.FormShow(); });
    window->show();
    window->raise();
}
