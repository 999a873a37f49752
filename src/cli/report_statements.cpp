// report eredmeny [--nulla-nelkul] --out FILE and report merleg --out FILE:
// the income statement and the balance sheet over the whole trial balance
// (no criteria, as the trial balance window stands at program start).
#include "cli/cli_command.h"
#include "cli/report_command.h"
#include "db/dat.h"
#include "reports/eredmeny.h"
#include "reports/freredmeny.h"
#include "reports/merleg.h"

namespace {

// The trial balance table of the run, shared by both statements as the
// trial balance window's is.
ResultTable& fokivTable() {
    static ResultTable table;
    return table;
}

const bool eredmenyRegistered = RegisterCliReport(
    {QStringLiteral("eredmeny"), QStringLiteral("[--nulla-nelkul]"), [](QStringList& args) {
         const bool nullaNelkul = TakeFlag(args, QStringLiteral("--nulla-nelkul"));
         PreparedReport p{RunEredmeny(FokivCriteria{}, fokivTable(), true, nullaNelkul), {}};
         p.layout = Freredmeny(EredmenyTitle());
         return p;
     }});

const bool merlegRegistered = RegisterCliReport({QStringLiteral("merleg"), QString(), [](QStringList&) {
    // The profit line needs the income statement of this run.
    if (Td().IncomeResult == 0) ComputeEredmeny(FokivCriteria{}, fokivTable());
    PreparedReport p{RunMerleg(FokivCriteria{}, fokivTable(), true), {}};
    p.layout = Freredmeny(MerlegTitle());
    return p;
}});

}  // namespace
