#include "yearend/backup_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QProgressDialog>

#include "db/dat.h"
#include "db/fb_admin.h"
#include "db/ui_hooks.h"
#include "yearend/backup.h"

namespace {

// A progress dialog the services step: bytes done of the total when known.
class Progress {
public:
    Progress(QWidget* parent, const QString& caption) : m_dialog(caption, QString(), 0, 0, parent) {
        m_dialog.setObjectName(QStringLiteral("pd_mentes"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setCancelButton(nullptr);
        m_dialog.setMinimumDuration(0);
        m_dialog.show();
    }
    BackupStep step() {
        return [this](qint64 done, qint64 total) {
            if (total > 0) {
                m_dialog.setMaximum(1000);
                m_dialog.setValue(int(done * 1000 / total));
            } else {
                m_dialog.setLabelText(QStringLiteral("%1 MB").arg(double(done) / 1048576.0, 0, 'f', 1));
            }
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
    }

private:
    QProgressDialog m_dialog;
};

}  // namespace

void ShowBackupFm(QWidget* parent) {
    const QString proposal = ProposedBackupFile();
    const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Adatbázis mentése"), proposal,
                                                      QStringLiteral("Mentés (*.fbk)"));
    if (file.isEmpty()) return;
    QString error;
    {
        Progress progress(parent, QStringLiteral("Adatbázis mentése..."));
        BackupOptions options;
        options.step = progress.step();
        error = BackupDatabase(Td().DbServer, file, DbCredentials(), options);
    }
    ShowMessage(error.isEmpty() ? QStringLiteral("A mentés elkészült: ") + file : error);
}

void ShowRestoreFm(QWidget* parent) {
    const QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Adatbázis visszatöltése"), Td().WorkDir,
                                                      QStringLiteral("Mentés (*.fbk)"));
    if (file.isEmpty()) return;
    bool ok = false;
    const QString proposal = QFileInfo(file).absolutePath() + u'/' + QFileInfo(file).completeBaseName() + QStringLiteral(".GDB");
    const QString target = QInputDialog::getText(parent, QStringLiteral("Adatbázis visszatöltése"),
                                                  QStringLiteral("Az új adatbázis helye (fájl vagy szerver:útvonal):"),
                                                  QLineEdit::Normal, proposal, &ok)
                               .trimmed();
    if (!ok || target.isEmpty()) return;
    QString error;
    {
        Progress progress(parent, QStringLiteral("Adatbázis visszatöltése..."));
        error = RestoreDatabase(file, target, DbCredentials(), false, progress.step());
    }
    ShowMessage(error.isEmpty() ? QStringLiteral("Az adatbázis elkészült: ") + target : error);
}
