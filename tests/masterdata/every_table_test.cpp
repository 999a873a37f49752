#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QSqlField>
#include <gtest/gtest.h>

#include "db/catalog.h"

#include "md_test_support.h"
#include "support/test_db.h"
#include "window_test_support.h"

namespace {

class EveryTableTest : public CompanyDbTest {
protected:
    void TearDown() override {
        DestroyTorzsWindows();
        CompanyDbTest::TearDown();
    }
    UserSide user;
};

// Every table of the "Törzsek" menu opens with its panel, shows all its
// rows, sorts by a title click and copies its first row into a new one that
// differs only in its key, then deletes it again.
TEST_F(EveryTableTest, EveryMenuTableOpensSortsAndStores) {
    QSqlQuery tables = ExecSql(d_tarvedo, "select TABLANEV from TABLAK order by TABLANEV");
    QStringList names;
    while (tables.next()) names << tables.value(0).toString();
    ASSERT_GE(names.size(), 10);
    QStringList stored;
    for (const QString& table : names) {
        SCOPED_TRACE(table.toStdString());
        const int count = One("select count(*) from " + table).toInt();
        OpenTable(table, [&](TTorzsfm& w) {
            EXPECT_EQ(w.l_tetel->text(), QString::number(count) + QStringLiteral(" tétel"));
            EXPECT_FALSE(w.ed.model.generic);
            EXPECT_FALSE(w.dataPanel->findChildren<QLineEdit*>().isEmpty());
            const QString dir = qEnvironmentVariable("MD_SHOTS");
            if (!dir.isEmpty()) {
                QApplication::processEvents();
                w.grab().save(dir + QStringLiteral("/table_") + table + QStringLiteral(".png"));
            }
            if (w.grid->model()->columnCount() > 1) {
                w.grid->horizontalHeader()->sectionClicked(1);
                EXPECT_EQ(w.l_tetel->text(), QString::number(count) + QStringLiteral(" tétel"));
            }
            if (count == 0 || !w.ed.weditable || w.ed.wkeyfields.isEmpty()) return;

            // A copy of the current row under another key, then away with it.
            Press(w.b_aktuj);
            const QString key = w.ed.wkeyfields.first();
            const int column = w.ed.rows.columns().indexOf(key);
            QString type;
            const int width = FieldDisplayWidth(w.ed.rows.columns().field(column), type);
            Type(w, "E_" + key, type == QLatin1String("VARCHAR") ? QString(qMin(width, 2), QLatin1Char('Z')) : "99999");
            Press(w.b_post);
            EXPECT_EQ(w.l_tetel->text(), QString::number(count + 1) + QStringLiteral(" tétel"));
            user.answer = 0;
            Press(w.b_delete);
            EXPECT_EQ(w.l_tetel->text(), QString::number(count) + QStringLiteral(" tétel"));
            stored << table;
        });
        EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(" | ").toStdString();
        user.messages.clear();
    }
    for (const char* table : {"CEG", "EREDMENY", "SZ_ADOASZLA", "SZ_NTIP", "SZ_TUKOR", "ANYK_DEF", "BEOVEZ"})
        EXPECT_TRUE(stored.contains(table)) << table;
    // Each stored and deleted row left its trail.
    EXPECT_EQ(One("select count(*) from DOKU where AKCIO = 'delete'").toInt(), stored.size());
}

}  // namespace
