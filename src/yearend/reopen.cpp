#include "yearend/reopen.h"

#include "db/dat.h"

void ReopenYear() {
    AppValues& app = Td();
    const QString kod = app.ceg.text(QStringLiteral("KOD"));
    const QString year = app.ceg.text(QStringLiteral("AKTUALISEV"));
    ExecSql(d_tarvedo, QStringLiteral("Update CEG Set NYITVA = 'I'"));
    // q_ceg again, on the row the program worked with.
    db1AfterConnect();
    app.ceg.moveTo(kod, year);
}
