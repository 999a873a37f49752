// report vevo|szallito [--tol D --ig D --ftol D --fig D --ugyfel K --szamla SZ] [--allapot 0..4]:
// the customer and supplier ledgers (the arrears against the control
// account's balance on standard output when the list ties out with it); report egyenlegkozlo [--datum D]
// [--ugyfel K] [--osszesito]: the balance confirmation letters.
#include <cstdio>
#include <stdexcept>

#include "cli/cli_command.h"
#include "cli/report_command.h"
#include "db/altproc.h"
#include "db/dat.h"
#include "reports/egyenleg.h"
#include "reports/egyenlegkozlo.h"
#include "reports/fregyenleg.h"
#include "reports/fregyenlegkozlo.h"

namespace {

QString opt(QStringList& args, const char* flag) { return TakeOption(args, QString::fromLatin1(flag)); }

void checkDate(const QString& value, const char* flag) {
    if (!value.isEmpty() && !DateValid(value, false))
        throw std::invalid_argument(QStringLiteral("Hibás dátum (%1): %2").arg(QLatin1String(flag), value).toStdString());
}

QString date(QStringList& args, const char* flag) {
    const QString value = opt(args, flag).trimmed();
    checkDate(value, flag);
    return value;
}

PreparedReport ledger(PartnerSide side, QStringList& args) {
    EgyenlegCriteria c;
    c.teljkeltTol = date(args, "--tol");
    c.teljkeltIg = date(args, "--ig");
    c.fizhatidoTol = date(args, "--ftol");
    c.fizhatidoIg = date(args, "--fig");
    c.ugyfelkod = opt(args, "--ugyfel");
    c.szamlaszam = opt(args, "--szamla");
    const QString allapot = TakeOption(args, QStringLiteral("--allapot"), QString::number(NemKiegyenlitett));
    bool ok = false;
    c.szamlajel = allapot.toInt(&ok);
    if (!ok || c.szamlajel < Kiegyenlitett || c.szamlajel > Mind)
        throw std::invalid_argument(
            QStringLiteral("Hibás számlatípus (--allapot): %1; 0 kiegyenlített, 1 nem kiegyenlített, 2 határidőn túl "
                           "kiegyenlített, 3 részben kiegyenlített, 4 mind")
                .arg(allapot)
                .toStdString());
    const EgyenlegRun run = RunEgyenleg(side, c);
    PreparedReport p{run, {}, EgyenlegNoData};
    p.layout = Fregyenleg(side, EgyenlegCaption(side), run.whivparam, run.controlBalance);
    // The tie-out with the control account, as the printed list ends.
    if (run.controlBalance) {
        const double arrears = EgyenlegArrears(run.table);
        std::printf("Hátralék: %.0f  Főkönyvi egyenleg (%s): %.0f  Eltérés: %.0f\n", arrears,
                    qPrintable(side == PartnerSide::Suppliers ? Td().SzSzla : Td().VeSzla), *run.controlBalance,
                    arrears - *run.controlBalance);
    }
    return p;
}

const QString LedgerOptions = QStringLiteral("[--tol D] [--ig D] [--ftol D] [--fig D] [--ugyfel K] [--szamla SZ] [--allapot 0..4]");

const bool vevoRegistered = RegisterCliReport(
    {QStringLiteral("vevo"), LedgerOptions, [](QStringList& args) { return ledger(PartnerSide::Customers, args); }});
const bool szallitoRegistered = RegisterCliReport(
    {QStringLiteral("szallito"), QString(), [](QStringList& args) { return ledger(PartnerSide::Suppliers, args); }});

const bool egyenlegkozloRegistered = RegisterCliReport(
    {QStringLiteral("egyenlegkozlo"), QStringLiteral("[--datum D] [--osszesito]"), [](QStringList& args) {
         EgyenlegkozloCriteria c;
         // The window proposes today; a later date is today too.
         const QString datum = date(args, "--datum");
         c.datum = EgyenlegkozloDate(datum.isEmpty() ? DateToText() : datum);
         c.ugyfelkod = opt(args, "--ugyfel");
         c.osszesito = TakeFlag(args, QStringLiteral("--osszesito"));
         PreparedReport p{RunEgyenlegkozlo(c), {}};
         p.layout = Fregyenlegkozlo(c);
         return p;
     }});

}  // namespace
