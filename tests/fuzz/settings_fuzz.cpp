// The settings file parser. The input is a settings file and, after a NUL
// byte, a second one named "B.INI" that the first may load with "@B.INI".
#include <QDir>

#include "db/ini.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray first = split < 0 ? bytes : bytes.left(split);
    const QByteArray second = split < 0 ? QByteArray() : bytes.mid(split + 1);
    // "@" loads name files relative to the working folder; any other file
    // of the machine is out of the test's reach.
    for (const QByteArray& line : first.split('\n') + second.split('\n')) {
        const QByteArray name = line.trimmed().mid(1).trimmed();
        if (line.trimmed().startsWith('@') && (name.contains('/') || name.contains('\\'))) return 0;
    }
    // libFuzzer's own paths may be relative: the working folder is only borrowed.
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(FuzzDir().path());
    const QString path = WriteFuzzFile(QStringLiteral("A.INI"), first);
    WriteFuzzFile(QStringLiteral("B.INI"), second);

    IniClear();
    FUZZ_CHECK(IniLoad(path, true));
    QDir::setCurrent(workingFolder);
    for (const TInivalue& entry : SettingsStore()) {
        QString value;
        // Every stored key is found again, at a position holding its own last value.
        const int position = IniGet(entry.valtozo, value);
        FUZZ_CHECK(position >= 0);
        FUZZ_CHECK(SettingsStore().at(position).valtozo == entry.valtozo);
    }
    // Written back and read again, the store is the same.
    const TAIniValues before = SettingsStore();
    const QString copy = FuzzDir().filePath(QStringLiteral("COPY.INI"));
    FUZZ_CHECK(IniWriteStore(copy));
    IniClear();
    FUZZ_CHECK(IniLoad(copy, true));
    FUZZ_CHECK(SettingsStore().size() == before.size());
    return 0;
}
