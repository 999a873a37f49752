#include "report_progress_window.h"

#include <climits>
#include <memory>

#include "export/export_progress_window.h"

ReportProgress ProgressBarSteps(QProgressBar* bar) {
    auto steps = std::make_shared<ProgressBarExport>(bar);
    auto started = std::make_shared<bool>(false);
    return [steps, started](qint64 done, qint64 total) {
        if (!*started) {
            steps->start(0, total < 0 ? -1 : int(qMin<qint64>(total, INT_MAX)));
            *started = true;
        }
        steps->setPosition(int(qMin<qint64>(done, INT_MAX)));
        steps->processEvents();
    };
}
