#include <QSqlError>
#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "support/test_db.h"

namespace {

using DatTest = CompanyDbTest;

TEST_F(DatTest, ConnectFailuresAnswerFalse) {
    const struct {
        const char* name;
        QString address;
    } cases[] = {{"empty address", QString()},
                 {"missing file", db.dir() + QStringLiteral("/NINCS.GDB")},
                 {"malformed address", QStringLiteral("::")},
                 {"unreachable server", QStringLiteral("127.0.0.1:/nincs/ilyen.gdb")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(DbConnect(d_tarvedo2, c.address));
    }
}

TEST_F(DatTest, ServicesFollowTheConnectionConnectedLast) {
    EXPECT_EQ(ServicesConnection(), d_tarvedo);
    ASSERT_TRUE(DbConnect(d_tarvedo2, db.path()));
    EXPECT_EQ(ServicesConnection(), d_tarvedo2);
    EXPECT_FALSE(DbConnect(d_tarvedosys, QString()));
    EXPECT_EQ(ServicesConnection(), d_tarvedo2);  // a failed connect attaches nothing
    ASSERT_TRUE(DbConnect(d_tarvedo, db.path()));
    EXPECT_EQ(ServicesConnection(), d_tarvedo);
}

TEST_F(DatTest, CompanyConnectLoadsTheCommonJournalTypes) {
    Exec(QStringLiteral("delete from SZ_NTIP"));
    Exec(QStringLiteral("insert into SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) values ('B1', 'Bank 1', '3841', 'BK')"));
    Exec(QStringLiteral("insert into SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) values ('V1', 'Vevő', '311', 'VE')"));
    Exec(QStringLiteral("insert into SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) values ('X1', 'Egyéb', '999', 'XX')"));
    Td().PtKod = QStringLiteral("régi");
    Td().SzSzla = QStringLiteral("454");
    ASSERT_TRUE(DbConnect(d_tarvedo, db.path()));
    EXPECT_EQ(Td().BkKod, QStringLiteral("B1"));
    EXPECT_EQ(Td().BkSzla, QStringLiteral("3841"));
    EXPECT_EQ(Td().VeKod, QStringLiteral("V1"));
    // Codes the company lacks are empty, never the previous company's.
    EXPECT_EQ(Td().PtKod, QString());
    EXPECT_EQ(Td().SzSzla, QString());
    EXPECT_EQ(Td().NyKod, QString());
    EXPECT_FALSE(Td().ceg.isEmpty());
}

TEST_F(DatTest, QparamOpenModes) {
    Exec(QStringLiteral("create table QP_T (A integer, B varchar(10))"));
    Query insert(QStringLiteral("qi_qp"), {QStringLiteral("insert into QP_T (A, B)"), QStringLiteral("values (:a, :B)")});
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(QparamOpen(insert, {QStringLiteral("A"), QStringLiteral("b")}, 1, {i, QStringLiteral("x%1").arg(i)}), 1);
    EXPECT_EQ(QparamOpen(insert, {QStringLiteral("a"), QStringLiteral("b")}, 1, {4, QVariant()}), 1);

    Query select(QStringLiteral("q_qp"), {QStringLiteral("select * from QP_T"), QStringLiteral("where A >= :tol")});
    EXPECT_EQ(QparamOpen(select, {QStringLiteral("tol")}, 0, {2}), 3);
    EXPECT_EQ(select.value(QStringLiteral("A")).toInt(), 2);  // positioned on the first row
    EXPECT_EQ(QparamOpen(select, {QStringLiteral("tol")}, 0, {100}), 0);

    Query nulls(QStringLiteral("q_null"), {QStringLiteral("select count(*) from QP_T where B is null")});
    QueryOpen(nulls, true);
    EXPECT_EQ(nulls.rows().value(0).toInt(), 1);

    Query update(QStringLiteral("qu_qp"), {QStringLiteral("update QP_T set B = 'y' where A <= :ig")});
    {
        DbTransaction transaction(d_tarvedo);
        EXPECT_EQ(QparamOpen(update, {QStringLiteral("ig")}, 2, {2}), 2);
    }  // not committed: rolled back
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from QP_T where B = 'y'")).toInt(), 0);
}

TEST_F(DatTest, QparamOpenRefusesArraysOfDifferentSize) {
    QString shown;
    UiHooks::setMessage([&](const QString& text) { shown = text; });
    Query query(QStringLiteral("q_teszt"), {QStringLiteral("select * from CEG")});
    EXPECT_EQ(QparamOpen(query, {QStringLiteral("a"), QStringLiteral("b")}, 0, {1}), -1);
    UiHooks::setMessage({});
    EXPECT_EQ(shown, QStringLiteral("QparamOpen error, parameter arrays have different size\rQuery=q_teszt, "
                                    "parameter array:2, value array:1"));
    EXPECT_FALSE(query.isOpen());
}

TEST_F(DatTest, DatabaseErrorsReachTheCaller) {
    Query query(QStringLiteral("q_rossz"), {QStringLiteral("select * from NINCS_ILYEN_TABLA")});
    EXPECT_THROW(QparamOpen(query, {}, 0, {}), DbError);
}

TEST(Positional, NamesOutsideQuotesBecomePlaceholders) {
    const PositionalSql p = ToPositional(QStringLiteral("select ':x', \"A:B\" from T where A = :a and B=:Bb_2 and C = :A"));
    EXPECT_EQ(p.text, QStringLiteral("select ':x', \"A:B\" from T where A = ? and B=? and C = ?"));
    EXPECT_EQ(p.names, QStringList({"A", "BB_2", "A"}));
}

TEST_F(DatTest, ConnectsThroughTheServer) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    DbDisconnect(d_tarvedo);
    ASSERT_TRUE(DbConnect(d_tarvedo, db.serverAddress())) << Connection(d_tarvedo).lastError().text().toStdString();
    EXPECT_EQ(Connection(d_tarvedo).hostName(), TestServer());
    EXPECT_EQ(Connection(d_tarvedo).port(), 3050);
    EXPECT_FALSE(Td().ceg.isEmpty());
}

}  // namespace
