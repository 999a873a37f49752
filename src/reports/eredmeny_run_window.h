#pragma once
// What the windows of the income statement and the balance sheet share:
// the "Indul" / "&Letárol" / "&Vissza" panel, the label shown while the
// data are prepared, and the run over the trial balance window's criteria
// and result table, ended by the preview or the store of the listing.
#include <QString>
#include <functional>

#include "reports/engine/report_layout.h"
#include "reports/report_pattern.h"

class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;
class TFokivfm;

struct StatementButtons {
    QFrame* panel;
    QPushButton *indul, *tarol, *vissza;
    QProgressBar* bar;
};

// "Kis türelmet, előkészítem az adatokat", hidden until a run.
QLabel* StatementPreparingLabel(QWidget* parent);
// A check box with its caption on the left.
QCheckBox* StatementCheckBox(QWidget* parent, const char* name, const QString& caption);
// The window top to bottom: the buttons "b_indul", "b_tarol", "b_vissza",
// the fields, the progress bar "ProgressBar1".
StatementButtons ArrangeStatementWindow(QDialog* window, QWidget* fields, const QString& indulCaption,
                                        const std::function<void(bool preview)>& run);
// On showing: an empty progress bar and the focus on "Indul".
void ResetStatementWindow(QProgressBar* bar, QPushButton* indul);
// Shows a window that stays open beside the others, in front.
void ShowModeless(QDialog* window);

// What a statement's run gives: the listing and its printed layout.
struct StatementRun {
    ReportRun run;
    ReportLayout layout;
};
struct StatementParts {
    QWidget* panel;
    QLabel* preparing;
    QProgressBar* bar;
};
using StatementCompute = std::function<StatementRun(TFokivfm* fokiv, const ReportStep& step)>;

// One run: the trial balance window marked with `caller`, the preparing
// label shown while `compute` works, then the preview or the store. Errors
// reach the user as a message.
void RunStatement(QDialog* window, const StatementParts& parts, bool preview, const QString& sourceName,
                  const StatementCompute& compute, const QString& caller);
