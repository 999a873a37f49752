#include "report_params_window.h"

#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/edit_keys_window.h"
#include "db/getdatum.h"
#include "db/getdatum_window.h"
#include "db/named_widgets_window.h"
#include "db/ui_hooks.h"
#include "export/export_progress_window.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "reports/engine/report_preview_window.h"
#include "reports/report_pattern.h"

namespace {

bool isDateEdit(const QLineEdit* edit) { return !edit->inputMask().isEmpty(); }

ReportPreviewFn& previewHook() {
    static ReportPreviewFn hook;
    return hook;
}

}  // namespace

QLineEdit* ReportDateEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setInputMask(QStringLiteral("9999.99.99; "));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000.00.00")) + 24);
    return e;
}

QLineEdit* ReportCodeEdit(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    const int chars = qMax(maxLength, 3);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 24);
    return e;
}

QPushButton* ReportLookupButton(QWidget* parent, const char* name, const QString& caption) {
    QPushButton* b = NamedButton(parent, name, caption, false);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(caption) + 20);
    return b;
}

QString FieldText(const QLineEdit* edit) { return isDateEdit(edit) ? edit->displayText() : edit->text(); }

void ResetProgress(QProgressBar* bar) {
    bar->setRange(0, 100);
    bar->setValue(0);
}

QLabel* ReportParamLabel(QWidget* parent, const QString& caption) {
    QLabel* label = NamedLabel(parent, nullptr, caption);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
    label->setPalette(palette);
    label->setMargin(2);
    return label;
}

ReportButtons ReportTopPanel(QWidget* parent, const char* panelName, const char* letarolName, const QString& letarolCaption,
                             const char* visszaName, const QString& visszaCaption) {
    ReportButtons buttons{};
    buttons.panel = new QFrame(parent);
    buttons.panel->setObjectName(QString::fromLatin1(panelName));
    buttons.panel->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(buttons.panel);
    row->addWidget(buttons.indul = NamedButton(buttons.panel, "b_indul", QStringLiteral("&Indul")));
    row->addWidget(buttons.letarol = NamedButton(buttons.panel, letarolName, letarolCaption));
    row->addStretch(1);
    row->addWidget(buttons.vissza = NamedButton(buttons.panel, visszaName, visszaCaption));
    return buttons;
}

QProgressBar* ArrangeReportWindow(QDialog* window, const ReportButtons& top, QWidget* fields, const char* barName,
                                  const std::function<void(bool preview)>& run) {
    auto* bar = new QProgressBar(window);
    bar->setObjectName(QString::fromLatin1(barName));
    auto* root = new QVBoxLayout(window);
    root->addWidget(top.panel);
    root->addWidget(fields);
    root->addStretch(1);
    root->addWidget(bar);
    QObject::connect(top.indul, &QPushButton::clicked, window, [run] { run(true); });
    QObject::connect(top.letarol, &QPushButton::clicked, window, [run] { run(false); });
    QObject::connect(top.vissza, &QPushButton::clicked, window, &QDialog::reject);
    return bar;
}

ReportFieldKeys::ReportFieldKeys(QWidget* window) : QObject(window), m_window(window) {}

void ReportFieldKeys::watch(std::initializer_list<QLineEdit*> edits) {
    for (QLineEdit* edit : edits) edit->installEventFilter(this);
}

bool ReportFieldKeys::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return false;
    if (event->type() == QEvent::MouseButtonDblClick && isDateEdit(edit)) {
        const QString date = PickDate(FieldText(edit));
        if (date.trimmed().isEmpty() || date == EmptyMaskedDate)
            edit->clear();
        else
            edit->setText(date);
        return true;
    }
    return MoveFocusByKey(m_window, event);
}

bool ReportDatesValid(std::initializer_list<QLineEdit*> dates) {
    for (QLineEdit* edit : dates) {
        const QString text = DateCriterion(FieldText(edit));
        if (text.isEmpty() || DateValid(text, true)) continue;
        edit->setFocus();
        return false;
    }
    return true;
}

ReportRunning::ReportRunning(QWidget* panel) : m_panel(panel) { m_panel->setEnabled(false); }
ReportRunning::~ReportRunning() { m_panel->setEnabled(true); }

void PresentReport(QWidget* window, const ReportRun& run, const ReportLayout& layout, ReportOutcome outcome,
                   QProgressBar* bar, const QString& emptyMessage, const QString& sourceName) {
    if (run.rows == 0) {
        ShowMessage(emptyMessage);
        return;
    }
    QueryExportSource rows(ExecSql(d_tarvedo, run.querySql, run.params), sourceName);
    if (outcome == ReportOutcome::Store) {
        ProgressBarExport progress(bar);
        QString chosen;
        StoreDataSet(rows, QString(), QString(), chosen, &progress);
        if (bar->maximum() == 0) ResetProgress(bar);  // a store of unknown length left it busy
        return;
    }
    if (previewHook()) {
        previewHook()(layout, rows, window, bar, run.rows);
        return;
    }
    ReportRunOptions options;
    options.expectedRows = run.rows;
    ShowPreview(layout, rows, window, bar, options);
}

void SetReportPreview(ReportPreviewFn preview) { previewHook() = std::move(preview); }
