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

// Writes a backup of the database at `address` into `fbkFile` (readable by
// its owner only). Returns an empty text on success, otherwise the reason in
// Hungarian. The file is written under a temporary name beside it and takes
// its name only when complete: a failed backup leaves an earlier file of
// that name as it was.
QString BackupDatabase(const QString& address, const QString& fbkFile, const FbCredentials& credentials,
                       const BackupOptions& options = {});

// Makes the database at `address` from the backup `fbkFile`, replacing a
// database of that name only when `replace` is set (and nobody uses it).
// Returns an empty text on success, otherwise the reason in Hungarian with
// the engine's words as a detail.
//
// The database is restored under a temporary name beside the target and
// checked (the restore finished, the database opens and is online, its
// tables are there) before the target is touched; any failure removes the
// temporary database and leaves the target as it was. When this workstation
// sees the target's folder (a local file, or a server on this machine or on
// a shared folder) the checked database takes the target's place by one
// rename. When only the server sees it, the backup, now proved whole, is
// restored once more under the target's own name and the temporary one is
// dropped.
QString RestoreDatabase(const QString& fbkFile, const QString& address, const FbCredentials& credentials,
                        bool replace, const BackupStep& step = {});

// A database made from the current one without the rows of `skipData`:
// backup into a work file beside nothing of the user's, then restore.
QString CopyDatabase(const QString& source, const QString& target, const FbCredentials& credentials,
                     const BackupOptions& options = {});

// The proposed backup file of the open company: the working directory,
// "MENTES_" + company code + "_" + year + "_" + the moment + ".fbk".
QString ProposedBackupFile();
