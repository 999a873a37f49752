#pragma once
// The question and message dialog of the whole system (Tmsgfm): the message
// on the left, wrapped at 500 pixels, the buttons stacked on its right.
#include <QDialog>
#include <QList>

#include "shell/msg.h"

class QLabel;
class QPushButton;

class Tmsgfm : public QDialog {
    Q_OBJECT
public:
    explicit Tmsgfm(QWidget* parent = nullptr);

    // Lays the dialog out for this message and these buttons (the kind's
    // defaults when empty); exec() then returns through poutbutton.
    void prepare(const QString& message, int kind, const TmsgButtons& buttons);

    QLabel* l_msg;
    QLabel* l_minta;  // hidden: measures texts in the dialog font
    QList<QPushButton*> buttons;
    // The pressed button; a dialog closed without a button answers with its
    // last button, the one that gives up (" Nem " of a question).
    int poutbutton = 0;

    static constexpr int pfontsize = 10;
    static constexpr int maxMessageWidth = 500;
};

// Shows the dialog modally, centred on the active window, and returns the
// 0-based index of the pressed button.
int MsgDialog(const QString& message, int kind, const TmsgButtons& buttons = {});

// Lets the logic's notices and questions reach the user through real
// dialogs: MsgDialog, the platform's message box and a Retry/Cancel box.
void InstallDesktopDialogs();
