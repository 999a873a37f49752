#pragma once
// What the shell tests share: a demo working directory made by the
// command-line tool, the user's side of notices and questions, and a way to
// act on a modal window once it is up.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

#include "db/dat.h"
#include "db/ini.h"
#include "db/ui_hooks.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A fresh demo working directory (TARVEDO.INI, system database, template,
// demo company "MINTA" with user DEMO / demo); the current directory while
// the test runs. The run's values and settings start empty.
class DemoWorkDir {
public:
    explicit DemoWorkDir(int year = 2025) : m_tmp(QStringLiteral("/tmp/tarvedo-shell-XXXXXX")), year(year) {
        m_previous = QDir::currentPath();
        dir = m_tmp.filePath(QStringLiteral("demo"));
        QProcess cli;
        cli.start(QStringLiteral(TARVEDO_CLI_PATH),
                  {QStringLiteral("init-demo"), dir, QStringLiteral("--items"), QStringLiteral("20"),
                   QStringLiteral("--year"), QString::number(year)});
        cli.waitForFinished(120000);
        made = cli.exitCode() == 0;
        if (!made) ADD_FAILURE() << cli.readAllStandardError().toStdString();
        companyDb = file(QStringLiteral("TARVEDO_MINTA_%1.GDB").arg(year));
        systemDb = file(QStringLiteral("TARVEDOSYS.GDB"));
        QDir::setCurrent(dir);
        ResetAppValues();
        IniClear();
    }
    ~DemoWorkDir() {
        for (const QString& name : QSqlDatabase::connectionNames()) DbDisconnect(name);
        QDir::setCurrent(m_previous);
    }
    QString file(const QString& name) const { return dir + QLatin1Char('/') + name; }

    QStringList lines(const QString& name) const {
        QStringList result;
        ReadSettingsLines(file(name), result);
        return result;
    }
    QByteArray bytes(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& content) const {
        QFile f(file(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) ADD_FAILURE() << "cannot write " << name.toStdString();
        f.write(content);
    }
    // Runs a statement on a database of the directory through a connection of its own.
    void exec(const QString& database, const QString& sql, const QVariantMap& params = {}) const {
        const QString connection = QStringLiteral("shell_test_setup");
        ASSERT_TRUE(OpenDatabase(connection, database));
        ExecSql(connection, sql, params);
        DbDisconnect(connection);
        QSqlDatabase::removeDatabase(connection);
    }

    QString dir, companyDb, systemDb;
    bool made = false;

private:
    QTemporaryDir m_tmp;
    QString m_previous;

public:
    int year;
};

// Collects the notices and answers the questions as the test says (the
// answers in order, then `answer`); the defaults without a window come back
// when it goes.
class UserSide {
public:
    UserSide() {
        UiHooks::setMessage([this](const QString& text) { messages << text; });
        UiHooks::setDialog([this](const QString& text, int kind, const QStringList&) {
            questions << text;
            kinds << kind;
            return answers.isEmpty() ? answer : answers.takeFirst();
        });
    }
    ~UserSide() {
        UiHooks::setMessage(nullptr);
        UiHooks::setDialog(nullptr);
    }
    QStringList messages;
    QStringList questions;
    QList<int> kinds;
    QList<int> answers;
    int answer = 1;
};

// Runs `act` on the first modal window of type T once it is shown (checked
// every few milliseconds while the test waits in the window's own loop).
template <class T>
void WhenModal(std::function<void(T*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, qApp, [act, triesLeft] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(window);
        } else if (triesLeft > 0) {
            WhenModal<T>(act, triesLeft - 1);
        } else {
            ADD_FAILURE() << "the modal window never came up";
        }
    });
}

// Closes any modal window of type T that comes up while `owner` lives, and
// counts it: for windows that must not appear.
template <class T>
void RefuseModal(QObject* owner, int* seen) {
    QTimer::singleShot(10, owner, [owner, seen] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            ++*seen;
            window->reject();
        }
        RefuseModal<T>(owner, seen);
    });
}

// Keys as the user types them into a control.
inline void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}
inline void Press(QWidget* widget, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Lets the window's queued work run until `done` holds (at most ten seconds).
inline bool ProcessUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}
