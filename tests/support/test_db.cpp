#include "support/test_db.h"

#include <QFile>
#include <QSqlDatabase>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/ini.h"

QString TestServer() { return qEnvironmentVariable("TARVEDO_TEST_SERVER"); }

TempCompanyDb::TempCompanyDb() : m_dir(QStringLiteral("/tmp/tarvedo-test-XXXXXX")) {
    const QString templatePath = QStringLiteral(TARVEDO_TEST_TEMPLATE_DIR "/TARVEDO_URES.GDB");
    m_path = m_dir.filePath(QStringLiteral("TARVEDO_TESZT.GDB"));
    if (!QFile::copy(templatePath, m_path)) {
        ADD_FAILURE() << "no template at " << templatePath.toStdString() << " (run the build_template test first)";
        return;
    }
    // A server running as its own user must reach the folder and the file.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                            | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    // Tests need no protection against power loss.
    SetForcedWrites(m_path, DbCredentials(), false);
}

TempCompanyDb::~TempCompanyDb() {
    for (const QString& name : QSqlDatabase::connectionNames()) DbDisconnect(name);
}

QString TempCompanyDb::serverAddress() const { return TestServer() + QLatin1Char(':') + m_path; }

void TempCompanyDb::connect() {
    ASSERT_TRUE(DbConnect(d_tarvedo, m_path)) << Connection(d_tarvedo).lastError().text().toStdString();
}

void CompanyDbTest::SetUp() {
    ResetAppValues();
    IniClear();
    Td().CurrentUser = QStringLiteral("KARDO");
    db.connect();
}

void CompanyDbTest::TearDown() {
    for (const QString& name : QSqlDatabase::connectionNames()) DbDisconnect(name);
}

void Exec(const QString& sql) {
    try {
        ExecSql(d_tarvedo, sql);
    } catch (const DbError& error) {
        FAIL() << error.message().toStdString();
    }
}

void ServeWorkingDirectory(const QStringList& folders, const QString& companyDb, const QString& systemDb,
                           const QString& iniPath) {
    for (const QString& path : folders + QStringList{companyDb, systemDb})
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                        QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther |
                                        QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    const QString server = TestServer() + QLatin1Char(':');
    QFile ini(iniPath);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QString settings = QString::fromUtf8(ini.readAll());
    ini.close();
    settings.replace(QStringLiteral("DBSERVER=") + companyDb, QStringLiteral("DBSERVER=") + server + companyDb);
    settings.replace(QStringLiteral("DBSYSTEM=") + systemDb, QStringLiteral("DBSYSTEM=") + server + systemDb);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(settings.toUtf8());
}
