#include "rights.h"

#include "db/dat.h"

bool JogVan(const QString& rightCode) {
    const QString code = rightCode.trimmed().toUpper();
    if (code == QLatin1String("X")) return false;
    const QString mine = Td().CurrentRights.trimmed().toUpper();
    if (mine.isEmpty() || code.isEmpty() || mine.contains(QLatin1Char('W'))) return true;
    for (QChar c : code)
        if (mine.contains(c)) return true;
    return false;
}
