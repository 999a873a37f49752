// Renumbering of the ledger items: every row its own number, old numbers
// never in the way, all or nothing.
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "shell/main_tarvedo_window.h"
#include "shell/renumber.h"
#include "shell_test_support.h"
#include "support/test_db.h"

namespace {

struct Row {
    QString sorszam, szla, eszla;
    double ertek;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.sorszam.toStdString() << ' ' << row.szla.toStdString() << '/' << row.eszla.toStdString() << ' ' << row.ertek;
}

QList<Row> ledger() {
    QList<Row> rows;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SORSZAM, SZLA, ESZLA, ERTEK from TETEL order by SORSZAM, ERTEK desc"));
    while (q.next()) rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toDouble()});
    return rows;
}

void addRow(const QString& sorszam, const QString& szla, const QString& eszla, double ertek) {
    ExecSql(d_tarvedo,
            QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, KAPOCS, NTIPUS, KONYVBIZ) values (:S, :SZ, :E, :V, '001', 'BK', 'B1')"),
            {{QStringLiteral("S"), sorszam}, {QStringLiteral("SZ"), szla}, {QStringLiteral("E"), eszla}, {QStringLiteral("V"), ertek}});
}

class RenumberTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
        yy = year.mid(2, 2);
        // New numbers that an update keyed by the old number would run into:
        // B takes A's old number, and A takes the number D and E share.
        addRow(yy + QStringLiteral("00002"), QStringLiteral("311"), QStringLiteral("911"), 100);  // A
        addRow(yy + QStringLiteral("00001"), QStringLiteral("381"), QStringLiteral("311"), 50);   // B
        addRow(yy + QStringLiteral("00001"), QStringLiteral("466"), QStringLiteral("311"), 500);  // C
        addRow(yy + QStringLiteral("00003"), QStringLiteral("311"), QStringLiteral("911"), 10);   // D
        addRow(yy + QStringLiteral("00003"), QStringLiteral("311"), QStringLiteral("911"), 10);   // E, the same key as D
    }
    QString year, yy;
};

}  // namespace

TEST_F(RenumberTest, EveryRowGetsItsOwnNumberInOrder) {
    UserSide user;
    ASSERT_EQ(RenumberItems(), 5);
    const QList<Row> expected{
        {yy + QStringLiteral("00001"), QStringLiteral("466"), QStringLiteral("311"), 500},
        {yy + QStringLiteral("00002"), QStringLiteral("381"), QStringLiteral("311"), 50},
        {yy + QStringLiteral("00003"), QStringLiteral("311"), QStringLiteral("911"), 100},
        {yy + QStringLiteral("00004"), QStringLiteral("311"), QStringLiteral("911"), 10},
        {yy + QStringLiteral("00005"), QStringLiteral("311"), QStringLiteral("911"), 10},
    };
    EXPECT_EQ(ledger(), expected);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM' and EV = :EV"),
                          {{QStringLiteral("EV"), year}})
                  .toInt(),
              5);

    // Once more: the counter goes on, the order stays.
    ASSERT_EQ(RenumberItems(), 5);
    EXPECT_EQ(ledger().first().sorszam, yy + QStringLiteral("00006"));
    EXPECT_EQ(ledger().last().sorszam, yy + QStringLiteral("00010"));
}

TEST_F(RenumberTest, AMarkLeftOnTheCounterDoesNotStopIt) {
    ExecSql(d_tarvedo, QStringLiteral("insert into SORSZAM (FAJTA, EV, ELSO, UTOLSO, FOGLALT) values ('SORSZAM', :EV, 1, 0, 'MASIK')"),
            {{QStringLiteral("EV"), year}});
    const int rows = int(ledger().size());
    EXPECT_EQ(RenumberItems(), rows);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM'")).toInt(), rows);
    EXPECT_TRUE(SelectValue(d_tarvedo, QStringLiteral("select FOGLALT from SORSZAM where FAJTA = 'SORSZAM'")).isNull());
}

TEST(RenumberWindow, HiddenButtonAsksAndRenumbers) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm window({QStringLiteral("x")});
    window.runStartup();
    const qlonglong rows = SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong();
    ASSERT_GT(rows, 0);

    EXPECT_TRUE(window.Button3->isHidden());
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.l_version, &click);
    EXPECT_FALSE(window.Button3->isHidden());

    user.answers = {1};  // " Nem "
    window.Button3->click();
    EXPECT_EQ(user.questions, QStringList{RenumberQuestion});
    EXPECT_TRUE(user.messages.isEmpty());

    user.answers = {0};
    window.Button3->click();
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Kész!")});
    EXPECT_TRUE(window.Button3->isHidden());
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(distinct SORSZAM) from TETEL")).toLongLong(), rows);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL where SORSZAM starting with '#'")).toLongLong(), 0);
}
