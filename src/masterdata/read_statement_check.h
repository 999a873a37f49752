#pragma once
// What a typed statement must be before the general list may run it: a
// plain SELECT (or one beginning with WITH), and none that advances a
// sequence. A read-only transaction is not enough on its own: the engine
// lets it delete MON$ATTACHMENTS rows (cutting other workstations off) and
// advance a sequence with GEN_ID or NEXT VALUE FOR. String literals, quoted
// names and comments are not looked into.
#include <QString>

inline const QString NotAQueryMessage =
    QStringLiteral("Az utasítás nem lekérdezés: csak adatot olvasó SELECT futtatható.");

// Empty when the text may run; otherwise the Hungarian reason.
QString ReadStatementProblem(const QString& sql);
