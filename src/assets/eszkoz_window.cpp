#include "assets/eszkoz_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "assets/asset_widgets_window.h"
#include "assets/eszkozkarton_window.h"
#include "db/altproc.h"
#include "db/edit_keys_window.h"
#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"

namespace {

QFrame* panel(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(f);
    layout->setContentsMargins(3, 3, 3, 3);
    return f;
}

const EszkozField* fieldOf(const QString& column) {
    for (const EszkozField& f : EszkozFields())
        if (f.column == column) return &f;
    return nullptr;
}

// The rows of the data panel: the fields standing in one row, in two halves.
const QList<QStringList>& leftRows() {
    static const QList<QStringList> rows{
        {QStringLiteral("KOD"), QStringLiteral("BELSOKOD")}, {QStringLiteral("SZLA")}, {QStringLiteral("MEGNEVEZES")},
        {QStringLiteral("SZALLKOD"), QStringLiteral("SZALLNEV")}, {QStringLiteral("VTSZ")}, {QStringLiteral("BERUHAZVA")},
        {QStringLiteral("UZEMBEHELY")}, {QStringLiteral("NETTOERT")}, {QStringLiteral("ECSMOD")}, {QStringLiteral("KULCS1")},
        {QStringLiteral("MARADVANY")}};
    return rows;
}
const QList<QStringList>& rightRows() {
    static const QList<QStringList> rows{
        {QStringLiteral("ADOEV"), QStringLiteral("ECSVEGE")}, {QStringLiteral("HASZNEV")}, {QStringLiteral("GYARTONEV")},
        {QStringLiteral("GYARISZAM")}, {QStringLiteral("LEIRAS")}, {QStringLiteral("RENDSZAM")},
        {QStringLiteral("KIVEZETVE"), QStringLiteral("KIVEZETOK")}, {QStringLiteral("AKTIV")}, {QStringLiteral("RAKTAR")},
        {QStringLiteral("TETELSORSZAM")}};
    return rows;
}

QPointer<Teszkozfm>& theWindow() {
    static QPointer<Teszkozfm> window;
    return window;
}

}  // namespace

Teszkozfm::Teszkozfm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("eszkozfm"));
    setWindowTitle(QStringLiteral("Tárgyi eszközök és immateriális javak"));
    buildWindow();
    connectEvents();
    resize(1100, 720);
}

Teszkozfm::~Teszkozfm() { QuietEdits(this); }

void Teszkozfm::buildWindow() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(2, 2, 2, 2);

    p_buttons = panel(this, "p_buttons");
    p_keres = panel(p_buttons, "p_keres");
    b_torol = AssetButton(p_keres, "b_torol", QStringLiteral("Feltételeket &töröl"));
    b_frissit = AssetButton(p_keres, "b_frissit", QStringLiteral("&Feltételeket elfogad"));
    p_keres->layout()->addWidget(b_torol);
    p_keres->layout()->addWidget(b_frissit);
    p_vissza = panel(p_buttons, "p_vissza");
    b_vissza = AssetButton(p_vissza, "b_vissza", QStringLiteral("&Vissza"));
    p_vissza->layout()->addWidget(b_vissza);
    p_mod = panel(p_buttons, "p_mod");
    b_uj = AssetButton(p_mod, "b_uj", QStringLiteral("&Uj tétel"));
    b_modosit = AssetButton(p_mod, "b_modosit", QStringLiteral("&Módosít"));
    b_tarol = AssetButton(p_mod, "b_tarol", QStringLiteral("&Tárol"));
    b_megsem = AssetButton(p_mod, "b_megsem", QStringLiteral("&Nem tárol mégsem"));
    b_karton = AssetButton(p_mod, "b_karton", QStringLiteral("K&arton"));
    b_listak = AssetButton(p_mod, "b_listak", QStringLiteral("&Listák"));
    for (QPushButton* b : {b_uj, b_modosit, b_tarol, b_megsem, b_karton, b_listak}) p_mod->layout()->addWidget(b);
    p_kivalaszt = panel(p_buttons, "p_kivalaszt");
    b_kivalaszt = AssetButton(p_kivalaszt, "b_kivalaszt", QStringLiteral("&Kiválaszt"));
    p_kivalaszt->layout()->addWidget(b_kivalaszt);
    auto* p_info = panel(p_buttons, "p_info");
    cb_keres = new QCheckBox(QStringLiteral("KERESÉS"), p_info);
    cb_keres->setObjectName(QStringLiteral("cb_keres"));
    l_state = new QLabel(p_info);
    l_state->setObjectName(QStringLiteral("l_state"));
    l_tetel = new QLabel(p_info);
    l_tetel->setObjectName(QStringLiteral("l_tetel"));
    p_info->layout()->addWidget(cb_keres);
    p_info->layout()->addWidget(l_state);
    p_info->layout()->addWidget(l_tetel);
    auto* bar = static_cast<QHBoxLayout*>(p_buttons->layout());
    bar->addWidget(p_keres);
    bar->addWidget(p_vissza);
    bar->addWidget(p_mod);
    bar->addWidget(p_kivalaszt);
    bar->addWidget(p_info);
    bar->addStretch();
    root->addWidget(p_buttons);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    p_data = new QFrame(splitter);
    p_data->setObjectName(QStringLiteral("p_data"));
    auto* grid = new QGridLayout(p_data);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(2);
    const auto addRows = [&](const QList<QStringList>& rows, int column) {
        for (int r = 0; r < rows.size(); ++r) {
            const QStringList& columns = rows.at(r);
            QString caption;
            for (const QString& c : columns)
                if (caption.isEmpty()) caption = fieldOf(c)->caption;
            auto* label = new QLabel(caption.trimmed(), p_data);
            label->setObjectName(QStringLiteral("lc_") + columns.first().toLower());
            grid->addWidget(label, r, column);
            auto* line = new QHBoxLayout;
            line->setSpacing(3);
            for (const QString& c : columns) {
                const EszkozField& f = *fieldOf(c);
                QLineEdit* e = AssetEdit(p_data, QStringLiteral("e_") + c.toLower(), f.maxLength, f.date);
                line->addWidget(e);
                if (f.date && !f.disabled) line->addWidget(DayButton(p_data, e, QStringLiteral("b_nap_") + c.toLower()));
                if (!f.lookup.isEmpty()) {
                    QPushButton* q = AssetButton(p_data, f.lookup.toLatin1().constData(), QStringLiteral("?"));
                    q->setFocusPolicy(Qt::NoFocus);
                    q->setMaximumWidth(24);
                    line->addWidget(q);
                    connect(q, &QPushButton::clicked, this, [this, c] { lookup(c); });
                }
                if (!f.infoLabel.isEmpty()) {
                    auto* info = new QLabel(p_data);
                    info->setObjectName(f.infoLabel);
                    info->setMinimumWidth(150);
                    line->addWidget(info, 1);
                }
                if (c == QLatin1String("BERUHAZVA") || c == QLatin1String("UZEMBEHELY")) {
                    auto* tolig = new QLabel(QStringLiteral("<- tól - ig ->"), p_data);
                    tolig->setObjectName(QStringLiteral("l_tolig_") + c.toLower());
                    line->addWidget(tolig);
                    line->addWidget(AssetEdit(p_data, QStringLiteral("e_") + c.toLower() + QStringLiteral("_ig"), 10, true));
                }
                if (c == QLatin1String("AKTIV")) {
                    e->setMaximumWidth(30);
                    e->setValidator(new UpperCaseValidator(e));
                    cb_aktiv = new QCheckBox(QStringLiteral("Csak az élő tételeket lássuk"), p_data);
                    cb_aktiv->setObjectName(QStringLiteral("cb_aktiv"));
                    cb_aktiv->setChecked(true);
                    line->addWidget(cb_aktiv);
                }
            }
            line->addStretch();
            grid->addLayout(line, r, column + 1);
        }
    };
    addRows(leftRows(), 0);
    addRows(rightRows(), 2);
    auto* hint = new QLabel(QStringLiteral("A táblázat rendezéséhez kattintson az oszlop fejlécére!"), p_data);
    hint->setObjectName(QStringLiteral("l_rendezes"));
    grid->addWidget(hint, int(leftRows().size()), 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    dbg_eszkoz = AssetGrid(splitter, QStringLiteral("dbg_eszkoz"));
    splitter->addWidget(p_data);
    splitter->addWidget(dbg_eszkoz);
    splitter->setStretchFactor(1, 1);
    root->addWidget(splitter, 1);

    auto* keys = new AssetKeys(this);
    keys->watchEdits();
}

QLineEdit* Teszkozfm::edit(const QString& name) const { return findChild<QLineEdit*>(name); }

void Teszkozfm::connectEvents() {
    connect(b_vissza, &QPushButton::clicked, this, &QWidget::close);
    connect(b_frissit, &QPushButton::clicked, this, [this] { run([this] { form.b_frissitClick(); }); });
    connect(b_torol, &QPushButton::clicked, this, [this] { run([this] { form.b_torolClick(); }); });
    connect(cb_keres, &QCheckBox::clicked, this, [this](bool on) { run([this, on] { form.cb_keresClick(on); }); });
    connect(cb_aktiv, &QCheckBox::clicked, this, [this](bool on) { run([this, on] { form.cb_aktivClick(on); }); });
    connect(b_uj, &QPushButton::clicked, this, [this] {
        run([this] { form.b_ujClick(); });
        edit(QStringLiteral("e_kod"))->setFocus();
    });
    connect(b_modosit, &QPushButton::clicked, this, [this] {
        run([this] { form.b_modositClick(); });
        edit(QStringLiteral("e_kod"))->setFocus();
    });
    connect(b_megsem, &QPushButton::clicked, this, [this] { run([this] { form.b_megsemClick(); }); });
    connect(b_tarol, &QPushButton::clicked, this, [this] {
        run([this] { form.b_tarolClick(); });
        if (QLineEdit* e = edit(form.focus)) e->setFocus();
    });
    connect(b_kivalaszt, &QPushButton::clicked, this, [this] { run([this] { form.b_kivalasztClick(); }); });
    connect(b_karton, &QPushButton::clicked, this, [this] { openCard(); });
    connect(b_listak, &QPushButton::clicked, this, [this] { lists(); });
    connect(dbg_eszkoz, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row == form.current) return;
        run([this, row] { form.Scroll(row); });
    });
    connect(dbg_eszkoz->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section < 0 || section >= EszkozColumns().size()) return;
        run([this, section] { form.SortBy(EszkozColumns().at(section).field); });
    });

    // Leaving the rate, or a coded field outside search mode.
    connect(edit(QStringLiteral("e_kulcs1")), &QLineEdit::editingFinished, this, [this] {
        bool ok = true;
        run([this, &ok] { ok = form.e_kulcs1Exit(); });
        if (!ok) edit(QStringLiteral("e_kulcs1"))->setFocus();
    });
    const auto exitLookup = [this](const QString& column, bool (EszkozForm::*exit)()) {
        connect(edit(QStringLiteral("e_") + column.toLower()), &QLineEdit::editingFinished, this, [this, column, exit] {
            if (cb_keres->isChecked() || form.wstate == QLatin1String("browse")) return;
            bool found = true;
            run([this, exit, &found] { found = (form.*exit)(); });
            if (!found && !form.p.text(QStringLiteral("e_") + column.toLower()).trimmed().isEmpty()) lookup(column);
        });
    };
    exitLookup(QStringLiteral("SZLA"), &EszkozForm::e_szlaExit);
    exitLookup(QStringLiteral("SZALLKOD"), &EszkozForm::e_szallkodExit);
    exitLookup(QStringLiteral("RAKTAR"), &EszkozForm::e_raktarExit);
}

void Teszkozfm::lookup(const QString& field) {
    readControls();
    ASelectedRecord chosen;
    const QString text = form.p.text(QStringLiteral("e_") + field.toLower());
    if (field == QLatin1String("SZLA")) {
        if (!TablaValaszt(QStringLiteral("SZ_TUKOR"), QStringLiteral("WHERE KARTON='K'"), text, nullptr, chosen, false, true, true))
            return;
        form.p.setText(QStringLiteral("e_szla"), RekordErtek(chosen, QStringLiteral("SZLA")));
        form.p.setText(QStringLiteral("l_szlanev"), RekordErtek(chosen, QStringLiteral("SZOVEG")));
    } else if (field == QLatin1String("SZALLKOD")) {
        if (!TablaValaszt(QStringLiteral("UGYFEL"), QStringLiteral("WHERE SZALLITO='I'"), text, nullptr, chosen))
            return;
        form.p.setText(QStringLiteral("e_szallkod"), RekordErtek(chosen, QStringLiteral("KOD")));
        form.p.setText(QStringLiteral("e_szallnev"), RekordErtek(chosen, QStringLiteral("NEV")));
    } else {
        const QString table = field == QLatin1String("ECSMOD") ? QStringLiteral("SZ_ECSMOD") : QStringLiteral("SZ_RAKTAR");
        if (!TablaValaszt(table, QString(), text, nullptr, chosen)) return;
        form.p.setText(QStringLiteral("e_") + field.toLower(), RekordErtek(chosen, QStringLiteral("KOD")));
        form.p.setText(field == QLatin1String("ECSMOD") ? QStringLiteral("l_ecsmod") : QStringLiteral("l_raktar"),
                       RekordErtek(chosen, QStringLiteral("NEV")));
    }
    showForm();
}

void Teszkozfm::lists() {
    const int choice = AskDialog(QStringLiteral("Milyen listát szeretne?"), 0,
                                 {QStringLiteral("A feltételeknek megfelelő tételek tárolása táblázatba"),
                                  QStringLiteral("A feltételeknek megfelelő tételek listázása"),
                                  QStringLiteral("Leltár lista táblázatba "), QStringLiteral("Leltár lista"),
                                  QStringLiteral("Mégsem szeretnék listát")});
    if (choice == 0) {
        RunGuarded([this] {
            const std::unique_ptr<ExportSource> rows = form.ListForExport();
            QString chosen;
            StoreDataSet(*rows, QString(), QString(), chosen);
        });
    } else if (choice >= 1 && choice <= 3) {
        ShowMessage(QStringLiteral("Fejlesztés alatt"));
    }
}

void Teszkozfm::openCard() {
    if (form.wstate != QLatin1String("browse") || form.currentRow().isEmpty()) return;
    ShowEszkozKartonFm(this, form.currentRow().value(QStringLiteral("BELSOKOD")).toString(), !form.wntipus.isEmpty(),
                       form.wtetel);
}

void Teszkozfm::readControls() {
    ReadEdits(this, form.p);
    form.cb_keres = cb_keres->isChecked();
    form.cb_aktiv = cb_aktiv->isChecked();
}

void Teszkozfm::run(const std::function<void()>& work) {
    readControls();
    RunGuarded(work);
    showForm();
}

void Teszkozfm::showForm() {
    ShowEdits(this, form.p);
    const bool withCode = form.szallkodVisible;
    edit(QStringLiteral("e_szallkod"))->setVisible(withCode);
    findChild<QPushButton*>(QStringLiteral("b_ugyfel"))->setVisible(withCode);
    for (const char* name : {"e_raktar", "b_raktar", "l_raktar", "lc_raktar"})
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setVisible(form.wanraktar);
    // The method's "?" stays off: new assets take the company's method.
    findChild<QPushButton*>(QStringLiteral("b_ecsmod"))->setEnabled(false);

    cb_keres->setChecked(form.cb_keres);
    cb_aktiv->setChecked(form.cb_aktiv);
    p_keres->setEnabled(form.p_keresEnabled);
    for (const char* name : {"e_beruhazva_ig", "e_uzembehely_ig", "l_tolig_beruhazva", "l_tolig_uzembehely"})
        findChild<QWidget*>(QString::fromLatin1(name))->setVisible(form.p_toligVisible);
    p_kivalaszt->setVisible(form.b_kivalasztVisible);
    for (QPushButton* b : {b_uj, b_modosit, b_tarol}) b->setEnabled(form.modEnabled);
    l_state->setText(StateCaption(form.wstate));
    l_tetel->setText(form.l_tetel());
    FillGrid(dbg_eszkoz, form.rows, EszkozColumns(), form.current);
}

Teszkozfm* EszkozFm(QWidget* mainWindow) {
    if (!theWindow()) {
        theWindow() = new Teszkozfm(mainWindow);
        if (mainWindow && mainWindow->metaObject()->indexOfSignal("companyChanged()") >= 0)
            QObject::connect(mainWindow, SIGNAL(companyChanged()), theWindow(), SLOT(companyChanged()));
    }
    return theWindow();
}

void ShowEszkozFm(QWidget* mainWindow, const QString& caption, const QRect& area) {
    Teszkozfm* window = EszkozFm(mainWindow);
    window->setWindowTitle(caption);
    if (area.isValid()) window->setGeometry(area.x(), area.y(), area.width(), qMax(200, area.height() - 40));
    window->form.wntipus.clear();
    window->form.wkonyvbiz.clear();
    window->run([window] { window->form.FormShow(); });
    window->show();
    window->raise();
}

void ShowEszkozFmForVoucher(QWidget* mainWindow, const QString& ntipus, const QString& konyvbiz) {
    Teszkozfm* window = EszkozFm(mainWindow);
    window->form.wntipus = ntipus;
    window->form.wkonyvbiz = konyvbiz;
    window->show();
    window->raise();
    window->activateWindow();
    window->run([window] { window->form.FormShow(); });
}
