// Master-data rows whose codes ledger items use are not deleted.
#include <QSqlField>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "masterdata/ledger_usage.h"
#include "support/test_db.h"

namespace {

using LedgerUsageTest = CompanyDbTest;

QSqlRecord Row(const QString& column, const QString& value) {
    QSqlRecord record;
    record.append(QSqlField(column, QMetaType(QMetaType::QString)));
    record.setValue(column, value);
    return record;
}

TEST_F(LedgerUsageTest, CountsTheItemsThatUseACode) {
    // Three items: 912 on both sides, partner S00001, journal type VV,
    // VAT code 27, cost centre K1, currency EUR.
    for (const char* values : {"('2500001', '912', '311', 'VV', 'S00001', '27', 'K1', 'EUR')",
                               "('2500002', '384', '912', 'VV', 'S00001', '', '', '')",
                               "('2500003', '384', '311', 'BK', '', '', '', '')"})
        Exec(QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, NTIPUS, UGYFELKOD, AFAKULCS, KTSGHELY, DEVIZANEM, "
                            "KONYVBIZ, KAPOCS, ERTEK) values ") +
             QString::fromLatin1(values).replace(QLatin1String(")"), QLatin1String(", '1', '001', 1)")));
    const struct {
        const char* table;
        const char* column;
        const char* code;
        int items;
    } cases[] = {
        {"SZ_TUKOR", "SZLA", "912", 2},  {"SZ_TUKOR", "SZLA", "384", 2},    {"SZ_TUKOR", "SZLA", "999", 0},
        {"UGYFEL", "KOD", "S00001", 2},  {"SZ_NTIP", "KOD", "VV", 2},       {"sz_ntip", "KOD", "BK", 1},
        {"SZ_ADO", "KOD", "27", 1},      {"SZ_KTSGHELY", "KOD", "K1", 1},   {"SZ_DEVIZA", "KOD", "EUR", 1},
        {"SZ_DEVIZA", "KOD", "USD", 0},  {"SZ_JUZER", "KOD", "VV", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LedgerItemsUsing(d_tarvedo, QLatin1String(c.table), Row(QLatin1String(c.column), QLatin1String(c.code))),
                  c.items)
            << c.table << " " << c.code;
    EXPECT_EQ(UsedCodeMessage(QStringLiteral("912 "), 492),
              QStringLiteral("A(z) „912” kódot 492 könyvelési tétel használja, ezért nem törölhető."));
}

}  // namespace
