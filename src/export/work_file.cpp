#include "work_file.h"

#include <QFileInfo>

WorkFile::WorkFile(const QString& target) : QTemporaryFile(WorkFilePattern(target)), m_target(target) {}

bool WorkFile::commit() {
    if (!flush() || error() != QFileDevice::NoError) return false;
    close();
    if (!ReplaceFile(fileName(), m_target)) return false;
    setAutoRemove(false);  // it is the target now
    return true;
}

QString WorkFilePattern(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX");
}

bool ReplaceFile(const QString& work, const QString& target) {
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (QFile::exists(target)) {
        permissions = QFile::permissions(target);
        if (!QFile::remove(target)) return false;
    }
    if (!QFile::rename(work, target)) return false;
    QFile::setPermissions(target, permissions);
    return true;
}
