#pragma once
// The settings store: every setting of "TARVEDO.INI" (and "LASTUSER.INI"),
// loaded once at start and read by key by the whole program. The program
// changes the store in memory only; the file is written back by the settings
// editor and, for the start-up keys, at the end of the run.
//
// File format: key=value lines; everything from the first "//" is the line's
// comment; lines starting with "*" are disabled settings; a line starting with
// "@" loads the settings file it names at that point. The last occurrence of a
// key wins, at the position of its first occurrence. Files are 8-bit text:
// UTF-8 when valid UTF-8, otherwise Windows-1250; lines are written with
// CR LF, in the encoding the file already has (a new file: UTF-8).
#include <QList>
#include <QString>
#include <QStringList>

struct TInivalue {
    QString valtozo;  // key: upper case, no surrounding blanks
    QString ertek;    // value
    QString komment;  // comment, possibly empty
};
using TAIniValues = QList<TInivalue>;

// Every setting, in the order the keys were first set.
const TAIniValues& SettingsStore();
void IniClear();
// The file loaded last (nested and "LASTUSER.INI" loads included).
QString IniFileName();

// True when the file existed and was read. A missing file is reported with
// "Ini file: <name> not found." unless silent; the store is then unchanged.
bool IniLoad(const QString& file, bool silent);
// The key's position in the store and its value; -1 and an empty value when
// the key is absent. Keys are looked up trimmed and in upper case.
int IniGet(const QString& key, QString& value);
// Sets a key in the store (appended when new) and returns its position. An
// empty comment clears a previous one.
int IniSet(const QString& key, const QString& value, const QString& comment = {});
// Replaces the file with every setting of the store, one key=value line each
// (followed by "  //" and the comment when there is one).
bool IniWriteStore(const QString& file);

// A settings file as lines and back; `utf8` tells the file's encoding.
bool ReadSettingsLines(const QString& file, QStringList& lines, bool* utf8 = nullptr);
bool WriteSettingsLines(const QString& file, const QStringList& lines, bool utf8);
