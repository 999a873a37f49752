#include "Password_window.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <QVBoxLayout>

#include "db/edit_keys_window.h"
#include "db/ui_hooks.h"
#include "shell/password.h"

namespace {

QPixmap eyePicture() {
    QPixmap picture(32, 20);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(2, 3, 28, 14));
    painter.setBrush(QColor(40, 90, 160));
    painter.drawEllipse(QRectF(11, 5, 10, 10));
    return picture;
}

QLineEdit* passwordEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

TPasswordFM::TPasswordFM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("PasswordFM"));
    setWindowTitle(QStringLiteral("Bejelentkezés a programba"));
    setFont(QFont(QStringLiteral("Tahoma"), 14));

    p_top = new QWidget(this);
    p_top->setObjectName(QStringLiteral("p_top"));
    OKBtn = new QPushButton(QStringLiteral("OK"), p_top);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Mégsem"), p_top);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* top = new QHBoxLayout(p_top);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(OKBtn);
    top->addWidget(CancelBtn);
    top->addStretch(1);

    p_login = new QWidget(this);
    p_login->setObjectName(QStringLiteral("p_login"));
    e_nev = new QLineEdit(p_login);
    e_nev->setObjectName(QStringLiteral("e_nev"));
    e_jelszo = passwordEdit(p_login, "e_jelszo");
    Image1 = new QLabel(p_login);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(eyePicture());
    Image1->setAttribute(Qt::WA_Hover);
    auto* login = new QGridLayout(p_login);
    login->setContentsMargins(0, 0, 0, 0);
    login->addWidget(new QLabel(QStringLiteral(" Név:"), p_login), 0, 0);
    login->addWidget(e_nev, 0, 1);
    login->addWidget(new QLabel(QStringLiteral(" Jelszó:"), p_login), 1, 0);
    login->addWidget(e_jelszo, 1, 1);
    login->addWidget(Image1, 1, 2);

    p_ujjelszo = new QWidget(this);
    p_ujjelszo->setObjectName(QStringLiteral("p_ujjelszo"));
    e_uj = passwordEdit(p_ujjelszo, "e_uj");
    e_uj2 = passwordEdit(p_ujjelszo, "e_uj2");
    for (QLineEdit* edit : {e_uj, e_uj2}) edit->setValidator(new UpperCaseValidator(edit));  // the new passwords are upper case
    auto* change = new QGridLayout(p_ujjelszo);
    change->setContentsMargins(0, 0, 0, 0);
    change->addWidget(new QLabel(QStringLiteral(" Új jelszó:"), p_ujjelszo), 0, 0);
    change->addWidget(e_uj, 0, 1);
    change->addWidget(new QLabel(QStringLiteral(" Új jelszó megerősitése:"), p_ujjelszo), 1, 0);
    change->addWidget(e_uj2, 1, 1);

    p_hiba = new QWidget(this);
    p_hiba->setObjectName(QStringLiteral("p_hiba"));
    l_hiba = new QLabel(p_hiba);
    l_hiba->setObjectName(QStringLiteral("l_hiba"));
    l_hiba->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    l_hiba->setWordWrap(true);
    auto* error = new QHBoxLayout(p_hiba);
    error->setContentsMargins(0, 0, 0, 0);
    error->addWidget(l_hiba);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(p_top);
    layout->addWidget(p_login);
    layout->addWidget(p_ujjelszo);
    layout->addWidget(p_hiba);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(e_nev, e_jelszo);
    setTabOrder(e_jelszo, e_uj);
    setTabOrder(e_uj, e_uj2);
    setTabOrder(e_uj2, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
    for (QLineEdit* edit : {e_nev, e_jelszo, e_uj, e_uj2}) edit->installEventFilter(this);
    Image1->installEventFilter(this);

    connect(OKBtn, &QPushButton::clicked, this, &TPasswordFM::ok);
    connect(CancelBtn, &QPushButton::clicked, this, &TPasswordFM::cancel);
}

void TPasswordFM::setMode(bool changeMode, bool caseSensitive) {
    wuj = changeMode;
    wCaseSensitive = caseSensitive;
}

void TPasswordFM::showEvent(QShowEvent* event) {
    woke = false;
    pendingFirstPassword.reset();
    e_jelszo->setEnabled(true);
    p_ujjelszo->setVisible(wuj);
    e_nev->setEnabled(!wuj);
    p_hiba->hide();
    if (wuj) {
        e_uj->clear();
        e_uj2->clear();
        setWindowTitle(QStringLiteral("Jelszó megváltoztatása"));
    } else {
        setWindowTitle(QStringLiteral("Bejelentkezés"));
        e_jelszo->clear();
        QString name;
        if (LastUserName(name)) {
            e_nev->setText(name);
            e_jelszo->setFocus();
        } else {
            e_nev->clear();
            e_nev->setFocus();
        }
    }
    QDialog::showEvent(event);
}

void TPasswordFM::showError(const QString& text) {
    l_hiba->setText(text);
    p_hiba->show();
}

void TPasswordFM::ok() {
    if (!wuj) {
        LoginCheck login = pendingFirstPassword ? *pendingFirstPassword
                                                : CheckLogin(e_nev->text(), e_jelszo->text(), wCaseSensitive);
        if (!login.ok()) {
            showError(login.error);
            return;
        }
        if (login.mustSetPassword) {
            if (!pendingFirstPassword) {
                // No way in without a password: the new one is asked for twice.
                pendingFirstPassword = login;
                e_nev->setEnabled(false);
                e_jelszo->setEnabled(false);
                e_uj->clear();
                e_uj2->clear();
                p_ujjelszo->show();
                e_uj->setFocus();
                showError(QStringLiteral("Jelszava üres: adja meg kétszer az új jelszavát!"));
                return;
            }
            const QString error = SetFirstPassword(login.kod, e_uj->text(), e_uj2->text());
            if (!error.isEmpty()) {
                showError(error);
                return;
            }
        }
        wusername = login.nev;
        wjogok = login.jogok;
        AcceptLogin(login, e_nev->text());
        woke = true;
        accept();
        return;
    }
    const QString error = NewPasswordError(e_jelszo->text(), e_uj->text(), e_uj2->text());
    if (!error.isEmpty()) {
        showError(error);
        return;
    }
    if (ChangePassword(e_nev->text(), e_jelszo->text(), e_uj->text()) > 0) {
        ShowMessage(QStringLiteral("A jelszót módosítottuk"));
        accept();
    } else {
        showError(QStringLiteral("Nem sikerült a módosítás"));
    }
}

void TPasswordFM::cancel() {
    woke = false;
    reject();
}

void TPasswordFM::revealPasswords(bool reveal) {
    for (QLineEdit* edit : {e_jelszo, e_uj, e_uj2}) edit->setEchoMode(reveal ? QLineEdit::Normal : QLineEdit::Password);
}

bool TPasswordFM::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        if (event->type() == QEvent::Enter) revealPasswords(true);
        if (event->type() == QEvent::Leave) revealPasswords(false);
        return false;
    }
    if (MoveFocusByKey(this, event)) return true;
    return QDialog::eventFilter(watched, event);
}

bool Login(bool changeMode, bool caseSensitive) {
    TPasswordFM window(QApplication::activeWindow());
    window.setMode(changeMode, caseSensitive);
    window.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.exec();
    return window.woke;
}
