// A typed statement runs only when it is a plain query that moves no
// sequence: a refused one has had no effect at all, not even the ones the
// engine allows in a read-only transaction.
#include <gtest/gtest.h>

#include "db/dat.h"
#include "db/db_error.h"
#include "masterdata/read_only_query.h"
#include "support/cli_run.h"
#include "support/test_db.h"

namespace {

// The message a statement is refused with; empty when it ran.
QString Refusal(const QString& connection, const QString& sql) {
    try {
        ReadOnlyQuery q(connection, sql);
        for (bool more = q.first(); more; more = q.next()) {}
        return {};
    } catch (const DbError& error) {
        return error.message();
    }
}

QString FirstValue(const QString& connection, const QString& sql) {
    ReadOnlyQuery q(connection, sql);
    return q.first() ? q.value(0).toString() : QStringLiteral("(nincs sor)");
}

const QString KillOthers = QStringLiteral("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION");

TEST(QueryRefusal, OtherWorkstationsKeepTheirConnectionsThroughTheServer) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    TempCompanyDb db;
    ASSERT_TRUE(DbConnect(d_tarvedo, db.serverAddress()));
    ASSERT_TRUE(OpenDatabase(QStringLiteral("masik"), db.serverAddress()));
    const QString statements[] = {
        KillOthers,
        QStringLiteral("/* csak egy megjegyzés */ ") + KillOthers,
        QStringLiteral("EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN ") + KillOthers + QStringLiteral("; N = 1; SUSPEND; END"),
    };
    for (const QString& sql : statements) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_EQ(Refusal(d_tarvedo, sql), NotAQueryMessage);
        EXPECT_EQ(SelectValue(QStringLiteral("masik"), QStringLiteral("select count(*) from RDB$DATABASE")).toInt(), 1);
    }
    EXPECT_EQ(FirstValue(d_tarvedo, QStringLiteral("select count(*) from MON$ATTACHMENTS where MON$SYSTEM_FLAG = 0")), "2");
    DbDisconnect(QStringLiteral("masik"));
    DbDisconnect(d_tarvedo);
    QSqlDatabase::removeDatabase(QStringLiteral("masik"));
}

class SequenceRefusal : public CompanyDbTest {};

TEST_F(SequenceRefusal, NoStatementMovesASequence) {
    Exec("CREATE SEQUENCE G_PROBA");
    Exec("ALTER SEQUENCE G_PROBA RESTART WITH 41");
    const char* moving[] = {
        "SELECT GEN_ID(G_PROBA, 1) FROM RDB$DATABASE",
        "select gen_id ( G_PROBA , -1 ) from rdb$database",
        "SELECT GEN_ID(G_PROBA, 0 + 1) FROM RDB$DATABASE",
        "SELECT NEXT VALUE FOR G_PROBA FROM RDB$DATABASE",
        "select next /* közben */ value\n for G_PROBA from rdb$database",
        "WITH X AS (SELECT GEN_ID(G_PROBA, 5) AS N FROM RDB$DATABASE) SELECT N FROM X",
        "SELECT 'a''b', GEN_ID(G_PROBA, 1) FROM RDB$DATABASE",
    };
    for (const char* sql : moving) {
        SCOPED_TRACE(sql);
        EXPECT_TRUE(Refusal(d_tarvedo, QString::fromUtf8(sql)).contains(QStringLiteral("sorszámgenerátort")));
    }
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select GEN_ID(G_PROBA, 0) from RDB$DATABASE")).toInt(), 41);

    // Reading a sequence, and the words inside texts, names and comments, are no use of one.
    const struct {
        const char* sql;
        const char* value;
    } reading[] = {
        {"SELECT GEN_ID(G_PROBA, 0) FROM RDB$DATABASE", "41"},
        {"SELECT 'GEN_ID(G_PROBA, 1)' FROM RDB$DATABASE", "GEN_ID(G_PROBA, 1)"},
        {"SELECT q'{it's NEXT VALUE FOR G_PROBA}' FROM RDB$DATABASE", "it's NEXT VALUE FOR G_PROBA"},
        {"SELECT 1 AS \"NEXT VALUE FOR\" FROM RDB$DATABASE -- GEN_ID(G_PROBA, 1)", "1"},
        {"  with X as (select 7 as N from RDB$DATABASE) select N from X", "7"},
    };
    for (const auto& r : reading) {
        SCOPED_TRACE(r.sql);
        EXPECT_EQ(FirstValue(d_tarvedo, QString::fromUtf8(r.sql)), QString::fromUtf8(r.value));
    }
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select GEN_ID(G_PROBA, 0) from RDB$DATABASE")).toInt(), 41);
}

class QueryCommand : public DemoWorkdirSuite<QueryCommand, 0> {};

TEST_F(QueryCommand, RefusesAStatementThatIsNoQueryAndWritesNoFile) {
    const QString out = dir->filePath(QStringLiteral("lista.txt"));
    const CliResult run = Run({QStringLiteral("query"), KillOthers, QStringLiteral("--out"), out});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(NotAQueryMessage)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
