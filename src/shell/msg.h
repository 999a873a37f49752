#pragma once
// The texts of the system's question and message dialog: its caption and its
// buttons by kind (0 question, 1 warning, 2 error, anything else plain).
#include <QString>
#include <QStringList>

using TmsgButtons = QStringList;

QString MsgCaption(int kind);
// The buttons to show: the caller's own, or the kind's defaults when none
// are given (" Igen " / " Nem " for a question, " OK " otherwise).
TmsgButtons MsgButtons(int kind, const TmsgButtons& buttons);
// A button's caption: the text with its accelerator on its first letter,
// after any leading blanks (" Igen " becomes " &Igen ").
QString MsgButtonCaption(const QString& text);
// Line breaks as the callers write them ("\r", "\r\n") for display.
QString MsgDisplayText(const QString& message);
