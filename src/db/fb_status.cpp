#include "fb_status.h"

QString FbStatusText(const ISC_STATUS* status) {
    QString text;
    char buffer[512];
    const ISC_STATUS* cursor = status;
    while (fb_interpret(buffer, sizeof buffer, &cursor)) {
        if (!text.isEmpty()) text += QLatin1String(" - ");
        text += QString::fromUtf8(buffer);
    }
    return text.isEmpty() ? QStringLiteral("Firebird error") : text;
}

bool FbStatusHas(const ISC_STATUS* status, ISC_STATUS code) {
    // Clusters of (argument kind, value); a string argument with its
    // length takes one more slot.
    for (const ISC_STATUS* at = status; *at != isc_arg_end;) {
        const ISC_STATUS kind = at[0];
        if (kind == isc_arg_gds && at[1] == code) return true;
        at += kind == isc_arg_cstring ? 3 : 2;
    }
    return false;
}
