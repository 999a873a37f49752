#pragma once
// Backup and restore of a company database through the engine's services
// manager, the same for a local file (embedded engine) and a "server:path"
// address. The backup file is always on this workstation: the engine
// streams it to us and reads it back from us, so a server needs no access
// to our folders and we need none to its.
#include <QString>
#include <functional>

struct FbCredentials;

// Bytes done and, when known, bytes in all (0: unknown).
using BackupStep = std::function<void(qint64 done, qint64 total)>;

struct BackupOptions {
    // Tables whose rows are left out (a SIMILAR TO pattern of table names,
    // for example "TETEL|FORGALOM"); their definitions are kept.
    QString skipData;
    BackupStep step;
};

// Writes a backup of the database at `address` into `fbkFile`. Returns an
// empty text on success, otherwise the reason in Hungarian; a failed backup
// leaves no file behind.
QString BackupDatabase(const QString& address, const QString& fbkFile, const FbCredentials& credentials,
                       const BackupOptions& options = {});

// Makes the database at `address` from the backup `fbkFile`, replacing a
// database file of that name when `replace` is set (it must not be in
// use). Returns an empty text on success, otherwise the reason.
QString RestoreDatabase(const QString& fbkFile, const QString& address, const FbCredentials& credentials,
                        bool replace, const BackupStep& step = {});

// A database made from the current one without the rows of `skipData`:
// backup into a work file beside nothing of the user's, then restore.
QString CopyDatabase(const QString& source, const QString& target, const FbCredentials& credentials,
                     const BackupOptions& options = {});

// The proposed backup file of the open company: the working directory,
// "MENTES_" + company code + "_" + year + "_" + the moment + ".fbk".
QString ProposedBackupFile();
