#pragma once
// A company database with the voucher window's logic opened from the menu,
// the user's answers and the messages shown, and the rows of TETEL.
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>

#include "db/dat.h"
#include "db/ui_hooks.h"
#include "posting/konyvel.h"
#include "posting/voucher_store.h"
#include "support/test_db.h"

class PostingTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        UiHooks::setMessage([this](const QString& text) { messages << text; });
        UiHooks::setDialog([this](const QString& text, int, const QStringList&) {
            questions << text;
            return answer;
        });
        UiHooks::setRetry([](const QString&) { return false; });
    }
    void TearDown() override {
        UiHooks::setMessage({});
        UiHooks::setDialog({});
        UiHooks::setRetry({});
        CompanyDbTest::TearDown();
    }

    // The rows of a statement, each column by name.
    static QList<QVariantMap> rowsOf(const QString& sql, const QVariantMap& params = {}) {
        QList<QVariantMap> rows;
        QSqlQuery q = ExecSql(d_tarvedo, sql, params);
        while (q.next()) {
            QVariantMap row;
            const QSqlRecord r = q.record();
            for (int i = 0; i < r.count(); ++i) row.insert(r.fieldName(i), r.value(i));
            rows << row;
        }
        return rows;
    }
    static QList<QVariantMap> ledger() { return rowsOf(QStringLiteral("select * from TETEL order by SORSZAM, TART_KOV")); }

    // The window opened from the menu, then "Új bizonylat" and the journal
    // type typed and left.
    void startVoucher(KonyvelForm& form, const QString& ntipus) {
        form.FormShow();
        form.b_ujbizClick();
        form.f.e_ntipus = ntipus;
        form.e_ntipusExit();
    }

    QStringList messages;
    QStringList questions;
    int answer = 1;  // " Nem "
};
