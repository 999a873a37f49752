#pragma once
// The income statement's window, modeless: "Indul" previews, "&Letárol"
// stores the lines. The first run after the window is shown computes the
// statement over the trial balance with the criteria last entered in the
// trial balance window; later runs only list.
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

class Teredmenyfm : public QDialog {
    Q_OBJECT
public:
    explicit Teredmenyfm(QWidget* parent = nullptr);

    QFrame* Panel1;
    QPushButton *b_indul, *b_tarol, *b_vissza;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QCheckBox* cb_nulla;

    bool wszamol = true;  // the next run computes

    void run(bool preview);

protected:
    void showEvent(QShowEvent* event) override;
};

// "Eredmény kimutatás": shown modeless with the caption given.
Teredmenyfm* ShowEredmenyFm(QWidget* parent, const QString& caption);
