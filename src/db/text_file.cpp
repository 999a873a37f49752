#include "text_file.h"

#include <QFile>

#include "db/cp1250.h"
#include "db/script_runner.h"
#include "db/work_file.h"

bool LoadTextFile(const QString& path, TextFile& file) {
    file = TextFile();
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return false;
    file.text = ReadTextLines(in.readAll(), &file.utf8).join(QLatin1Char('\n'));
    return true;
}

bool SaveTextFile(const QString& path, const TextFile& file) {
    QString text;
    if (!file.text.isEmpty()) {
        QString body = file.text;
        body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        for (const QString& line : body.split(QLatin1Char('\n'))) text += line + QLatin1String("\r\n");
    }
    return WriteWholeFile(path, Encode8BitText(text, file.utf8), SettingsFilePermissions(text), true);
}
