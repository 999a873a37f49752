#pragma once
// The VAT list's criteria from the command line: --tol and --ig as
// "yyyy.mm" (without them, the period the list window proposes today),
// --fizetendo and --levonhato (neither: both sides), --sorrend 0|1.
#include <QDate>
#include <QStringList>
#include <stdexcept>

#include "cli/cli_command.h"
#include "db/dat.h"
#include "reports/afalista.h"

inline AfalistaCriteria AfalistaCriteriaFromArgs(QStringList& args) {
    const AfaPeriod proposed = DefaultAfaPeriod(Td().ceg.value(QStringLiteral("AFAHONAP")).toInt(),
                                                Td().ceg.text(QStringLiteral("AKTUALISEV")).toInt(), QDate::currentDate());
    AfalistaCriteria c;
    c.tol = TakeOption(args, QStringLiteral("--tol"), proposed.tol);
    c.ig = TakeOption(args, QStringLiteral("--ig"), proposed.ig);
    const bool fizetendo = TakeFlag(args, QStringLiteral("--fizetendo"));
    const bool levonhato = TakeFlag(args, QStringLiteral("--levonhato"));
    c.fizetendo = fizetendo || !levonhato;
    c.levonhato = levonhato || !fizetendo;
    const QString sorrend = TakeOption(args, QStringLiteral("--sorrend"), QStringLiteral("0"));
    if (sorrend != QLatin1String("0") && sorrend != QLatin1String("1"))
        throw std::invalid_argument("Hibás sorrend (--sorrend 0 vagy 1).");
    c.sorrend = sorrend.toInt();
    return c;
}
