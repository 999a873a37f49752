#include "reports/eredmeny_run_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <stdexcept>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "reports/engine/report_progress_window.h"
#include "reports/fokiv_window.h"
#include "reports/report_params_window.h"

StatementWindow::StatementWindow(QWidget* parent, const QString& name, const QString& caption,
                                 const QString& indulCaption)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(caption);
    setMinimumWidth(380);

    auto* fields = new QWidget(this);
    m_fields = new QVBoxLayout(fields);
    m_fields->addWidget(Label1 = new QLabel(QStringLiteral("Kis türelmet, előkészítem az adatokat"), fields));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();

    const ReportButtons top =
        ReportTopPanel(this, "Panel1", "b_tarol", QStringLiteral("&Letárol"), "b_vissza", QStringLiteral("&Vissza"));
    Panel1 = top.panel;
    b_indul = top.indul;
    b_indul->setText(indulCaption);
    b_tarol = top.letarol;
    b_vissza = top.vissza;
    ProgressBar1 = ArrangeReportWindow(this, top, fields, "ProgressBar1", [this](bool preview) { run(preview); });
}

QCheckBox* StatementWindow::addCheckBox(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, m_fields->parentWidget());
    box->setObjectName(QString::fromLatin1(name));
    box->setLayoutDirection(Qt::RightToLeft);
    m_fields->addWidget(box, 0, Qt::AlignLeft | Qt::AlignAbsolute);  // left, though the box reads right to left
    return box;
}

void StatementWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    wszamol = true;
    ResetProgress(ProgressBar1);
    b_indul->setFocus();
    shown();
}

void StatementWindow::runStatement(bool preview, const QString& sourceName, const QString& caller,
                                   const Compute& compute) {
    ReportRunning running(Panel1);
    ResetProgress(ProgressBar1);
    TFokivfm* fokiv = FokivFm(parentWidget());
    fokiv->whivo = caller;
    if (!ReportDatesValid({fokiv->E_KDATUMTOL, fokiv->E_KDATUMIG})) return;
    Label1->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QString company = Connection(d_tarvedo).databaseName();
    if (company != m_computedFor) wszamol = true;
    try {
        const StatementRun result = compute(fokiv, ProgressBarSteps(ProgressBar1));
        m_computedFor = company;
        Label1->hide();
        PresentReport(this, result.run, result.layout, preview ? ReportOutcome::Preview : ReportOutcome::Store,
                      ProgressBar1, NothingToPrint, sourceName);
    } catch (const DbError& error) {
        Label1->hide();
        ShowMessage(error.message());
    } catch (const std::invalid_argument& error) {
        Label1->hide();
        ShowMessage(QString::fromUtf8(error.what()));
    }
}

void ShowModeless(QDialog* window) {
    window->setModal(false);
    window->show();
    window->raise();
    window->activateWindow();
}
