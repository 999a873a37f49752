#pragma once
// The balance sheet's window, modeless: "&Indul" previews, "&Letárol"
// stores the lines. The first run after the window is shown computes, and
// any run with "Számold át" checked; otherwise a run only lists. It warns
// when no income statement has given the profit of the year.
#include "reports/eredmeny_run_window.h"

class Tmerlegfm : public StatementWindow {
    Q_OBJECT
public:
    explicit Tmerlegfm(QWidget* parent = nullptr);

    QLabel* l_eredmeny;    // "Az eredmény kimutatást kell először futtatni!"
    QCheckBox* CheckBox1;  // "Számold át"

    void run(bool preview) override;

protected:
    void shown() override;
};

// "Mérleg kimutatás": shown modeless with the caption given.
Tmerlegfm* ShowMerlegFm(QWidget* parent, const QString& caption);
