#pragma once
// Keyboard and case rules every edit window shares: Enter and the down
// arrow move the focus to the next control, the up arrow to the previous
// one; code and password fields turn what is typed into upper case.
#include <QValidator>

class QEvent;
class QWidget;

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override;
};

// For an event filter: moves the focus within `window` on Enter/Down/Up
// key presses and returns true when it did.
bool MoveFocusByKey(QWidget* window, QEvent* event);
