#pragma once
// The preview of a laid-out report: one page at a time with page
// navigation (buttons, page number, Page Up/Down, Ctrl+Home/End), zoom
// (whole page, page width or a percentage), printing through the printer
// selection dialog and saving as a PDF file. Pages are painted when shown,
// so a report of thousands of pages opens at once.
#include <QDialog>

#include "report_document.h"
#include "report_runner.h"

class ExportSource;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class ReportPageView;

class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreviewWindow(const ReportDocument& document, QWidget* parent = nullptr);

    const ReportDocument& document() const { return m_document; }
    int currentPage() const { return m_page; }  // 0-based
    void showPage(int index);

    enum class Fit { None, Page, Width };
    // A fixed zoom (1 = 100 %) or a fit to the window.
    void setZoom(double factor);
    void setFit(Fit fit);
    double zoom() const { return m_zoom; }

    // Writes the report as a PDF file; false when it cannot be written.
    bool savePdf(const QString& path);

public Q_SLOTS:
    void print();      // the printer selection dialog, then the print
    void savePdfAs();  // the save dialog, then savePdf

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyZoom();
    void updateControls();
    void showZoomChoice();

    ReportDocument m_document;
    int m_page = 0;
    double m_zoom = 1;
    Fit m_fit = Fit::Width;

    QPushButton *b_firstPage, *b_previousPage, *b_nextPage, *b_lastPage;
    QSpinBox* e_page;
    QLabel* l_pageCount;
    QComboBox* cb_zoom;
    QPushButton *b_print, *b_savePdf, *b_close;
    QScrollArea* m_scroll;
    ReportPageView* m_view;
};

// Shows the report in a modal preview window until the user closes it.
void ShowPreview(const ReportDocument& document, QWidget* parent = nullptr);
// Lays the rows out, stepping `progressBar` (without one, a progress dialog
// appears when the layout takes a while), then shows the preview.
void ShowPreview(const ReportLayout& layout, ExportSource& rows, QWidget* parent = nullptr,
                 QProgressBar* progressBar = nullptr, ReportRunOptions options = {});
