#include "export_progress_window.h"

#include <QCoreApplication>
#include <QProgressBar>

void ProgressBarExport::start(int minimum, int maximum) {
    if (maximum < minimum) {
        m_bar->setRange(0, 0);  // steps unknown: the bar shows it is busy
        m_step = 0;
        return;
    }
    m_bar->setRange(minimum, maximum);
    m_bar->setValue(minimum);
    m_shown = minimum;
    // A few hundred visible steps are enough; a bar redrawn for every row
    // would slow a large export down.
    m_step = qMax(1, (maximum - minimum) / 500);
}

void ProgressBarExport::setPosition(int position) {
    if (m_step == 0 || (position - m_shown < m_step && position != m_bar->maximum())) return;
    m_bar->setValue(position);
    m_shown = position;
}

void ProgressBarExport::processEvents() { QCoreApplication::processEvents(); }
