#include "error_log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QMetaObject>
#include <QObject>
#include <QStringList>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/ui_hooks.h"
#include "db/work_file.h"

QStringList ErrorFileLines(const QObject* sender, const CaughtError& error) {
    const QString program = QCoreApplication::applicationFilePath();
    QStringList lines;
    lines << QStringLiteral("Project ") + program + QStringLiteral(" version ") + FileVersionText(program)
                 + QStringLiteral(", user ") + Td().CurrentUser;

    QString where = QStringLiteral("object ");
    if (sender) {
        where += QString::fromLatin1(sender->metaObject()->className());
        QStringList enclosing;
        for (const QObject* parent = sender->parent(); parent; parent = parent->parent())
            enclosing << parent->objectName();
        where += QStringLiteral(" named ") + sender->objectName() + QStringLiteral(" on (")
            + enclosing.join(QLatin1Char('/')) + QLatin1Char(')');
    } else {
        where += QStringLiteral("nil");
    }
    where += QStringLiteral(" raised a(n) ") + error.typeName + QStringLiteral(" exception. Original message:");
    lines << where << error.message;
    return lines;
}

QString Hiba_Kezelo(const QObject* sender, const CaughtError& error) {
    const QStringList lines = ErrorFileLines(sender, error);
    ShowMessage(error.message);

    const QString name = QStringLiteral("Error__")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss_zzz")) + QStringLiteral(".txt");
    const QString dir = Td().WorkDir.isEmpty() ? QDir::currentPath() : Td().WorkDir;
    const QString path = QDir(dir).filePath(name);
    if (!WriteWholeFile(path, (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8()))
        throw std::runtime_error(QStringLiteral("Nem írható: %1").arg(path).toStdString());

    if (!IsConnected(d_tarvedo) && !Td().DbServer.isEmpty()) DbConnect(d_tarvedo, Td().DbServer);
    return path;
}
