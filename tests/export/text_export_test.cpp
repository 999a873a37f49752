#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "export/export_source.h"
#include "export/text_export.h"
#include "export_test_support.h"
#include "support/test_db.h"

namespace {

class TextExportDbTest : public CompanyDbTest {
protected:
    QTemporaryDir dir;
};

}  // namespace

TEST_F(TextExportDbTest, RowOfTextAndNumberIsPaddedToTheColumnWidths) {
    Exec(QStringLiteral("create table T_LISTA (NEV varchar(10), ERTEK integer)"));
    Exec(QStringLiteral("insert into T_LISTA values ('Kiss', 1500)"));
    QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select NEV, ERTEK from T_LISTA")),
                           QStringLiteral("q_lista"));
    const QString file = dir.filePath(QStringLiteral("lista.txt"));
    ASSERT_TRUE(ExportToText(rows, file));
    EXPECT_EQ(ReadBytes(file), QByteArray("Kiss" + QByteArray(8, ' ') + QByteArray(6, ' ') + "1500  \r\n"));
}

TEST_F(TextExportDbTest, FailedReadingKeepsTheEarlierFile) {
    Exec(QStringLiteral("create table T_LISTA (ID integer)"));
    for (int id = 0; id < 3; ++id) Exec(QStringLiteral("insert into T_LISTA values (%1)").arg(id));
    const QString file = dir.filePath(QStringLiteral("lista.txt"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("régi");
    }
    // The third row divides by zero: reading fails after two rows.
    QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select 10 / (ID - 2) from T_LISTA order by ID")),
                           QStringLiteral("q_lista"));
    EXPECT_THROW(ExportToText(rows, file), DbError);
    EXPECT_EQ(ReadBytes(file), QByteArray("régi"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("lista.txt")});

    Exec(QStringLiteral("delete from T_LISTA where ID = 2"));
    QueryExportSource good(ExecSql(d_tarvedo, QStringLiteral("select 10 / (ID - 2) from T_LISTA order by ID")),
                           QStringLiteral("q_lista"));
    ASSERT_TRUE(ExportToText(good, file));
    EXPECT_EQ(ReadBytes(file), QByteArray(8, ' ') + "-5  \r\n" + QByteArray(7, ' ') + "-10  \r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("lista.txt")});
}

TEST(TextExport, WidthsLabelsCodePageAndLineBreaks) {
    QTemporaryDir dir;
    MemoryExportSource rows(QStringLiteral("q_partner"));
    rows.addColumn(QStringLiteral("KOD"), QStringLiteral("VARCHAR"), 3);
    rows.addColumn(QStringLiteral("MEGJEGYZES"), QStringLiteral("MEMO"));  // width -1: the label's length
    rows.addColumn(QStringLiteral("BELSO"), QStringLiteral("INTEGER"));
    rows.addColumn(QStringLiteral("OSSZEG"), QStringLiteral("FLOAT"));
    rows.setVisible(2, false);
    rows.addRow({QStringLiteral("Ő1"), QStringLiteral("két\r\nsor"), 9, 12.5});
    rows.addRow({QVariant(), QVariant(), 9, QVariant()});

    const QString file = dir.filePath(QStringLiteral("partner.txt"));
    ASSERT_TRUE(ExportToText(rows, file));
    const QByteArray expected = QByteArray("\xD5" "1   ") + "k\xE9t sor     " + QByteArray(9, ' ')
        + "12" + QByteArray(1, DecimalSeparator() == u',' ? ',' : '.') + "5  \r\n" + QByteArray(5, ' ')
        + QByteArray(12, ' ') + QByteArray(13, ' ') + "  \r\n";
    EXPECT_EQ(ReadBytes(file), expected);
}

TEST(TextExport, EmptyListWritesNothing) {
    QTemporaryDir dir;
    MemoryExportSource rows(QStringLiteral("q_ures"));
    rows.addColumn(QStringLiteral("KOD"), QStringLiteral("VARCHAR"), 3);
    const QString file = dir.filePath(QStringLiteral("ures.txt"));
    EXPECT_FALSE(ExportToText(rows, file));
    EXPECT_FALSE(QFile::exists(file));
}
