#pragma once
// The login window, and its second mode for changing the password.
#include <QDialog>
#include <optional>

#include "shell/password.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class TPasswordFM : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordFM(QWidget* parent = nullptr);

    // Sets the mode; the window is then shown (modally by Login).
    void setMode(bool changeMode, bool caseSensitive);

    QWidget* p_top;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QWidget* p_login;
    QLineEdit* e_nev;
    QLineEdit* e_jelszo;
    QLabel* Image1;  // the eye: shows the passwords while the mouse is over it
    QWidget* p_ujjelszo;
    QLineEdit* e_uj;
    QLineEdit* e_uj2;
    QWidget* p_hiba;
    QLabel* l_hiba;

    bool wuj = false;
    bool wCaseSensitive = true;
    bool woke = false;
    QString wusername;
    QString wjogok;

    void ok();
    void cancel();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showError(const QString& text);
    // The accepted login of a user without a password, until it sets one.
    std::optional<LoginCheck> pendingFirstPassword;
    void revealPasswords(bool reveal);
};

// Shows the window modally in the given mode; true when the user logged in.
bool Login(bool changeMode, bool caseSensitive);
