#include "edit_keys_window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

bool MoveFocusByKey(QWidget* window, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool forward = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
    if (!forward && key != Qt::Key_Up) return false;
    // The window moves the focus as it does for Tab and Shift+Tab.
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &tab);
    return true;
}
