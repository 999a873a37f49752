#pragma once
// An export's progress shown on a window's progress bar.
#include "export_progress.h"

class QProgressBar;

class ProgressBarExport : public ExportProgress {
public:
    explicit ProgressBarExport(QProgressBar* bar) : m_bar(bar) {}
    void start(int minimum, int maximum) override;
    void setPosition(int position) override;
    void processEvents() override;

private:
    QProgressBar* m_bar;
    int m_step = 1;
    int m_shown = 0;
};
