#pragma once
// "Frissítési tárhely beállítása": the address, user and password of the
// update server, read from and stored into the installation record.
#include <QDialog>

class QLineEdit;
class QPushButton;

class Tftpbeallitasfm : public QDialog {
public:
    explicit Tftpbeallitasfm(QWidget* parent = nullptr);

    // Fills the fields from the installation record; false (with the
    // message shown) when it cannot be read.
    bool Betolt();
    // Stores the fields; closes the window when they were stored.
    void Tarol();

    QLineEdit* e_ftphost;
    QLineEdit* e_ftpuser;
    QLineEdit* e_ftpjelszo;
    QPushButton* b_tarol;
    QPushButton* b_vissza;
};

void ShowFtpSettingsFm(QWidget* parent);
