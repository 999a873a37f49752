#include "renumber.h"

#include <QSqlError>
#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/sequence.h"

namespace {

// Marks the rows "#1", "#2", ... in the order of q_sorszamoz. A row is
// reached by its DB_KEY, which stays inside the block.
const QString kMarkRows = QStringLiteral(
    "EXECUTE BLOCK RETURNS (N INTEGER) AS\n"
    "DECLARE K CHAR(8) CHARACTER SET OCTETS;\n"
    "BEGIN\n"
    "  N = 0;\n"
    "  FOR Select RDB$DB_KEY\n"
    "      From TETEL\n"
    "      Order By sorszam ,ertek desc\n"
    "      INTO :K DO\n"
    "  BEGIN\n"
    "    N = N + 1;\n"
    "    UPDATE TETEL SET SORSZAM = '#' || :N WHERE RDB$DB_KEY = :K;\n"
    "  END\n"
    "  SUSPEND;\n"
    "END");

}  // namespace

int RenumberItems() {
    DbTransaction transaction(d_tarvedo);
    QSqlQuery mark(Connection(d_tarvedo));
    mark.setForwardOnly(true);
    if (!mark.exec(kMarkRows)) throw DbError(mark.lastError(), kMarkRows);
    const int rows = NextRow(mark) ? mark.value(0).toInt() : 0;
    mark.finish();

    // The numbers are taken as one block, apart from this transaction: no
    // other workstation waits for the counter while the items are rewritten.
    const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
    const qlonglong first = rows > 0 ? ReserveSequenceBlock(d_tarvedo, QStringLiteral("SORSZAM"), year, rows) : 0;
    const QString qu_sorszam = QStringLiteral("update tetel set sorszam=:SORSZAM2\nwhere sorszam=:SORSZAM");
    for (int i = 1; i <= rows; ++i) {
        ExecSql(d_tarvedo, qu_sorszam,
                {{QStringLiteral("SORSZAM2"), SequenceNumberText(year, first + i - 1)},
                 {QStringLiteral("SORSZAM"), QStringLiteral("#%1").arg(i)}});
    }
    transaction.commit();
    return rows;
}
