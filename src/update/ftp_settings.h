#pragma once
// The update server of the installation (address, user, password) as the
// installation record SZISZTEM keeps it: in FTPHOST, FTPUSERID and
// FTPPWDID, each scrambled with the system's text scrambling, which the
// program update undoes when it reads them.
#include <QString>

#include "update/program_update.h"

// The installation record as stored, FTP values unscrambled (empty when not
// set). False, with the message in `error`, when it cannot be read.
bool ReadInstallationRecord(Installation& installation, QString& error);

// Empty when the values can be stored; otherwise the Hungarian reason.
QString FtpSettingsProblem(const UpdateServer& server);

// Stores the server's values, scrambled, into the installation record.
// Empty on success, otherwise the Hungarian reason; nothing is stored then.
QString StoreFtpSettings(const UpdateServer& server);
