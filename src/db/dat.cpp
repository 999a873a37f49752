#include "dat.h"

#include <QSet>
#include <QSqlError>
#include <QSqlField>

#include "db/db_address.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/ini.h"
#include "db/ui_hooks.h"

namespace {

QSet<QString>& openTransactions() {
    static QSet<QString> set;
    return set;
}

void bindByName(QSqlQuery& query, const QStringList& positionalNames, const QStringList& names,
                const QVariantList& values) {
    for (int pos = 0; pos < positionalNames.size(); ++pos) {
        QVariant value(QMetaType::fromType<QString>());  // an unset parameter is a null text
        for (int i = 0; i < names.size(); ++i) {
            if (names[i].trimmed().toUpper() == positionalNames[pos]) {
                value = values[i].isNull() ? QVariant(QMetaType::fromType<QString>()) : values[i];
                break;
            }
        }
        query.bindValue(pos, value);
    }
}

}  // namespace

// ---------------------------------------------------------------- values

AppValues& Td() {
    static AppValues values;
    return values;
}

void ResetAppValues() { Td() = AppValues(); }

QVariant CompanyRecord::value(const QString& column) const {
    if (current < 0 || current >= rows.size()) return {};
    return rows[current].value(column);
}

bool CompanyRecord::moveTo(const QString& kod, const QString& aktualisev) {
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].value(QStringLiteral("KOD")).toString() == kod
            && rows[i].value(QStringLiteral("AKTUALISEV")).toString() == aktualisev) {
            current = i;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- connections

QSqlDatabase Connection(const QString& connection) {
    if (QSqlDatabase::contains(connection)) return QSqlDatabase::database(connection, false);
    return QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connection);
}

bool IsConnected(const QString& connection) {
    return QSqlDatabase::contains(connection) && QSqlDatabase::database(connection, false).isOpen();
}

void DbDisconnect(const QString& connection) {
    if (!QSqlDatabase::contains(connection)) return;
    openTransactions().remove(connection);
    QSqlDatabase::database(connection, false).close();
}

bool OpenDatabase(const QString& connection, const QString& address) {
    QSqlDatabase db = Connection(connection);
    if (db.isOpen()) DbDisconnect(connection);
    const DbAddress parsed = ParseDbAddress(address);
    db.setDatabaseName(NativeDbPath(parsed.path));
    db.setHostName(parsed.server);
    db.setPort(parsed.isRemote() ? 3050 : -1);
    const FbCredentials credentials = DbCredentials();
    db.setUserName(credentials.user);
    db.setPassword(credentials.password);
    return !address.isEmpty() && db.open();
}

bool DbConnect(const QString& connection, const QString& address, const QString& driver) {
    const QString drv = driver.isEmpty() ? QStringLiteral("IB") : driver;
    if (drv != QLatin1String("IB")) return false;  // only the InterBase driver is built in

    bool ok = OpenDatabase(connection, address);
    if (ok && connection == d_tarvedo) {
        try {
            db1AfterConnect();
        } catch (const DbError&) {
            ok = false;  // a database without the company tables is not usable
        }
    }
    if (IsConnected(connection)) AttachQueries(connection);
    return ok;
}

QString ServicesConnection() { return Td().servicesConnection; }

void AttachQueries(const QString& connection) { Td().servicesConnection = connection; }

void db1AfterConnect() {
    AppValues& app = Td();
    app.ceg = CompanyRecord();
    QSqlQuery ceg = ExecSql(d_tarvedo, QStringLiteral("Select * from CEG "));
    while (NextRow(ceg)) app.ceg.rows.append(ceg.record());
    app.ceg.current = app.ceg.rows.isEmpty() ? -1 : 0;

    // A company without one of the common journal types must not keep the
    // previous company's code for it.
    for (QString* code : {&app.BkKod, &app.BkSzla, &app.VeKod, &app.VeSzla, &app.SzKod, &app.SzSzla, &app.PtKod,
                          &app.PtSzla, &app.NyKod, &app.NySzla})
        code->clear();
    QSqlQuery ntip = ExecSql(d_tarvedo, QStringLiteral("select *\nfrom sz_ntip\nORDER BY KOZOSKOD"));
    if (ntip.record().indexOf(QStringLiteral("KOZOSKOD")) < 0) return;
    while (NextRow(ntip)) {
        const QString common = ntip.value(QStringLiteral("KOZOSKOD")).toString().trimmed();
        const QString kod = ntip.value(QStringLiteral("KOD")).toString();
        const QString szla = ntip.value(QStringLiteral("SZLA")).toString();
        if (common == QLatin1String("BK")) { app.BkKod = kod; app.BkSzla = szla; }
        else if (common == QLatin1String("VE")) { app.VeKod = kod; app.VeSzla = szla; }
        else if (common == QLatin1String("SZ")) { app.SzKod = kod; app.SzSzla = szla; }
        else if (common == QLatin1String("PT")) { app.PtKod = kod; app.PtSzla = szla; }
        else if (common == QLatin1String("NY")) { app.NyKod = kod; app.NySzla = szla; }
    }
}

// ---------------------------------------------------------------- statements

PositionalSql ToPositional(const QString& sql) {
    PositionalSql result;
    result.text.reserve(sql.size());
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            result.text += c;
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            result.text += c;
            continue;
        }
        const bool startsName = c == QLatin1Char(':') && i + 1 < sql.size()
            && (sql.at(i + 1).isLetter() || sql.at(i + 1) == QLatin1Char('_'))
            && (i == 0 || sql.at(i - 1) != QLatin1Char(':'));
        if (!startsName) {
            result.text += c;
            continue;
        }
        qsizetype end = i + 1;
        while (end < sql.size() && (sql.at(end).isLetterOrNumber() || sql.at(end) == QLatin1Char('_')
                                    || sql.at(end) == QLatin1Char('$')))
            ++end;
        result.names << sql.mid(i + 1, end - i - 1).toUpper();
        result.text += QLatin1Char('?');
        i = end - 1;
    }
    return result;
}

QSqlQuery ExecSql(const QString& connection, const QString& sql, const QVariantMap& params) {
    const PositionalSql positional = ToPositional(sql);
    QSqlQuery query(Connection(connection));
    query.setForwardOnly(true);
    if (!query.prepare(positional.text)) throw DbError(query.lastError(), sql);
    QStringList names;
    QVariantList values;
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        names << it.key();
        values << it.value();
    }
    bindByName(query, positional.names, names, values);
    if (!query.exec()) throw DbError(query.lastError(), sql);
    return query;
}

bool NextRow(QSqlQuery& query) {
    if (query.next()) return true;
    if (query.lastError().isValid()) throw DbError(query.lastError(), query.lastQuery());
    return false;
}

QVariant SelectValue(const QString& connection, const QString& sql, const QVariantMap& params) {
    QSqlQuery query = ExecSql(connection, sql, params);
    return NextRow(query) ? query.value(0) : QVariant();
}

Query::Query(QString name, QStringList sql, QString connection)
    : name(std::move(name)), sql(std::move(sql)), m_connection(std::move(connection)) {}

Query Query::services(QString name, QStringList sql) {
    Query query(std::move(name), std::move(sql), QString());
    query.m_followsServices = true;
    return query;
}

QString Query::connection() const { return m_followsServices ? ServicesConnection() : m_connection; }

void Query::close() { m_query.reset(); }

QSqlQuery& Query::rows() {
    if (!m_query) m_query = std::make_unique<QSqlQuery>(Connection(connection()));
    return *m_query;
}

bool Query::hasField(const QString& column) const {
    return m_query && m_query->record().indexOf(column) >= 0;
}

QVariant Query::value(const QString& column) const {
    return m_query && m_query->isValid() ? m_query->value(column) : QVariant();
}

void Query::run(const QStringList& names, const QVariantList& values, bool select) {
    close();
    QSqlDatabase db = Connection(connection());
    if (!db.isOpen() && !db.open()) throw DbError(db.lastError());
    const QString text = sql.join(QLatin1Char('\n'));
    const PositionalSql positional = ToPositional(text);
    m_query = std::make_unique<QSqlQuery>(Connection(connection()));
    m_query->setForwardOnly(!select);
    if (!m_query->prepare(positional.text)) throw DbError(m_query->lastError(), text);
    bindByName(*m_query, positional.names, names, values);
    if (!m_query->exec()) throw DbError(m_query->lastError(), text);
}

void QueryOpen(Query& query, bool reopen) {
    if (reopen) query.close();
    if (query.isOpen()) return;
    query.run({}, {}, true);
    query.rows().first();
}

int QparamOpen(Query& query, const QStringList& names, int mode, const QVariantList& values) {
    if (names.size() != values.size()) {
        ShowMessage(QStringLiteral("QparamOpen error, parameter arrays have different size\rQuery=%1, parameter array:%2, value array:%3")
                        .arg(query.name)
                        .arg(names.size())
                        .arg(values.size()));
        return -1;
    }
    if (mode == 0) {
        query.run(names, values, true);
        QSqlQuery& rows = query.rows();
        int count = 0;
        if (rows.last()) count = rows.at() + 1;
        // A read that failed on the way is no shorter result.
        if (rows.lastError().isValid()) throw DbError(rows.lastError(), query.sql.join(QLatin1Char('\n')));
        rows.first();
        return count;
    }
    query.run(names, values, false);
    const int affected = query.rows().numRowsAffected();
    query.close();
    // Inside a transaction of several statements the enclosing transaction
    // decides; otherwise every statement has already committed on its own.
    return affected;
}

// ---------------------------------------------------------------- transactions

bool InTransaction(const QString& connection) { return openTransactions().contains(connection); }

DbTransaction::DbTransaction(const QString& connection) : m_connection(connection) {
    QSqlDatabase db = Connection(connection);
    if (!db.transaction()) throw DbError(db.lastError());
    openTransactions().insert(connection);
    m_active = true;
}

DbTransaction::~DbTransaction() {
    if (m_active) rollback();
}

void DbTransaction::commit() {
    if (!m_active) return;
    m_active = false;
    openTransactions().remove(m_connection);
    QSqlDatabase db = Connection(m_connection);
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        throw DbError(error);
    }
}

void DbTransaction::commitAndContinue() {
    commit();
    QSqlDatabase db = Connection(m_connection);
    if (!db.transaction()) throw DbError(db.lastError());
    openTransactions().insert(m_connection);
    m_active = true;
}

void DbTransaction::rollback() {
    if (!m_active) return;
    m_active = false;
    openTransactions().remove(m_connection);
    Connection(m_connection).rollback();
}
