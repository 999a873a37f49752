#pragma once
// The logic never opens a window. Where it must tell the user something or
// ask a question, it calls these hooks; the desktop program installs hooks
// that show dialogs, the command-line tool keeps the defaults (stderr, and the
// answer that gives up).
#include <QString>
#include <QStringList>
#include <functional>

namespace UiHooks {

// A plain notice with one button (the platform's message box).
using MessageFn = std::function<void(const QString& text)>;
// The system's question dialog: returns the 0-based index of the pressed
// button. kind: 0 question, 1 warning, 2 error, other plain.
using DialogFn = std::function<int(const QString& text, int kind, const QStringList& buttons)>;
// An error box with Retry and Cancel: true means Retry.
using RetryFn = std::function<bool(const QString& text)>;

void setMessage(MessageFn fn);
void setDialog(DialogFn fn);
void setRetry(RetryFn fn);

}  // namespace UiHooks

void ShowMessage(const QString& text);
// Defaults without a window: the kind's default answer is the last button
// (" Nem " for a question), 0 when there is only one.
int AskDialog(const QString& text, int kind, const QStringList& buttons = {});
bool AskRetry(const QString& text);
