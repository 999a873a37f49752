#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/app_conventions.h"
#include "db/cp1250.h"
#include "db/dat.h"
#include "export/export_source.h"
#include "export/sql_export.h"
#include "export_test_support.h"
#include "support/test_db.h"

namespace {

// The workstation's decimal separator for one test.
class DecimalSeparatorFor {
public:
    explicit DecimalSeparatorFor(QChar separator) : m_saved(DecimalSeparator()) { SetDecimalSeparator(separator); }
    ~DecimalSeparatorFor() { SetDecimalSeparator(m_saved); }

private:
    QChar m_saved;
};

QStringList ScriptLines(const QString& path) {
    QStringList lines = DecodeCp1250(ReadBytes(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// The statements of a script: lines up to the one that ends a statement.
QStringList ScriptStatements(const QString& path) {
    QStringList statements;
    QString current;
    for (const QString& line : ScriptLines(path)) {
        current += current.isEmpty() ? line : u'\n' + line;
        if (line.endsWith(u';')) {
            statements << current;
            current.clear();
        }
    }
    return statements;
}

class SqlExportDbTest : public CompanyDbTest {
protected:
    QTemporaryDir dir;
};

}  // namespace

TEST(SqlExport, TextsAreQuotedNumbersHaveAPointNullsAreLeftOut) {
    DecimalSeparatorFor comma(u',');
    QTemporaryDir dir;
    MemoryExportSource rows(QStringLiteral("q_partner"));
    rows.addColumn(QStringLiteral("NEV"), QStringLiteral("VARCHAR"), 30);
    rows.addColumn(QStringLiteral("ERTEK"), QStringLiteral("FLOAT"));
    rows.addColumn(QStringLiteral("DB"), QStringLiteral("INTEGER"));
    rows.addColumn(QStringLiteral("MEGJ"), QStringLiteral("VARCHAR"), 20);
    rows.addColumn(QStringLiteral("ARANY"), QStringLiteral("FLOAT"));
    rows.addRow({QStringLiteral("O'Neil /*x*/"), 1234.5, 7, QVariant(), 0.12345});
    rows.addRow({QStringLiteral("Ügyfél //**"), QStringLiteral("1234,5"), QVariant(), QStringLiteral(""), -2.0});

    const QString file = dir.filePath(QStringLiteral("partner.sql"));
    ASSERT_TRUE(ExportToSql(rows, file, QStringLiteral("UGYFEL"), false, false));
    EXPECT_EQ(ScriptLines(file),
              (QStringList{QStringLiteral("Insert Into UGYFEL (NEV,ERTEK,DB,ARANY) Values ('O''Neil x',1234.5,7,0.123);"),
                           QStringLiteral("Insert Into UGYFEL (NEV,ERTEK,MEGJ,ARANY) Values ('Ügyfél ',1234.5,'',-2);")}));
}

TEST(SqlExport, TargetTableFromTheStatement) {
    struct Case {
        const char* statement;
        const char* table;
    };
    for (const Case& c : {Case{"select * from tetel where SZLA like '3%'", "TETEL"},
                          Case{"SELECT *\nFROM\nTMP_KARTON_1 order by SZLA\n", "TMP_KARTON_1"},
                          Case{"  select a.KOD, b.NEV\n  from ugyfel a, sz_tukor b", "UGYFEL"},
                          Case{"select * from SZ_NTIP;", "SZ_NTIP"}, Case{"select 1 as x", ""}})
        EXPECT_EQ(SqlTableFromStatement(QString::fromUtf8(c.statement)), QString::fromUtf8(c.table)) << c.statement;

    MemoryExportSource built(QStringLiteral("q_egyenleg"));
    EXPECT_EQ(SqlTargetTable(built, QString()), QStringLiteral("q_egyenleg"));
    EXPECT_EQ(SqlTargetTable(built, QStringLiteral("EGYENLEG")), QStringLiteral("EGYENLEG"));
}

TEST(SqlExport, LongStatementsAreBrokenBetweenNamesAndValues) {
    QTemporaryDir dir;
    MemoryExportSource rows(QStringLiteral("q_szeles"));
    QVariantList values;
    QStringList names, literals;
    for (int i = 0; i < 60; ++i) {
        const QString name = QStringLiteral("OSZLOP_%1").arg(i, 3, 10, QLatin1Char('0'));
        rows.addColumn(name, QStringLiteral("VARCHAR"), 40);
        const QString value = QStringLiteral("érték %1 ").arg(i) + QString(25, u'x');
        values << value;
        names << name;
        literals << u'\'' + value + u'\'';
    }
    values[59] = QString(1100, u'y');  // longer than a line by itself
    literals[59] = u'\'' + QString(1100, u'y') + u'\'';
    rows.addRow(values);

    const QString file = dir.filePath(QStringLiteral("szeles.sql"));
    ASSERT_TRUE(ExportToSql(rows, file, QStringLiteral("SZELES"), false, false));
    const QStringList lines = ScriptLines(file);
    ASSERT_GT(lines.size(), 2);
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) EXPECT_LE(lines.at(i).size(), 1022) << i;
    EXPECT_EQ(lines.join(QString()), QStringLiteral("Insert Into SZELES (") + names.join(u',') + QStringLiteral(") Values (")
                                         + literals.join(u',') + QStringLiteral(");"));
}

TEST_F(SqlExportDbTest, ScriptLoadsTheSameRowsBack) {
    DecimalSeparatorFor comma(u',');
    const QString columns = QStringLiteral("(KOD varchar(7), NEV varchar(40), ERTEK double precision, "
                                           "TORT numeric(15,2), DB integer, JEL char(3), MEGJ blob sub_type 1)");
    Exec(QStringLiteral("create table T_FORRAS ") + columns);
    Exec(QStringLiteral("create table T_CEL ") + columns);
    Exec(QStringLiteral("insert into T_FORRAS values ('A1', 'O''Neil \"Árvíztűrő\"', 1234.5, 12.34, 3, 'IG', 'Első sor')"));
    Exec(QStringLiteral("insert into T_FORRAS (KOD, ERTEK) values ('B2', -0.125)"));

    QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select * from T_FORRAS order by KOD")),
                           QStringLiteral("q_forras"));
    const QString file = dir.filePath(QStringLiteral("forras.sql"));
    ASSERT_TRUE(ExportToSql(rows, file, QString(), false, false));
    const QStringList statements = ScriptStatements(file);
    ASSERT_EQ(statements.size(), 2);
    EXPECT_EQ(statements.at(0), QStringLiteral("Insert Into T_FORRAS (KOD,NEV,ERTEK,TORT,DB,JEL,MEGJ) Values "
                                               "('A1','O''Neil \"Árvíztűrő\"',1234.5,12.34,3,'IG ','Első sor');"));
    EXPECT_EQ(statements.at(1), QStringLiteral("Insert Into T_FORRAS (KOD,ERTEK) Values ('B2',-0.125);"));

    for (QString statement : statements) {
        statement.replace(QStringLiteral("Insert Into T_FORRAS"), QStringLiteral("Insert Into T_CEL"));
        statement.chop(1);  // the statement runs without its ";"
        Exec(statement);
    }
    const auto dump = [](const char* table) {
        QueryExportSource rows(
            ExecSql(d_tarvedo, QStringLiteral("select * from %1 order by KOD").arg(QLatin1String(table))),
            QStringLiteral("q_dump"));
        QStringList lines;
        for (bool more = rows.first(); more; more = rows.next()) {
            QStringList values;
            for (int i = 0; i < rows.columns().size(); ++i)
                values << (rows.value(i).isNull() ? QStringLiteral("<null>") : ExportValueText(rows.value(i)));
            lines << values.join(u'|');
        }
        return lines;
    };
    EXPECT_EQ(dump("T_CEL"), dump("T_FORRAS"));
    EXPECT_EQ(dump("T_CEL"), (QStringList{QStringLiteral("A1|O'Neil \"Árvíztűrő\"|1234,5|12,34|3|IG |Első sor"),
                                          QStringLiteral("B2|<null>|-0,125|<null>|<null>|<null>|<null>")}));
}
TEST_F(SqlExportDbTest, DeleteFirstAndAppend) {
    Exec(QStringLiteral("create table T_KOD (KOD varchar(7))"));
    Exec(QStringLiteral("insert into T_KOD values ('X')"));
    const QString file = dir.filePath(QStringLiteral("kod.sql"));
    {
        QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select KOD from T_KOD")), QStringLiteral("q_kod"));
        ASSERT_TRUE(ExportToSql(rows, file, QString(), true, false));
    }
    Exec(QStringLiteral("update T_KOD set KOD = 'Y'"));
    {
        QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select KOD from T_KOD")), QStringLiteral("q_kod"));
        ASSERT_TRUE(ExportToSql(rows, file, QString(), false, true));
    }
    EXPECT_EQ(ScriptLines(file), (QStringList{QStringLiteral("Delete From T_KOD;"),
                                              QStringLiteral("Insert Into T_KOD (KOD) Values ('X');"),
                                              QStringLiteral("Insert Into T_KOD (KOD) Values ('Y');")}));
    {
        // Without the append flag the file starts anew.
        QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select KOD from T_KOD")), QStringLiteral("q_kod"));
        ASSERT_TRUE(ExportToSql(rows, file, QString(), false, false));
    }
    EXPECT_EQ(ScriptLines(file), (QStringList{QStringLiteral("Insert Into T_KOD (KOD) Values ('Y');")}));

    // No rows: nothing is written, not even the delete line.
    Exec(QStringLiteral("delete from T_KOD"));
    const QString empty = dir.filePath(QStringLiteral("ures.sql"));
    QueryExportSource none(ExecSql(d_tarvedo, QStringLiteral("select KOD from T_KOD")), QStringLiteral("q_kod"));
    EXPECT_FALSE(ExportToSql(none, empty, QString(), true, false));
    EXPECT_FALSE(QFile::exists(empty));
}
