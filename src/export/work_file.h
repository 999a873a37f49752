#pragma once
// An export file written under a name of its own beside its target, that
// takes the target's name only when it is complete: a failed export leaves
// an earlier file of that name as it was. Unlike QSaveFile it does not wait
// for the disk to confirm the data (an export can always be made again),
// which on a large file costs as much as writing it.
#include <QString>
#include <QTemporaryFile>

class WorkFile : public QTemporaryFile {
public:
    explicit WorkFile(const QString& target);
    // Gives the written file the target's name; false when it cannot.
    bool commit();

private:
    QString m_target;
};

// The name pattern of a work file beside `target` (hidden, in its folder).
QString WorkFilePattern(const QString& target);

// Replaces `target` (when there is one) by the file `work`, which gets the
// target's permissions, or the usual ones.
bool ReplaceFile(const QString& work, const QString& target);
