// The next year after a closing and after each recompute: its turnover
// table equals its items, and a trial balance of its first quarter holds
// every opening item, the same whether customers and suppliers were opened
// by balance or invoice by invoice.
#include "reports/fokiv.h"
#include "support/turnover_sums.h"
#include "yearend/evzaro.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

// "account debit credit" of the analytic accounts the opening touches.
QStringList FirstQuarter() {
    FokivCriteria criteria;
    criteria.datumTol = QStringLiteral("2026.01.01");
    criteria.datumIg = QStringLiteral("2026.03.31");
    const QStringList accounts{QStringLiteral("261"), QStringLiteral("311"), QStringLiteral("381"),
                               QStringLiteral("384"), QStringLiteral("454"), QStringLiteral("491")};
    QStringList lines;
    for (const FokivRow& row : ComputeFokiv(criteria))
        if (accounts.contains(row.szla.trimmed()))
            lines << QStringLiteral("%1 %2 %3").arg(row.szla.trimmed()).arg(row.tartErt, 0, 'f', 0).arg(row.kovErt, 0, 'f', 0);
    return lines;
}

TEST(NextYear, TurnoversAndTheFirstQuarterAfterEveryClosing) {
    WorkingCopy copy(0);
    copy.open();
    ExecSql(d_tarvedo, QStringLiteral("delete from TETEL"));
    ExecSql(d_tarvedo, QStringLiteral("delete from FORGALOM"));
    // A-1 of 10 000 with 4 000 paid stays open with 6 000; A-3 is paid in
    // full; B-1 of 8 000 is unpaid; 1 000 in the cash box.
    const auto row = [](const char* szla, const char* eszla, double ertek, const char* ntipus, const char* ugyfelkod,
                        const char* szamlaszam, const char* konyvbiz) {
        return Row{QLatin1String(szla), QLatin1String(eszla), ertek, QLatin1String(ntipus), QLatin1String(ugyfelkod),
                   QLatin1String(szamlaszam), QLatin1String(konyvbiz)};
    };
    Post({row("311", "911", 10000, "VE", "V1", "A-1", "VE1"), row("384", "311", 4000, "BK", "V1", "A-1", "BK1"),
          row("311", "911", 3000, "VE", "V2", "A-3", "VE2"), row("384", "311", 3000, "BK", "V2", "A-3", "BK2"),
          row("261", "454", 8000, "SZ", "S1", "B-1", "SZ1"), row("381", "911", 1000, "PT", "", "", "PT1")});
    // 491 is credited 8 000 + 6 000 + 1 000 + 7 000 and debited 8 000 against 454.
    const QStringList expected{QStringLiteral("261 8000 0"), QStringLiteral("311 6000 0"),    QStringLiteral("381 1000 0"),
                               QStringLiteral("384 7000 0"), QStringLiteral("454 0 8000"), QStringLiteral("491 8000 22000")};

    struct Run {
        ClosingKind kind;
        bool teteles;
    } runs[] = {{ClosingKind::NewDatabase, false},
                {ClosingKind::RecomputeExisting, true},
                {ClosingKind::RecomputeExisting, false},
                {ClosingKind::NewDatabase, true},
                {ClosingKind::RecomputeExisting, true}};
    std::vector<FokivRow> first;
    for (const Run& r : runs) {
        SCOPED_TRACE(testing::Message() << "kind " << int(r.kind) << (r.teteles ? ", by invoice" : ", by balance"));
        EvzaroParams params;
        params.zardatum = EvzaroDefaultsForCompany().zardatum;
        params.path = copy.dir() + QStringLiteral("/2026");
        params.name = QStringLiteral("TARVEDO_MINTA_2026.GDB");
        params.kind = r.kind;
        params.teteles = r.teteles;
        const EvzaroResult result = RunEvzaro(params);
        ASSERT_TRUE(result.ok) << result.error.toStdString();

        // The next year opened as the program opens it.
        ASSERT_TRUE(DbConnect(d_tarvedo, result.nextAddress));
        EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
        EXPECT_EQ(FirstQuarter(), expected);
        FokivCriteria all;
        all.datumTol = QStringLiteral("2026.01.01");
        all.datumIg = QStringLiteral("2026.03.31");
        const std::vector<FokivRow> rows = ComputeFokiv(all);
        if (first.empty()) first = rows;
        EXPECT_EQ(rows, first) << "the whole trial balance differs from the first closing's";
        copy.open();
    }
}

}  // namespace
