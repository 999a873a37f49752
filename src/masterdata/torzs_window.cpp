#include "torzs_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSqlField>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/db_error.h"
#include "db/ini.h"
#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "masterdata/generated_panel_window.h"
#include "masterdata/panel_widgets_window.h"
#include "masterdata/torzs_grid_window.h"
#include "masterdata/torzsmazsola_window.h"

namespace {

QToolButton* speedButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    b->setMinimumWidth(28);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

void colour(QLabel* l, const QColor& c) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

bool setting(const QString& key, QString& value) { return IniGet(key, value) >= 0; }

}  // namespace

namespace {

// The size the user last left an editor at, for the next one of the run.
QSize& rememberedEditorSize() {
    static QSize size;
    return size;
}

// The main window's client area, so that names and rows are not cut off;
// without one the size the user last left an editor at, or most of the
// screen. Never smaller than the panel was laid out for.
QSize initialEditorSize() {
    QSize size;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<QMainWindow*>(top); main && main->isVisible()) {
            size = main->centralWidget() ? main->centralWidget()->size() : main->size();
            break;
        }
    }
    if (!size.isValid()) size = rememberedEditorSize();
    if (!size.isValid()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            size = screen->availableGeometry().size() * 9 / 10;
    }
    return size.expandedTo(QSize(900, 600));
}

}  // namespace

TTorzsfm::TTorzsfm(QWidget* parent) : QDialog(parent) {
    buildWindow();
    setState(QStringLiteral("browse"));
}

void TTorzsfm::buildWindow() {
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    // Menu.
    menu = new QMenuBar(this);
    layout->setMenuBar(menu);
    const auto item = [this](QMenu* m, const QString& text, void (TTorzsfm::*slot)()) {
        QAction* a = m->addAction(text);
        if (slot) connect(a, &QAction::triggered, this, [this, slot] { guarded([this, slot] { (this->*slot)(); }); });
        return a;
    };
    navigacio = menu->addMenu(QStringLiteral("Navigáció"));
    aFirst = item(navigacio, QStringLiteral("Első tétel"), &TTorzsfm::first);
    aPrior = item(navigacio, QStringLiteral("Előző tétel"), &TTorzsfm::prior);
    aNext = item(navigacio, QStringLiteral("Következő tétel"), &TTorzsfm::next);
    aLast = item(navigacio, QStringLiteral("Utolsó tétel"), &TTorzsfm::last);
    navigacio->addSeparator();
    aFrissit = item(navigacio, QStringLiteral("Frissít"), &TTorzsfm::refresh);
    adatkezeles = menu->addMenu(QStringLiteral("Adatkezelés"));
    aInsert = item(adatkezeles, QStringLiteral("Uj tétel"), &TTorzsfm::newRecord);
    aCopy = item(adatkezeles, QStringLiteral("Aktuálisból újat"), &TTorzsfm::copyRecord);
    aEdit = item(adatkezeles, QStringLiteral("Módosítás"), &TTorzsfm::modify);
    aDelete = item(adatkezeles, QStringLiteral("Törlés"), &TTorzsfm::deleteRecord);
    aPost = adatkezeles->addAction(QStringLiteral("OK, tárolás"));
    connect(aPost, &QAction::triggered, this, [this] { guarded([this] { post(); }); });
    aCancel = item(adatkezeles, QStringLiteral("Nem tároljuk mégsem"), &TTorzsfm::cancel);
    adatkezeles->addSeparator();
    aSzovegresz = adatkezeles->addAction(QStringLiteral("Szövegrészletre keresés"));
    lista = menu->addMenu(QStringLiteral("Lista"));
    aTeljesLista = lista->addAction(QStringLiteral("&Teljes lista"));
    aTablazatba = item(lista, QStringLiteral("Teljes lista &táblázatba"), &TTorzsfm::storeToFile);
    aSajatLista = lista->addAction(QStringLiteral("Saját öszeállítású lista"));
    connect(aTeljesLista, &QAction::triggered, this, [this] { guarded([this] { fullList(); }); });
    connect(aSajatLista, &QAction::triggered, this, [this] { guarded([this] { ownList(); }); });
    beallitasok = menu->addMenu(QStringLiteral("Beállítások"));
    aCsakAktiv = beallitasok->addAction(QStringLiteral("Csak az aktív tételeket látjuk"));
    aCsakAktiv->setCheckable(true);
    aCsakAktiv->setChecked(true);
    connect(aCsakAktiv, &QAction::toggled, this, [this](bool on) {
        ed.activeOnlyChecked = on;
        if (ed.rows.isOpen() && ed.wstate == QLatin1String("browse")) guarded([this] { readRows(); });
    });
    aCsakEnter = beallitasok->addAction(QStringLiteral("Keresés csak az Enter lenyomása után"));
    aCsakEnter->setCheckable(true);
    connect(aCsakEnter, &QAction::toggled, this, [this](bool on) { l_enter->setVisible(on); });
    aKivalaszt = menu->addAction(QStringLiteral("Kiválaszt"));
    connect(aKivalaszt, &QAction::triggered, this, [this] { guarded([this] { choose(); }); });
    aKivalasztasTorlese = menu->addAction(QStringLiteral("Kiválasztás törlése"));
    connect(aKivalasztasTorlese, &QAction::triggered, this, [this] { clearSelection(); });
    aVissza = menu->addAction(QStringLiteral("Vissza"));
    connect(aVissza, &QAction::triggered, this, [this] { back(); });

    // Button bar.
    auto* bar = new QHBoxLayout;
    bar->setSpacing(2);
    b_first = speedButton(this, "b_first", QStringLiteral("|<"), QStringLiteral("Első tétel"));
    b_prior = speedButton(this, "b_prior", QStringLiteral("<"), QStringLiteral("Előző tétel"));
    b_next = speedButton(this, "b_next", QStringLiteral(">"), QStringLiteral("Következő tétel"));
    b_last = speedButton(this, "b_last", QStringLiteral(">|"), QStringLiteral("Utolsó tétel"));
    b_insert = speedButton(this, "b_insert", QStringLiteral("+"), QStringLiteral("Új tétel"));
    b_edit = speedButton(this, "b_edit", QStringLiteral("Módosít"), QStringLiteral("Módosítás"));
    b_aktuj = speedButton(this, "b_aktuj", QStringLiteral("Másol"), QStringLiteral("Aktuálisból újat"));
    b_delete = speedButton(this, "b_delete", QStringLiteral("-"), QStringLiteral("Törlés"));
    b_post = speedButton(this, "b_post", QStringLiteral("OK"), QStringLiteral("OK"));
    b_cancel = speedButton(this, "b_cancel", QStringLiteral("Mégsem"), QStringLiteral("Mégsem"));
    b_kivalaszt = speedButton(this, "b_kivalaszt", QStringLiteral("Kiválaszt"), QStringLiteral("Kiválaszt"));
    const QList<std::pair<QToolButton*, QAction*>> pairs{
        {b_first, aFirst}, {b_prior, aPrior},   {b_next, aNext},     {b_last, aLast},     {b_insert, aInsert},
        {b_edit, aEdit},   {b_aktuj, aCopy},    {b_delete, aDelete}, {b_post, aPost},     {b_cancel, aCancel},
        {b_kivalaszt, aKivalaszt}};
    for (const auto& [button, action] : pairs) {
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        bar->addWidget(button);
    }
    Label3 = label(this, "Label3", QStringLiteral("Navigációs és törzs kezelő gombsor"));
    bar->addSpacing(8);
    bar->addWidget(Label3);
    bar->addStretch(1);
    layout->addLayout(bar);

    // State, row count and sort order.
    auto* stateBar = new QHBoxLayout;
    l_readonly = label(this, "l_readonly", QStringLiteral("Csak olvasható"));
    colour(l_readonly, Qt::red);
    l_state = label(this, "l_state", QString());
    l_tetel = label(this, "l_tetel", QString());
    Label1 = label(this, "Label1", QStringLiteral("Sorrend:"));
    l_sorrend = label(this, "l_sorrend", QString());
    QFont bold = l_sorrend->font();
    bold.setBold(true);
    l_sorrend->setFont(bold);
    l_state->setFont(bold);
    for (QWidget* w : std::initializer_list<QWidget*>{l_state, l_tetel, l_readonly, Label1, l_sorrend}) {
        stateBar->addWidget(w);
        stateBar->addSpacing(10);
    }
    stateBar->addStretch(1);
    layout->addLayout(stateBar);

    // Search.
    auto* searchBar = new QHBoxLayout;
    rb1 = new QRadioButton(QStringLiteral("Egy szintű"), this);
    rb1->setObjectName(QStringLiteral("rb1"));
    rb1->setChecked(true);
    rbtobb = new QRadioButton(QStringLiteral("Több szintű"), this);
    rbtobb->setObjectName(QStringLiteral("rbtobb"));
    Label2 = label(this, "Label2", QStringLiteral("Keresés:"));
    e_keres = new QLineEdit(this);
    e_keres->setObjectName(QStringLiteral("e_keres"));
    e_keres->setMinimumWidth(200);
    CheckBox_barhol = new QCheckBox(QStringLiteral("Bárhol van benne"), this);
    CheckBox_barhol->setObjectName(QStringLiteral("CheckBox_barhol"));
    CheckBox_innentol = new QCheckBox(QStringLiteral("Keresés innentől"), this);
    CheckBox_innentol->setObjectName(QStringLiteral("CheckBox_innentol"));
    l_enter = label(this, "l_enter", QStringLiteral("+ Enter"));
    colour(l_enter, Qt::blue);
    l_enter->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{rb1, rbtobb, Label2, e_keres, l_enter, CheckBox_barhol,
                                                      CheckBox_innentol})
        searchBar->addWidget(w);
    searchBar->addStretch(1);
    layout->addLayout(searchBar);
    connect(CheckBox_barhol, &QCheckBox::toggled, CheckBox_innentol, &QWidget::setVisible);
    connect(rb1, &QRadioButton::toggled, CheckBox_barhol, &QWidget::setVisible);
    connect(e_keres, &QLineEdit::textChanged, this, [this] {
        if (!aCsakEnter->isChecked()) guarded([this] { search(); });
    });
    connect(e_keres, &QLineEdit::returnPressed, this, [this] { guarded([this] { searchReturn(); }); });

    // Data panel and grid.
    sb_data = new QScrollArea(this);
    sb_data->setObjectName(QStringLiteral("sb_data"));
    sb_data->setWidgetResizable(true);
    dataPanel = new QWidget;
    dataPanel->setObjectName(QStringLiteral("p_data"));
    sb_data->setWidget(dataPanel);
    m_panel = new GeneratedPanel(dataPanel);
    m_panel->isInserting = [this] { return ed.wstate == QLatin1String("insert"); };
    m_panel->lookupCompleted = [this] { ed.LookupCompleted(); };
    layout->addWidget(sb_data);

    grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("grid"));
    m_model = new TorzsGridModel(ed, grid);
    grid->setModel(m_model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionsClickable(true);
    QFont gridFont = grid->font();
    gridFont.setPointSize(kPanelFontSize);
    grid->setFont(gridFont);
    connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { guarded([this, section] { titleClicked(section); }); });
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !current.isValid()) return;
                ed.rows.current = current.row();
                guarded([this] { showCurrent(true); });
            });
    connect(grid, &QTableView::doubleClicked, this, [this] {
        if (!b_kivalaszt->isHidden() && b_kivalaszt->isEnabled()) guarded([this] { choose(); });
    });
    layout->addWidget(grid, 1);

    const QSize size = initialEditorSize();
    windowmagas = size.height();
    resize(size);
}

void TTorzsfm::guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    } catch (const HelperError& error) {
        ShowMessage(error.message());
    }
}

void TTorzsfm::setSelectionMode(bool selection) {
    b_kivalaszt->setVisible(selection);
    aKivalaszt->setVisible(selection);
    aKivalasztasTorlese->setVisible(selection);
}

bool TTorzsfm::selectionMode() const { return !b_kivalaszt->isHidden(); }

void TTorzsfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) guarded([this] { prepareShow(); });
}

void TTorzsfm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) rememberedEditorSize() = size();
    if (!event->spontaneous() && !ed.listFilter.isEmpty()) {
        // The composed filter lasts while the window is open.
        ed.listFilter.clear();
        ed.listFilterParams.clear();
        ed.wkellfrissit = true;
    }
}

void TTorzsfm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_panel->stretchMemos();
}

void TTorzsfm::prepareShow() {
    ed.walasztott = false;
    ed.wtorol = false;
    l_readonly->setVisible(!ed.weditable);
    adatkezeles->setEnabled(ed.weditable);
    for (QToolButton* b : {b_insert, b_edit, b_aktuj, b_delete, b_post, b_cancel}) b->setVisible(ed.weditable);

    QString value;
    aCsakEnter->setChecked(setting(QStringLiteral("ENTER"), value) && value == QLatin1String("I"));
    wenter = value;
    l_enter->setVisible(aCsakEnter->isChecked());
    CheckBox_barhol->setChecked(!setting(QStringLiteral("CHECKBOX_BARHOLCHECKED"), value) || value == QLatin1String("I"));
    CheckBox_innentol->setVisible(CheckBox_barhol->isChecked());

    const bool rebuilt = ed.wkellsbepit || dataPanel->findChildren<QWidget*>().isEmpty();
    if (rebuilt) buildPanel();
    aCsakAktiv->setEnabled(ed.activeOnlyEnabled);
    ed.activeOnlyChecked = aCsakAktiv->isChecked();

    ed.wstate = QStringLiteral("browse");
    setState(ed.wstate);
    if (rebuilt || ed.wkellfrissit || !ed.rows.isOpen())
        readRows();
    else
        afterRead();

    // Choose stays possible only with a row to choose.
    aKivalaszt->setEnabled(selectionMode() && ed.rows.count() > 0);

    const bool gridEdit = !ed.wgedit.trimmed().isEmpty() && ed.wgedit.trimmed() != QLatin1String("-");
    QSet<int> editable;
    if (gridEdit)
        for (const QString& n : ed.wgedit.split(QLatin1Char(','))) {
            bool ok = false;
            const int column = n.trimmed().toInt(&ok);
            if (ok) editable << column;
        }
    m_model->setEditableColumns(editable);
    grid->setEditTriggers(gridEdit ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                         | QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);

    {
        const QSignalBlocker quiet(e_keres);
        e_keres->setText(ed.wlocate);
    }
    m_searched.clear();
    e_keres->setFocus(Qt::OtherFocusReason);
    if (!e_keres->text().isEmpty()) search();
}

void TTorzsfm::buildPanel() {
    // The panel is laid out for the width it has in a window of the initial size.
    if (!isVisible()) resize(width(), windowmagas);
    layout()->activate();
    const int panelWidth = sb_data->viewport()->width() > 100 ? sb_data->viewport()->width() : width() - 30;
    ed.BuildPanel(panelWidth);
    m_panel->build(ed.model);
    QStringList formats;
    for (const QString& f : ed.wsmezok) {
        const PanelItem* edit = ed.model.find(QStringLiteral("E_") + f);
        formats << (edit ? edit->hint : QString());
    }
    m_model->reset(formats);
    l_sorrend->setText(ed.worders);
    const int height = qMin(wpsboxmagas, ed.wsbcompcount * 22 + 8);
    sb_data->setFixedHeight(height + 2 * sb_data->frameWidth());
    // A panel that fits needs no scroll bar, not even one left from before.
    sb_data->setVerticalScrollBarPolicy(dataPanel->minimumHeight() <= height ? Qt::ScrollBarAlwaysOff
                                                                               : Qt::ScrollBarAsNeeded);
    m_panel->stretchMemos();
}

void TTorzsfm::readRows() {
    ed.ReadRows();
    afterRead();
}

void TTorzsfm::afterRead() {
    QStringList formats;
    for (const QString& f : ed.wsmezok) {
        const PanelItem* edit = ed.model.find(QStringLiteral("E_") + f);
        formats << (edit ? edit->hint : QString());
    }
    m_model->reset(formats);
    sizeColumns();
    l_tetel->setText(QString::number(ed.rows.count()) + QStringLiteral(" tétel"));
    l_sorrend->setText(ed.worders);
    const bool any = ed.rows.count() > 0;
    b_kivalaszt->setEnabled(any);
    aKivalaszt->setEnabled(selectionMode() && any);
    syncGrid();
    showCurrent(true);
    // The labels and the panel have new sizes now.
    layout()->activate();
}

void TTorzsfm::sizeColumns() {
    // As wide as the column's values may be, within reason.
    const QFontMetrics metrics = grid->fontMetrics();
    for (int c = 0; c < ed.wsmezok.size(); ++c) {
        const int source = ed.rows.columns().indexOf(ed.wsmezok[c]);
        QString type;
        const int chars = source < 0 ? 8 : FieldDisplayWidth(ed.rows.columns().field(source), type);
        const int title = metrics.horizontalAdvance(ed.wgrdtitles.value(c)) + 20;
        grid->setColumnWidth(c, qBound(40, qMax(title, metrics.averageCharWidth() * qMax(chars, 4) + 12), 320));
    }
}

void TTorzsfm::syncGrid() {
    m_syncing = true;
    if (ed.rows.current >= 0) {
        const QModelIndex index = m_model->index(ed.rows.current, qMax(0, grid->currentIndex().column()));
        grid->setCurrentIndex(index);
        grid->scrollTo(index);
    } else {
        grid->setCurrentIndex(QModelIndex());
    }
    m_syncing = false;
}

void TTorzsfm::showCurrent(bool descending) {
    PanelValues values = ReadPanel(dataPanel);
    ed.ShowCurrent(values, descending);
    ShowPanel(dataPanel, values);
}

void TTorzsfm::setState(const QString& state) {
    ed.wstate = state;
    l_state->setText(StateCaption(state));
    const bool browse = state == QLatin1String("browse");
    for (QToolButton* b : {b_insert, b_edit, b_delete, b_aktuj}) b->setEnabled(browse);
    for (QAction* a : {aInsert, aEdit, aDelete, aCopy}) a->setEnabled(browse);
    for (QToolButton* b : {b_post, b_cancel}) b->setEnabled(!browse);
    for (QAction* a : {aPost, aCancel}) a->setEnabled(!browse);
    grid->setEnabled(browse);
    for (QWidget* w : std::initializer_list<QWidget*>{e_keres, rb1, rbtobb, CheckBox_barhol, CheckBox_innentol})
        w->setEnabled(browse);
    m_panel->setState(state);
}

void TTorzsfm::moveTo(int row) {
    if (ed.wstate != QLatin1String("browse")) {
        if (ed.HasUnsavedChanges(ReadPanel(dataPanel))) {
            ShowMessage(QStringLiteral("Adatbevitel közben van. Tárolja le, vagy dobja el!"));
            return;
        }
        setState(QStringLiteral("browse"));
    }
    if (ed.rows.count() == 0) return;
    ed.rows.current = qBound(0, row, ed.rows.count() - 1);
    syncGrid();
    showCurrent(true);
}

void TTorzsfm::first() { moveTo(0); }
void TTorzsfm::prior() { moveTo(ed.rows.current - 1); }
void TTorzsfm::next() { moveTo(ed.rows.current + 1); }
void TTorzsfm::last() { moveTo(ed.rows.count() - 1); }

void TTorzsfm::refresh() {
    if (ed.wstate == QLatin1String("browse")) readRows();
}

void TTorzsfm::newRecord() {
    if (ed.wstate != QLatin1String("browse") || !ed.weditable) return;
    PanelValues values = ReadPanel(dataPanel);
    ed.BeginInsert(values, false);
    ShowPanel(dataPanel, values);
    setState(ed.wstate);
}

void TTorzsfm::copyRecord() {
    if (ed.wstate != QLatin1String("browse") || !ed.weditable || ed.rows.count() == 0) return;
    PanelValues values = ReadPanel(dataPanel);
    ed.BeginInsert(values, true);
    ShowPanel(dataPanel, values);
    setState(ed.wstate);
}

void TTorzsfm::modify() {
    if (ed.wstate != QLatin1String("browse") || !ed.weditable || ed.rows.count() == 0) return;
    if (ed.BeginUpdate()) setState(ed.wstate);
}

void TTorzsfm::deleteRecord() {
    if (ed.wstate != QLatin1String("browse") || !ed.weditable) return;
    if (ed.Delete()) afterRead();
}

bool TTorzsfm::post() {
    if (ed.wstate == QLatin1String("browse")) return false;
    if (!ed.Store(ReadPanel(dataPanel))) return false;
    setState(QStringLiteral("browse"));
    afterRead();
    if (selectionMode()) finishChoice();
    return true;
}

void TTorzsfm::cancel() {
    setState(QStringLiteral("browse"));
    showCurrent(ed.wdesc);
}

void TTorzsfm::choose() {
    if (ed.wstate != QLatin1String("browse")) {
        post();  // a stored record is chosen by the store itself
        return;
    }
    if (ed.rows.count() == 0) return;
    finishChoice();
}

void TTorzsfm::finishChoice() {
    ed.walasztott = true;
    ed.wkellfrissit = false;
    QDialog::accept();
}

void TTorzsfm::clearSelection() {
    if (ed.wstate != QLatin1String("browse") && !askClose()) return;
    ed.walasztott = true;
    ed.wtorol = true;
    QDialog::accept();
}

void TTorzsfm::back() {
    ed.walasztott = false;
    reject();
}

bool TTorzsfm::askClose() {
    if (ed.wstate == QLatin1String("browse")) return true;
    const int answer = AskDialog(QStringLiteral("Adatbevitel közben van. Biztosan bezárja az ablakot?"), 0,
                                 {QStringLiteral("Nem"), QStringLiteral("Igen, mentéssel"), QStringLiteral("Igen, mentés nélkül")});
    if (answer == 1) {
        bool stored = false;
        guarded([&] { stored = ed.Store(ReadPanel(dataPanel)); });
        if (!stored) return false;
        setState(QStringLiteral("browse"));
        afterRead();
        return true;
    }
    if (answer == 2) {
        cancel();
        return true;
    }
    return false;
}

void TTorzsfm::reject() {
    if (!askClose()) return;
    ed.walasztott = false;
    ed.wkellfrissit = false;
    QDialog::reject();
}

void TTorzsfm::search() {
    if (ed.wstate != QLatin1String("browse")) return;
    m_searched = e_keres->text();
    SearchSwitches switches;
    switches.singleLevel = rb1->isChecked();
    switches.anywhere = CheckBox_barhol->isChecked();
    switches.fromCurrent = CheckBox_innentol->isChecked() && !CheckBox_innentol->isHidden();
    if (!ed.Search(e_keres->text(), switches)) return;
    syncGrid();
    showCurrent(true);
}

void TTorzsfm::searchReturn() {
    const QString enter = wenter.trimmed().toUpper();
    const bool chooses = (enter == QLatin1String("I") && selectionMode()) || enter == QLatin1String("X");
    // A text that waited for Enter is searched before the choice.
    if (!chooses || e_keres->text() != m_searched) search();
    if (chooses) choose();
}

void TTorzsfm::titleClicked(int section) {
    if (ed.wstate != QLatin1String("browse")) return;
    const QString field = m_model->field(section);
    if (field.isEmpty()) return;
    ed.TitleClick(field, rb1->isChecked());
    afterRead();
    grid->horizontalHeader()->viewport()->update();
}

void TTorzsfm::fullList() {
    if (ed.rows.count() == 0) {
        ShowMessage(QStringLiteral("Nincs mit nyomtatni."));
        return;
    }
    if (!GeneralListPrinter()) return;
    QueryExportSource source(ExecSql(ed.connection(), ed.q_torzs.join(QLatin1Char('\n')), ed.q_torzsParams()),
                             ed.wtable);
    GeneralListPrinter()(source, ed.wtablanev.isEmpty() ? ed.wtable : ed.wtablanev, this);
}

void TTorzsfm::ownList() {
    if (ed.wstate != QLatin1String("browse")) {
        // A filter reads the rows again, which would drop what is being typed.
        ShowMessage(QStringLiteral("Adatbevitel közben van. Tárolja le, vagy dobja el!"));
        return;
    }
    if (!m_builder) m_builder = new Ttorzsmazsolafm(this);
    if (!m_builder->Open(ed.connection(), ed.wtable)) return;
    const MazsolaStatement& chosen = m_builder->result;
    if (chosen.boundCondition.isEmpty()) {
        if (ed.listFilter.isEmpty()) return;
        ed.listFilter.clear();  // finished without a condition: every row again
        ed.listFilterParams.clear();
        readRows();
        return;
    }
    if (AskDialog(QStringLiteral("A táblázatban csak a feltételeknek megfelelő tételek látszódjanak?"), 0,
                  {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
        return;
    ed.listFilter = chosen.boundCondition;
    ed.listFilterParams = chosen.params;
    try {
        readRows();
    } catch (const DbError&) {
        // A condition the rows cannot be read with is dropped again.
        ed.listFilter.clear();
        ed.listFilterParams.clear();
        readRows();
        throw;
    }
}

void TTorzsfm::storeToFile() {
    QueryExportSource source(ExecSql(ed.connection(), ed.q_torzs.join(QLatin1Char('\n')), ed.q_torzsParams()),
                             ed.wtable);
    QString chosen;
    StoreDataSet(source, QString(), ed.wtable, chosen);
}
