#include "db/quiet_edits_window.h"

#include <QLineEdit>

void QuietEdits(QWidget* window) {
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) edit->blockSignals(true);
}
