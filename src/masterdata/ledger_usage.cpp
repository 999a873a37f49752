#include "ledger_usage.h"

#include <QSqlQuery>

#include "db/dat.h"

namespace {

struct Reference {
    const char* table;
    const char* keyColumn;
    const char* condition;  // on TETEL, with the code bound as :kod
};

const Reference kReferences[] = {
    {"SZ_TUKOR", "SZLA", "SZLA = :kod or ESZLA = :kod"},
    {"UGYFEL", "KOD", "UGYFELKOD = :kod"},
    {"SZ_NTIP", "KOD", "NTIPUS = :kod"},
    {"SZ_ADO", "KOD", "AFAKULCS = :kod"},
    {"SZ_KTSGHELY", "KOD", "KTSGHELY = :kod"},
    {"SZ_DEVIZA", "KOD", "DEVIZANEM = :kod"},
};

}  // namespace

int LedgerItemsUsing(const QString& connection, const QString& table, const QSqlRecord& row) {
    for (const Reference& reference : kReferences) {
        if (table.compare(QLatin1String(reference.table), Qt::CaseInsensitive) != 0) continue;
        const QString code = row.value(QLatin1String(reference.keyColumn)).toString();
        if (code.isEmpty()) return 0;
        return SelectValue(connection,
                           QStringLiteral("select count(*) from TETEL where ") + QLatin1String(reference.condition),
                           {{QStringLiteral("kod"), code}})
            .toInt();
    }
    return 0;
}

QString UsedCodeMessage(const QString& code, int items) {
    return QStringLiteral("A(z) „%1” kódot %2 könyvelési tétel használja, ezért nem törölhető.")
        .arg(code.trimmed())
        .arg(items);
}
