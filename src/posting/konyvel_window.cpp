#include "konyvel_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlField>
#include <QTableWidget>
#include <QValidator>

#include "db/amount_text.h"
#include <QVBoxLayout>

#include "db/named_widgets_window.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/amount_display.h"
#include "db/getdatum_window.h"
#include "db/ui_hooks.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"
#include "masterdata/record_storage.h"
#include "posting/settlement.h"

namespace {

OpenAssetRegister& assetRegisterOpener() {
    static OpenAssetRegister opener;
    return opener;
}

// The chosen row of a lookup as a record the voucher logic reads.
QSqlRecord toRecord(const ASelectedRecord& chosen) {
    QSqlRecord record;
    for (const TSelectedRecord& column : chosen) {
        QSqlField field(column.nev, QMetaType::fromType<QString>());
        field.setValue(column.ertek);
        record.append(field);
    }
    return record;
}

QLineEdit* edit(QWidget* parent, const char* name, int maxLength = 0) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

// A date field: "####.##.##" with blanks, empty as "    .  .  ".
QLineEdit* dateEdit(QWidget* parent, const char* name) {
    QLineEdit* e = edit(parent, name);
    e->setInputMask(QStringLiteral("9999.99.99; "));
    e->setMaximumWidth(110);
    return e;
}

bool isDateEdit(const QLineEdit* e) { return !e->inputMask().isEmpty(); }

QString textOf(const QLineEdit* e) { return isDateEdit(e) ? e->displayText() : e->text(); }

// Several invoices carry the number: the user picks one. The number goes into
// the choice window's filter as stored, quoted.
std::optional<QString> chooseInvoice(const QString&, const QList<QSqlRecord>& rows) {
    ASelectedRecord chosen;
    const QString stored = rows.first().value(QStringLiteral("SZAMLASZAM")).toString();
    if (!TablaValaszt(QStringLiteral("TETEL"), QStringLiteral(" where SZAMLASZAM = ") + SqlQuote(stored),
                      QStringLiteral("musz_reopen"), nullptr, chosen, false, true, false))
        return std::nullopt;
    return RekordErtek(chosen, QStringLiteral("KONYVBIZ"));
}

}  // namespace

void SetAssetRegisterOpener(OpenAssetRegister opener) { assetRegisterOpener() = std::move(opener); }

TKonyvelFm::TKonyvelFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KonyvelFm"));
    buildWindow();
    connectEvents();
}

TKonyvelFm::~TKonyvelFm() = default;

void TKonyvelFm::buildWindow() {
    auto* root = new QVBoxLayout(this);

    p_topbutton = new QFrame(this);
    p_topbutton->setObjectName(QStringLiteral("p_topbutton"));
    auto* top = new QHBoxLayout(p_topbutton);
    b_ujbiz = NamedButton(p_topbutton, "b_ujbiz", QStringLiteral("Új &bizonylat"));
    l_state = NamedLabel(p_topbutton, "l_state", QString());
    b_vissza = NamedButton(p_topbutton, "b_vissza", QStringLiteral("Vissza"));
    top->addWidget(b_ujbiz);
    top->addWidget(l_state, 1, Qt::AlignCenter);
    top->addWidget(b_vissza);
    root->addWidget(p_topbutton);

    // The header, in tab order.
    P_fej = new QFrame(this);
    P_fej->setObjectName(QStringLiteral("P_fej"));
    P_fej->setFrameShape(QFrame::StyledPanel);
    auto* h = new QGridLayout(P_fej);
    int row = 0;
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Napló típusa:")), row, 0);
    h->addWidget(e_ntipus = edit(P_fej, "e_ntipus", 3), row, 1);
    h->addWidget(b_ntipus = NamedButton(P_fej, "b_ntipus", QStringLiteral("?"), false), row, 2);
    h->addWidget(l_ntip = NamedLabel(P_fej, "l_ntip", QString()), row++, 3);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Könyv.bizszám:")), row, 0);
    h->addWidget(e_konyvbiz = edit(P_fej, "e_konyvbiz", 15), row++, 1);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Könyvelés dátuma:")), row, 0);
    h->addWidget(e_konyvdat = dateEdit(P_fej, "e_konyvdat"), row, 1);
    h->addWidget(B_konyvdat = NamedButton(P_fej, "B_konyvdat", QStringLiteral("Naptár"), false), row++, 2);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Ügyfélkód")), row, 0);
    h->addWidget(e_ugyfelkod = edit(P_fej, "e_ugyfelkod", 7), row, 1);
    h->addWidget(B_ugyfel = NamedButton(P_fej, "B_ugyfel", QStringLiteral("?"), false), row, 2);
    h->addWidget(l_ugyfelnev = NamedLabel(P_fej, "l_ugyfelnev", QString()), row++, 3);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Költséghely:")), row, 0);
    h->addWidget(e_ktsghely = edit(P_fej, "e_ktsghely", 10), row, 1);
    h->addWidget(B_ktsghely = NamedButton(P_fej, "B_ktsghely", QStringLiteral("?"), false), row++, 2);
    h->addWidget(L_devizanem = NamedLabel(P_fej, "L_devizanem", QStringLiteral(" Devizanem:")), row, 0);
    h->addWidget(e_devizanem = edit(P_fej, "e_devizanem", 3), row, 1);
    h->addWidget(b_devizanem = NamedButton(P_fej, "b_devizanem", QStringLiteral("?"), false), row++, 2);
    h->addWidget(L_Bizonylat = NamedLabel(P_fej, "L_Bizonylat", form.c.L_Bizonylat), row, 0);
    h->addWidget(e_bizonylat = edit(P_fej, "e_bizonylat", 15), row++, 1);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Számlaszám:")), row, 0);
    h->addWidget(e_szamlaszam = edit(P_fej, "e_szamlaszam", 30), row++, 1);
    h->addWidget(L_teljkelt = NamedLabel(P_fej, "L_teljkelt", form.c.L_teljkelt), row, 0);
    h->addWidget(e_teljkelt = dateEdit(P_fej, "e_teljkelt"), row, 1);
    h->addWidget(b_teljkelt = NamedButton(P_fej, "b_teljkelt", QStringLiteral("Naptár"), false), row++, 2);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Számla kelte:")), row, 0);
    h->addWidget(e_szamlakelt = dateEdit(P_fej, "e_szamlakelt"), row, 1);
    h->addWidget(b_szamlakelt = NamedButton(P_fej, "b_szamlakelt", QStringLiteral("Naptár"), false), row++, 2);
    h->addWidget(NamedLabel(P_fej, nullptr, QStringLiteral(" Fizhatidő:")), row, 0);
    h->addWidget(e_fizhatido = dateEdit(P_fej, "e_fizhatido"), row, 1);
    h->addWidget(b_fizhatido = NamedButton(P_fej, "b_fizhatido", QStringLiteral("Naptár"), false), row++, 2);
    h->addWidget(l_arfolyam = NamedLabel(P_fej, "l_arfolyam", QStringLiteral(" Árfolyam:")), row, 0);
    h->addWidget(e_arfolyam = edit(P_fej, "e_arfolyam", 12), row++, 1);
    // The voucher date is kept but not shown.
    QLabel* bizkeltLabel = NamedLabel(P_fej, nullptr, QStringLiteral(" Bizonylat kelte:"));
    h->addWidget(bizkeltLabel, row, 0);
    h->addWidget(e_bizkelt = dateEdit(P_fej, "e_bizkelt"), row, 1);
    h->addWidget(b_bizkelt = NamedButton(P_fej, "b_bizkelt", QStringLiteral("Naptár"), false), row++, 2);
    bizkeltLabel->hide();
    e_bizkelt->hide();
    b_bizkelt->hide();
    h->setColumnStretch(3, 1);
    root->addWidget(P_fej);

    p_sorbutton = new QFrame(this);
    p_sorbutton->setObjectName(QStringLiteral("p_sorbutton"));
    auto* items = new QHBoxLayout(p_sorbutton);
    items->addWidget(b_ujtetel = NamedButton(p_sorbutton, "b_ujtetel", QStringLiteral("Új &tétel")));
    items->addWidget(b_modosit = NamedButton(p_sorbutton, "b_modosit", QStringLiteral("Tétel módosítása")));
    items->addWidget(b_rogzit = NamedButton(p_sorbutton, "b_rogzit", QStringLiteral("Tétel tárolása")));
    items->addWidget(b_megsem = NamedButton(p_sorbutton, "b_megsem", QStringLiteral("Eldob (mégsem tárol)")));
    items->addWidget(l_statesor = NamedLabel(p_sorbutton, "l_statesor", QString()), 1, Qt::AlignCenter);
    root->addWidget(p_sorbutton);

    // The item.
    p_tetel = new QFrame(this);
    p_tetel->setObjectName(QStringLiteral("p_tetel"));
    p_tetel->setFrameShape(QFrame::StyledPanel);
    auto* t = new QGridLayout(p_tetel);
    row = 0;
    t->addWidget(NamedLabel(p_tetel, nullptr, QStringLiteral(" Szöveges leírás:")), row, 0);
    t->addWidget(e_szoveg = edit(p_tetel, "e_szoveg", 120), row++, 1, 1, 3);
    t->addWidget(NamedLabel(p_tetel, nullptr, QStringLiteral(" Tartozik számlaszám:")), row, 0);
    t->addWidget(e_szla = edit(p_tetel, "e_szla", 10), row, 1);
    t->addWidget(b_szla = NamedButton(p_tetel, "b_szla", QStringLiteral("?"), false), row, 2);
    t->addWidget(l_szla = NamedLabel(p_tetel, "l_szla", QString()), row++, 3);
    t->addWidget(NamedLabel(p_tetel, nullptr, QStringLiteral(" Követel számlaszám :")), row, 0);
    t->addWidget(e_eszla = edit(p_tetel, "e_eszla", 10), row, 1);
    t->addWidget(b_eszla = NamedButton(p_tetel, "b_eszla", QStringLiteral("?"), false), row, 2);
    t->addWidget(l_eszla = NamedLabel(p_tetel, "l_eszla", QString()), row++, 3);
    t->addWidget(NamedLabel(p_tetel, nullptr, QStringLiteral(" Érték")), row, 0);
    t->addWidget(e_ertek = edit(p_tetel, "e_ertek", 15), row++, 1);
    cb_afa = new QCheckBox(QStringLiteral("ÁFÁt tartalmaz"), p_tetel);
    cb_afa->setObjectName(QStringLiteral("cb_afa"));
    t->addWidget(cb_afa, row++, 1);

    p_afa = new QFrame(p_tetel);
    p_afa->setObjectName(QStringLiteral("p_afa"));
    auto* a = new QGridLayout(p_afa);
    a->addWidget(NamedLabel(p_afa, nullptr, QStringLiteral(" ÁFA számlaszám:")), 0, 0);
    a->addWidget(e_aszla = edit(p_afa, "e_aszla", 10), 0, 1);
    a->addWidget(b_aszla = NamedButton(p_afa, "b_aszla", QStringLiteral("?"), false), 0, 2);
    a->addWidget(l_aszlanev = NamedLabel(p_afa, "l_aszlanev", QString()), 0, 3);
    a->addWidget(NamedLabel(p_afa, nullptr, QStringLiteral(" ÁFA érték")), 1, 0);
    a->addWidget(e_afaertek = edit(p_afa, "e_afaertek", 15), 1, 1);
    a->addWidget(NamedLabel(p_afa, nullptr, QStringLiteral(" Nettó érték")), 2, 0);
    a->addWidget(e_nettoertek = edit(p_afa, "e_nettoertek", 15), 2, 1);
    a->addWidget(NamedLabel(p_afa, nullptr, QStringLiteral(" ÁFA bevallás sora:")), 3, 0);
    a->addWidget(e_sor65 = edit(p_afa, "e_sor65", 3), 3, 1);
    a->addWidget(NamedLabel(p_afa, nullptr, QStringLiteral(" ÁFA kulcs:")), 4, 0);
    a->addWidget(e_afakulcs = edit(p_afa, "e_afakulcs", 2), 4, 1);
    a->setColumnStretch(3, 1);
    t->addWidget(p_afa, row++, 0, 1, 4);
    t->addWidget(L_devizaertek = NamedLabel(p_tetel, "L_devizaertek", QStringLiteral(" Deviza érték:")), row, 0);
    t->addWidget(e_devizaertek = edit(p_tetel, "e_devizaertek", 15), row++, 1);
    t->setColumnStretch(3, 1);
    root->addWidget(p_tetel);

    DBGrid1 = new QTableWidget(0, 7, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("Könyv.biz."), QStringLiteral("Sorszám"), QStringLiteral("Tartozik"),
                                        QStringLiteral("Követel"), QStringLiteral("Kapcs."), QStringLiteral("Érték"),
                                        QStringLiteral("Szöveg")});
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->verticalHeader()->hide();
    root->addWidget(DBGrid1, 1);

    m_edits = {e_ntipus,  e_konyvbiz, e_konyvdat, e_ugyfelkod, e_ktsghely,   e_devizanem, e_bizonylat,
               e_szamlaszam, e_teljkelt, e_szamlakelt, e_fizhatido, e_arfolyam, e_bizkelt,  e_szoveg,
               e_szla,    e_eszla,    e_ertek,    e_aszla,     e_afaertek,   e_nettoertek, e_sor65,
               e_afakulcs, e_devizaertek};
    resize(760, 720);
}

namespace {

// Keeps an amount field to a sign, digits, blanks as thousands separators
// and a decimal comma, accepting what is still on its way to one.
class AmountValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        switch (CheckAmountInput(input)) {
        case AmountInput::Complete: return Acceptable;
        case AmountInput::Partial: return Intermediate;
        case AmountInput::Invalid: break;
        }
        return Invalid;
    }
};

}  // namespace

void TKonyvelFm::connectEvents() {
    for (QLineEdit* e : m_edits) e->installEventFilter(this);
    for (QLineEdit* e : {e_ertek, e_devizaertek, e_afaertek, e_nettoertek, e_arfolyam})
        e->setValidator(new AmountValidator(e));
    cb_afa->installEventFilter(this);
    // Codes and numbers are upper case as typed.
    for (QLineEdit* e : {e_ntipus, e_bizonylat, e_szamlaszam})
        connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
            const int at = e->cursorPosition();
            e->setText(text.toUpper());
            e->setCursorPosition(at);
        });

    connect(b_ujbiz, &QPushButton::clicked, this, [this] { run([this] { form.b_ujbizClick(); }); });
    connect(b_ujtetel, &QPushButton::clicked, this, [this] { run([this] { form.b_ujtetelClick(); }); });
    connect(b_modosit, &QPushButton::clicked, this, [this] { run([this] { form.b_modositClick(); }); });
    connect(b_megsem, &QPushButton::clicked, this, [this] { run([this] { form.b_megsemClick(); }); });
    connect(b_rogzit, &QPushButton::clicked, this, [this] { run([this] { TetelTarol(form, assetRegisterOpener()); }); });
    connect(b_vissza, &QPushButton::clicked, this, &TKonyvelFm::reject);
    connect(cb_afa, &QCheckBox::clicked, this, [this] {
        if (!m_showing) run([this] { form.cb_afaClick(); });
    });

    connect(b_ntipus, &QPushButton::clicked, this, &TKonyvelFm::chooseNtipus);
    connect(B_ugyfel, &QPushButton::clicked, this, &TKonyvelFm::chooseUgyfel);
    connect(B_ktsghely, &QPushButton::clicked, this, &TKonyvelFm::chooseKtsghely);
    connect(b_devizanem, &QPushButton::clicked, this, &TKonyvelFm::chooseDeviza);
    connect(b_szla, &QPushButton::clicked, this, [this] { chooseSzla(true); });
    connect(b_eszla, &QPushButton::clicked, this, [this] { chooseSzla(false); });
    connect(b_aszla, &QPushButton::clicked, this, &TKonyvelFm::chooseAszla);
    connect(B_konyvdat, &QPushButton::clicked, this, [this] { pickDate(e_konyvdat); });
    connect(b_teljkelt, &QPushButton::clicked, this, [this] { pickDate(e_teljkelt); });
    connect(b_fizhatido, &QPushButton::clicked, this, [this] { pickDate(e_fizhatido); });
    connect(b_bizkelt, &QPushButton::clicked, this, [this] { pickDate(e_bizkelt); });
    connect(b_szamlakelt, &QPushButton::clicked, this, [this] { pickDate(e_szamlakelt); });
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_showing && row != previous) gridMoved();
    });
}

void TKonyvelFm::run(const std::function<void()>& operation) {
    readControls();
    try {
        operation();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
    showForm();
}

void TKonyvelFm::readControls() {
    KonyvelFields& f = form.f;
    f.e_ntipus = textOf(e_ntipus);
    f.e_konyvbiz = textOf(e_konyvbiz);
    f.e_konyvdat = textOf(e_konyvdat);
    f.e_ugyfelkod = textOf(e_ugyfelkod);
    f.e_ktsghely = textOf(e_ktsghely);
    f.e_devizanem = textOf(e_devizanem);
    f.e_bizonylat = textOf(e_bizonylat);
    f.e_szamlaszam = textOf(e_szamlaszam);
    f.e_teljkelt = textOf(e_teljkelt);
    f.e_szamlakelt = textOf(e_szamlakelt);
    f.e_fizhatido = textOf(e_fizhatido);
    f.e_arfolyam = textOf(e_arfolyam);
    f.e_bizkelt = textOf(e_bizkelt);
    f.e_szoveg = textOf(e_szoveg);
    f.e_szla = textOf(e_szla);
    f.e_eszla = textOf(e_eszla);
    f.e_ertek = textOf(e_ertek);
    f.e_aszla = textOf(e_aszla);
    f.e_afaertek = textOf(e_afaertek);
    f.e_nettoertek = textOf(e_nettoertek);
    f.e_sor65 = textOf(e_sor65);
    f.e_afakulcs = textOf(e_afakulcs);
    f.e_devizaertek = textOf(e_devizaertek);
    f.cb_afa = cb_afa->isChecked();
}

void TKonyvelFm::showForm() {
    m_showing = true;
    const KonyvelFields& f = form.f;
    const KonyvelControls& c = form.c;
    const auto set = [](QLineEdit* e, const QString& text) {
        if (textOf(e) != text) e->setText(text);
    };
    set(e_ntipus, f.e_ntipus);
    set(e_konyvbiz, f.e_konyvbiz);
    set(e_konyvdat, f.e_konyvdat);
    set(e_ugyfelkod, f.e_ugyfelkod);
    set(e_ktsghely, f.e_ktsghely);
    set(e_devizanem, f.e_devizanem);
    set(e_bizonylat, f.e_bizonylat);
    set(e_szamlaszam, f.e_szamlaszam);
    set(e_teljkelt, f.e_teljkelt);
    set(e_szamlakelt, f.e_szamlakelt);
    set(e_fizhatido, f.e_fizhatido);
    set(e_arfolyam, f.e_arfolyam);
    set(e_bizkelt, f.e_bizkelt);
    set(e_szoveg, f.e_szoveg);
    set(e_szla, f.e_szla);
    set(e_eszla, f.e_eszla);
    set(e_ertek, AmountFieldText(f.e_ertek));
    set(e_aszla, f.e_aszla);
    set(e_afaertek, AmountFieldText(f.e_afaertek));
    set(e_nettoertek, AmountFieldText(f.e_nettoertek));
    set(e_sor65, f.e_sor65);
    set(e_afakulcs, f.e_afakulcs);
    set(e_devizaertek, AmountFieldText(f.e_devizaertek));
    cb_afa->setChecked(f.cb_afa);
    l_ntip->setText(f.l_ntip);
    l_ugyfelnev->setText(f.l_ugyfelnev);
    l_szla->setText(f.l_szla);
    l_eszla->setText(f.l_eszla);
    l_aszlanev->setText(f.l_aszlanev);

    l_state->setText(c.l_state);
    l_statesor->setText(c.l_statesor);
    L_Bizonylat->setText(c.L_Bizonylat);
    L_teljkelt->setText(c.L_teljkelt);
    P_fej->setEnabled(c.P_fej);
    p_tetel->setEnabled(c.p_tetel);
    p_sorbutton->setEnabled(c.p_sorbutton);
    b_ujbiz->setEnabled(c.b_ujbiz);
    b_ujtetel->setEnabled(c.b_ujtetel);
    b_modosit->setEnabled(c.b_modosit);
    b_rogzit->setEnabled(c.b_rogzit);
    b_megsem->setEnabled(c.b_megsem);
    e_konyvbiz->setEnabled(c.e_konyvbiz);
    e_bizonylat->setEnabled(c.e_bizonylat);
    e_ugyfelkod->setEnabled(c.ugyfel);
    B_ugyfel->setEnabled(c.ugyfel);
    L_Bizonylat->setVisible(c.bizonylatVisible);
    e_bizonylat->setVisible(c.bizonylatVisible);
    for (QWidget* w : std::initializer_list<QWidget*>{L_devizanem, b_devizanem, e_devizanem, L_devizaertek, e_devizaertek})
        w->setVisible(c.deviza);
    l_arfolyam->setVisible(c.arfolyam);
    e_arfolyam->setVisible(c.arfolyam);
    p_afa->setVisible(c.p_afa);
    showGrid();
    if (!form.c.focus.isEmpty()) {
        if (auto* target = findChild<QWidget*>(form.c.focus)) target->setFocus(Qt::OtherFocusReason);
        form.c.focus.clear();
    }
    m_showing = false;
}

void TKonyvelFm::showGrid() {
    static const QStringList columns{"KONYVBIZ", "SORSZAM", "SZLA", "ESZLA", "KAPOCS", "ERTEK", "SZOVEG"};
    DBGrid1->setRowCount(int(form.rows.size()));
    for (int r = 0; r < form.rows.size(); ++r) {
        const QSqlRecord& row = form.rows[r];
        for (int c = 0; c < columns.size(); ++c) {
            const QVariant value = row.value(columns[c]);
            QString text = value.isNull() ? QString() : value.toString();
            if (columns[c] == QLatin1String("ERTEK")) text = AmountDisplay(value.toDouble());
            auto* item = new QTableWidgetItem(text);
            if (columns[c] == QLatin1String("ERTEK")) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            DBGrid1->setItem(r, c, item);
        }
    }
    if (form.current >= 0) DBGrid1->setCurrentCell(form.current, 0);
}

void TKonyvelFm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    run([this] { form.FormShow(); });
}

void TKonyvelFm::reject() {
    readControls();
    if (form.CanClose()) QDialog::reject();
}

bool TKonyvelFm::eventFilter(QObject* watched, QEvent* event) {
    auto* e = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool forward = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down;
        // The exchange rate is the last header field: the next one is the
        // item's narrative, never the buttons that come after it in the chain.
        if (watched == e_arfolyam && (forward || (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier))) {
            if (p_tetel->isEnabled() && e_szoveg->isVisible())
                e_szoveg->setFocus(Qt::TabFocusReason);
            else
                focusNextChild();
            return true;
        }
        if (forward) {
            focusNextChild();
            return true;
        }
        if (key->key() == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
        if (e && !key->text().isEmpty() && key->text().at(0).isPrint()) {
            const QChar ch = key->text().at(0);
            // Amounts are kept to what a bookkeeper types by their validator.
            const bool numeric = e == e_sor65 || e == e_afakulcs;
            if (numeric && !ch.isDigit()) return true;
        }
    } else if (event->type() == QEvent::FocusOut && e) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !m_showing) fieldExit(e);
    } else if (event->type() == QEvent::MouseButtonDblClick && (e == e_teljkelt || e == e_fizhatido || e == e_szamlakelt)) {
        pickDate(e);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TKonyvelFm::fieldExit(QLineEdit* edit) {
    if (edit == e_ktsghely) {
        readControls();
        if (form.e_ktsghelyExit()) chooseKtsghely();
        return;
    }
    const std::function<void()> exits[] = {
        [this] { form.e_ntipusExit(); },   [this] { form.e_ugyfelkodExit(); }, [this] { form.e_szlaExit(); },
        [this] { form.e_eszlaExit(); },    [this] { form.e_aszlaExit(); },     [this] { form.e_ertekExit(); },
        [this] { form.e_arfolyamExit(); }, [this] { form.e_nettoertekExit(); },
        [this] { SzamlaszamExit(form, chooseInvoice); },
    };
    const QLineEdit* fields[] = {e_ntipus, e_ugyfelkod, e_szla, e_eszla, e_aszla, e_ertek, e_arfolyam, e_nettoertek, e_szamlaszam};
    for (int i = 0; i < int(std::size(fields)); ++i)
        if (edit == fields[i]) run(exits[i]);
}

void TKonyvelFm::pickDate(QLineEdit* edit) {
    run([this, edit] {
        const QString date = PickDate(textOf(edit));
        if (edit == e_szamlakelt) {
            form.SzamlakeltPicked(date);
        } else {
            edit->setText(date);
            readControls();
        }
    });
}

void TKonyvelFm::chooseNtipus() {
    run([this] {
        ASelectedRecord chosen;
        if (TablaValaszt(QStringLiteral("SZ_NTIP"), QString(), form.f.e_ntipus, nullptr, chosen))
            form.NtipusChosen(toRecord(chosen));
    });
}

void TKonyvelFm::chooseUgyfel() {
    run([this] {
        ASelectedRecord chosen;
        if (TablaValaszt(QStringLiteral("UGYFEL"), QString(), form.f.e_ugyfelkod, nullptr, chosen))
            form.UgyfelChosen(toRecord(chosen));
    });
}

void TKonyvelFm::chooseKtsghely() {
    run([this] {
        ASelectedRecord chosen;
        if (TablaValaszt(QStringLiteral("SZ_KTSGHELY"), QStringLiteral(" where aktiv <>'N' or aktiv is null "),
                         form.f.e_ktsghely, nullptr, chosen))
            form.f.e_ktsghely = RekordErtek(chosen, QStringLiteral("KOD"));
    });
}

void TKonyvelFm::chooseDeviza() {
    run([this] {
        ASelectedRecord chosen;
        if (TablaValaszt(QStringLiteral("SZ_DEVIZA"), QString(), QString(), nullptr, chosen))
            form.f.e_devizanem = RekordErtek(chosen, QStringLiteral("KOD"));
    });
}

void TKonyvelFm::chooseSzla(bool debit) {
    run([this, debit] {
        ASelectedRecord chosen;
        if (!TablaValaszt(QStringLiteral("SZ_TUKOR"), QString(), debit ? form.f.e_szla : form.f.e_eszla, nullptr, chosen)) return;
        if (debit)
            form.SzlaChosen(toRecord(chosen));
        else
            form.EszlaChosen(toRecord(chosen));
    });
}

void TKonyvelFm::chooseAszla() {
    run([this] {
        // The journal type as stored, quoted: the choice window takes a filter text.
        const auto journal = form.lookups().journalType(form.f.e_ntipus);
        const QString ntipus = journal ? journal->value(QStringLiteral("KOD")).toString() : form.f.e_ntipus;
        ASelectedRecord chosen;
        if (TablaValaszt(QStringLiteral("SZ_ADOASZLA"), QStringLiteral("WHERE NTIPUS=") + SqlQuote(ntipus), form.f.e_aszla,
                         nullptr, chosen, false, true, false))
            form.AszlaChosen(toRecord(chosen));
    });
}

void TKonyvelFm::gridMoved() {
    const int row = DBGrid1->currentRow();
    run([this, row] { form.MoveTo(row); });
}

// ---------------------------------------------------------------- opening

void ShowKonyvelFm(QWidget* parent, const QString& caption) {
    if (Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() != QLatin1String("I")) {
        ShowMessage(QStringLiteral("Az év le van zárva."));
        return;
    }
    static QPointer<TKonyvelFm> window;
    if (!window) window = new TKonyvelFm(parent);
    window->setWindowTitle(caption);
    window->form.wntipus.clear();
    window->form.wkonyvbiz.clear();
    window->show();
    window->raise();
    window->activateWindow();
}

void ModifyInKonyvelFm(QWidget* parent, const QString& ntipus, const QString& konyvbiz, const QString& sorszam,
                       const QString& szla, const QString& eszla) {
    TKonyvelFm window(parent);
    window.setWindowTitle(QStringLiteral("Könyvelési tételek módosítása"));
    window.form.wntipus = ntipus;
    window.form.wkonyvbiz = konyvbiz;
    window.form.wsorszam = sorszam;
    window.form.wszla = szla;
    window.form.weszla = eszla;
    window.exec();
}
