#pragma once
// The connections of the run, the shared values loaded with the company
// database, and the parameter-binding operation every module uses.
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

inline const QString d_tarvedo = QStringLiteral("d_tarvedo");        // the company-year database
inline const QString d_tarvedosys = QStringLiteral("d_tarvedosys");  // the system database
inline const QString d_tarvedo2 = QStringLiteral("d_tarvedo2");      // a second company connection

// The administrator account, unless the settings name another (DBUSER, DBPASSWORD).
inline const QString DefaultDbUser = QStringLiteral("SYSDBA");
inline const QString DefaultDbPassword = QStringLiteral("pelikan42");

// The rows of the company record (CEG) of the open company database, with
// the row the program works with.
struct CompanyRecord {
    QList<QSqlRecord> rows;
    int current = -1;

    bool isEmpty() const { return rows.isEmpty(); }
    QVariant value(const QString& column) const;
    QString text(const QString& column) const { return value(column).toString(); }
    bool moveTo(const QString& kod, const QString& aktualisev);
};

// Values that live for the whole run.
struct AppValues {
    QString DbServer, DbSystem, PwdSetting;
    QString CurrentUser, CurrentUserKod, CurrentRights;
    QString WorkDir, SystemKod, SystemNev;
    QString BkKod, BkSzla, VeKod, VeSzla, SzKod, SzSzla, PtKod, PtSzla, NyKod, NySzla;
    double IncomeResult = 0;
    CompanyRecord ceg;             // q_ceg
    QString servicesConnection;    // the connection connected last: catalogue, control tables, users
};

AppValues& Td();
void ResetAppValues();

// Opens `connection` on the database named by `address`. Returns false on
// any failure (never shows a message) and false for an empty address.
bool DbConnect(const QString& connection, const QString& address, const QString& driver = {});
// Only opens the connection: no company reload, the services stay where they are.
bool OpenDatabase(const QString& connection, const QString& address);
bool IsConnected(const QString& connection);
void DbDisconnect(const QString& connection);
QSqlDatabase Connection(const QString& connection);
// Where the services work: the connection connected last.
QString ServicesConnection();
void AttachQueries(const QString& connection);
// Reloads the company record and the common journal types; run after every
// connect of the company database.
void db1AfterConnect();

// A statement with a component name, its text as lines, and the connection
// it runs on. Queries of the services follow the connection connected last.
class Query {
public:
    explicit Query(QString name, QStringList sql = {}, QString connection = d_tarvedo);
    static Query services(QString name, QStringList sql = {});

    QString name;
    QStringList sql;

    QString connection() const;
    void setConnection(const QString& connection) { m_connection = connection; }

    bool isOpen() const { return m_query && m_query->isActive(); }
    void close();
    // The open result; valid after an open through QparamOpen or QueryOpen.
    QSqlQuery& rows();
    bool hasField(const QString& column) const;
    QVariant value(const QString& column) const;

private:
    friend int QparamOpen(Query&, const QStringList&, int, const QVariantList&);
    friend void QueryOpen(Query&, bool);
    void run(const QStringList& names, const QVariantList& values, bool select);

    QString m_connection;
    bool m_followsServices = false;
    std::unique_ptr<QSqlQuery> m_query;
};

// Binds names[i] = values[i] and, by mode, 0: opens the query and returns
// its record count; 1: executes it and commits, returning the rows affected;
// 2: executes it without committing. Arrays of different length: message and -1.
int QparamOpen(Query& query, const QStringList& names, int mode, const QVariantList& values);
void QueryOpen(Query& query, bool reopen);

// Named parameters (":NAME", any case) bound by name on a forward-only
// statement; throws DbError on failure.
QSqlQuery ExecSql(const QString& connection, const QString& sql, const QVariantMap& params = {});
// Steps to the next row of an open query: false at the end of the data. A
// failed read is no end of the data: it throws DbError, so a loop never
// takes an error for a short result.
bool NextRow(QSqlQuery& query);
// The first column of the first row, or an invalid value when there is none.
QVariant SelectValue(const QString& connection, const QString& sql, const QVariantMap& params = {});

// Several statements that must stand or fall together. The destructor rolls
// back what was not committed. A statement prepared inside the transaction
// belongs to it: prepare it again after a commit.
class DbTransaction {
public:
    explicit DbTransaction(const QString& connection);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;
    void commit();
    void rollback();
    // Commits what was written so far and goes on in a new transaction.
    void commitAndContinue();

private:
    QString m_connection;
    bool m_active = false;
};
bool InTransaction(const QString& connection);

// A statement text with its ":NAME" placeholders turned into "?", and the
// names in order (upper case). Quoted texts are left alone.
struct PositionalSql {
    QString text;
    QStringList names;
};
PositionalSql ToPositional(const QString& sql);
