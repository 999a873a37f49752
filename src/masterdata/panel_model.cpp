#include "panel_model.h"

#include <QSqlField>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/ini.h"
#include "masterdata/control_tables.h"
#include "masterdata/rights.h"

namespace {

// The layout settings of every generated panel, read once per build.
struct LayoutSettings {
    int width = 0;   // label width; 0: from MEGNEVEZES
    QString color;   // label background; empty: tooltip colour
    bool bold = false;
    int height = 20;
    bool noButton = false;
    int editWidth = 0;
};

int settingNumber(const QString& key, bool& given) {
    QString value;
    IniGet(key, value);
    given = !value.trimmed().isEmpty();
    if (!given) return 0;
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? n : -1;
}

LayoutSettings readSettings() {
    LayoutSettings s;
    bool given = false;
    s.width = qMax(0, settingNumber(QStringLiteral("width"), given));
    const int height = settingNumber(QStringLiteral("height"), given);
    if (given && height > 0) s.height = height;
    s.editWidth = qMax(0, settingNumber(QStringLiteral("Ewidth"), given));
    QString value;
    IniGet(QStringLiteral("color"), value);
    s.color = value.trimmed();
    IniGet(QStringLiteral("fontstyle"), value);
    s.bold = value.trimmed().compare(QLatin1String("[fsbold]"), Qt::CaseInsensitive) == 0;
    IniGet(QStringLiteral("nobutton"), value);
    s.noButton = value.trimmed() == QLatin1String("1");
    return s;
}

QColor colorFromName(const QString& name) {
    const int bgr = ColorFromName(name);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

bool isNumeric(const QString& type) {
    return type == QLatin1String("DOUBLE PRECISION") || type == QLatin1String("FLOAT") || type == QLatin1String("INTEGER")
           || type == QLatin1String("SMALLINT");
}

// Type name and edit length of a column of the query.
int editLength(const QSqlRecord& columns, const QString& field, QString& type) {
    const int i = columns.indexOf(field);
    if (i < 0) {
        type = QStringLiteral("VARCHAR");
        return 0;
    }
    return FieldDisplayWidth(columns.field(i), type);
}

bool columnNotNull(const QString& table, const QString& column, bool& exists) {
    int length = 0;
    bool notNull = false;
    QString type;
    exists = IbFieldInfo(table.toUpper(), column, length, notNull, type);
    return exists && notNull;
}

QChar caseOf(const QString& charcase) {
    const QString c = charcase.trimmed().toUpper();
    if (c == QLatin1String("K") || c == QLatin1String("L")) return QLatin1Char('L');
    if (c == QLatin1String("N") || c == QLatin1String("U")) return QLatin1Char('U');
    return {};
}

void setButtonKind(PanelItem& b, const VezerloRow& row) {
    const QString& kind = row.button;
    const auto lookupButton = [&b](const QString& caption, const QString& hint, ButtonAction action) {
        b.caption = caption;
        b.hint = hint;
        b.action = action;
    };
    if (kind == QLatin1String("SZOT") || kind == QLatin1String("UGYF")) {
        lookupButton(QStringLiteral("?"), QStringLiteral("Választás szótárból"), ButtonAction::Lookup);
        b.bold = true;
    } else if (kind == QLatin1String("VALT")) {
        lookupButton(QStringLiteral("+"), QStringLiteral("További információk"), ButtonAction::FurtherInfo);
        b.bold = true;
        b.para.pMezo = row.valtMezo;
        b.para.pSzotTabla = row.valt;
    } else if (kind == QLatin1String("PIX")) {
        lookupButton(QStringLiteral("Kép"), QStringLiteral("Kép megjelenítése"), ButtonAction::None);
    } else if (kind == QLatin1String("TEXT")) {
        lookupButton(QStringLiteral("Text"), QStringLiteral("Szövegfájl szerkesztése"), ButtonAction::TextFile);
    } else if (kind == QLatin1String("DATE")) {
        lookupButton(QStringLiteral("Nap"), QString(), ButtonAction::Date);
    } else if (kind == QLatin1String("KPN")) {
        lookupButton(QStringLiteral("Név?"), QString(), ButtonAction::None);
    } else if (kind == QLatin1String("FORM")) {
        lookupButton(QStringLiteral("+"), QStringLiteral("További információk"), ButtonAction::Form);
    } else if (kind == QLatin1String("MEMO")) {
        lookupButton(QStringLiteral("M.edit"), QStringLiteral("Memo mező szerkesztése"), ButtonAction::MemoEditor);
    } else if (row.funkcio == 0) {
        lookupButton(kind, QStringLiteral("Megadható értékek: ") + kind, ButtonAction::Letters);
    } else if (row.funkcio == 2) {
        lookupButton(QStringLiteral("Memo"), QString(), ButtonAction::None);
        b.visible = false;
    } else if (row.funkcio == 4) {
        lookupButton(QStringLiteral("Név?"), QString(), ButtonAction::None);
        b.para.pMezo = row.mezo;
    } else {
        lookupButton(QString(), QString(), ButtonAction::None);
    }
}

void controlLayout(PanelModel& m, const ControlSet& set, const QSqlRecord& columns, int W) {
    const LayoutSettings ls = readSettings();
    const int S = kPanelFontSize;
    const int H = ls.height;
    for (const VezerloRow& row : set.rows) {
        const QString& F = row.mezo;
        const QString number = QString::number(row.sorrend);

        // 1. Grid column (never for a password).
        if (!(set.hasPwdchar && !row.pwdchar.isEmpty())) {
            const QString title = !row.oszlopnev.isEmpty() ? row.oszlopnev : !row.megnevezes.isEmpty() ? row.megnevezes : F;
            m.gridColumns << GridColumn{F, title};
            m.fieldNames << F;
        }

        // 2. Column facts.
        QString type = QStringLiteral("VARCHAR");
        int length = 0;
        bool notNull = false;
        if (!F.isEmpty()) {
            bool exists = false;
            notNull = columnNotNull(m.table, F, exists);
            if (exists) length = editLength(columns, F, type);
        }

        // 3. Position: every field starts a new row.
        int x = 2;
        const int y = (H + 1) * m.rows;
        ++m.rows;

        // 4. Label.
        const int labelWidth = ls.width > 0 ? ls.width : set.megnevezesLength * (S - 2);
        if (!row.megnevezes.isEmpty()) {
            PanelItem label;
            label.kind = ItemKind::Label;
            label.name = QStringLiteral("L_") + (F.isEmpty() ? number : F);
            label.geometry = QRect(x, y + 3, labelWidth, H);
            label.caption = QLatin1Char(' ') + row.megnevezes;
            if (ls.color.isEmpty()) {
                label.background = ColorRole::Tooltip;
            } else {
                label.background = ColorRole::Custom;
                label.backgroundColor = colorFromName(ls.color);
            }
            label.bold = ls.bold;
            if (row.valid == 6) label.hint = row.valtMezo;
            m.items << label;
        }

        // 5. Past the label; the button goes to its end.
        x += ls.width > 0 ? ls.width + 4 : set.megnevezesLength * 6 + 6;
        const int b = x - 2;

        // The write right of the row's edit, memo and button.
        const bool writable = !(set.hasIrhatjaJog && !row.irhatjaJog.isEmpty()) || JogVan(row.irhatjaJog);

        // 6. Value control.
        if (!F.isEmpty() && row.button != QLatin1String("MEMO")) {
            if (type == QLatin1String("MEMO")) {
                PanelItem memo;
                memo.kind = ItemKind::Memo;
                memo.name = QStringLiteral("E_") + F;
                const int left = x + 38;
                memo.geometry = QRect(left, y, W - left - 30, 80);
                memo.vScroll = true;
                memo.enabled = !set.hasIrhatjaJog || JogVan(row.irhatjaJog);
                memo.fieldType = type;
                m.rows += 3;
                x = S + x + memo.geometry.width() + 24;
                m.items << memo;
            } else {
                PanelItem e;
                e.kind = ItemKind::Edit;
                e.name = QStringLiteral("E_") + F;
                e.fieldType = type;
                if (row.funkcio == 1) {
                    length = 1024;
                    e.readOnly = true;
                }
                if (set.hasEcolor && !row.ecolor.trimmed().isEmpty()) e.textColor = colorFromName(row.ecolor);
                e.enabled = writable;
                if (e.enabled && !row.button.isEmpty() && row.button != QLatin1String("PIX")) e.enabled = false;
                if (set.hasCharcase) e.charCase = caseOf(row.charcase);
                if (set.hasPwdchar && !row.pwdchar.isEmpty()) e.passwordChar = row.pwdchar.at(0);
                e.required = notNull || (set.hasNotnull && row.notnull.trimmed().toUpper() == QLatin1String("I"));
                if (e.required) {
                    e.background = ColorRole::Custom;
                    e.backgroundColor = kRequiredColor;
                } else if (row.funkcio == 1) {
                    e.background = ColorRole::Custom;
                    e.backgroundColor = kDisplayOnlyColor;
                }
                e.maxLength = length;
                int width = ls.editWidth != 0 ? ls.editWidth : S + (S + 3) * length;
                int left = 0;
                int top = y;
                if (set.hasEditmask && row.editmask == QLatin1String("<rejt>")) {
                    top = 0;
                    e.visible = false;
                    e.tabStop = false;
                } else {
                    left = ls.noButton ? x : x + 38;
                }
                if (set.hasEditmask && !row.editmask.trimmed().isEmpty()
                    && (type == QLatin1String("DOUBLE PRECISION") || type == QLatin1String("FLOAT")))
                    e.hint = row.editmask;
                if (isNumeric(type)) {
                    e.rightAlign = true;
                    width = S * length;
                }
                if (S + left + width > W - 21) width = W - left - 21;
                x = S + left + width;
                e.geometry = QRect(left, top, width, H);
                if (row.valid != 0) {
                    e.tag = row.valid;
                    e.validCode = row.valid;
                } else if (row.button == QLatin1String("SZOT")) {
                    e.exitLookup = true;
                }
                m.items << e;
            }
        } else {
            x += 38;
        }

        // 7. Button.
        if (!row.button.isEmpty()) {
            PanelItem button;
            button.kind = ItemKind::Button;
            button.geometry = QRect(b, y + 3, 38, H - 2);
            button.showHint = true;
            button.enabled = writable;
            if (F.isEmpty()) {
                button.name = QStringLiteral("B_") + number;
                button.para.pMezo = row.button + QLatin1Char('_') + number;
            } else {
                button.name = QStringLiteral("B_") + F;
                button.para.pMezo = F;
            }
            button.para.pSzotTabla = row.szot;
            button.para.pKeynum = row.keynum;
            button.para.pSzotMezo = row.szotmezo;
            button.para.pSzotWhere = row.szotwhere;
            button.para.pPanel = set.hasPvezerlo ? row.pvezerlo : QString();
            button.para.pPlusz = row.plusfield[0];
            setButtonKind(button, row);
            m.items << button;
        } else if (!F.isEmpty()) {
            x += 8;
        }

        // 8. Info labels.
        for (int n = 0; n < 3; ++n) {
            if (row.plusfield[n].isEmpty()) continue;
            PanelItem info;
            info.kind = ItemKind::InfoLabel;
            if (!F.isEmpty())
                info.name = QStringLiteral("PF%1_").arg(n + 1) + F;
            else if (n == 0)
                info.name = QStringLiteral("PF1_") + (row.valt.isEmpty() ? number : row.valt);
            else
                info.name = QStringLiteral("PF%1_").arg(n + 1) + number;
            info.autoSize = true;
            info.geometry = QRect(x, y + 3, 0, 16);
            info.hint = row.plusfield[n];
            info.bold = true;
            info.textRole = ColorRole::Highlight;
            info.tag = n == 1 ? row.plusfield2h : row.plusfield1h;
            // An empty info label has no width yet.
            if (n < 2) x += S * (info.geometry.width() + 2);
            ++m.infoLabels;
            m.items << info;
        }
    }
}

void genericLayout(PanelModel& m, const QSqlRecord& columns, int W) {
    const int S = kPanelFontSize;
    for (int i = 0; i < columns.count(); ++i) {
        const QString F = columns.fieldName(i);
        m.gridColumns << GridColumn{F, F};
        m.fieldNames << F;
        QString type;
        const int length = FieldDisplayWidth(columns.field(i), type);
        bool exists = false;
        const bool required = columnNotNull(m.table, F, exists);

        PanelItem label;
        label.kind = ItemKind::Label;
        label.name = QStringLiteral("L_") + F;
        label.geometry = QRect(2, m.rows * 22 + 4, S * 40 - 80, 16);
        label.caption = QLatin1Char(' ') + F;
        label.background = ColorRole::Tooltip;
        label.bold = true;
        m.items << label;
        const int x = 2 + S + label.geometry.width();
        const int left = x + 38;
        const int top = m.rows * 22 + 1;

        PanelItem value;
        value.name = QStringLiteral("E_") + F;
        value.fieldType = type;
        if (type == QLatin1String("MEMO") || type == QLatin1String("BLOB")) {
            value.kind = type == QLatin1String("MEMO") ? ItemKind::Memo : ItemKind::Picture;
            value.geometry = QRect(left, top, W - left - 40, 80);
            value.vScroll = value.hScroll = true;
            m.rows += 3;
        } else {
            value.kind = ItemKind::Edit;
            value.maxLength = length;
            int width = S * (length + 1) + 6;
            if (isNumeric(type)) {
                value.rightAlign = true;
                width = S * length;
            }
            if (S + left + width > W - 21) width = W - left - 21;
            value.geometry = QRect(left, top, width, 20);
            value.required = required;
            if (required) {
                value.background = ColorRole::Custom;
                value.backgroundColor = kRequiredColor;
            }
        }
        m.items << value;
        ++m.rows;
    }
}

}  // namespace

const PanelItem* PanelModel::find(const QString& name) const {
    for (const PanelItem& item : items)
        if (item.name.compare(name, Qt::CaseInsensitive) == 0) return &item;
    return nullptr;
}

void SplitPanelName(const QString& panelName, QString& modul, QString& table) {
    const qsizetype semicolon = panelName.indexOf(QLatin1Char(';'));
    if (semicolon < 0) {
        modul = table = panelName;
        return;
    }
    modul = panelName.left(semicolon);
    table = panelName.mid(semicolon + 1);
    if (modul.isEmpty()) modul = table;
}

PanelModel UrlapEpit(const QString& panelName, const QSqlRecord& columns, int panelWidth) {
    PanelModel m;
    SplitPanelName(panelName, m.modul, m.table);
    int keyCount = 0;
    m.keys = PkFields(m.table.toUpper(), keyCount) + QLatin1Char(',');
    ControlSet set;
    if (m.modul.toUpper() != QLatin1String("X")) set = LoadControlSet(m.modul);
    m.generic = set.rows.isEmpty();
    if (m.generic)
        genericLayout(m, columns, panelWidth);
    else
        controlLayout(m, set, columns, panelWidth);
    return m;
}
