#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "db/db_error.h"
#include "export/export_source.h"
#include "support/test_db.h"

namespace {

class QueryExportSourceTest : public CompanyDbTest {
protected:
    // Rows of every column type, some NULL; more rows than one batch of
    // rows read ahead.
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec(QStringLiteral(
            "create table T_MIND (ID integer not null, NEV varchar(20), JEL char(3), KIS smallint, "
            "NAGY bigint, TORT numeric(15,2), TORT4 numeric(18,4), KIS_TORT numeric(4,1), ERTEK double precision, "
            "LEBEGO float, DATUM date, IDO time, IDOPONT timestamp, IGAZ boolean)"));
        // Run as it stands: the block's own ":i" are no parameters.
        QSqlQuery block(Connection(d_tarvedo));
        ASSERT_TRUE(block.exec(QStringLiteral(
            "execute block as declare i integer = 0; begin while (i < 700) do begin "
            "insert into T_MIND values (:i, iif(mod(:i, 7) = 0, null, 'Név ' || :i || ' ő'), "
            "iif(mod(:i, 5) = 0, null, 'É'), mod(:i, 300) - 150, 5000000000 * :i, :i * 1.25 - 300, "
            "-:i / 7.0, mod(:i, 100) / 10.0, :i / 3.0, iif(mod(:i, 3) = 0, null, :i / 8.0), "
            "dateadd(:i day to date '2024-02-27'), dateadd(:i * 61 second to time '08:00:00'), "
            "dateadd(:i * 3601 second to timestamp '2024-12-31 22:00:00'), mod(:i, 2) = 0); "
            "i = i + 1; end end")))
            << block.lastError().text().toStdString();
    }
    static QString statement() { return QStringLiteral("select * from T_MIND order by ID"); }
};

// The rows as the driver gives them, one at a time.
QList<QVariantList> DriverRows(const QString& sql) {
    QSqlQuery query(Connection(d_tarvedo));
    query.setForwardOnly(true);
    EXPECT_TRUE(query.exec(sql));
    QList<QVariantList> rows;
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList values;
        for (int c = 0; c < columns; ++c) values << query.value(c);
        rows << values;
    }
    return rows;
}

// The rows as the source gives them; a text it also gives in UTF-8 must
// be the same text.
QList<QVariantList> SourceRows(QueryExportSource& source) {
    QList<QVariantList> rows;
    for (bool more = source.first(); more; more = source.next()) {
        QVariantList values;
        for (int c = 0; c < source.columns().size(); ++c) {
            values << source.value(c);
            std::string_view utf8;
            if (source.textUtf8(c, utf8)) {
                EXPECT_EQ(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), values.last().toString())
                    << rows.size() << "/" << c;
            }
        }
        rows << values;
    }
    return rows;
}

}  // namespace

TEST_F(QueryExportSourceTest, RowsReadAheadAreTheDriversRows) {
    const QList<QVariantList> expected = DriverRows(statement());
    ASSERT_EQ(expected.size(), 700);
    QueryExportSource source(ExecSql(d_tarvedo, statement()), QStringLiteral("q_mind"));
    const QList<QVariantList> rows = SourceRows(source);
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows.at(r).size(); ++c) {
            const QVariant& got = rows.at(r).at(c);
            QVariant want = expected.at(r).at(c);
            if (c == 2 && !want.isNull()) want = want.toString().left(3);  // char(3): its characters only
            ASSERT_EQ(got.isNull(), want.isNull()) << r << "/" << c;
            ASSERT_EQ(got.metaType(), want.metaType()) << r << "/" << c;
            ASSERT_EQ(got, want) << r << "/" << c << ": " << got.toString().toStdString();
        }
    }
    // Read to the end once, the statement runs again from its first row.
    EXPECT_EQ(SourceRows(source).size(), 700);
    // Starting again before reading on keeps the first row where it is.
    ASSERT_TRUE(source.first());
    ASSERT_TRUE(source.first());
    EXPECT_EQ(source.value(0), QVariant(0));
    ASSERT_TRUE(source.next());
    EXPECT_EQ(source.value(0), QVariant(1));
}

TEST_F(QueryExportSourceTest, FailureWhileReadingAheadReachesTheReader) {
    QueryExportSource source(ExecSql(d_tarvedo, QStringLiteral("select ID, 1000 / (ID - 600) from T_MIND order by ID")),
                             QStringLiteral("q_hibas"));
    int rows = 0;
    EXPECT_THROW(
        {
            for (bool more = source.first(); more; more = source.next()) ++rows;
        },
        DbError);
    EXPECT_EQ(rows, 600);  // every row before the failing one
}

TEST_F(QueryExportSourceTest, SourceLeftHalfReadStopsItsReading) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        QueryExportSource source(ExecSql(d_tarvedo, statement()), QStringLiteral("q_mind"));
        ASSERT_TRUE(source.first());
        ASSERT_TRUE(source.next());
        EXPECT_EQ(source.value(0), QVariant(1));
    }
    // The connection is still usable.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from T_MIND")).toInt(), 700);
}
