#pragma once
// The note editor: the caller copies its lines into Memo1, shows the window
// modally and copies Memo1 back when wsaved is true.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QWidget;

class Tmemo_editfm : public QDialog {
    Q_OBJECT
public:
    explicit Tmemo_editfm(QWidget* parent = nullptr);

    QWidget* p_top;
    QPushButton* Button1;
    QPushButton* Button2;
    QPlainTextEdit* Memo1;
    bool wsaved = false;

protected:
    void showEvent(QShowEvent* event) override;
};
