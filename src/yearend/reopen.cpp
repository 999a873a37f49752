#include "yearend/reopen.h"

#include "db/dat.h"
#include "db/ui_hooks.h"

namespace {

bool nextYearRegistered() {
    const AppValues& app = Td();
    return SelectValue(d_tarvedosys, QStringLiteral("select count(*) from CEGEK where KOD = :KOD and AKTUALISEV = :EV"),
                       {{QStringLiteral("KOD"), app.ceg.text(QStringLiteral("KOD"))},
                        {QStringLiteral("EV"), QString::number(CompanyYear().toInt() + 1)}})
               .toLongLong() > 0;
}

}  // namespace

QString CompanyYear() { return Td().ceg.text(QStringLiteral("AKTUALISEV")).trimmed(); }

bool YearIsClosed() { return Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() != QLatin1String("I"); }

QString NextYearRecomputeNote() {
    if (!nextYearRegistered()) return {};
    return QStringLiteral("A módosítások után a következő év nyitó tételeit újra kell számolni (Év zárása: "
                          "\"Csak a nyitó tételek újraszámolása meglévő adatbázisban\").");
}

void ReopenYear() {
    AppValues& app = Td();
    const QString kod = app.ceg.text(QStringLiteral("KOD"));
    const QString year = app.ceg.text(QStringLiteral("AKTUALISEV"));
    ExecSql(d_tarvedo, QStringLiteral("Update CEG Set NYITVA = 'I'"));
    // q_ceg again, on the row the program worked with.
    db1AfterConnect();
    app.ceg.moveTo(kod, year);
}

bool ReopenYearAsking() {
    if (!YearIsClosed()) {
        ShowMessage(QStringLiteral("Az év nincs lezárva."));
        return false;
    }
    const QString note = NextYearRecomputeNote();
    QString question = QStringLiteral("Újranyitja a lezárt %1. évet?").arg(CompanyYear());
    if (!note.isEmpty()) question += u'\n' + note;
    if (AskDialog(question, 0, {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0) return false;
    ReopenYear();
    ShowMessage(note.isEmpty() ? QStringLiteral("Az év újra nyitva.") : QStringLiteral("Az év újra nyitva.\n") + note);
    return true;
}
