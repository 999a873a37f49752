#pragma once
// The text-file editor: the caller sets wfile and shows it modally.
#include <QDialog>
#include <QPrinter>

class QAction;
class QFileDialog;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

class TTextEditfm : public QDialog {
    Q_OBJECT
public:
    explicit TTextEditfm(QWidget* parent = nullptr);
    ~TTextEditfm() override;

    QString wfile;

    QMenuBar* menu;
    QAction* Mentes;
    QAction* Mentesmaskent;
    QAction* ujratoltes;
    QAction* Nyomtatobeallitas;
    QAction* Nyomtatas;
    QAction* Vissza;
    QLabel* l_file;
    QPushButton* Button1;
    QPushButton* Button2;
    QPlainTextEdit* Memo1;
    QFileDialog* sd1;

    void reload();
    void save();
    void saveAs();
    void print();
    // "Vissza": a changed text asks whether to save it first.
    void back();

    void reject() override;  // Escape and the close box go back the same way

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_utf8 = true;
    QPrinter m_printer;
};
