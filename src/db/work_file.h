#pragma once
// A file written under a name of its own beside its target, that takes the
// target's name only when it is complete: a failed or killed run leaves an
// earlier file of that name as it was, and never a part of a file under the
// target's name. Every file the program writes goes through it.
//
// The finished file gets the user's umask, never wider than the widest
// permissions given (an earlier file's permissions are kept within that
// limit too), and it has them before it takes the target's name.
#include <QFileDevice>
#include <QString>
#include <QTemporaryFile>

// Exports, reports, journals: readable by the owner's group at most (0640).
inline constexpr QFileDevice::Permissions ExportFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
    | QFileDevice::ReadGroup;
// Backups and files holding passwords: the owner only (0600).
inline constexpr QFileDevice::Permissions PrivateFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
// Settings and other files whose readers are the user's choice (0666 before the umask).
inline constexpr QFileDevice::Permissions OrdinaryFilePermissions = ExportFilePermissions
    | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;

// The widest permissions of a settings or script file with this text: the
// owner's only when it holds the database password (DBPASSWORD).
QFileDevice::Permissions SettingsFilePermissions(const QString& text);

class WorkFile : public QTemporaryFile {
public:
    explicit WorkFile(const QString& target, QFileDevice::Permissions widest = ExportFilePermissions);
    // The data reaches the disk before the file takes the target's name
    // (settings, backups). Exports skip it: on a large file it costs as much
    // as writing it, and an export can always be made again.
    void setSyncOnCommit(bool sync) { m_sync = sync; }
    // Gives the written file (open, or closed after a writer of its own
    // filled it by name) the target's name; false when it cannot.
    bool commit();
    const QString& target() const { return m_target; }

private:
    QString m_target;
    QFileDevice::Permissions m_widest;
    bool m_sync = false;
};

// Writes `bytes` as the whole file `path` through a work file; false when
// it cannot (an earlier file is then left as it was).
bool WriteWholeFile(const QString& path, const QByteArray& bytes,
                    QFileDevice::Permissions widest = ExportFilePermissions, bool sync = false);

// The name pattern of a work file beside `target` (hidden, in its folder).
QString WorkFilePattern(const QString& target);

// The permissions a new file gets from the user's umask, within `widest`.
QFileDevice::Permissions NewFilePermissions(QFileDevice::Permissions widest);

// Replaces `target` (when there is one) by the file `work` in one step. The
// file keeps the target's permissions, or gets NewFilePermissions, within
// `widest`.
bool ReplaceFile(const QString& work, const QString& target,
                 QFileDevice::Permissions widest = ExportFilePermissions);
