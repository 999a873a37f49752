#pragma once
// The generated data panel as data: every control of a table's panel with
// its kind, name, geometry and properties, the editor grid's columns and the
// field names in grid order. `UrlapEpit` computes it from the control rows
// of a control set (VEZERLO), or lays out every column of the table when the
// set has none; the editor window only instantiates widgets from it.
#include <QColor>
#include <QList>
#include <QRect>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

// The extra fields of a generated button (TParaButton, the widget, has them).
struct TParaButtonFields {
    QString pMezo;
    QString pSzotTabla;
    int pKeynum = 0;
    QString pSzotMezo;
    QString pSzotWhere;
    QString pPanel;
    QString pPlusz;
};

enum class ButtonAction {
    None,
    Lookup,        // "SZOT", "UGYF": choose a value from pSzotTabla
    FurtherInfo,   // "VALT": open pSzotTabla on the value of pMezo
    TextFile,      // "TEXT"
    Date,          // "DATE"
    Form,          // "FORM": the window named pSzotTabla
    MemoEditor,    // "MEMO"
    Letters,       // the value list: the next letter of the caption
};

enum class ItemKind { Label, Edit, Memo, Picture, InfoLabel, Button };

// Colours the toolkit decides: the system's window, tooltip and highlight colours.
enum class ColorRole { Window, Tooltip, Highlight, Custom };

struct PanelItem {
    ItemKind kind = ItemKind::Edit;
    QString name;
    QRect geometry;  // width 0 with autoSize: sized by the text
    bool autoSize = false;
    QString caption;   // label, button
    QString hint;      // hidden hint: display format, info definition, VALT_MEZO of a label
    bool showHint = false;
    int tag = 0;       // edit: validation code; info label: order column
    int maxLength = 0; // 0: unlimited
    bool readOnly = false;
    bool enabled = true;
    bool visible = true;
    bool tabStop = true;
    bool required = false;
    ColorRole background = ColorRole::Window;
    QColor backgroundColor;  // ColorRole::Custom
    ColorRole textRole = ColorRole::Custom;
    QColor textColor = Qt::black;
    bool bold = false;
    bool rightAlign = false;
    QChar charCase;      // 'L' lower, 'U' upper, null unchanged
    QChar passwordChar;  // null: plain text
    QString fieldType;   // edit, memo: the column's type name
    int validCode = 0;   // leaving the edit runs the validation
    bool exitLookup = false;  // leaving the edit checks the value in the lookup table
    bool vScroll = false, hScroll = false;  // memo
    ButtonAction action = ButtonAction::None;
    TParaButtonFields para;
};

struct GridColumn {
    QString field;  // empty: a column bound to nothing
    QString title;
};

struct PanelModel {
    QString modul;
    QString table;
    QString keys;  // key columns joined by ",", with a trailing ","
    bool generic = false;
    QList<PanelItem> items;  // in creation order
    QList<GridColumn> gridColumns;
    QStringList fieldNames;  // the field of every grid column, in grid order
    int rows = 0;            // layout rows used
    int infoLabels = 0;

    const PanelItem* find(const QString& name) const;
};

// Engine font size: panel, edits and the editor's grid.
inline constexpr int kPanelFontSize = 9;
inline const QColor kRequiredColor{0xFF, 0xFF, 0x00};
inline const QColor kDisplayOnlyColor{0xFF, 0xFB, 0xF0};

// panelName: "modul;table", or one name for both (an empty modul is the
// table). columns: the table's query (its fields). panelWidth: the width the
// panel has now. The layout settings (width, height, color, fontstyle,
// nobutton, Ewidth) are read from the settings store.
PanelModel UrlapEpit(const QString& panelName, const QSqlRecord& columns, int panelWidth);

// Splits a panel name into control set and table.
void SplitPanelName(const QString& panelName, QString& modul, QString& table);
