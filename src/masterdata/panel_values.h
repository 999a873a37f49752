#pragma once
// A panel's controls as plain values. Record storage, validation, lookups
// and search conditions read and change these values instead of widgets: a
// window reads its controls into them (ReadPanel), calls the logic and
// writes the texts back (ShowPanel).
#include <QByteArray>
#include <QList>
#include <QString>

enum class PanelKind {
    Edit,        // single-line edit
    Memo,        // multi-line text
    Picture,     // image of a BLOB column
    StaticText,  // info label: emptied with the fields, filled by lookups
    Label,       // caption of a field: never emptied
    Check,       // check box: text "I" when checked, "N" otherwise
    Button,
};

struct PanelControl {
    QString name;  // the control's objectName as the window has it
    PanelKind kind = PanelKind::Edit;
    QString text;        // memo: its lines joined by "\n"
    QByteArray picture;  // picture: the image bytes; empty paints white
    bool required = false;  // a yellow background marks a required field
    QString hint;           // display format of a number, search operator, info definition ...
    int maxLength = 0;      // 0: unlimited
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    int tag = 0;  // memo: 1 once changed; generated edit: its validation code; info label: order column
};

class PanelValues {
public:
    QList<PanelControl> controls;  // in creation order

    // The control of this name, in any letter case; nullptr when absent.
    PanelControl* find(const QString& name);
    const PanelControl* find(const QString& name) const;
    bool has(const QString& name) const { return find(name) != nullptr; }
    // The text of the control; empty when there is none.
    QString text(const QString& name) const;
    // False when there is no such control.
    bool setText(const QString& name, const QString& text);
    PanelControl& add(const QString& name, PanelKind kind, const QString& text = {});
};

// The name after the control's prefix ("E_NEV" -> "NEV", "PF1_SZLA" -> "SZLA").
QString NameAfterPrefix(const QString& controlName);
