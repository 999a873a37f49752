#pragma once
// What the parameter windows of the ledger reports share: the criteria
// fields (masked dates with the date picker, codes), the labels, the
// "&Indul" / "&Letárol" / "&Vissza" panel, the keyboard, and the end of a
// run: the empty-result message, the preview or the store to a file.
#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>

class ExportSource;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;
class ReportLayout;
struct ReportRun;

// A date field "9999.99.99" with blanks: empty it reads "    .  .  ".
QLineEdit* ReportDateEdit(QWidget* parent, const char* name);
// A code or account field of at most `maxLength` characters.
QLineEdit* ReportCodeEdit(QWidget* parent, const char* name, int maxLength);
// A lookup button ("?", "...?"), reached by the mouse only.
QPushButton* ReportLookupButton(QWidget* parent, const char* name, const QString& caption);
// The text as the run reads it: a date field with its blanks.
QString FieldText(const QLineEdit* edit);
// An empty bar, as at the start of a run.
void ResetProgress(QProgressBar* bar);
// A caption with a pale tip background.
QLabel* ReportParamLabel(QWidget* parent, const QString& caption);

// The top panel and its three buttons.
struct ReportButtons {
    QFrame* panel;
    QPushButton *indul, *letarol, *vissza;
};
ReportButtons ReportTopPanel(QWidget* parent, const char* panelName, const char* letarolName, const QString& letarolCaption,
                             const char* visszaName, const QString& visszaCaption);

// The window's layout, top to bottom: the button panel, the fields and a
// progress bar named `barName`, which is returned. "&Indul" runs with a
// preview, "&Letárol" with a store, "&Vissza" closes the window.
QProgressBar* ArrangeReportWindow(QDialog* window, const ReportButtons& top, QWidget* fields, const char* barName,
                                  const std::function<void(bool preview)>& run);

// Enter and the down arrow move the focus to the next control, the up arrow
// to the previous one; a double click on a date field opens the date picker
// and puts the chosen date back.
class ReportFieldKeys : public QObject {
public:
    explicit ReportFieldKeys(QWidget* window);
    void watch(std::initializer_list<QLineEdit*> edits);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};

// Every date given is a whole date; otherwise "Hibás dátum :" and the focus
// on the first bad one. A half-typed bound would compare as text and
// silently drop items.
bool ReportDatesValid(std::initializer_list<QLineEdit*> dates);

// The buttons are off while a run works: the progress bar lets events through.
class ReportRunning {
public:
    explicit ReportRunning(QWidget* panel);
    ~ReportRunning();
    ReportRunning(const ReportRunning&) = delete;
    ReportRunning& operator=(const ReportRunning&) = delete;

private:
    QWidget* m_panel;
};

enum class ReportOutcome { Preview, Store };

// The end of a run: no rows gives `emptyMessage`; otherwise the report
// previewed over the run's query, or its rows stored to a file the user
// chooses. `sourceName` names the worksheet of the store.
void PresentReport(QWidget* window, const ReportRun& run, const ReportLayout& layout, ReportOutcome outcome,
                   QProgressBar* bar, const QString& emptyMessage, const QString& sourceName);

// The preview of PresentReport; the modal preview window unless replaced
// (an empty function restores it).
using ReportPreviewFn =
    std::function<void(const ReportLayout& layout, ExportSource& rows, QWidget* parent, QProgressBar* bar, qint64 rowCount)>;
void SetReportPreview(ReportPreviewFn preview);
