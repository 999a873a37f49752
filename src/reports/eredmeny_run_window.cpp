#include "reports/eredmeny_run_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <stdexcept>

#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "reports/engine/report_progress_window.h"
#include "reports/fokiv_window.h"
#include "reports/report_params_window.h"

QLabel* StatementPreparingLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Kis türelmet, előkészítem az adatokat"), parent);
    label->setObjectName(QStringLiteral("Label1"));
    label->hide();
    return label;
}

QCheckBox* StatementCheckBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

StatementButtons ArrangeStatementWindow(QDialog* window, QWidget* fields, const QString& indulCaption,
                                        const std::function<void(bool preview)>& run) {
    const ReportButtons top =
        ReportTopPanel(window, "Panel1", "b_tarol", QStringLiteral("&Letárol"), "b_vissza", QStringLiteral("&Vissza"));
    top.indul->setText(indulCaption);
    StatementButtons buttons{top.panel, top.indul, top.letarol, top.vissza, nullptr};
    buttons.bar = ArrangeReportWindow(window, top, fields, "ProgressBar1", run);
    window->setMinimumWidth(380);
    return buttons;
}

void ResetStatementWindow(QProgressBar* bar, QPushButton* indul) {
    ResetProgress(bar);
    indul->setFocus();
}

void ShowModeless(QDialog* window) {
    window->setModal(false);
    window->show();
    window->raise();
    window->activateWindow();
}

void RunStatement(QDialog* window, const StatementParts& parts, bool preview, const QString& sourceName,
                  const StatementCompute& compute, const QString& caller) {
    ReportRunning running(parts.panel);
    ResetProgress(parts.bar);
    TFokivfm* fokiv = FokivFm(window->parentWidget());
    fokiv->whivo = caller;
    if (!ReportDatesValid({fokiv->E_KDATUMTOL, fokiv->E_KDATUMIG})) return;
    parts.preparing->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        const StatementRun result = compute(fokiv, ProgressBarSteps(parts.bar));
        parts.preparing->hide();
        PresentReport(window, result.run, result.layout, preview ? ReportOutcome::Preview : ReportOutcome::Store,
                      parts.bar, NothingToPrint, sourceName);
    } catch (const DbError& error) {
        parts.preparing->hide();
        ShowMessage(error.message());
    } catch (const std::invalid_argument& error) {
        parts.preparing->hide();
        ShowMessage(QString::fromUtf8(error.what()));
    }
}
