#include "first_user_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/password_hash.h"
#include "shell/password.h"

namespace {

QLineEdit* edit(QWidget* parent, const char* name, int maxLength, bool secret) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    if (secret) e->setEchoMode(QLineEdit::Password);
    return e;
}

}  // namespace

TFirstUserFm::TFirstUserFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFirstUserFm"));
    setWindowTitle(QStringLiteral("Az új cég első felhasználója"));
    e_kod = edit(this, "e_kod", 8, false);
    e_nev = edit(this, "e_nev", 30, false);
    e_jelszo = edit(this, "e_jelszo", 64, true);
    e_jelszo2 = edit(this, "e_jelszo2", 64, true);
    l_hiba = new QLabel(this);
    l_hiba->setObjectName(QStringLiteral("l_hiba"));
    b_ok = new QPushButton(QStringLiteral("&OK"), this);
    b_ok->setObjectName(QStringLiteral("b_ok"));
    b_megsem = new QPushButton(QStringLiteral("&Mégsem"), this);
    b_megsem->setObjectName(QStringLiteral("b_megsem"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral(" Felhasználó kódja:"), e_kod);
    form->addRow(QStringLiteral(" Belépési név:"), e_nev);
    form->addRow(QStringLiteral(" Jelszó:"), e_jelszo);
    form->addRow(QStringLiteral(" Jelszó még egyszer:"), e_jelszo2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(b_ok);
    buttons->addWidget(b_megsem);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Az új cégbe ezzel a névvel és jelszóval lehet majd belépni."), this));
    layout->addLayout(form);
    layout->addWidget(l_hiba);
    layout->addLayout(buttons);

    connect(b_ok, &QPushButton::clicked, this, &TFirstUserFm::tryAccept);
    connect(b_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

void TFirstUserFm::tryAccept() {
    QString error;
    if (e_kod->text().trimmed().isEmpty() || e_nev->text().trimmed().isEmpty())
        error = QStringLiteral("A kódot és a belépési nevet ki kell tölteni.");
    else
        error = NewPasswordError(QString(), e_jelszo->text(), e_jelszo2->text());
    l_hiba->setText(error);
    if (error.isEmpty()) accept();
}

NewCompanyUser TFirstUserFm::user() const {
    return {e_kod->text().trimmed().toUpper(), e_nev->text().trimmed(), e_nev->text().trimmed(),
            HashPassword(e_jelszo->text()), QString()};
}

std::optional<NewCompanyUser> TFirstUserFm::Ask(QWidget* parent) {
    TFirstUserFm dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.user();
}
