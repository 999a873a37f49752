#include "update_window.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "db/named_widgets_window.h"
#include "db/ui_hooks.h"
#include "update/program_update.h"

Tftpprocfm::Tftpprocfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ftpprocfm"));
    setWindowTitle(QStringLiteral("FTP (File Transfer)"));
    auto* layout = new QVBoxLayout(this);
    l_lepes = NamedLabel(this, "l_lepes", QString());
    l_lepes->setMinimumWidth(420);
    l_lepes->setWordWrap(true);
    pb_letoltes = new QProgressBar(this);
    pb_letoltes->setObjectName(QStringLiteral("pb_letoltes"));
    pb_letoltes->setRange(0, 100);
    pb_letoltes->setValue(0);
    layout->addWidget(l_lepes);
    layout->addWidget(pb_letoltes);
}

void Tftpprocfm::showStep(const QString& step, qint64 done, qint64 total) {
    // A transfer reports itself many times a second; a few repaints are enough.
    const bool sameStep = l_lepes->text() == step;
    if (sameStep && done < total && m_lastPaint.isValid() && m_lastPaint.elapsed() < 100) return;
    m_lastPaint.start();
    l_lepes->setText(step);
    if (total > 0) {
        pb_letoltes->setRange(0, 1000);
        pb_letoltes->setValue(int(done * 1000 / total));
    } else {
        pb_letoltes->setRange(0, 100);
        pb_letoltes->setValue(0);
    }
    // The transfer runs on this thread: let the window repaint, but take no
    // clicks or keys until the update is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void RunProgramUpdateFromMenu(QWidget* parent, const QString& runningVersion) {
    if (AskDialog(QStringLiteral("Keressünk programfrissítéseket az interneten?"), 0) != 0) return;
    Installation installation;
    QString error;
    if (!ReadInstallation(installation, error)) {
        ShowMessage(error);
        return;
    }
    UpdateSettings settings = RunningProgramUpdate(installation);
    Tftpprocfm window(parent);
    window.setModal(true);
    window.show();
    settings.progress = [&window](const QString& step, qint64 done, qint64 total) { window.showStep(step, done, total); };
    RunUpdate(settings, runningVersion, installation.kod, installation.nev, false);
}
