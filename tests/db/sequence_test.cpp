#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <thread>

#include "db/counter_update.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "db/ui_hooks.h"
#include "support/test_db.h"

namespace {

class SequenceTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec(QStringLiteral("update CEG set AKTUALISEV = '2024'"));
        db1AfterConnect();
    }
    void TearDown() override {
        UiHooks::setRetry({});
        CompanyDbTest::TearDown();
    }
    QSqlQuery counter(const QString& kind) {
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select ELSO, UTOLSO, FOGLALT from SORSZAM where FAJTA = :F and EV = '2024'"),
                              {{QStringLiteral("F"), kind}});
        q.next();
        return q;
    }
};

TEST_F(SequenceTest, FirstAllocationCreatesTheCounter) {
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("ESZKOZ")), QStringLiteral("2400001"));
    QSqlQuery row = counter(QStringLiteral("ESZKOZ"));
    EXPECT_EQ(row.value(0).toInt(), 1);
    EXPECT_EQ(row.value(1).toInt(), 1);
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("ESZKOZ")), QStringLiteral("2400002"));
    EXPECT_EQ(counter(QStringLiteral("ESZKOZ")).value(1).toInt(), 2);
    EXPECT_TRUE(counter(QStringLiteral("ESZKOZ")).value(2).toString().isEmpty());
}

TEST_F(SequenceTest, CounterGrowsPastFiveDigits) {
    Exec(QStringLiteral("insert into SORSZAM (FAJTA, EV, ELSO, UTOLSO, FOGLALT) values ('SORSZAM', '2024', 1, 99999, '')"));
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("SORSZAM")), QStringLiteral("24100000"));
}

TEST_F(SequenceTest, NumberTakenInsideACallersTransactionStaysTakenAndHoldsNoLock) {
    ASSERT_TRUE(OpenDatabase(d_tarvedo2, db.path()));
    {
        DbTransaction transaction(d_tarvedo);
        EXPECT_EQ(NextSequenceNumber(QStringLiteral("VE")), QStringLiteral("2400001"));
        // Another workstation gets the next number while this work is still open.
        EXPECT_EQ(AllocateSequenceNumber(d_tarvedo2, QStringLiteral("VE"), QStringLiteral("2024"), QString()),
                  QStringLiteral("2400002"));
        transaction.rollback();
    }
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("VE")), QStringLiteral("2400003"));
    DbDisconnect(d_tarvedo2);
}

TEST_F(SequenceTest, ALockHeldTooLongEndsTheWaitWithAMessageNamingTheCounter) {
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("BK")), QStringLiteral("2400001"));
    ASSERT_TRUE(OpenDatabase(d_tarvedo2, db.path()));
    {
        // Another workstation holds the counter row.
        DbTransaction holder(d_tarvedo2);
        ExecSql(d_tarvedo2, QStringLiteral("update SORSZAM set UTOLSO = UTOLSO where FAJTA = 'BK'"));
        try {
            AdvanceCounter(d_tarvedo, QStringLiteral("BK"), QStringLiteral("2024"), 1, 1);
            ADD_FAILURE() << "no timeout";
        } catch (const DbError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("a(z) BK sorszám (2024. év)"))) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(QStringLiteral("1 másodperc"))) << error.message().toStdString();
        }
        holder.rollback();
    }
    DbDisconnect(d_tarvedo2);
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("BK")), QStringLiteral("2400002"));
}

TEST_F(SequenceTest, ABlockOfNumbersIsReservedAtOnce) {
    EXPECT_EQ(ReserveSequenceBlock(d_tarvedo, QStringLiteral("SORSZAM"), QStringLiteral("2024"), 500), 1);
    EXPECT_EQ(ReserveSequenceBlock(d_tarvedo, QStringLiteral("SORSZAM"), QStringLiteral("2024"), 10), 501);
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("SORSZAM")), QStringLiteral("2400511"));
}

// Two workstations allocating the same kind at the same moment through the
// server never receive the same number, and a run without crashes leaves no gap.
TEST_F(SequenceTest, TwoConnectionsThroughTheServerNeverShareANumber) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    DbDisconnect(d_tarvedo);  // the server opens the file; the embedded engine must let go
    const QString address = db.serverAddress();
    constexpr int kPerWorker = 150;
    QStringList numbers[2];
    QString errors[2];
    auto worker = [&](int index) {
        const QString name = QStringLiteral("seq_worker_%1").arg(index);
        {
            if (!OpenDatabase(name, address)) {
                errors[index] = Connection(name).lastError().text();
            } else {
                try {
                    for (int i = 0; i < kPerWorker; ++i)
                        numbers[index] << AllocateSequenceNumber(name, QStringLiteral("SZ"), QStringLiteral("2024"),
                                                                 QStringLiteral("W%1").arg(index));
                } catch (const std::exception& e) {
                    errors[index] = QString::fromUtf8(e.what());
                }
            }
            DbDisconnect(name);
        }
        QSqlDatabase::removeDatabase(name);
    };
    std::thread a(worker, 0), b(worker, 1);
    a.join();
    b.join();
    ASSERT_TRUE(errors[0].isEmpty()) << errors[0].toStdString();
    ASSERT_TRUE(errors[1].isEmpty()) << errors[1].toStdString();

    QSet<QString> all;
    for (const QStringList& list : numbers)
        for (const QString& n : list) all.insert(n);
    ASSERT_EQ(all.size(), 2 * kPerWorker);
    for (int i = 1; i <= 2 * kPerWorker; ++i)
        EXPECT_TRUE(all.contains(QStringLiteral("24") + QString::number(i).rightJustified(5, QLatin1Char('0')))) << i;
}

}  // namespace
