#include "update/ftp_settings_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/named_widgets_window.h"
#include "db/ui_hooks.h"
#include "update/ftp_settings.h"

namespace {

QLineEdit* namedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(300);
    return edit;
}

}  // namespace

Tftpbeallitasfm::Tftpbeallitasfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ftpbeallitasfm"));
    setWindowTitle(QStringLiteral("Frissítési tárhely (FTP) beállításai"));
    e_ftphost = namedEdit(this, "e_ftphost");
    e_ftphost->setToolTip(QStringLiteral("Például ftp.pelda.hu, ftp.pelda.hu:2121 vagy ftps://ftp.pelda.hu"));
    e_ftpuser = namedEdit(this, "e_ftpuser");
    e_ftpjelszo = namedEdit(this, "e_ftpjelszo");
    e_ftpjelszo->setEchoMode(QLineEdit::Password);

    auto* fields = new QFormLayout;
    fields->addRow(NamedLabel(this, "l_ftphost", QStringLiteral("Tárhely címe:")), e_ftphost);
    fields->addRow(NamedLabel(this, "l_ftpuser", QStringLiteral("Felhasználónév:")), e_ftpuser);
    fields->addRow(NamedLabel(this, "l_ftpjelszo", QStringLiteral("Jelszó:")), e_ftpjelszo);

    b_tarol = NamedButton(this, "b_tarol", QStringLiteral("Tárol"));
    b_vissza = NamedButton(this, "b_vissza", QStringLiteral("Vissza"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(b_tarol);
    buttons->addWidget(b_vissza);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(b_tarol, &QPushButton::clicked, this, &Tftpbeallitasfm::Tarol);
    connect(b_vissza, &QPushButton::clicked, this, &QDialog::reject);
}

bool Tftpbeallitasfm::Betolt() {
    Installation installation;
    QString error;
    if (!ReadInstallationRecord(installation, error)) {
        ShowMessage(error);
        return false;
    }
    e_ftphost->setText(installation.server.host);
    e_ftpuser->setText(installation.server.user);
    e_ftpjelszo->setText(installation.server.password);
    return true;
}

void Tftpbeallitasfm::Tarol() {
    const QString error = StoreFtpSettings({e_ftphost->text(), e_ftpuser->text(), e_ftpjelszo->text()});
    if (!error.isEmpty()) {
        ShowMessage(error);
        return;
    }
    accept();
}

void ShowFtpSettingsFm(QWidget* parent) {
    Tftpbeallitasfm window(parent);
    if (!window.Betolt()) return;
    window.exec();
}
