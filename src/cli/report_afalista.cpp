// report afalista --tol YYYY.MM --ig YYYY.MM [--fizetendo] [--levonhato]
// [--sorrend 0|1] [--osszesito]: the VAT list, by VAT account (0) or by
// ledger voucher (1); --osszesito prints the totals only.
#include "cli/afalista_args.h"
#include "cli/report_command.h"
#include "reports/frafa.h"
#include "reports/frafa2.h"

namespace {

const bool registered = RegisterCliReport(
    {QStringLiteral("afalista"),
     QStringLiteral("[--tol ÉÉÉÉ.HH] [--ig ÉÉÉÉ.HH] [--fizetendo] [--levonhato] [--sorrend 0|1] [--osszesito]"),
     [](QStringList& args) {
         const AfalistaCriteria c = AfalistaCriteriaFromArgs(args);
         const bool teteles = !TakeFlag(args, QStringLiteral("--osszesito"));
         static AfalistaMemory memory;
         PreparedReport p;
         p.run = RunAfalista(c, memory).run;
         p.emptyMessage = AfaNoData;
         const AfaLayoutTexts texts{AfaPeriodLabel(c), AfaOrderLabel(c.sorrend), teteles};
         p.layout = c.sorrend == AfaByVoucher ? Frafa2(texts, AfaTableRates(p.run.table)) : Frafa(texts);
         return p;
     }});

}  // namespace
