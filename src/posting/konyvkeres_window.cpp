#include "konyvkeres_window.h"

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
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "db/named_widgets_window.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/amount_display.h"
#include "db/getdatum_window.h"
#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "masterdata/lookup.h"
#include "masterdata/lookup_window.h"
#include "posting/konyvel_window.h"
#include "posting/posting_lookups.h"

// Amounts as the list shows them, right-aligned as in the voucher window.
class AmountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale&) const override {
        return value.isNull() ? QString() : AmountDisplay(value.toDouble());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
};

namespace {

const QString kNotGiven = QStringLiteral("Nincs megadva");

QLineEdit* edit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(130);
    return e;
}

// A database error is shown and abandons the event.
template <typename Handler>
auto guarded(Handler handler) {
    return [handler] {
        try {
            handler();
        } catch (const DbError& error) {
            ShowMessage(error.message());
        }
    };
}

// The statement prepared with its values, scrollable for the list.
QSqlQuery prepared(const PostingSearch& search) {
    const PositionalSql positional = ToPositional(search.text());
    QSqlQuery q(Connection(d_tarvedo));
    if (!q.prepare(positional.text)) throw DbError(q.lastError(), search.text());
    QVariantMap upper;
    for (auto it = search.params.cbegin(); it != search.params.cend(); ++it) upper.insert(it.key().toUpper(), it.value());
    for (int i = 0; i < positional.names.size(); ++i) q.bindValue(i, upper.value(positional.names[i]));
    if (!q.exec()) throw DbError(q.lastError(), search.text());
    return q;
}

}  // namespace

Tkonyvkeresfm::Tkonyvkeresfm(QWidget* parent)
    : QDialog(parent), m_model(new QSqlQueryModel(this)), m_amounts(new AmountDelegate(this)) {
    setObjectName(QStringLiteral("konyvkeresfm"));
    buildWindow();
    m_search.sql = QStringList{QStringLiteral("Select * From Tetel")};
}

Tkonyvkeresfm::~Tkonyvkeresfm() = default;

void Tkonyvkeresfm::buildWindow() {
    auto* root = new QVBoxLayout(this);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* g = new QGridLayout(Panel1);
    int row = 0;
    const auto range = [&](const QString& caption, QLineEdit*& from, const char* fromName, QLineEdit*& to, const char* toName,
                           bool dates) {
        g->addWidget(NamedLabel(Panel1, nullptr, caption), row, 0);
        g->addWidget(NamedLabel(Panel1, nullptr, QStringLiteral("tól")), row, 1);
        g->addWidget(from = edit(Panel1, fromName), row, 2);
        g->addWidget(NamedLabel(Panel1, nullptr, QStringLiteral("ig")), row, 5);
        g->addWidget(to = edit(Panel1, toName), row, 6);
        if (dates) {
            QLineEdit* f = from;
            QLineEdit* t = to;
            QPushButton* fromDay = NamedButton(Panel1, nullptr, QStringLiteral("Nap"), false);
            QPushButton* toDay = NamedButton(Panel1, nullptr, QStringLiteral("Nap"), false);
            connect(fromDay, &QPushButton::clicked, this, [f] { f->setText(PickDate(f->text())); });
            connect(toDay, &QPushButton::clicked, this, [t] { t->setText(PickDate(t->text())); });
            g->addWidget(fromDay, row, 3);
            g->addWidget(toDay, row, 7);
        }
        ++row;
    };
    const auto single = [&](const QString& caption, QLineEdit*& e, const char* name) {
        g->addWidget(NamedLabel(Panel1, nullptr, caption), row, 0);
        g->addWidget(e = edit(Panel1, name), row++, 2);
    };

    g->addWidget(NamedLabel(Panel1, nullptr, QStringLiteral(" Napló típus:")), row, 0);
    g->addWidget(e_ntipus = edit(Panel1, "e_ntipus"), row, 2);
    g->addWidget(B_ntipus = NamedButton(Panel1, "B_ntipus", QStringLiteral("?"), false), row, 3);
    g->addWidget(l_ntip = NamedLabel(Panel1, "l_ntip", kNotGiven), row++, 4);
    range(QStringLiteral(" Fők.számla (tartozik):"), e_szla_tol, "e_szla_tol", e_szla_ig, "e_szla_ig", false);
    g->addWidget(b_fokszlatol = NamedButton(Panel1, "b_fokszlatol", QStringLiteral("?"), false), row - 1, 3);
    g->addWidget(l_fokszlatol = NamedLabel(Panel1, "l_fokszlatol", kNotGiven), row - 1, 4);
    g->addWidget(b_fokszlaig = NamedButton(Panel1, "b_fokszlaig", QStringLiteral("?"), false), row - 1, 7);
    g->addWidget(l_fokszlaig = NamedLabel(Panel1, "l_fokszlaig", kNotGiven), row - 1, 8);
    range(QStringLiteral(" Ellenszámla (követel):"), e_eszla_tol, "e_eszla_tol", e_eszla_ig, "e_eszla_ig", false);
    g->addWidget(b_eszlatol = NamedButton(Panel1, "b_eszlatol", QStringLiteral("?"), false), row - 1, 3);
    g->addWidget(l_eszlatol = NamedLabel(Panel1, "l_eszlatol", kNotGiven), row - 1, 4);
    g->addWidget(b_eszlaig = NamedButton(Panel1, "b_eszlaig", QStringLiteral("?"), false), row - 1, 7);
    g->addWidget(l_eszlaig = NamedLabel(Panel1, "l_eszlaig", kNotGiven), row - 1, 8);
    range(QStringLiteral(" Teljesítés kelte:"), e_teljkelt_tol, "e_teljkelt_tol", e_teljkelt_ig, "e_teljkelt_ig", true);
    range(QStringLiteral(" Bizonylat kelte:"), e_bizkelt_tol, "e_bizkelt_tol", e_bizkelt_ig, "e_bizkelt_ig", true);
    single(QStringLiteral(" Bizonylatszám:"), e_bizonylat, "e_bizonylat");
    range(QStringLiteral(" Összeg:"), e_ertek_tol, "e_ertek_tol", e_ertek_ig, "e_ertek_ig", false);
    range(QStringLiteral(" Könyvelés kelte:"), e_konyvelve_tol, "e_konyvelve_tol", e_konyvelve_ig, "e_konyvelve_ig", true);
    single(QStringLiteral(" Könyv.bizszám:"), e_konyvbiz, "e_konyvbiz");
    range(QStringLiteral(" Számlakelt:"), e_szlakelt_tol, "e_szlakelt_tol", e_szlakelt_ig, "e_szlakelt_ig", true);
    single(QStringLiteral(" Számlaszám:"), e_szamlaszam, "e_szamlaszam");
    range(QStringLiteral(" Fizetési határidő:"), e_fizhatido_tol, "e_fizhatido_tol", e_fizhatido_ig, "e_fizhatido_ig", true);
    g->addWidget(l_ugyfel1 = NamedLabel(Panel1, "l_ugyfel1", QStringLiteral(" Ügyfélkód:")), row, 0);
    g->addWidget(e_ugyfelkod = edit(Panel1, "e_ugyfelkod"), row, 2);
    g->addWidget(B_ugyfelkod = NamedButton(Panel1, "B_ugyfelkod", QStringLiteral("?"), false), row, 3);
    g->addWidget(l_ugyfel = NamedLabel(Panel1, "l_ugyfel", kNotGiven), row++, 4, 1, 5);
    single(QStringLiteral(" Megjegyzés:"), e_szoveg, "e_szoveg");
    e_szoveg->setMaximumWidth(QWIDGETSIZE_MAX);
    g->addWidget(NamedLabel(Panel1, "l_hint", QStringLiteral("A táblázat rendezéséhez kattintson az oszlop fejlécére!")), row++, 0, 1, 9);
    g->setColumnStretch(8, 1);
    root->addWidget(Panel1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* buttons = new QHBoxLayout(Panel2);
    buttons->addWidget(b_vissza = NamedButton(Panel2, "b_vissza", QStringLiteral("&Vissza")));
    buttons->addWidget(b_modosit = NamedButton(Panel2, "b_modosit", QStringLiteral("A kiválasztott tétel módosítása")));
    buttons->addWidget(b_frissit = NamedButton(Panel2, "b_frissit", QStringLiteral("&Keresés, leválogatás")));
    buttons->addWidget(b_tarol = NamedButton(Panel2, "b_tarol", QStringLiteral("&Táblázat tárolása")));
    buttons->addWidget(b_torol = NamedButton(Panel2, "b_torol", QStringLiteral("&Feltételek törlése")));
    buttons->addWidget(l_db = NamedLabel(Panel2, "l_db", QString()), 1, Qt::AlignRight);
    root->addWidget(Panel2);

    p_grid = new QFrame(this);
    p_grid->setObjectName(QStringLiteral("p_grid"));
    auto* grid = new QVBoxLayout(p_grid);
    DBGrid1 = new QTableView(p_grid);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    grid->addWidget(DBGrid1);
    root->addWidget(p_grid, 1);

    m_edits = {e_ntipus,        e_szla_tol,     e_szla_ig,      e_eszla_tol,  e_eszla_ig,      e_teljkelt_tol,
               e_teljkelt_ig,   e_bizkelt_tol,  e_bizkelt_ig,   e_bizonylat,  e_ertek_tol,     e_ertek_ig,
               e_konyvelve_tol, e_konyvelve_ig, e_konyvbiz,     e_szlakelt_tol, e_szlakelt_ig, e_szamlaszam,
               e_fizhatido_tol, e_fizhatido_ig, e_ugyfelkod,    e_szoveg};
    for (QLineEdit* e : m_edits) e->installEventFilter(this);

    connect(b_vissza, &QPushButton::clicked, this, &Tkonyvkeresfm::reject);
    connect(b_frissit, &QPushButton::clicked, this, guarded([this] { runSearch(); }));
    connect(b_torol, &QPushButton::clicked, this, guarded([this] { clearCriteria(); }));
    connect(b_modosit, &QPushButton::clicked, this, guarded([this] { modifyCurrent(); }));
    connect(b_tarol, &QPushButton::clicked, this, guarded([this] { storeList(); }));
    connect(DBGrid1, &QTableView::doubleClicked, this, guarded([this] { modifyCurrent(); }));
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { guarded([this, column] { sortBy(column); })(); });
    connect(B_ntipus, &QPushButton::clicked, this, &Tkonyvkeresfm::chooseNtipus);
    connect(b_fokszlatol, &QPushButton::clicked, this, [this] { chooseAccount(e_szla_tol, l_fokszlatol, true); });
    connect(b_fokszlaig, &QPushButton::clicked, this, [this] { chooseAccount(e_szla_ig, l_fokszlaig, true); });
    connect(b_eszlatol, &QPushButton::clicked, this, [this] { chooseAccount(e_eszla_tol, l_eszlatol, false); });
    connect(b_eszlaig, &QPushButton::clicked, this, [this] { chooseAccount(e_eszla_ig, l_eszlaig, false); });
    connect(B_ugyfelkod, &QPushButton::clicked, this, &Tkonyvkeresfm::chooseUgyfel);
    resize(1000, 720);
}

PanelValues Tkonyvkeresfm::criteria() const {
    PanelValues values = KonyvkeresCriteria();
    for (PanelControl& control : values.controls) {
        auto* e = findChild<QLineEdit*>(control.name);
        control.text = e ? e->text() : QString();
        control.visible = e && !e->isHidden();
    }
    return values;
}

void Tkonyvkeresfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    b_modosit->setEnabled(Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() == QLatin1String("I"));
    const bool partners = Td().ceg.text(QStringLiteral("VANUGYFEL")).trimmed().toUpper() == QLatin1String("I");
    for (QWidget* w : std::initializer_list<QWidget*>{B_ugyfelkod, l_ugyfel1, l_ugyfel, e_ugyfelkod}) w->setVisible(partners);
    clearCriteria();
}

void Tkonyvkeresfm::clearCriteria() {
    PanelValues values = KonyvkeresCriteria();
    for (const PanelControl& control : values.controls)
        if (auto* e = findChild<QLineEdit*>(control.name)) e->setText(control.text);
    for (QLabel* l : {l_ntip, l_fokszlatol, l_fokszlaig, l_eszlatol, l_eszlaig, l_ugyfel}) l->setText(kNotGiven);
    closeList();
}

void Tkonyvkeresfm::runSearch() {
    const QStringList faults = PostingSearchFaults(criteria());
    if (!faults.isEmpty()) {
        ShowMessage(faults.join(QLatin1Char('\r')));
        return;
    }
    closeList();
    m_search = BuildPostingSearch(criteria());
    m_searched = true;
    openList();
}

void Tkonyvkeresfm::openList() {
    m_model->setQuery(prepared(m_search));
    m_open = true;
    // The columns of the list, in their order, with their titles.
    const QSqlRecord record = m_model->record();
    QHeaderView* header = DBGrid1->horizontalHeader();
    for (int c = 0; c < record.count(); ++c) DBGrid1->setColumnHidden(c, true);
    int visual = 0;
    for (const auto& [field, title] : KonyvkeresColumns()) {
        const int c = record.indexOf(field);
        if (c < 0) continue;
        m_model->setHeaderData(c, Qt::Horizontal, title);
        DBGrid1->setColumnHidden(c, false);
        header->moveSection(header->visualIndex(c), visual++);
        if (field == QLatin1String("ERTEK") || field == QLatin1String("DEVIZAERTEK"))
            DBGrid1->setItemDelegateForColumn(c, m_amounts);
    }
    // The rows are read as the list scrolls; the counter counts them all.
    PostingSearch count = m_search;
    count.sql = QStringList{QStringLiteral("Select count(*) From Tetel")} + m_search.sql.mid(1, m_search.wsqldb);
    l_db->setText(SelectValue(d_tarvedo, count.text(), count.params).toString() + QStringLiteral(" tétel"));
    if (m_model->rowCount() > 0) DBGrid1->selectRow(0);
}

void Tkonyvkeresfm::closeList() {
    m_model->clear();
    m_open = false;
    l_db->clear();
}

void Tkonyvkeresfm::sortBy(int column) {
    if (!m_open) return;
    const QString field = m_model->record().fieldName(column);
    closeList();
    SortPostingSearch(m_search, field);
    openList();
}

void Tkonyvkeresfm::modifyCurrent() {
    const int row = DBGrid1->currentIndex().row();
    if (!m_open || m_model->rowCount() == 0 || row < 0) {
        ShowMessage(QStringLiteral("Nincs tétel kiválasztva"));
        return;
    }
    const QSqlRecord current = m_model->record(row);
    const auto value = [&current](const char* column) { return current.value(QString::fromLatin1(column)).toString(); };
    const QString sorszam = value("SORSZAM"), szla = value("SZLA"), eszla = value("ESZLA");
    ModifyInKonyvelFm(this, value("NTIPUS"), value("KONYVBIZ"), sorszam, szla, eszla);

    openList();
    int found = 0;
    while (m_model->canFetchMore()) m_model->fetchMore();
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const QSqlRecord candidate = m_model->record(r);
        if (candidate.value(QStringLiteral("SORSZAM")).toString() == sorszam
            && candidate.value(QStringLiteral("SZLA")).toString() == szla
            && candidate.value(QStringLiteral("ESZLA")).toString() == eszla) {
            found = r;
            break;
        }
    }
    if (m_model->rowCount() > 0) DBGrid1->selectRow(found);
}

void Tkonyvkeresfm::storeList() {
    // The list as it stands; a closed one is read again with its last statement.
    QueryExportSource source(prepared(m_search), QStringLiteral("q_tetel"));
    QString chosen;
    StoreDataSet(source, QString(), QString(), chosen);
}

void Tkonyvkeresfm::done(int result) {
    closeList();
    QDialog::done(result);
}

bool Tkonyvkeresfm::eventFilter(QObject* watched, QEvent* event) {
    auto* e = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (key == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && e) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) guarded([this, e] { criterionExit(e); })();
    }
    return QDialog::eventFilter(watched, event);
}

void Tkonyvkeresfm::criterionExit(QLineEdit* edit) {
    PostingLookups lookups;
    if (edit == e_ntipus) {
        if (edit->text().isEmpty()) return;
        if (const auto row = lookups.journalType(edit->text().toUpper())) {
            edit->setText(row->value(QStringLiteral("KOD")).toString());
            l_ntip->setText(row->value(QStringLiteral("NEV")).toString());
        } else {
            chooseNtipus();
        }
    } else if (edit == e_ugyfelkod) {
        if (edit->text().isEmpty()) {
            l_ugyfel->setText(kNotGiven);
        } else if (const auto row = lookups.partner(edit->text().toUpper())) {
            edit->setText(row->value(QStringLiteral("KOD")).toString());
            l_ugyfel->setText(row->value(QStringLiteral("NEV")).toString());
        } else {
            chooseUgyfel();
        }
    } else {
        QLabel* name = edit == e_szla_tol   ? l_fokszlatol
                       : edit == e_szla_ig  ? l_fokszlaig
                       : edit == e_eszla_tol ? l_eszlatol
                       : edit == e_eszla_ig ? l_eszlaig
                                            : nullptr;
        if (!name) return;
        if (edit->text().isEmpty()) {
            name->setText(kNotGiven);
        } else if (const auto row = lookups.account(edit->text())) {
            name->setText(row->value(QStringLiteral("SZOVEG")).toString());
        } else {
            chooseAccount(edit, name, edit == e_szla_tol || edit == e_szla_ig);
        }
    }
}

void Tkonyvkeresfm::chooseNtipus() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_NTIP"), QString(), e_ntipus->text(), nullptr, chosen, false, true, false)) return;
    e_ntipus->setText(RekordErtek(chosen, QStringLiteral("KOD")));
    l_ntip->setText(RekordErtek(chosen, QStringLiteral("NEV")));
}

void Tkonyvkeresfm::chooseAccount(QLineEdit* edit, QLabel* name, bool locate) {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("SZ_TUKOR"), QString(), locate ? edit->text() : QString(), nullptr, chosen, false, true,
                      false))
        return;
    edit->setText(RekordErtek(chosen, QStringLiteral("SZLA")));
    name->setText(RekordErtek(chosen, QStringLiteral("SZOVEG")));
}

void Tkonyvkeresfm::chooseUgyfel() {
    ASelectedRecord chosen;
    if (!TablaValaszt(QStringLiteral("UGYFEL"), QString(), e_ugyfelkod->text(), nullptr, chosen, false, true, false)) return;
    e_ugyfelkod->setText(RekordErtek(chosen, QStringLiteral("KOD")));
    l_ugyfel->setText(RekordErtek(chosen, QStringLiteral("NEV")));
}

void ShowKonyvkeresFm(QWidget* parent, const QString& caption, const QRect& area) {
    static QPointer<Tkonyvkeresfm> window;
    if (!window) window = new Tkonyvkeresfm(parent);
    window->setWindowTitle(caption);
    if (area.isValid()) window->setGeometry(area);
    window->show();
    window->raise();
    window->activateWindow();
}
