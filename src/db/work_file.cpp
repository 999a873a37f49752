#include "work_file.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process's umask, read without changing it (other threads may be
// creating files meanwhile); the kernel has told it since Linux 4.7.
mode_t currentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        while (!status.atEnd()) {
            const QByteArray line = status.readLine();
            if (!line.startsWith("Umask:")) continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok) return mode_t(mask);
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The owner's bits in both of Qt's spellings (Owner and User are the same
// person for us).
QFileDevice::Permissions withUserBits(QFileDevice::Permissions p) {
    if (p & QFileDevice::ReadOwner) p |= QFileDevice::ReadUser;
    if (p & QFileDevice::WriteOwner) p |= QFileDevice::WriteUser;
    if (p & QFileDevice::ExeOwner) p |= QFileDevice::ExeUser;
    return p;
}

// The mode bits of a file, without the ones Qt works out for the current
// user (which are about access, not the mode: root may write anything).
QFileDevice::Permissions ownModeBits(QFileDevice::Permissions p) {
    return p & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

}  // namespace

QFileDevice::Permissions SettingsFilePermissions(const QString& text) {
    return text.contains(QLatin1String("DBPASSWORD"), Qt::CaseInsensitive) ? PrivateFilePermissions
                                                                          : OrdinaryFilePermissions;
}

WorkFile::WorkFile(const QString& target, QFileDevice::Permissions widest)
    : QTemporaryFile(WorkFilePattern(target)), m_target(target), m_widest(widest) {}

bool WorkFile::commit() {
    if (isOpen()) {
        if (!flush() || error() != QFileDevice::NoError) return false;
        if (m_sync && ::fsync(handle()) != 0) return false;
        close();
    } else if (m_sync) {
        QFile written(fileName());
        if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0) return false;
    }
    if (!ReplaceFile(fileName(), m_target, m_widest)) return false;
    setAutoRemove(false);  // it is the target now
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions widest, bool sync) {
    WorkFile file(path, widest);
    file.setSyncOnCommit(sync);
    return file.open() && file.write(bytes) == bytes.size() && file.commit();
}

QString WorkFilePattern(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX");
}

QFileDevice::Permissions NewFilePermissions(QFileDevice::Permissions widest) {
    const mode_t allowed = ~currentUmask();
    QFileDevice::Permissions p;
    if (allowed & S_IRUSR) p |= QFileDevice::ReadOwner;
    if (allowed & S_IWUSR) p |= QFileDevice::WriteOwner;
    if (allowed & S_IRGRP) p |= QFileDevice::ReadGroup;
    if (allowed & S_IWGRP) p |= QFileDevice::WriteGroup;
    if (allowed & S_IROTH) p |= QFileDevice::ReadOther;
    if (allowed & S_IWOTH) p |= QFileDevice::WriteOther;
    return withUserBits(p) & withUserBits(widest);
}

bool ReplaceFile(const QString& work, const QString& target, QFileDevice::Permissions widest) {
    const QFileDevice::Permissions permissions = QFileInfo::exists(target)
        ? withUserBits(ownModeBits(QFile::permissions(target))) & withUserBits(widest)
        : NewFilePermissions(widest);
    if (!QFile::setPermissions(work, permissions)) return false;
    // rename() puts the new file in the old one's place in one step: there is
    // no moment without a file of that name.
    return std::rename(QFile::encodeName(work).constData(), QFile::encodeName(target).constData()) == 0;
}
