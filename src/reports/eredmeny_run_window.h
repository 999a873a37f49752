#pragma once
// What the windows of the income statement and the balance sheet share:
// the "Indul" / "&Letárol" / "&Vissza" panel, the label shown while the
// data are prepared, the progress bar, the computation due after each
// showing, and the run over the trial balance window's criteria and result
// table, ended by the preview or the store of the listing.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>

#include "reports/engine/report_layout.h"
#include "reports/report_pattern.h"

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class TFokivfm;

// What a statement's run gives: the listing and its printed layout.
struct StatementRun {
    ReportRun run;
    ReportLayout layout;
};

class StatementWindow : public QDialog {
public:
    QFrame* Panel1;
    QPushButton *b_indul, *b_tarol, *b_vissza;
    QLabel* Label1;  // "Kis türelmet, előkészítem az adatokat", shown during a run
    QProgressBar* ProgressBar1;

    bool wszamol = true;  // the next run computes: set each time the window is shown

    // "Indul" (preview) and "&Letárol" (store).
    virtual void run(bool preview) = 0;

protected:
    // The panel on top, then `fields` (which holds the preparing label
    // first, then what `fieldsLayout` gets), the progress bar at the bottom.
    StatementWindow(QWidget* parent, const QString& name, const QString& caption, const QString& indulCaption);
    QVBoxLayout* fieldsLayout() const { return m_fields; }
    // A check box with its caption on the left, added to the fields.
    QCheckBox* addCheckBox(const char* name, const QString& caption);

    void showEvent(QShowEvent* event) override;
    // After a showing of the window (not one by the window system).
    virtual void shown() {}

    using Compute = std::function<StatementRun(TFokivfm* fokiv, const ReportStep& step)>;
    // One run: the trial balance window marked with `caller`, the preparing
    // label shown while `compute` works, then the preview or the store.
    // After a change of company the run computes again, whatever
    // `wszamol` says. Errors reach the user as a message.
    void runStatement(bool preview, const QString& sourceName, const QString& caller, const Compute& compute);

private:
    QVBoxLayout* m_fields;
    QString m_computedFor;  // the company database of the last computation
};

// Shows a window that stays open beside the others, in front.
void ShowModeless(QDialog* window);

// The one window of its kind, made on first use, shown modeless with the caption given.
template <class Window>
Window* ShowStatementWindow(QWidget* parent, const QString& caption) {
    static QPointer<Window> window;
    if (!window) window = new Window(parent);
    window->setWindowTitle(caption);
    ShowModeless(window);
    return window;
}
