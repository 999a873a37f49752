#include "report_preview_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <climits>
#include <memory>

#include "report_painter.h"
#include "report_printer_window.h"
#include "report_progress_window.h"

// One page on white paper, painted at the preview's zoom when shown.
class ReportPageView : public QWidget {
public:
    explicit ReportPageView(const ReportDocument& document) : m_document(document) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setPage(int index) {
        m_page = index;
        update();
    }

    void setDotsPerMm(double dots) {
        m_dotsPerMm = dots;
        const ReportLayout& layout = m_document.layout();
        setFixedSize(qRound(layout.pageWidth() * dots), qRound(layout.pageHeight() * dots));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintReportPage(painter, m_document, m_page, m_dotsPerMm);
    }

private:
    const ReportDocument& m_document;
    int m_page = 0;
    double m_dotsPerMm = 1;
};

namespace {

QPushButton* button(const QString& name, const QString& caption, const QString& tip, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

ReportPreviewWindow::ReportPreviewWindow(const ReportDocument& document, QWidget* parent)
    : QDialog(parent), m_document(document) {
    const QString title = m_document.layout().title();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Nyomtatási kép") : title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    b_firstPage = button(QStringLiteral("b_firstPage"), QStringLiteral("|<"), QStringLiteral("Első oldal"), this);
    b_previousPage = button(QStringLiteral("b_previousPage"), QStringLiteral("<"), QStringLiteral("Előző oldal"), this);
    b_nextPage = button(QStringLiteral("b_nextPage"), QStringLiteral(">"), QStringLiteral("Következő oldal"), this);
    b_lastPage = button(QStringLiteral("b_lastPage"), QStringLiteral(">|"), QStringLiteral("Utolsó oldal"), this);
    e_page = new QSpinBox(this);
    e_page->setObjectName(QStringLiteral("e_page"));
    e_page->setRange(1, qMax(1, m_document.pageCount()));
    l_pageCount = new QLabel(QStringLiteral("/ %1").arg(m_document.pageCount()), this);
    l_pageCount->setObjectName(QStringLiteral("l_pageCount"));
    cb_zoom = new QComboBox(this);
    cb_zoom->setObjectName(QStringLiteral("cb_zoom"));
    cb_zoom->addItem(QStringLiteral("Egész oldal"), -1.0);
    cb_zoom->addItem(QStringLiteral("Oldalszélesség"), -2.0);
    for (int percent : {50, 75, 100, 150, 200}) cb_zoom->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    cb_zoom->setCurrentIndex(1);
    b_print = button(QStringLiteral("b_print"), QStringLiteral("&Nyomtatás..."), QString(), this);
    b_savePdf = button(QStringLiteral("b_savePdf"), QStringLiteral("&Mentés PDF-be..."), QString(), this);
    b_close = button(QStringLiteral("b_close"), QStringLiteral("&Bezárás"), QString(), this);

    m_view = new ReportPageView(m_document);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("sc_page"));
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->viewport()->installEventFilter(this);  // a fitted page follows the window's size

    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{b_firstPage, b_previousPage, e_page, l_pageCount, b_nextPage,
                                                      b_lastPage, cb_zoom})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(b_print);
    bar->addWidget(b_savePdf);
    bar->addWidget(b_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(b_firstPage, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(b_previousPage, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(b_nextPage, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(b_lastPage, &QPushButton::clicked, this, [this] { showPage(m_document.pageCount() - 1); });
    connect(e_page, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    connect(cb_zoom, &QComboBox::currentIndexChanged, this, [this](int index) {
        const double factor = cb_zoom->itemData(index).toDouble();
        if (factor == -1.0)
            setFit(Fit::Page);
        else if (factor == -2.0)
            setFit(Fit::Width);
        else
            setZoom(factor);
    });
    connect(b_print, &QPushButton::clicked, this, &ReportPreviewWindow::print);
    connect(b_savePdf, &QPushButton::clicked, this, &ReportPreviewWindow::savePdfAs);
    connect(b_close, &QPushButton::clicked, this, &QDialog::accept);
    auto shortcut = [this](QKeySequence keys, auto fn) { connect(new QShortcut(keys, this), &QShortcut::activated, this, fn); };
    shortcut(QKeySequence(Qt::Key_PageDown), [this] { showPage(m_page + 1); });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] { showPage(m_page - 1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { showPage(0); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { showPage(m_document.pageCount() - 1); });

    resize(1000, 760);
    applyZoom();
    updateControls();
}

void ReportPreviewWindow::showPage(int index) {
    index = qBound(0, index, qMax(0, m_document.pageCount() - 1));
    if (index == m_page && e_page->value() == index + 1) return;
    m_page = index;
    m_view->setPage(index);
    m_scroll->verticalScrollBar()->setValue(0);
    updateControls();
}

void ReportPreviewWindow::setZoom(double factor) {
    m_fit = Fit::None;
    m_zoom = qBound(0.1, factor, 8.0);
    applyZoom();
    showZoomChoice();
}

void ReportPreviewWindow::setFit(Fit fit) {
    m_fit = fit;
    applyZoom();
    showZoomChoice();
}

void ReportPreviewWindow::showZoomChoice() {
    const double data = m_fit == Fit::Page ? -1.0 : m_fit == Fit::Width ? -2.0 : m_zoom;
    const int index = cb_zoom->findData(data);
    if (index < 0) return;  // a zoom the list does not offer
    const QSignalBlocker blocker(cb_zoom);
    cb_zoom->setCurrentIndex(index);
}

void ReportPreviewWindow::applyZoom() {
    const double screenDotsPerMm = logicalDpiX() / 25.4;
    const ReportLayout& layout = m_document.layout();
    // The room without scroll bars, and for the page width less a vertical
    // bar: so the fit does not change as the bars come and go.
    const QSize room = m_scroll->maximumViewportSize() - QSize(8, 8);
    if (m_fit == Fit::Width) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
        m_zoom = (room.width() - bar) / (layout.pageWidth() * screenDotsPerMm);
    } else if (m_fit == Fit::Page) {
        m_zoom = qMin(room.width() / (layout.pageWidth() * screenDotsPerMm),
                      room.height() / (layout.pageHeight() * screenDotsPerMm));
    }
    m_zoom = qMax(0.1, m_zoom);
    m_view->setDotsPerMm(m_zoom * screenDotsPerMm);
}

bool ReportPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_fit != Fit::None) applyZoom();
    return QDialog::eventFilter(watched, event);
}

void ReportPreviewWindow::updateControls() {
    const QSignalBlocker blocker(e_page);
    e_page->setValue(m_page + 1);
    const int last = m_document.pageCount() - 1;
    b_firstPage->setEnabled(m_page > 0);
    b_previousPage->setEnabled(m_page > 0);
    b_nextPage->setEnabled(m_page < last);
    b_lastPage->setEnabled(m_page < last);
}

bool ReportPreviewWindow::savePdf(const QString& path) { return WriteReportPdf(m_document, path) > 0; }

void ReportPreviewWindow::print() { PrintReportWithDialog(m_document, this); }

void ReportPreviewWindow::savePdfAs() {
    const QString title = m_document.layout().title();
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Mentés PDF-be"),
                                                      (title.isEmpty() ? QStringLiteral("lista") : title) + ".pdf",
                                                      QStringLiteral("PDF fájl (*.pdf)"));
    if (path.isEmpty()) return;
    if (!savePdf(path)) QMessageBox::warning(this, windowTitle(), QStringLiteral("A fájl nem írható: ") + path);
}

void ShowPreview(const ReportDocument& document, QWidget* parent) {
    ReportPreviewWindow window(document, parent);
    window.setWindowState(Qt::WindowMaximized);
    window.exec();
}

void ShowPreview(const ReportLayout& layout, ExportSource& rows, QWidget* parent, QProgressBar* progressBar,
                 ReportRunOptions options) {
    std::unique_ptr<QProgressDialog> dialog;
    if (progressBar) {
        options.progress = ProgressBarSteps(progressBar);
    } else {
        // Qt's progress dialog appears only when the layout takes a while.
        dialog = std::make_unique<QProgressDialog>(QStringLiteral("A lista készül..."), QString(), 0, 0, parent);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(500);
        options.progress = [bar = dialog.get()](qint64 done, qint64 total) {
            if (total > 0) {
                if (bar->maximum() != total) bar->setMaximum(int(qMin<qint64>(total, INT_MAX)));
                bar->setValue(int(qMin<qint64>(done, INT_MAX)));
            }
            QCoreApplication::processEvents();
        };
    }
    const ReportDocument document = LayOutReport(layout, rows, options);
    dialog.reset();
    ShowPreview(document, parent);
}
