#include "ini_writeback.h"

#include <QFileInfo>
#include <QStringList>

#include "ini.h"

namespace {

qsizetype findLine(const QStringList& lines, const QString& wanted) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).compare(wanted, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void writeBackKey(QStringList& lines, const QString& key, const QString& oldValue, const QString& newValue) {
    if (oldValue == newValue) return;
    const QString oldLine = key + u'=' + oldValue;
    const QString newLine = key + u'=' + newValue;
    const qsizetype old = findLine(lines, oldLine);
    if (old >= 0) lines[old] = u'*' + oldLine;
    const qsizetype current = findLine(lines, newLine);
    if (current < 0)
        lines.append(newLine);
    else
        lines[current] = newLine;
}

}  // namespace

bool WriteBackStartupSettings(const QString& file, const StartupSettings& atStart,
                              const StartupSettings& now) {
    if (!QFileInfo::exists(file)) {
        return WriteSettingsLines(file,
                                  {QStringLiteral("DBSERVER=") + now.dbServer,
                                   QStringLiteral("DEFAULTCEG=") + now.defaultCeg,
                                   QStringLiteral("DEFAULTEV=") + now.defaultEv},
                                  true);
    }
    if (atStart == now) return true;

    QStringList lines;
    bool utf8 = true;
    if (!ReadSettingsLines(file, lines, &utf8)) return false;
    writeBackKey(lines, QStringLiteral("DBSERVER"), atStart.dbServer, now.dbServer);
    writeBackKey(lines, QStringLiteral("DEFAULTCEG"), atStart.defaultCeg, now.defaultCeg);
    writeBackKey(lines, QStringLiteral("DEFAULTEV"), atStart.defaultEv, now.defaultEv);
    return WriteSettingsLines(file, lines, utf8);
}
