#pragma once
// The FTP window of the program update: while the update runs it shows what
// is being done and how much of the file in transit has arrived. The menu
// item "Program frissítése az internetről" starts the update through it.
#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

class Tftpprocfm : public QDialog {
public:
    explicit Tftpprocfm(QWidget* parent = nullptr);

    // A step of the update and the bytes of the file in transit (0, 0 between files).
    void showStep(const QString& step, qint64 done, qint64 total);

    QLabel* l_lepes;
    QProgressBar* pb_letoltes;

private:
    QElapsedTimer m_lastPaint;
};

// The menu action: asks "Keressünk programfrissítéseket az interneten?", and
// on " Igen " runs the update of the running program from the
// installation's server, showing the FTP window meanwhile.
void RunProgramUpdateFromMenu(QWidget* parent, const QString& runningVersion);
