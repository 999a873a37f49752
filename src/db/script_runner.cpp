#include "script_runner.h"

#include <QDateTime>
#include <QFile>
#include <QSqlQuery>

#include "db/cp1250.h"
#include "db/dat.h"
#include "db/db_error.h"

namespace {

bool endsWithSemicolon(const QString& t) { return !t.isEmpty() && t.endsWith(QLatin1Char(';')); }

// Executes one collected statement; false with the message when the database refused it.
bool execute(const QString& connection, const QStringList& statement, QString& error) {
    const QString text = statement.join(QLatin1Char('\n'));
    QSqlQuery query(Connection(connection));
    query.setForwardOnly(true);
    const bool ok = query.exec(text);
    if (!ok) error = DbError(query.lastError()).message();
    return ok;
}

}  // namespace

QStringList ReadTextLines(const QByteArray& bytes, bool* wasUtf8) {
    QString text = Decode8BitText(bytes, wasUtf8);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty() && text.endsWith(QLatin1Char('\n'))) lines.removeLast();
    return lines;
}

ScriptResult RunScript(const QStringList& lines, bool stopOnError, const QString& connection) {
    const QString conn = connection.isEmpty() ? ServicesConnection() : connection;
    ScriptResult result;
    QStringList statement;
    bool inComment = false;
    bool inBlock = false;
    bool goOn = true;

    for (qsizetype i = 0; i < lines.size() && goOn; ++i) {
        QString t = lines[i].trimmed();
        const qsizetype open = t.indexOf(QLatin1String("/*"));
        if (open >= 0) {
            const bool closesHere = t.indexOf(QLatin1String("*/"), open) >= 0;
            t = t.left(open).trimmed();
            if (!closesHere) {
                if (!t.isEmpty()) statement << t;
                inComment = true;
            }
        } else if (inComment && t.contains(QLatin1String("*/"))) {
            t = t.mid(t.indexOf(QLatin1String("*/")) + 2).trimmed();
            inComment = false;
        }

        if (!inComment && !t.isEmpty()) {
            statement << t;
            const QString upper = t.toUpper();
            if (statement.size() <= 2
                && (upper.contains(QLatin1String(" TRIGGER ")) || upper.contains(QLatin1String(" PROCEDURE ")))
                && !upper.contains(QLatin1String("INACTIVE;")))
                inBlock = true;  // the body's own ";" do not end it: it runs to the end of the file
        }

        const bool lastLine = i == lines.size() - 1;
        if (!lastLine && (!endsWithSemicolon(t) || inBlock || inComment || t.isEmpty())) continue;

        // What goes to the error file keeps its ";" so that it can run again.
        QStringList kept = statement;
        QStringList executed = statement;
        while (!executed.isEmpty() && endsWithSemicolon(executed.last())) executed.last().chop(1);
        statement.clear();
        if (executed.isEmpty() || (executed.size() == 1 && executed.first().isEmpty())) continue;
        if (!lines[i].contains(QLatin1Char(';'))) kept.last() += QLatin1Char(';');

        QString error;
        if (execute(conn, executed, error)) {
            ++result.executed;
        } else {
            ++result.failed;
            result.failedLines << kept;
            result.errors << error;
            if (stopOnError) goOn = false;
        }
    }
    return result;
}

ScriptResult RunScriptFile(const QString& fileName, const QString& connection) {
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) return {};
    bool wasUtf8 = true;
    const QStringList lines = ReadTextLines(file.readAll(), &wasUtf8);
    file.close();

    ScriptResult result = RunScript(lines, false, connection);
    if (result.failed > 0) {
        const QString errorName = fileName + QStringLiteral("_ERROR_")
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".SQL");
        QFile out(errorName);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            const QString text = result.failedLines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
            out.write(Encode8BitText(text, wasUtf8));
        }
    }
    return result;
}
