#include "ini.h"

#include <QFile>
#include <QFileInfo>

#include "cp1250.h"
#include "ui_hooks.h"
#include "work_file.h"

namespace {

TAIniValues g_store;
QString g_fileName;
QStringList g_loading;  // files being read now, outermost first

// Keys are compared with only the letters a to z upper-cased.
QString normalKey(const QString& key) {
    QString k = key.trimmed();
    for (QChar& c : k)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - u'a' + u'A');
    return k;
}

QStringList splitLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast();  // the line break after the last line
    return lines;
}

bool isUtf8File(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return true;
    bool utf8 = true;
    Decode8BitText(f.readAll(), &utf8);
    return utf8;
}

void loadLine(const QString& raw) {
    QString line = raw;
    QString comment;
    const qsizetype commentAt = line.indexOf(QStringLiteral("//"));
    if (commentAt >= 0) {
        comment = line.mid(commentAt + 2);
        line.truncate(commentAt);
    }
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'*')) return;
    if (trimmed.startsWith(u'@')) {
        IniLoad(trimmed.mid(1).trimmed(), false);
        return;
    }
    // Only an "=" before the comment makes a setting: "PWD // a=b" is none.
    const qsizetype equalsAt = line.indexOf(u'=');
    if (equalsAt < 0) return;
    IniSet(line.left(equalsAt), line.mid(equalsAt + 1).trimmed(), comment);
}

}  // namespace

const TAIniValues& SettingsStore() { return g_store; }

void IniClear() { g_store.clear(); }

QString IniFileName() { return g_fileName; }

bool IniLoad(const QString& file, bool silent) {
    if (!QFileInfo(file).isFile()) {
        if (!silent) ShowMessage(QStringLiteral("Ini file: ") + file + QStringLiteral(" not found."));
        return false;
    }
    // A file that names itself, directly or through another, is read once.
    const QString path = QFileInfo(file).canonicalFilePath();
    if (g_loading.contains(path)) return true;

    QStringList lines;
    if (!ReadSettingsLines(file, lines)) {
        if (!silent) ShowMessage(QStringLiteral("Ini file: ") + file + QStringLiteral(" not found."));
        return false;
    }
    g_fileName = file;
    g_loading.append(path);
    for (const QString& line : lines) loadLine(line);
    g_loading.removeLast();
    return true;
}

int IniGet(const QString& key, QString& value) {
    const QString k = normalKey(key);
    for (qsizetype i = 0; i < g_store.size(); ++i) {
        if (g_store.at(i).valtozo == k) {
            value = g_store.at(i).ertek;
            return int(i);
        }
    }
    value.clear();
    return -1;
}

int IniSet(const QString& key, const QString& value, const QString& comment) {
    QString unused;
    int position = IniGet(key, unused);
    if (position < 0) {
        g_store.append(TInivalue{normalKey(key), {}, {}});
        position = int(g_store.size() - 1);
    }
    g_store[position].ertek = value;
    g_store[position].komment = comment;
    return position;
}

bool IniWriteStore(const QString& file) {
    QStringList lines;
    for (const TInivalue& entry : g_store) {
        QString line = entry.valtozo + u'=' + entry.ertek;
        if (!entry.komment.isEmpty()) line += QStringLiteral("  //") + entry.komment;
        lines.append(line);
    }
    return WriteSettingsLines(file, lines, isUtf8File(file));
}

bool ReadSettingsLines(const QString& file, QStringList& lines, bool* utf8) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    lines = splitLines(Decode8BitText(f.readAll(), utf8));
    return true;
}

bool WriteSettingsLines(const QString& file, const QStringList& lines, bool utf8) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return WriteWholeFile(file, Encode8BitText(text, utf8), SettingsFilePermissions(text), true);
}
