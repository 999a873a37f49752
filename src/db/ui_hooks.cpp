#include "ui_hooks.h"

#include <cstdio>

namespace {

UiHooks::MessageFn g_message;
UiHooks::DialogFn g_dialog;
UiHooks::RetryFn g_retry;

void printToStderr(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

}  // namespace

void UiHooks::setMessage(MessageFn fn) { g_message = std::move(fn); }
void UiHooks::setDialog(DialogFn fn) { g_dialog = std::move(fn); }
void UiHooks::setRetry(RetryFn fn) { g_retry = std::move(fn); }

void ShowMessage(const QString& text) {
    if (g_message)
        g_message(text);
    else
        printToStderr(text);
}

int AskDialog(const QString& text, int kind, const QStringList& buttons) {
    if (g_dialog) return g_dialog(text, kind, buttons);
    printToStderr(text);
    const qsizetype count = buttons.isEmpty() ? (kind == 0 ? 2 : 1) : buttons.size();
    return int(count - 1);
}

bool AskRetry(const QString& text) {
    if (g_retry) return g_retry(text);
    printToStderr(text);
    return false;
}
