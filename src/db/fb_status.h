#pragma once
// Reading the status vector the Firebird client library fills on failure.
#include <QString>

#include <ibase.h>

// The engine's messages, joined; "Firebird error" when it gave none.
QString FbStatusText(const ISC_STATUS* status);

// Whether the call failed.
inline bool FbFailed(const ISC_STATUS* status) { return status[0] == 1 && status[1] != 0; }

// Whether one of the error codes of the vector is `code` (an isc_ code).
bool FbStatusHas(const ISC_STATUS* status, ISC_STATUS code);
