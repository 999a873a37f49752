#include "torzs.h"

#include "db/catalog.h"
#include "db/db_error.h"
#include "db/display_mask.h"
#include "db/ui_hooks.h"
#include "masterdata/audit.h"
#include "masterdata/lookup.h"
#include "masterdata/record_storage.h"
#include "db/dat.h"
#include "masterdata/ledger_usage.h"
#include "masterdata/user_password.h"

namespace {

const QString kCr = QStringLiteral("\r");

QString controlText(const PanelValues& panel, const QString& field, bool& has) {
    const PanelControl* c = panel.find(QStringLiteral("E_") + field);
    has = c && c->kind == PanelKind::Edit;
    return has ? c->text : QString();
}

}  // namespace

TorzsEditor::TorzsEditor(QString connection)
    : qi_torzs(connection), qu_torzs(connection), qd_torzs(connection), q_dupla(connection),
      m_connection(std::move(connection)) {}

void TorzsEditor::BuildPanel(int panelWidth) {
    for (SqlStatement* s : {&qi_torzs, &qu_torzs, &qd_torzs, &q_dupla}) {
        s->setSql({});
        s->clearValues();
    }
    rows.clear();
    q_torzs = {QStringLiteral("Select * From"), wtable, QStringLiteral("where 1=2"), QStringLiteral("order by 1")};
    QSqlQuery shape = ExecSql(m_connection, q_torzs.join(QLatin1Char('\n')));
    const QSqlRecord columns = shape.record();

    wkey = PkFields(wtable, wkeynum);
    wkeyfields = wkey.isEmpty() ? QStringList() : wkey.split(QLatin1Char(','));
    wkeylocate = wkeyfields.join(QLatin1Char(';'));
    waktertekek = QStringList(wkeynum, QString());

    model = UrlapEpit(wmodulname == wtable ? wmodulname : wmodulname + QLatin1Char(';') + wtable, columns, panelWidth);
    AddUserPasswordFields(model);
    wsbcompcount = model.rows;
    wmezok = model.fieldNames;
    wsmezok.clear();
    wgrdtitles.clear();
    for (const GridColumn& c : model.gridColumns) {
        wsmezok << c.field;
        wgrdtitles << c.title;
    }
    // The first field that names a column orders the rows.
    worders.clear();
    for (const QString& field : wmezok)
        if (!field.isEmpty() && columns.indexOf(field) >= 0) {
            worders = field;
            break;
        }
    if (worders.isEmpty() && columns.count() > 0) worders = columns.fieldName(0);

    // Statements are made also for a read-only opening: a later caller may edit.
    QStringList names;
    for (int i = 0; i < columns.count(); ++i) names << columns.fieldName(i);
    SqlKeszit(wtable, names, &qi_torzs, &qu_torzs, &qd_torzs, wkey);
    QStringList dupla = qd_torzs.sql;
    if (!dupla.isEmpty()) dupla[0].replace(QStringLiteral("DELETE"), QStringLiteral("SELECT *"));
    q_dupla.setSql(dupla);

    int length = 0;
    bool notNull = false;
    QString type;
    activeOnlyEnabled = IbFieldInfo(wtable, QStringLiteral("AKTIV"), length, notNull, type);
    wkellsbepit = false;
}

void TorzsEditor::ReadRows() {
    const bool wasOpen = rows.isOpen();
    if (wasOpen && wstate == QLatin1String("browse") && rows.current >= 0) waktertekek = keyValues(nullptr);

    QString filter = wwhere;
    if (activeOnlyEnabled && activeOnlyChecked) {
        // The filter's own OR must not reach past it.
        const QString condition = wwhere.trimmed().mid(5).trimmed();
        filter = wwhere.trimmed().isEmpty() ? QStringLiteral("Where AKTIV='I'")
                                            : QStringLiteral("WHERE (") + condition + QStringLiteral(") and AKTIV='I'");
    }
    if (!listFilter.isEmpty()) {
        filter = filter.trimmed().isEmpty()
                     ? QStringLiteral("WHERE ") + listFilter
                     : QStringLiteral("WHERE (") + filter.trimmed().mid(5).trimmed() + QStringLiteral(") and (") +
                           listFilter + QLatin1Char(')');
    }
    q_torzs = {QStringLiteral("Select * From"), wtable, filter, QStringLiteral("order by ") + worders};
    QSqlQuery q = ExecSql(m_connection, q_torzs.join(QLatin1Char('\n')), q_torzsParams());
    rows.load(q);
    wkellfrissit = false;

    bool remembered = false;
    for (const QString& v : waktertekek) remembered = remembered || !v.isEmpty();
    if (wasOpen && remembered) {
        const int found = LocateKey(rows, wkeyfields, waktertekek);
        if (found >= 0) rows.current = found;
    }
}

void TorzsEditor::BeginInsert(PanelValues& panel, bool copy) {
    if (!copy) {
        MezokTorol(panel);
        UjParamok(rows.columns(), qi_torzs);
    }
    wstate = QStringLiteral("insert");
    OnInsert(wdefault, wdefaultmezo, panel, wtable);
}

bool TorzsEditor::BeginUpdate() {
    if (rows.current < 0 || !BeforeEdit(wtable)) return false;
    wstate = QStringLiteral("update");
    return true;
}

void TorzsEditor::ShowCurrent(PanelValues& panel, bool descending) {
    const QSqlRecord row = rows.currentRecord();
    if (row.isEmpty())
        MezokTorol(panel);
    else
        RekordMutat(row, panel);
    ClearUserPasswordFields(panel);
    InfoMindFrissit(panel, row, descending);
}

bool TorzsEditor::HasUnsavedChanges(const PanelValues& panel) const {
    if (wstate == QLatin1String("insert")) return true;
    if (wstate != QLatin1String("update")) return false;
    if (UserPasswordTyped(panel)) return true;
    const QSqlRecord row = rows.currentRecord();
    for (const QString& p : qu_torzs.paramNames()) {
        if (p.startsWith(QLatin1String("OLD_"))) continue;
        const PanelControl* c = panel.find(QStringLiteral("E_") + p);
        if (!c) continue;
        if (c->kind == PanelKind::Memo && c->tag == 1) return true;
        if (c->kind != PanelKind::Edit) continue;
        const int i = row.indexOf(p);
        if (i < 0) continue;
        const bool formatted = FieldTypeName(row.field(i)) == QLatin1String("FLOAT") && !c->hint.trimmed().isEmpty();
        const QString stored = formatted ? FormatMask(row.value(i).toDouble(), c->hint) : FieldValueText(row.value(i));
        if (stored.trimmed() != c->text.trimmed()) return true;
    }
    return false;
}

QStringList TorzsEditor::keyValues(const PanelValues* panel) const {
    QStringList values;
    const QSqlRecord row = rows.currentRecord();
    for (const QString& k : wkeyfields) {
        bool has = false;
        const QString typed = panel ? controlText(*panel, k, has) : QString();
        values << (has ? typed.trimmed() : FieldValueText(row.value(k)));
    }
    return values;
}

bool TorzsEditor::duplicateKey(const PanelValues& panel) {
    const QSqlRecord row = rows.currentRecord();
    bool changed = wstate == QLatin1String("insert");
    for (const QString& k : wkeyfields) {
        bool has = false;
        const QString typed = controlText(panel, k, has);
        if (has && typed.trimmed() != FieldValueText(row.value(k)).trimmed()) changed = true;
        if (has)
            q_dupla.setValue(k, typed);
        else
            q_dupla.setValue(k, row.value(k));
    }
    if (!changed || wkeyfields.isEmpty()) return false;
    try {
        QSqlQuery q = q_dupla.open();
        return NextRow(q);
    } catch (const DbError& error) {
        // A typed key its column cannot hold: no row has it.
        if (IsValueMismatch(error)) return false;
        throw;
    }
}

QString TorzsEditor::fieldCaptions(const QString& columns) const {
    QString captions;
    for (const QString& column : columns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const PanelItem* label = model.find(QStringLiteral("L_") + column);
        QString caption = label ? label->caption.trimmed() : QString();
        while (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
        captions += (caption.trimmed().isEmpty() ? column : caption.trimmed()) + QLatin1Char(';');
    }
    return captions;
}

bool TorzsEditor::Store(const PanelValues& panel) {
    const bool inserting = wstate == QLatin1String("insert");
    if (!inserting && wstate != QLatin1String("update")) return false;
    if (!BeforePost(panel, wstate, rows, wtable)) return false;

    QString lines;
    const QString empty = UresKotelezok(qi_torzs, panel);
    if (!empty.isEmpty()) lines += QStringLiteral("Kitöltendő mezőt üresen hagyott : ") + fieldCaptions(empty) + kCr;
    if (duplicateKey(panel)) lines += QStringLiteral("Már van ilyen kódú tétel.") + kCr;
    if (const QString password = UserPasswordError(panel); !password.isEmpty()) lines += password + kCr;
    if (!lines.isEmpty()) {
        ShowMessage(QStringLiteral("Nem tárolható az alábbi hiba miatt:") + kCr + lines);
        return false;
    }

    SqlStatement& statement = inserting ? qi_torzs : qu_torzs;
    const QSqlRecord before = inserting ? rows.columns() : rows.currentRecord();
    {
        // The row and its audit rows stand or fall together.
        DbTransaction transaction(m_connection);
        if (!RekordTarol(inserting ? rows.columns() : before, statement, panel, wkeynum, wstate)) return false;
        if (AuditAvailable(m_connection)) AuditStore(m_connection, wtable, auditKeys(), wstate, before, statement);
        if (wtable == UsersTable) StoreUserPassword(m_connection, keyValues(&panel).value(0), panel);
        transaction.commit();
    }

    waktertekek = keyValues(&panel);
    ReadRows();
    AfterPost(wstate, rows, statement, wtable);
    wstate = QStringLiteral("browse");
    return true;
}

bool TorzsEditor::Delete() {
    if (wstate != QLatin1String("browse") || rows.current < 0) return false;
    if (wkey.isEmpty()) {
        ShowMessage(QStringLiteral("Nem törölhet elsődleges kulcs nélküli táblából"));
        return false;
    }
    if (!BeforeDelete(rows, wkey, wtable)) return false;
    const QSqlRecord row = rows.currentRecord();
    if (const int items = LedgerItemsUsing(m_connection, wtable, row); items > 0) {
        ShowMessage(UsedCodeMessage(row.value(wkeyfields.value(0)).toString(), items));
        return false;
    }
    if (AskDialog(QStringLiteral("Biztos, hogy törölni akarja ?"), 0) != 0) return false;
    for (const QString& p : qd_torzs.paramNames()) qd_torzs.setValue(p, row.value(p));
    {
        DbTransaction transaction(m_connection);
        qd_torzs.exec();
        if (AuditAvailable(m_connection)) AuditDelete(m_connection, wtable, auditKeys(), row);
        transaction.commit();
    }
    AfterDelete();
    ReadRows();
    return true;
}

bool TorzsEditor::StoreCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rows.count() || column < 0 || column >= rows.columns().count()) return false;
    const QSqlRecord before = rows.record(row);
    const QString field = before.fieldName(column);
    PanelValues cell;
    cell.add(QStringLiteral("E_") + field, PanelKind::Edit, text);
    {
        DbTransaction transaction(m_connection);
        if (!RekordTarol(before, qu_torzs, cell, wkeynum, QStringLiteral("update"))) return false;
        if (AuditAvailable(m_connection)) AuditStore(m_connection, wtable, auditKeys(), QStringLiteral("update"), before, qu_torzs);
        transaction.commit();
    }
    rows.setValue(row, column, qu_torzs.value(field));
    return true;
}

QStringList TorzsEditor::auditKeys() const {
    if (!wkeyfields.isEmpty()) return wkeyfields;
    QStringList all;
    for (int i = 0; i < rows.columns().count(); ++i) all << rows.columns().fieldName(i);
    return all;
}

void TorzsEditor::TitleClick(const QString& field, bool singleLevel) {
    QString first;
    for (const QString& f : wmezok)
        if (!f.isEmpty()) {
            first = f;
            break;
        }
    worders = ClickTitle(worders, field, singleLevel, first);
    ReadRows();
}

bool TorzsEditor::Search(const QString& text, const SearchSwitches& switches) {
    const int found = RacsKeres(rows, text, worders, switches);
    if (found < 0) return false;
    rows.current = found;
    return true;
}

void TorzsEditor::OnInsert(const QString&, const QString&, PanelValues&, const QString&) {}
bool TorzsEditor::BeforeEdit(const QString&) { return true; }
bool TorzsEditor::BeforeDelete(const RowSet&, const QString&, const QString&) { return true; }
bool TorzsEditor::BeforePost(const PanelValues&, const QString&, const RowSet&, const QString&) { return true; }
void TorzsEditor::AfterPost(const QString&, const RowSet&, const SqlStatement&, const QString&) {}
void TorzsEditor::AfterDelete() {}
void TorzsEditor::LookupCompleted() {}
