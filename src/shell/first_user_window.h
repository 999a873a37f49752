#pragma once
// Asks for the first user of a new company when nobody has logged in yet:
// code, login name and the password typed twice. Only the hash leaves it.
#include <QDialog>
#include <optional>

#include "shell/cegvalaszt.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TFirstUserFm : public QDialog {
public:
    explicit TFirstUserFm(QWidget* parent = nullptr);

    QLineEdit *e_kod, *e_nev, *e_jelszo, *e_jelszo2;
    QLabel* l_hiba;
    QPushButton *b_ok, *b_megsem;

    // The user as typed once the dialog was accepted.
    NewCompanyUser user() const;

    // Shows the dialog modally; none when the user gives up.
    static std::optional<NewCompanyUser> Ask(QWidget* parent);

private:
    void tryAccept();
};
