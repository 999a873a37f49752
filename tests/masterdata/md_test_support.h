#pragma once
// What the master-data tests share: the user's side of messages and
// questions, and reading a table's rows back.
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>

#include "db/dat.h"
#include "db/ui_hooks.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Collects the notices and answers the questions; the defaults without a
// window come back when it goes.
class UserSide {
public:
    UserSide() {
        UiHooks::setMessage([this](const QString& text) { messages << text; });
        UiHooks::setDialog([this](const QString& text, int, const QStringList& buttons) {
            questions << text;
            questionButtons << buttons;
            return onQuestion ? onQuestion(text) : answer;
        });
    }
    ~UserSide() {
        UiHooks::setMessage(nullptr);
        UiHooks::setDialog(nullptr);
    }
    QStringList messages;
    QStringList questions;
    QList<QStringList> questionButtons;
    int answer = 1;  // " Nem "
    std::function<int(const QString&)> onQuestion;
};

// The first row of a statement on the company database as a record.
inline QSqlRecord FirstRow(const QString& sql) {
    QSqlQuery q = ExecSql(d_tarvedo, sql);
    return q.next() ? q.record() : QSqlRecord();
}

inline QString One(const QString& sql) { return SelectValue(d_tarvedo, sql).toString(); }

// The columns of a table with no row: the shape of a source query.
inline QSqlRecord Columns(const QString& table) {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("Select * From ") + table + QStringLiteral(" where 1=2"));
    return q.record();
}
