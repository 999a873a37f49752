#pragma once
// Controls made with their objectName, as every hand-made window names them
// (b_ buttons, l_ labels). Buttons never act as a dialog's default on Enter:
// Enter moves the focus in these windows.
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// tabStop false: a lookup or calendar button, reached by the mouse only.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption, bool tabStop = true);
// A null name leaves the label unnamed.
QLabel* NamedLabel(QWidget* parent, const char* name, const QString& caption);
