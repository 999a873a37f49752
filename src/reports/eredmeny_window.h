#pragma once
// The income statement's window, modeless: "Indul" previews, "&Letárol"
// stores the lines. The first run after the window is shown computes the
// statement over the trial balance with the criteria last entered in the
// trial balance window; later runs only list.
#include "reports/eredmeny_run_window.h"

class Teredmenyfm : public StatementWindow {
    Q_OBJECT
public:
    explicit Teredmenyfm(QWidget* parent = nullptr);

    QCheckBox* cb_nulla;  // "Nullás sorokat mellőzzük"

    void run(bool preview) override;
};

// "Eredmény kimutatás": shown modeless with the caption given.
Teredmenyfm* ShowEredmenyFm(QWidget* parent, const QString& caption);
