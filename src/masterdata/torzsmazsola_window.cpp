#include "masterdata/torzsmazsola_window.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "masterdata/read_only_query.h"

namespace {

GeneralListPrintFn& printer() {
    static GeneralListPrintFn fn;
    return fn;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& hint = {}) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    if (!hint.isEmpty()) b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void SetGeneralListPrinter(GeneralListPrintFn fn) { printer() = std::move(fn); }
const GeneralListPrintFn& GeneralListPrinter() { return printer(); }

// The rows of the last run, held for the result grid and for printing.
class ResultRowsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void load(ExportSource& source) {
        beginResetModel();
        m_columns = source.columns();
        m_rows.clear();
        for (bool more = source.first(); more; more = source.next()) {
            QVariantList row;
            row.reserve(m_columns.size());
            for (int i = 0; i < m_columns.size(); ++i) row << source.value(i);
            m_rows << row;
        }
        endResetModel();
    }
    void clear() {
        beginResetModel();
        m_columns.clear();
        m_rows.clear();
        endResetModel();
    }
    // The rows as a list the general list prints.
    std::unique_ptr<MemoryExportSource> source() const {
        auto s = std::make_unique<MemoryExportSource>(QStringLiteral("q_lista"));
        for (const ExportColumn& c : m_columns) s->addColumn(c.name, c.typeName, c.displayWidth);
        for (const QVariantList& row : m_rows) s->addRow(row);
        return s;
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_columns.size()); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const QVariant& v = m_rows[index.row()][index.column()];
        if (role == Qt::DisplayRole) return ExportValueText(v);
        if (role == Qt::TextAlignmentRole && m_columns[index.column()].isNumeric())
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Horizontal) return m_columns.value(section).displayLabel;
        return section + 1;
    }

private:
    QList<ExportColumn> m_columns;
    QList<QVariantList> m_rows;
};

Ttorzsmazsolafm::Ttorzsmazsolafm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("torzsmazsolafm"));
    setWindowTitle(QStringLiteral("Törzslista"));
    resize(900, 760);

    sg = new QTableWidget(0, ColumnCount, this);
    sg->setObjectName(QStringLiteral("sg"));
    sg->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Mező név"), QStringLiteral("Kell?"),
                                   QStringLiteral("Sor."), QStringLiteral("és/vagy"), QStringLiteral("Feltétel"),
                                   QStringLiteral("Mező")});
    sg->setColumnHidden(ColMezo, true);
    sg->verticalHeader()->hide();
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setSelectionMode(QAbstractItemView::SingleSelection);
    sg->horizontalHeader()->setStretchLastSection(true);
    sg->setColumnWidth(ColNo, 40);
    sg->setColumnWidth(ColNev, 220);
    sg->setColumnWidth(ColKell, 45);
    sg->setColumnWidth(ColSor, 40);
    sg->setColumnWidth(ColEsVagy, 60);
    sg->verticalHeader()->setDefaultSectionSize(20);
    sg->installEventFilter(this);
    connect(sg, &QTableWidget::cellClicked, this, &Ttorzsmazsolafm::cellEntered);

    b_feltetel = button(this, "b_feltetel", QStringLiteral("&Feltétel megadása"));
    b_feltetel_torles = button(this, "b_feltetel_torles", QStringLiteral("Feltétel &törlése"));
    b_minden_torles = button(this, "b_minden_torles", QStringLiteral("Minden feltétel törlés"));
    b_uj = button(this, "b_uj", QStringLiteral("Új lekérdezés"));
    connect(b_feltetel, &QPushButton::clicked, this, &Ttorzsmazsolafm::openConditionPanel);
    connect(b_feltetel_torles, &QPushButton::clicked, this, [this] {
        if (sg->currentRow() < 0) return;
        mazsola.ClearCondition(sg->currentRow());
        showGrid();
    });
    connect(b_minden_torles, &QPushButton::clicked, this, [this] {
        mazsola.ClearAllConditions();
        showGrid();
    });
    connect(b_uj, &QPushButton::clicked, this, &Ttorzsmazsolafm::reset);

    // The condition panel.
    p_feltetel = new QGroupBox(QStringLiteral("Feltétel"), this);
    p_feltetel->setObjectName(QStringLiteral("p_feltetel"));
    lb_muv = new QListWidget(p_feltetel);
    lb_muv->setObjectName(QStringLiteral("lb_muv"));
    lb_muv->addItems(MuveletItems());
    lb_muv->setCurrentRow(0);
    lb_muv->setMinimumWidth(230);
    connect(lb_muv, &QListWidget::currentRowChanged, this, &Ttorzsmazsolafm::operatorChanged);
    e_szuro = new QComboBox(p_feltetel);
    e_szuro->setObjectName(QStringLiteral("e_szuro"));
    e_szuro->setEditable(true);
    e_szuro->setInsertPolicy(QComboBox::NoInsert);
    e_szuro->setMinimumWidth(200);
    b_ertekek = new QToolButton(p_feltetel);
    b_ertekek->setObjectName(QStringLiteral("b_ertekek"));
    b_ertekek->setText(QStringLiteral("?"));
    b_ertekek->setToolTip(QStringLiteral("Különböző értékek"));
    connect(b_ertekek, &QToolButton::clicked, this, &Ttorzsmazsolafm::fillDistinctValues);
    l_ig = new QLabel(QStringLiteral("-ig:"), p_feltetel);
    e_ig = new QLineEdit(p_feltetel);
    e_ig->setObjectName(QStringLiteral("e_ig"));
    b_elfogad = button(p_feltetel, "b_elfogad", QStringLiteral("F&eltétel elfogadása"));
    b_megsem = button(p_feltetel, "b_megsem", QStringLiteral("Mé&gsem"));
    connect(b_elfogad, &QPushButton::clicked, this, &Ttorzsmazsolafm::acceptCondition);
    connect(b_megsem, &QPushButton::clicked, p_feltetel, &QWidget::hide);
    // Keyboard: the operator list leads to the value, Enter on a value accepts it.
    connect(lb_muv, &QListWidget::itemActivated, this, [this] { e_szuro->setFocus(); });
    connect(e_szuro->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (e_ig->isVisible() && e_ig->text().trimmed().isEmpty()) e_ig->setFocus();
        else acceptCondition();
    });
    connect(e_ig, &QLineEdit::returnPressed, this, &Ttorzsmazsolafm::acceptCondition);
    auto* values = new QVBoxLayout;
    auto* valueLine = new QHBoxLayout;
    valueLine->addWidget(e_szuro, 1);
    valueLine->addWidget(b_ertekek);
    values->addWidget(new QLabel(QStringLiteral("Érték:"), p_feltetel));
    values->addLayout(valueLine);
    auto* toLine = new QHBoxLayout;
    toLine->addWidget(l_ig);
    toLine->addWidget(e_ig, 1);
    values->addLayout(toLine);
    auto* accept = new QHBoxLayout;
    accept->addWidget(b_elfogad);
    accept->addWidget(b_megsem);
    values->addLayout(accept);
    values->addStretch();
    auto* panel = new QHBoxLayout(p_feltetel);
    panel->addWidget(lb_muv);
    panel->addLayout(values, 1);
    p_feltetel->setMaximumHeight(200);
    p_feltetel->hide();

    l_cim = new QLabel(QStringLiteral("A lista címsora:"), this);
    l_cim->setObjectName(QStringLiteral("l_cim"));
    e_cim = new QLineEdit(this);
    e_cim->setObjectName(QStringLiteral("e_cim"));

    m_sql = new QPlainTextEdit(this);
    m_sql->setObjectName(QStringLiteral("m_sql"));
    m_sql->setToolTip(QStringLiteral("SQL utasitás - csak halandók irjanak bele!"));
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    m_sql->setFont(fixed);
    // A changed statement has not run yet.
    connect(m_sql, &QPlainTextEdit::textChanged, this, [this] { m_hasRun = false; });

    b_sql = button(this, "b_sql", QStringLiteral("SQL"));
    b_indul = button(this, "b_indul", QStringLiteral("Indul"), QStringLiteral("Lekrérdezés indítása itt"));
    b_kerdes = button(this, "b_kerdes", QStringLiteral("?"));
    b_nyomtat = button(this, "b_nyomtat", QStringLiteral("Nyomtatási kép"));
    b_tarol = button(this, "b_tarol", QStringLiteral("&Letárol"), QStringLiteral("A lekérdezés eredménye fájlba"));
    b_vissza = button(this, "b_vissza", QStringLiteral("&Vissza (nincs feltétel)"));
    b_befejez = button(this, "b_befejez", QStringLiteral("&Befejez"));
    connect(b_sql, &QPushButton::clicked, this, &Ttorzsmazsolafm::buildStatement);
    connect(b_indul, &QPushButton::clicked, this, [this] { run(); });
    connect(b_kerdes, &QPushButton::clicked, this, &Ttorzsmazsolafm::showSummary);
    connect(b_nyomtat, &QPushButton::clicked, this, &Ttorzsmazsolafm::printPreview);
    connect(b_tarol, &QPushButton::clicked, this, &Ttorzsmazsolafm::storeRows);
    connect(b_vissza, &QPushButton::clicked, this, &QDialog::reject);
    connect(b_befejez, &QPushButton::clicked, this, &Ttorzsmazsolafm::finish);

    m_result = new ResultRowsModel(this);
    g_eredmeny = new QTableView(this);
    g_eredmeny->setObjectName(QStringLiteral("g_eredmeny"));
    g_eredmeny->setToolTip(QStringLiteral("A lekérdezés eredménytáblája"));
    g_eredmeny->setModel(m_result);
    g_eredmeny->verticalHeader()->setDefaultSectionSize(20);
    l_sorok = new QLabel(this);
    l_sorok->setObjectName(QStringLiteral("l_sorok"));

    // Layout: the field grid with its buttons, the condition panel, the
    // title, the statement with its buttons, the rows.
    auto* gridButtons = new QVBoxLayout;
    for (QPushButton* b : {b_feltetel, b_feltetel_torles, b_minden_torles, b_uj}) gridButtons->addWidget(b);
    gridButtons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(sg, 1);
    top->addLayout(gridButtons);
    auto* title = new QHBoxLayout;
    title->addWidget(l_cim);
    title->addWidget(e_cim, 1);
    auto* sqlButtons = new QVBoxLayout;
    for (QPushButton* b : {b_sql, b_indul, b_kerdes, b_nyomtat, b_tarol}) sqlButtons->addWidget(b);
    sqlButtons->addStretch();
    auto* sql = new QHBoxLayout;
    sql->addWidget(m_sql, 1);
    sql->addLayout(sqlButtons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(l_sorok, 1);
    bottom->addWidget(b_vissza);
    bottom->addWidget(b_befejez);

    auto* upper = new QWidget(this);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addLayout(top, 1);
    upperLayout->addWidget(p_feltetel);
    upperLayout->addLayout(title);
    upperLayout->addLayout(sql);
    m_sql->setMaximumHeight(110);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(upper);
    splitter->addWidget(g_eredmeny);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    auto* main = new QVBoxLayout(this);
    main->addWidget(splitter, 1);
    main->addLayout(bottom);
    operatorChanged();
}

bool Ttorzsmazsolafm::Open(const QString& connection, const QString& table) {
    const QString upper = table.trimmed().toUpper();
    if (upper != mazsola.table || connection != m_connection || mazsola.rows.isEmpty()) {
        m_connection = connection;
        mazsola.Load(connection, upper);
        reset();
    }
    setWindowTitle(QStringLiteral("Feltételek szerinti szűrés :") + mazsola.table);
    result = {};
    selections.clear();
    return exec() == QDialog::Accepted;
}

void Ttorzsmazsolafm::reset() {
    mazsola.NewQuery();
    e_cim->clear();
    m_sql->clear();
    m_builtText.clear();
    m_result->clear();
    m_hasRun = false;
    l_sorok->clear();
    p_feltetel->hide();
    showGrid();
}

void Ttorzsmazsolafm::showGrid() {
    const int current = sg->currentRow();
    sg->setRowCount(int(mazsola.rows.size()));
    for (int r = 0; r < mazsola.rows.size(); ++r) {
        const MazsolaRow& row = mazsola.rows[r];
        const QStringList cells{QString::number(r + 1), row.caption, row.kell, row.sorrend,
                                row.esvagy, row.feltetel(), row.field};
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem* item = sg->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (c == ColKell || c == ColSor || c == ColEsVagy || c == ColNo) item->setTextAlignment(Qt::AlignCenter);
                sg->setItem(r, c, item);
            }
            item->setText(cells[c]);
        }
    }
    if (current >= 0 && current < sg->rowCount()) sg->setCurrentCell(current, sg->currentColumn());
}

void Ttorzsmazsolafm::cellEntered(int row, int column) {
    if (row < 0 || row >= mazsola.rows.size()) return;
    switch (column) {
    case ColKell: mazsola.ClickKell(row); break;
    case ColSor: mazsola.ClickSorrend(row); break;
    case ColEsVagy: mazsola.ClickEsVagy(row); break;
    default: return;
    }
    showGrid();
}

bool Ttorzsmazsolafm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sg && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space) {
            cellEntered(sg->currentRow(), sg->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Ttorzsmazsolafm::openConditionPanel() {
    if (sg->currentRow() < 0 && sg->rowCount() > 0) sg->setCurrentCell(0, ColFeltetel);
    if (sg->currentRow() < 0) return;
    p_feltetel->setTitle(QStringLiteral("Feltétel: ") + mazsola.rows[sg->currentRow()].caption);
    e_szuro->clear();
    e_szuro->setEditText(QString());
    e_ig->clear();
    p_feltetel->show();
    lb_muv->setFocus();
}

void Ttorzsmazsolafm::operatorChanged() {
    const bool range = lb_muv->currentItem() && MuveletOf(lb_muv->currentItem()->text()) == QLatin1String("[]");
    e_ig->setVisible(range);
    l_ig->setVisible(range);
}

void Ttorzsmazsolafm::fillDistinctValues() {
    if (sg->currentRow() < 0) return;
    const QString typed = e_szuro->currentText();
    try {
        const QStringList values = mazsola.DistinctValues(m_connection, sg->currentRow());
        e_szuro->clear();
        e_szuro->addItems(values);
        e_szuro->setEditText(typed);
        if (isVisible()) e_szuro->showPopup();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
}

void Ttorzsmazsolafm::acceptCondition() {
    const int row = sg->currentRow();
    // Enter on the value may reach here twice: once the panel is closed it is done.
    if (row < 0 || !lb_muv->currentItem() || p_feltetel->isHidden()) return;
    if (!mazsola.AddCondition(row, lb_muv->currentItem()->text(), e_szuro->currentText(), e_ig->text())) {
        e_szuro->setFocus();
        return;
    }
    p_feltetel->hide();
    showGrid();
    sg->setFocus();
}

void Ttorzsmazsolafm::buildStatement() {
    m_built = mazsola.Build();
    m_builtText = m_built.text();
    m_sql->setPlainText(m_builtText);
}

bool Ttorzsmazsolafm::run() {
    if (m_sql->toPlainText().trimmed().isEmpty()) buildStatement();
    const QString text = m_sql->toPlainText();
    try {
        // The statement as built runs with the typed values bound; one the
        // user wrote runs as written, read-only.
        std::unique_ptr<ReadOnlyQuery> q =
            text == m_builtText ? ReadOnlyQuery::withNames(m_connection, m_built.boundSql, m_built.params)
                                : std::make_unique<ReadOnlyQuery>(m_connection, text);
        m_result->load(*q);
    } catch (const DbError& error) {
        m_result->clear();
        m_hasRun = false;
        l_sorok->clear();
        ShowMessage(error.message());
        return false;
    }
    m_hasRun = true;
    l_sorok->setText(QString::number(m_result->rowCount()) + QStringLiteral(" sor"));
    return true;
}

int Ttorzsmazsolafm::resultRowCount() const { return m_hasRun ? m_result->rowCount() : 0; }

void Ttorzsmazsolafm::showSummary() {
    buildStatement();
    ShowMessage(MazsolaSummary(m_built));
}

void Ttorzsmazsolafm::printPreview() {
    if (!m_hasRun && !run()) return;
    if (m_result->rowCount() == 0) {
        ShowMessage(QStringLiteral("Nincs mit nyomtatni."));
        return;
    }
    const QString title = e_cim->text().trimmed().isEmpty() ? QStringLiteral("Saját összeállítású lista") : e_cim->text();
    if (!GeneralListPrinter()) return;
    std::unique_ptr<MemoryExportSource> rows = m_result->source();
    GeneralListPrinter()(*rows, title, this);
}

void Ttorzsmazsolafm::storeRows() {
    if (!m_hasRun && !run()) return;
    std::unique_ptr<MemoryExportSource> rows = m_result->source();
    rows->setName(mazsola.table);
    QString chosen;
    StoreDataSet(*rows, QString(), mazsola.table, chosen);
}

void Ttorzsmazsolafm::finish() {
    buildStatement();
    result = m_built;
    m_sql->clear();
    m_builtText.clear();
    selections = mazsola.Selections();
    accept();
}
