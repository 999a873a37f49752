#pragma once
// Working directories for the year-end tests: a demo working directory made
// once per test program by the command-line tool, copied for every test
// (the databases and a TARVEDO.INI naming the copies), and opened in this
// process as the program opens it.
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "support/ledger_rows.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/ini.h"
#include "db/session.h"
#include "support/cli_run.h"
#include "support/test_db.h"

namespace yearend_test {

inline constexpr auto AllPermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                       QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                       QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// A demo working directory of `items` items for 2025, made once per size.
inline QString DemoSource(int items) {
    static QTemporaryDir root(QStringLiteral("/tmp/tarvedo-yearend-src-XXXXXX"));
    const QString dir = root.filePath(QStringLiteral("demo%1").arg(items));
    if (!QFile::exists(dir + QStringLiteral("/TARVEDO.INI"))) {
        const CliResult made = RunCli({QStringLiteral("init-demo"), dir, QStringLiteral("--items"), QString::number(items),
                                       QStringLiteral("--year"), QStringLiteral("2025")});
        EXPECT_EQ(made.code, 0) << made.err.toStdString();
    }
    return dir;
}

// A copy of a demo working directory that a Firebird server may use too.
class WorkingCopy {
public:
    explicit WorkingCopy(int items, bool throughServer = false)
        : m_dir(QStringLiteral("/tmp/tarvedo-yearend-XXXXXX")) {
        const QString source = DemoSource(items);
        QFile::setPermissions(m_dir.path(), AllPermissions);
        for (const char* file : {"TARVEDOSYS.GDB", "TARVEDO_MINTA_2025.GDB"}) {
            const QString target = m_dir.filePath(QLatin1String(file));
            EXPECT_TRUE(QFile::copy(source + u'/' + QLatin1String(file), target));
            QFile::setPermissions(target, AllPermissions & ~(QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                             QFileDevice::ExeOther));
        }
        const QString prefix = throughServer ? TestServer() + u':' : QString();
        m_company = prefix + m_dir.filePath(QStringLiteral("TARVEDO_MINTA_2025.GDB"));
        QFile ini(m_dir.filePath(QStringLiteral("TARVEDO.INI")));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("DBSERVER=%1\nDBSYSTEM=%2\nDEFAULTCEG=MINTA\nDEFAULTEV=2025\n")
                      .arg(m_company, m_dir.filePath(QStringLiteral("TARVEDOSYS.GDB")))
                      .toUtf8());
    }
    ~WorkingCopy() { CloseSession(); }

    QString dir() const { return m_dir.path(); }
    QString company() const { return m_company; }

    // Opens the copy in this process, as the program starts.
    void open() {
        ResetAppValues();
        IniClear();
        const SessionResult session = OpenWorkingDirectory(m_dir.path());
        ASSERT_TRUE(session.ok) << session.error.toStdString();
    }

private:
    QTemporaryDir m_dir;
    QString m_company;
};

inline double Number(const QString& connection, const QString& sql, const QVariantMap& params = {}) {
    return SelectValue(connection, sql, params).toDouble();
}

// A ledger row written straight into TETEL of the open company database.
struct Row {
    QString szla, eszla;
    double ertek;
    QString ntipus = QStringLiteral("VV");
    QString ugyfelkod = QString("");
    QString szamlaszam = QString("");
    QString konyvbiz = QStringLiteral("1");
    QString teljkelt = QStringLiteral("2025.05.10");
};

inline void Post(const QList<Row>& rows) {
    for (const Row& r : rows)
        InsertLedgerRow({{QStringLiteral("SORSZAM"), QStringLiteral("1")},
                         {QStringLiteral("KAPOCS"), QStringLiteral("1")},
                         {QStringLiteral("SZLA"), r.szla},
                         {QStringLiteral("ESZLA"), r.eszla},
                         {QStringLiteral("ERTEK"), r.ertek},
                         {QStringLiteral("DEVIZAERTEK"), r.ertek},
                         {QStringLiteral("DEVIZANEM"), QStringLiteral("HUF")},
                         {QStringLiteral("NTIPUS"), r.ntipus},
                         {QStringLiteral("UGYFELKOD"), r.ugyfelkod},
                         {QStringLiteral("SZAMLASZAM"), r.szamlaszam},
                         {QStringLiteral("KONYVBIZ"), r.konyvbiz},
                         {QStringLiteral("TELJKELT"), r.teljkelt},
                         {QStringLiteral("FIZHATIDO"), QStringLiteral("2025.06.10")},
                         {QStringLiteral("SZOVEG"), QStringLiteral("x")}});
}

// The opening items of the next year as "SZLA ESZLA amount" lines, in order.
inline QStringList OpeningItems(const QString& where = QStringLiteral("1 = 1")) {
    QStringList lines;
    QSqlQuery q = ExecSql(d_tarvedo2, QStringLiteral("select SZLA, ESZLA, ERTEK, SZAMLASZAM from TETEL where NTIPUS = 'NY' and ") +
                                          where + QStringLiteral(" order by SZLA, ESZLA, SZAMLASZAM, ERTEK"));
    while (NextRow(q))
        lines << QStringLiteral("%1 %2 %3%4")
                     .arg(q.value(0).toString(), q.value(1).toString())
                     .arg(q.value(2).toDouble(), 0, 'f', 0)
                     .arg(q.value(3).toString().isEmpty() ? QString() : u' ' + q.value(3).toString());
    return lines;
}

}  // namespace yearend_test
