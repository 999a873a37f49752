#include "cegvalaszt_window.h"

#include <QAction>
#include <QActionGroup>
#include <QDate>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/edit_keys_window.h"
#include "db/ui_hooks.h"
#include "masterdata/panel_widgets_window.h"
#include "masterdata/record_storage.h"
#include "shell/first_user_window.h"

namespace {

QPushButton* boldButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setAutoDefault(false);
    return button;
}

QLabel* infoLabel(QWidget* parent, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setAutoFillBackground(true);
    QPalette look = label->palette();
    look.setColor(QPalette::Window, look.color(QPalette::ToolTipBase));
    look.setColor(QPalette::WindowText, look.color(QPalette::ToolTipText));
    label->setPalette(look);
    return label;
}

QLineEdit* fieldEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    return edit;
}

const QStringList kGridColumns{QStringLiteral("KOD"), QStringLiteral("NEV"), QStringLiteral("AKTUALISEV"),
                               QStringLiteral("DBSERVER"), QStringLiteral("NYITVA")};

}  // namespace

Tcegvalasztfm::Tcegvalasztfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("cegvalasztfm"));
    setWindowTitle(QStringLiteral("Adatbázis kiválastása"));
    resize(900, 560);
    registry.askFirstUser = [this] { return TFirstUserFm::Ask(this); };

    almenu = new QMenuBar(this);
    almenu->setObjectName(QStringLiteral("almenu"));
    QMenu* entries = almenu->addMenu(QStringLiteral("Műveletek"));
    const auto action = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    Ujfelvitel = action(entries, "Ujfelvitel", QStringLiteral("Uj felvitel"));
    Modositas = action(entries, "Modositas", QStringLiteral("Módosítás"));
    Aktualisbolujat = action(entries, "Aktualisbolujat", QStringLiteral("Aktuálisból újat"));
    Oktarol = action(entries, "Oktarol", QStringLiteral("Ok, tárol"));
    Nemtarolmegsem = action(entries, "Nemtarolmegsem", QStringLiteral("Nem tárol mégsem"));
    Vissza = action(entries, "Vissza", QStringLiteral("Vissza"));
    QMenu* navigation = almenu->addMenu(QStringLiteral("Navigáció"));
    Elsosor = action(navigation, "Elsosor", QStringLiteral("Első sor"));
    Elozosor = action(navigation, "Elozosor", QStringLiteral("Előző sor"));
    Kovetkezosor = action(navigation, "Kovetkezosor", QStringLiteral("Következő sor"));
    Utolsosor = action(navigation, "Utolsosor", QStringLiteral("Utolsó sor"));
    QMenu* settings = almenu->addMenu(QStringLiteral("Beállítások"));
    Mindenceglatszik = action(settings, "Mindenceglatszik", QStringLiteral("Minden cég látszik"));
    Csakanyitottak = action(settings, "Csakanyitottak", QStringLiteral("Csak a nyitottak"));
    auto* which = new QActionGroup(this);
    for (QAction* a : {Mindenceglatszik, Csakanyitottak}) {
        a->setCheckable(true);
        which->addAction(a);
    }
    Mindenceglatszik->setChecked(true);

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("p_top"));
    navi = new QWidget(top);
    navi->setObjectName(QStringLiteral("navi"));
    auto* naviLayout = new QHBoxLayout(navi);
    naviLayout->setContentsMargins(0, 0, 0, 0);
    const QStringList arrows{QStringLiteral("|◀"), QStringLiteral("◀"), QStringLiteral("▶"), QStringLiteral("▶|")};
    const QStringList naviNames{QStringLiteral("navi_first"), QStringLiteral("navi_prior"), QStringLiteral("navi_next"),
                                QStringLiteral("navi_last")};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton(navi);
        button->setObjectName(naviNames[i]);
        button->setText(arrows[i]);
        naviLayout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, i] { move(i); });
    }
    b_uj = boldButton(top, "b_uj", QStringLiteral("&Uj tétel"));
    b_mod = boldButton(top, "b_mod", QStringLiteral("&Módosítás"));
    b_ok = boldButton(top, "b_ok", QStringLiteral("&OK, tárol"));
    b_megsem = boldButton(top, "b_megsem", QStringLiteral("&Nem tárol mégsem"));
    b_kivalaszt = boldButton(top, "b_kivalaszt", QStringLiteral("&Kiválaszt"));
    b_vissza = boldButton(top, "b_vissza", QStringLiteral("&Vissza"));
    auto* topLayout = new QHBoxLayout(top);
    topLayout->addWidget(navi);
    for (QPushButton* button : {b_uj, b_mod, b_ok, b_megsem, b_kivalaszt, b_vissza}) topLayout->addWidget(button);
    topLayout->addStretch(1);

    p_fej = new QWidget(this);
    p_fej->setObjectName(QStringLiteral("p_fej"));
    e_kod = fieldEdit(p_fej, "e_kod", 7);
    e_kod->setValidator(new UpperCaseValidator(e_kod));
    e_nev = fieldEdit(p_fej, "e_nev", 50);
    e_aktualisev = fieldEdit(p_fej, "e_aktualisev", 4);
    // Paths of this machine keep their letter case: only the registry's width limits them.
    e_dbserver = fieldEdit(p_fej, "e_dbserver", 250);
    e_nyitva = fieldEdit(p_fej, "e_nyitva", 1);
    e_nyitva->setEnabled(false);
    SetRequiredLook(e_kod, true);
    SetRequiredLook(e_nev, true);
    b_gdb = new QPushButton(QStringLiteral("Tallóz"), p_fej);
    b_gdb->setObjectName(QStringLiteral("b_gdb"));
    b_gdb->setAutoDefault(false);
    b_aktiv = new QPushButton(QStringLiteral("I/N"), p_fej);
    b_aktiv->setObjectName(QStringLiteral("b_aktiv"));
    b_aktiv->hide();
    l_state = new QLabel(p_fej);
    l_state->setObjectName(QStringLiteral("l_state"));
    l_state->setAutoFillBackground(true);
    QPalette highlight = l_state->palette();
    highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
    highlight.setColor(QPalette::WindowText, highlight.color(QPalette::HighlightedText));
    l_state->setPalette(highlight);
    auto* fields = new QGridLayout(p_fej);
    fields->addWidget(infoLabel(p_fej, QStringLiteral(" A cég rövid emlékeztető kódja")), 0, 0);
    fields->addWidget(e_kod, 0, 1);
    fields->addWidget(l_state, 0, 3, Qt::AlignRight);
    fields->addWidget(infoLabel(p_fej, QStringLiteral(" A cég megnevezése:")), 1, 0);
    fields->addWidget(e_nev, 1, 1, 1, 2);
    fields->addWidget(infoLabel(p_fej, QStringLiteral(" A könyvelés tárgyéve:")), 2, 0);
    fields->addWidget(e_aktualisev, 2, 1);
    fields->addWidget(infoLabel(p_fej, QStringLiteral(" Az adatbázis fájl neve:")), 3, 0);
    fields->addWidget(e_dbserver, 3, 1, 1, 2);
    fields->addWidget(b_gdb, 3, 3, Qt::AlignLeft);
    fields->addWidget(infoLabel(p_fej, QStringLiteral(" Nyitva? (I/N):")), 4, 0);
    fields->addWidget(e_nyitva, 4, 1, Qt::AlignLeft);
    fields->addWidget(b_aktiv, 4, 2, Qt::AlignLeft);
    fields->setColumnStretch(2, 1);
    e_kod->setMaximumWidth(120);
    e_aktualisev->setMaximumWidth(80);
    e_nyitva->setMaximumWidth(40);

    m_model = new QStandardItemModel(this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(almenu);
    layout->addWidget(top);
    layout->addWidget(p_fej);
    layout->addWidget(DBGrid1, 1);

    connect(b_uj, &QPushButton::clicked, this, &Tcegvalasztfm::newEntry);
    connect(Ujfelvitel, &QAction::triggered, this, &Tcegvalasztfm::newEntry);
    connect(b_mod, &QPushButton::clicked, this, &Tcegvalasztfm::modify);
    connect(Modositas, &QAction::triggered, this, &Tcegvalasztfm::modify);
    connect(Aktualisbolujat, &QAction::triggered, this, &Tcegvalasztfm::newFromCurrent);
    connect(b_ok, &QPushButton::clicked, this, &Tcegvalasztfm::ok);
    connect(Oktarol, &QAction::triggered, this, &Tcegvalasztfm::ok);
    connect(b_megsem, &QPushButton::clicked, this, &Tcegvalasztfm::cancelEdit);
    connect(Nemtarolmegsem, &QAction::triggered, this, &Tcegvalasztfm::cancelEdit);
    connect(b_kivalaszt, &QPushButton::clicked, this, &Tcegvalasztfm::select);
    connect(DBGrid1, &QTableView::doubleClicked, this, &Tcegvalasztfm::select);
    connect(b_vissza, &QPushButton::clicked, this, &QDialog::reject);
    connect(Vissza, &QAction::triggered, this, &QDialog::reject);
    connect(Elsosor, &QAction::triggered, this, [this] { move(0); });
    connect(Elozosor, &QAction::triggered, this, [this] { move(1); });
    connect(Kovetkezosor, &QAction::triggered, this, [this] { move(2); });
    connect(Utolsosor, &QAction::triggered, this, [this] { move(3); });
    connect(which, &QActionGroup::triggered, this, [this](QAction* chosen) {
        guarded([&] {
            registry.setOnlyOpen(chosen == Csakanyitottak);
            showList();
        });
    });
    connect(b_gdb, &QPushButton::clicked, this, &Tcegvalasztfm::browseGdb);
    connect(b_aktiv, &QPushButton::clicked, this, [this] { e_nyitva->setText(CycleChar(e_nyitva->text(), QStringLiteral("IN"))); });
    connect(e_kod, &QLineEdit::editingFinished, this, [this] {
        // A changed code proposes the database file; passing through the field does not.
        if (e_kod->text() == m_kodProposed) return;
        m_kodProposed = e_kod->text();
        e_dbserver->setText(SuggestedDbAddress(Td().DbServer, e_kod->text(), e_aktualisev->text()));
    });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& index) {
        if (registry.wstate != QLatin1String("browse") || !index.isValid() || index.row() == registry.current) return;
        registry.current = index.row();
        showRow();
    });
    setEditMode(false);
}

bool Tcegvalasztfm::choose() {
    // Only a row chosen with "&Kiválaszt" counts: a declined creation keeps
    // walasztott set, but the window then closes with "&Vissza".
    return exec() == QDialog::Accepted && registry.walasztott;
}

void Tcegvalasztfm::guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void Tcegvalasztfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    guarded([this] { registry.show(); });
    showList();
    setEditMode(false);
}

void Tcegvalasztfm::showList() {
    m_model->clear();
    m_model->setHorizontalHeaderLabels(kGridColumns);
    for (const QSqlRecord& row : registry.rows) {
        QList<QStandardItem*> cells;
        for (const QString& column : kGridColumns) cells << new QStandardItem(row.value(column).toString());
        m_model->appendRow(cells);
    }
    DBGrid1->resizeColumnsToContents();
    if (registry.hasRow()) DBGrid1->selectRow(registry.current);
    showRow();
}

void Tcegvalasztfm::showRow() {
    PanelValues fields = ReadPanel(p_fej, QStringLiteral("e_"));
    if (registry.hasRow())
        RekordMutat(registry.row(), fields);
    else
        MezokTorol(fields);
    ShowPanel(p_fej, fields);
    if (registry.hasRow() && DBGrid1->currentIndex().row() != registry.current) DBGrid1->selectRow(registry.current);
}

void Tcegvalasztfm::setEditMode(bool edit) {
    p_fej->setEnabled(edit);
    for (QPushButton* button : {b_uj, b_mod, b_kivalaszt, b_vissza}) button->setEnabled(!edit);
    for (QPushButton* button : {b_ok, b_megsem}) button->setEnabled(edit);
    DBGrid1->setEnabled(!edit);
    navi->setEnabled(!edit);
    l_state->setText(QLatin1Char(' ') + StateCaption(registry.wstate) + QLatin1Char(' '));
}

void Tcegvalasztfm::newEntry() {
    registry.wstate = QStringLiteral("insert");
    PanelValues fields = ReadPanel(p_fej, QStringLiteral("e_"));
    MezokTorol(fields);
    ShowPanel(p_fej, fields);
    e_nyitva->setText(QStringLiteral("I"));
    e_aktualisev->setText(QString::number(QDate::currentDate().year()));
    m_kodProposed = e_kod->text();
    setEditMode(true);
    b_gdb->setText(QStringLiteral("Help"));
    e_kod->setFocus();
}

void Tcegvalasztfm::modify() {
    if (!registry.hasRow()) return;
    registry.wstate = QStringLiteral("update");
    m_kodProposed = e_kod->text();
    setEditMode(true);
    b_gdb->setText(QStringLiteral("Tallóz"));
    e_nev->setFocus();
}

void Tcegvalasztfm::newFromCurrent() {
    if (registry.wstate != QLatin1String("browse") || registry.rows.isEmpty()) return;
    registry.wstate = QStringLiteral("insert");
    m_kodProposed = e_kod->text();
    setEditMode(true);
    b_gdb->setText(QStringLiteral("Help"));
    e_kod->setFocus();
}

void Tcegvalasztfm::ok() {
    QString focus;
    bool stored = false;
    guarded([&] { stored = registry.store(ReadPanel(p_fej, QStringLiteral("e_")), focus); });
    if (!stored) {
        if (QWidget* field = p_fej->findChild<QWidget*>(focus)) field->setFocus();
        return;
    }
    showList();
    setEditMode(false);
}

void Tcegvalasztfm::cancelEdit() {
    registry.wstate = QStringLiteral("browse");
    showRow();
    setEditMode(false);
}

void Tcegvalasztfm::select() {
    bool close = false;
    guarded([&] { close = registry.choose(e_dbserver->text()); });
    if (close) accept();
}

void Tcegvalasztfm::move(int to) {
    if (registry.wstate != QLatin1String("browse") || registry.rows.isEmpty()) return;
    const int last = int(registry.rows.size()) - 1;
    switch (to) {
        case 0: registry.current = 0; break;
        case 1: registry.current = std::max(0, registry.current - 1); break;
        case 2: registry.current = std::min(last, registry.current + 1); break;
        default: registry.current = last; break;
    }
    showRow();
}

void Tcegvalasztfm::browseGdb() {
    if (b_gdb->text() != QLatin1String("Tallóz")) {
        e_dbserver->setText(SuggestedDbAddress(Td().DbServer, e_kod->text(), e_aktualisev->text()));
        return;
    }
    QFileDialog dialog(this, QString(), DbFolder(e_dbserver->text()), QStringLiteral("Interbase database (*.GDB)"));
    dialog.setObjectName(QStringLiteral("od1"));
    dialog.setDefaultSuffix(QStringLiteral("GDB"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        e_dbserver->setText(dialog.selectedFiles().first());
}
