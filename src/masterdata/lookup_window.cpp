#include "lookup_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSqlRecord>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/db_error.h"
#include "db/ini.h"
#include "db/ui_hooks.h"
#include "masterdata/control_tables.h"
#include "masterdata/generated_panel_window.h"
#include "masterdata/panel_widgets_window.h"
#include "masterdata/record_storage.h"
#include "masterdata/torzs_window.h"

namespace {

const QString kMustReopen = QStringLiteral("musz_reopen");

struct TableChoice {
    QString table, modul, modul2;
};

TableChoice splitTableChoice(const QString& tableText) {
    const QString s = tableText.trimmed().toUpper();
    TableChoice choice;
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    const qsizetype plus = s.indexOf(QLatin1Char('+'));
    if (comma >= 0) {
        choice.table = s.left(comma).trimmed();
        choice.modul = s.mid(comma + 1).trimmed();
    } else if (plus >= 0) {
        choice.table = s.left(plus).trimmed();
        choice.modul = choice.table;
        choice.modul2 = s.mid(plus + 1).trimmed();
    } else {
        choice.table = choice.modul = s;
    }
    return choice;
}

QString filterClause(const QString& filter) {
    if (filter.trimmed().isEmpty()) return {};
    if (filter.trimmed().startsWith(QLatin1String("WHERE"), Qt::CaseInsensitive)) return filter.trimmed();
    return QStringLiteral("WHERE ") + filter.trimmed();
}

void applyWindowState(QWidget* w, const QString& state) {
    const QString s = state.trimmed().toUpper();
    if (s == QLatin1String("NORMAL"))
        w->setWindowState(Qt::WindowNoState);
    else if (s == QLatin1String("MAXIMIZED"))
        w->setWindowState(Qt::WindowMaximized);
    else if (s == QLatin1String("MINIMIZED"))
        w->setWindowState(Qt::WindowMinimized);
}

void focusField(QWidget* panel, const QString& field) {
    for (QLineEdit* edit : panel->findChildren<QLineEdit*>())
        if (edit->objectName().compare(QStringLiteral("E_") + field, Qt::CaseInsensitive) == 0) {
            if (edit->isEnabled() && edit->isVisible()) edit->setFocus(Qt::OtherFocusReason);
            return;
        }
}

}  // namespace

TTorzsfm* FindTorzsWindow(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<TTorzsfm*>(w); editor && editor->objectName() == name) return editor;
    return nullptr;
}

void DestroyTorzsWindows() {
    QList<QPointer<TTorzsfm>> editors;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<TTorzsfm*>(w)) editors << editor;
    for (const QPointer<TTorzsfm>& editor : editors) delete editor.data();
}

bool TablaValaszt(const QString& tableText, const QString& filter, const QString& locate, TTorzsfm* window,
                  ASelectedRecord& record, bool descending, bool selection, bool editable, const QString& defaultField,
                  const QString& defaultValue) {
    const TableChoice choice = splitTableChoice(tableText);

    QString rights = QStringLiteral("FULL");
    QString windowState, gridEdit;
    QString title = choice.table;
    bool tablak = false;
    if (!TableExists(choice.table)) {
        ShowMessage(QStringLiteral("Nincs ilyen tábla:") + choice.table);
        return false;
    }
    if (TableExists(QStringLiteral("TABLAK"))) {
        tablak = true;
        QSqlRecord row;
        rights = TablaJog(choice.table, &row);
        if (!row.isEmpty()) {
            if (row.indexOf(QStringLiteral("WINDOWSTATE")) >= 0) windowState = row.value(QStringLiteral("WINDOWSTATE")).toString();
            if (row.indexOf(QStringLiteral("GRIDEDIT")) >= 0) gridEdit = row.value(QStringLiteral("GRIDEDIT")).toString();
            if (!row.value(QStringLiteral("MEGNEVEZES")).toString().isEmpty())
                title = row.value(QStringLiteral("MEGNEVEZES")).toString();
        }
    }
    if (windowState.trimmed().isEmpty()) IniGet(QStringLiteral("WINDOWSTATE"), windowState);
    if (rights == QLatin1String("NONE")) return false;

    const QString name = choice.table + QLatin1Char('_') + choice.modul + QStringLiteral("_Torzsfm");
    TTorzsfm* w = window ? window : FindTorzsWindow(name);
    const QString where = filterClause(filter);
    if (w) {
        const bool rebuild = w->dataPanel->findChildren<QWidget*>().isEmpty() || w->ed.wtable != choice.table
                             || w->ed.wmodulname != choice.modul;
        const bool loaded = w->ed.rows.isOpen() && !w->ed.wkellfrissit;
        w->ed.wkellsbepit = w->ed.wkellsbepit || rebuild;
        w->ed.wkellfrissit = !loaded || rebuild || locate == kMustReopen || where.trimmed() != w->ed.wwhere.trimmed();
    } else {
        w = new TTorzsfm;
        w->setObjectName(name);
        w->ed.wkellsbepit = true;
        w->ed.wkellfrissit = true;
    }
    applyWindowState(w, windowState);

    TorzsEditor& ed = w->ed;
    ed.wtable = choice.table;
    ed.wmodulname = choice.modul;
    ed.wmodulname2 = choice.modul2;
    ed.wdesc = descending;
    ed.wdefaultmezo = defaultField;
    ed.wdefault = defaultValue;
    ed.wgedit = gridEdit;
    ed.wlocate = locate == kMustReopen ? QString() : locate;
    ed.wtablanev = title;
    ed.weditable = editable && rights == QLatin1String("FULL");
    ed.wwhere = where;
    w->setSelectionMode(selection);
    w->setWindowTitle((selection ? QStringLiteral("Választás szótárból") : QStringLiteral("Törzs karbantartás"))
                      + QStringLiteral(" * Tábla neve: ") + title
                      + (tablak ? QStringLiteral(" (") + choice.table + QLatin1Char(')') : QString()));
    w->exec();

    if (!ed.walasztott) return false;
    const QSqlRecord row = ed.rows.current >= 0 ? ed.rows.currentRecord() : ed.rows.columns();
    record = SelectedRecord(row, ed.wtorol || ed.rows.current < 0);
    return true;
}

void Szot(TParaButton* button, GeneratedPanel* panel) {
    try {
        PanelValues values = ReadPanel(panel->panel());
        const bool plus = button->text() == QLatin1String("+");
        const LookupRequest r = SzotRequest(*button, plus, values);
        ASelectedRecord record;
        if (TablaValaszt(r.table, r.where, r.locate, nullptr, record, plus, !plus, true, r.defaultField, r.defaultValue)) {
            values = ReadPanel(panel->panel());
            const bool completed = SzotMezoQuerybe(*button, record, values);
            InfoFrissit(values, button->pMezo);
            ShowPanel(panel->panel(), values);
            if (completed && panel->lookupCompleted) panel->lookupCompleted();
        }
    } catch (const DbError& error) {
        ShowMessage(error.message());
    }
    focusField(panel->panel(), button->pMezo);
}

void Valt(TParaButton* button, GeneratedPanel* panel) {
    if (panel->isInserting && panel->isInserting()) {
        ShowMessage(QStringLiteral("Előbb fejezze be az új felvitelt."));
        return;
    }
    Szot(button, panel);
}
