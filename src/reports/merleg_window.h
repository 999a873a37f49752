#pragma once
// The balance sheet's window, modeless: "&Indul" previews, "&Letárol"
// stores the lines. The first run after the window is shown computes, and
// any run with "Számold át" checked; otherwise a run only lists. It warns
// when no income statement has given the profit of the year.
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

class Tmerlegfm : public QDialog {
    Q_OBJECT
public:
    explicit Tmerlegfm(QWidget* parent = nullptr);

    QFrame* Panel1;
    QPushButton *b_indul, *b_tarol, *b_vissza;
    QLabel *l_eredmeny, *Label1;
    QProgressBar* ProgressBar1;
    QCheckBox* CheckBox1;

    bool wszamol = true;  // the next run computes

    void run(bool preview);

protected:
    void showEvent(QShowEvent* event) override;
};

// "Mérleg kimutatás": shown modeless with the caption given.
Tmerlegfm* ShowMerlegFm(QWidget* parent, const QString& caption);
