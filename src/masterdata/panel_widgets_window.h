#pragma once
// Moves a panel's controls into plain values and back.
//
// Controls are found by objectName, in any letter case. A QLineEdit is an
// edit, a QPlainTextEdit or QTextEdit a memo, a QCheckBox a check, any other
// button a button. A QLabel is a label unless its "panelKind" property says
// "static" (info label) or "picture". The hint of a control is its "hint"
// property (hints that are not shown) or else its tool tip; its tag is the
// "tag" property. An edit or memo whose base colour is yellow is required.
#include <QString>

#include "masterdata/panel_values.h"

class QWidget;

// Every named control inside the panel whose objectName begins with
// `prefix` (any letter case; empty: every named control), in creation order.
PanelValues ReadPanel(const QWidget* panel, const QString& prefix = {});

// Writes the values back into the panel's controls of the same names: the
// texts of edits, memos, labels and checks, the pictures, and the tags of
// memos. Values without a control are skipped.
void ShowPanel(QWidget* panel, const PanelValues& values);

// The look of a required (yellow) or ordinary edit or memo.
void SetRequiredLook(QWidget* edit, bool required);
