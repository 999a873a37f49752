#pragma once
// Test databases: a fresh copy of the template built for this test run, in a
// temporary folder of its own.
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Address of the Firebird server the tests may use ("127.0.0.1"), from the
// environment variable TARVEDO_TEST_SERVER; empty when there is none.
QString TestServer();

class TempCompanyDb {
public:
    // Copies the template into a new folder; the file is readable by a server.
    TempCompanyDb();
    ~TempCompanyDb();

    QString dir() const { return m_dir.path(); }
    QString path() const { return m_path; }
    // The address through the server, for example "127.0.0.1:/tmp/x/TARVEDO.GDB".
    QString serverAddress() const;

    // Connects the company connection (d_tarvedo) to the copy, as the start-up does.
    void connect();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A test with its own company database, connected as d_tarvedo, and the
// built-in user; the company record of the template is the open one.
class CompanyDbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    TempCompanyDb db;
};

// Lets the server open a demo working directory made by init-demo: the
// folders and the two database files become readable and writable by it,
// and TARVEDO.INI names the databases through the server, as workstations
// sharing them do. `folders` are the directories above the files.
void ServeWorkingDirectory(const QStringList& folders, const QString& companyDb, const QString& systemDb,
                           const QString& iniPath);

// Runs a statement on the company database; fails the test on error.
void Exec(const QString& sql);
