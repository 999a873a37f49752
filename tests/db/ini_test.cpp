#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/cp1250.h"
#include "db/ini.h"
#include "db/ini_writeback.h"
#include "db/ui_hooks.h"

namespace {

std::string S(const QString& text) { return text.toStdString(); }

QByteArray ReadBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList StoreKeys() {
    QStringList keys;
    for (const TInivalue& entry : SettingsStore()) keys.append(entry.valtozo);
    return keys;
}

QString Value(const char* key) {
    QString value;
    IniGet(QString::fromUtf8(key), value);
    return value;
}

// Every test starts with an empty store and a folder of its own; messages
// are collected instead of shown.
class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        IniClear();
        ASSERT_TRUE(dir.isValid());
        UiHooks::setMessage([this](const QString& text) { messages.append(text); });
    }
    void TearDown() override {
        UiHooks::setMessage({});
        IniClear();
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    QStringList messages;
};

TEST_F(IniTest, LoadReadsSettingsCommentsAndBothEncodings) {
    // The same file as UTF-8 and as Windows-1250.
    const QString text = QStringLiteral(
        "   dbserver =  C:\\DATA\\A.GDB   // a comment\r\n"
        "*DBSERVER=X:\\OLD.GDB\r\n"
        "  * PWD=SECRET\r\n"
        "DBSERVER\r\n"
        "PWD=ONE\r\n"
        "\r\n"
        "width=120//no blank\n"
        "pwd = NONE\r\n"
        "LOGO_KEP=C:\\KÉP\\lőgó.bmp\r\n"
        "URL=http:x=1\r\n");
    const QByteArray encodings[] = {text.toUtf8(), EncodeCp1250(text)};
    for (const QByteArray& bytes : encodings) {
        IniClear();
        const QString file = Path("TARVEDO.INI");
        WriteBytes(file, bytes);
        ASSERT_TRUE(IniLoad(file, false));

        EXPECT_EQ(StoreKeys(), (QStringList{"DBSERVER", "PWD", "WIDTH", "LOGO_KEP", "URL"}));
        const TInivalue& db = SettingsStore().at(0);
        EXPECT_EQ(S(db.ertek), "C:\\DATA\\A.GDB");
        EXPECT_EQ(S(db.komment), " a comment");
        EXPECT_EQ(S(SettingsStore().at(2).komment), "no blank");
        EXPECT_EQ(S(Value("PWD")), "NONE");               // the later line wins, at the first position
        EXPECT_EQ(S(Value("LOGO_KEP")), "C:\\KÉP\\lőgó.bmp");
        EXPECT_EQ(S(Value("URL")), "http:x=1");            // the first "=" separates
        EXPECT_EQ(IniFileName(), file);
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(IniTest, LinesWhoseOnlyEqualsSignIsInTheCommentAreNoSettings) {
    const QString file = Path("TARVEDO.INI");
    WriteBytes(file, "// DBSERVER=C:\\X.GDB\r\nPWD // was PWD=NONE\r\nWIDTH=100\r\n");
    ASSERT_TRUE(IniLoad(file, true));
    EXPECT_EQ(StoreKeys(), (QStringList{"WIDTH"}));
}

TEST_F(IniTest, GetAndSetByNormalisedKey) {
    EXPECT_EQ(IniSet(QStringLiteral(" dbserver "), QStringLiteral(" C:\\A.GDB "), QStringLiteral(" megjegyzés")), 0);
    EXPECT_EQ(IniSet(QStringLiteral("PWD"), QStringLiteral("NONE")), 1);
    EXPECT_EQ(IniSet(QStringLiteral("Width"), QStringLiteral("80")), 2);

    QString value = QStringLiteral("left over");
    EXPECT_EQ(IniGet(QStringLiteral("pwd"), value), 1);
    EXPECT_EQ(S(value), "NONE");
    EXPECT_EQ(IniGet(QStringLiteral("  WIDTH "), value), 2);
    EXPECT_EQ(IniGet(QStringLiteral("nothing"), value), -1);
    EXPECT_EQ(S(value), "");

    // An existing key keeps its place; the value is kept as given; an empty
    // comment clears the old one.
    EXPECT_EQ(IniSet(QStringLiteral("DBSERVER"), QStringLiteral("D:\\B.GDB")), 0);
    EXPECT_EQ(StoreKeys(), (QStringList{"DBSERVER", "PWD", "WIDTH"}));
    EXPECT_EQ(S(SettingsStore().at(0).komment), "");
    IniSet(QStringLiteral("PWD"), QStringLiteral("  x  "));
    EXPECT_EQ(S(Value("PWD")), "  x  ");

    // Only the letters a to z are upper-cased in keys.
    EXPECT_EQ(IniSet(QStringLiteral("árfolyam"), QStringLiteral("1")), 3);
    EXPECT_EQ(S(SettingsStore().at(3).valtozo), "áRFOLYAM");
}

TEST_F(IniTest, MissingFileIsReportedUnlessSilent) {
    IniSet(QStringLiteral("PWD"), QStringLiteral("NONE"));
    const QString missing = Path("NINCS.INI");
    EXPECT_FALSE(IniLoad(missing, true));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(IniLoad(missing, false));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Ini file: ") + missing + QStringLiteral(" not found.")});
    EXPECT_EQ(StoreKeys(), (QStringList{"PWD"}));
    EXPECT_NE(IniFileName(), missing);
}

TEST_F(IniTest, AtLinesLoadAnotherFileInPlace) {
    WriteBytes(Path("COMMON.INI"), "DBSYSTEM=C:\\SYS.GDB\r\nPWD=NONE\r\n");
    WriteBytes(Path("TARVEDO.INI"),
               "DBSERVER=C:\\A.GDB\r\n"
               "@COMMON.INI   // shared settings\r\n"
               "@NINCS.INI\r\n"
               "@TARVEDO.INI\r\n"          // names itself: read once only
               "PWD=ASK\r\n");
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));  // names are relative to the working folder
    const bool loaded = IniLoad(QStringLiteral("TARVEDO.INI"), false);
    QDir::setCurrent(saved);

    ASSERT_TRUE(loaded);
    EXPECT_EQ(StoreKeys(), (QStringList{"DBSERVER", "DBSYSTEM", "PWD"}));
    EXPECT_EQ(S(Value("PWD")), "ASK");
    EXPECT_EQ(messages, QStringList{QStringLiteral("Ini file: NINCS.INI not found.")});
    EXPECT_EQ(S(IniFileName()), "COMMON.INI");  // the file loaded last, a nested one too
}

TEST_F(IniTest, WriteStoreWritesEveryEntryInTheFilesEncoding) {
    IniSet(QStringLiteral("DBSERVER"), QStringLiteral("C:\\CÉG.GDB"), QStringLiteral(" cég adatbázisa"));
    IniSet(QStringLiteral("PWD"), QStringLiteral("NONE"));

    const QString fresh = Path("NEW.INI");
    ASSERT_TRUE(IniWriteStore(fresh));
    EXPECT_EQ(ReadBytes(fresh), QStringLiteral("DBSERVER=C:\\CÉG.GDB  // cég adatbázisa\r\nPWD=NONE\r\n").toUtf8());

    const QString old = Path("OLD.INI");
    WriteBytes(old, "LOGO_KEP=k\xE9p.bmp\r\n");  // Windows-1250
    ASSERT_TRUE(IniWriteStore(old));
    EXPECT_EQ(ReadBytes(old), QByteArray("DBSERVER=C:\\C\xC9G.GDB  // c\xE9g adatb\xE1zisa\r\nPWD=NONE\r\n"));

    // What was written loads back as the same store.
    const TAIniValues before = SettingsStore();
    IniClear();
    ASSERT_TRUE(IniLoad(old, true));
    ASSERT_EQ(SettingsStore().size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        EXPECT_EQ(SettingsStore().at(i).valtozo, before.at(i).valtozo);
        EXPECT_EQ(SettingsStore().at(i).ertek, before.at(i).ertek);
        EXPECT_EQ(SettingsStore().at(i).komment, before.at(i).komment);
    }
}

// ------------------------------------------------------------------ end-of-run write-back

const StartupSettings kStart{QStringLiteral("X"), QStringLiteral("C1"), QStringLiteral("2024")};

TEST_F(IniTest, WriteBackCreatesAMissingFile) {
    const QString file = Path("TARVEDO.INI");
    ASSERT_TRUE(WriteBackStartupSettings(file, kStart, {QStringLiteral("C:\\CÉG.GDB"), QStringLiteral("C2"), QStringLiteral("2025")}));
    EXPECT_EQ(ReadBytes(file), QStringLiteral("DBSERVER=C:\\CÉG.GDB\r\nDEFAULTCEG=C2\r\nDEFAULTEV=2025\r\n").toUtf8());
}

TEST_F(IniTest, WriteBackLeavesAnUnchangedRunsFileAlone) {
    const QString file = Path("TARVEDO.INI");
    const QByteArray content("DBSERVER=X\nDEFAULTCEG=C1\nDEFAULTEV=2024\n// no CR here\n");
    WriteBytes(file, content);
    ASSERT_TRUE(WriteBackStartupSettings(file, kStart, kStart));
    EXPECT_EQ(ReadBytes(file), content);  // not even the line ends changed
}

TEST_F(IniTest, WriteBackDisablesTheOldLineAndAppendsTheNewOne) {
    struct Case { const char* file; StartupSettings now; const char* result; };
    const Case cases[] = {
        // database X -> Y
        {"DBSERVER=X\r\nDEFAULTCEG=C1\r\n// note\r\nDEFAULTEV=2024\r\n",
         {QStringLiteral("Y"), QStringLiteral("C1"), QStringLiteral("2024")},
         "*DBSERVER=X\r\nDEFAULTCEG=C1\r\n// note\r\nDEFAULTEV=2024\r\nDBSERVER=Y\r\n"},
        // a line for the new value exists (any case): it is rewritten in place
        {"dbserver=x\r\n*DBSERVER=Y\r\nDBSERVER=y\r\n",
         {QStringLiteral("Y"), QStringLiteral("C1"), QStringLiteral("2024")},
         "*DBSERVER=X\r\n*DBSERVER=Y\r\nDBSERVER=Y\r\n"},
        // all three changed, none present: appended in the order DBSERVER, DEFAULTCEG, DEFAULTEV
        {"PWD=NONE\r\nDBSERVER = X\r\n",
         {QStringLiteral("Z"), QStringLiteral("C2"), QStringLiteral("2025")},
         "PWD=NONE\r\nDBSERVER = X\r\nDBSERVER=Z\r\nDEFAULTCEG=C2\r\nDEFAULTEV=2025\r\n"},
        // only the year changed: the company line stays as it was
        {"DEFAULTCEG=C1\nDEFAULTEV=2024\nDEFAULTEV=2025\n",
         {QStringLiteral("X"), QStringLiteral("C1"), QStringLiteral("2025")},
         "DEFAULTCEG=C1\r\n*DEFAULTEV=2024\r\nDEFAULTEV=2025\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = Path("TARVEDO.INI");
        WriteBytes(file, c.file);
        ASSERT_TRUE(WriteBackStartupSettings(file, kStart, c.now));
        EXPECT_EQ(ReadBytes(file), QByteArray(c.result));
    }
}

TEST_F(IniTest, WriteBackKeepsAWindows1250File) {
    const QString file = Path("TARVEDO.INI");
    WriteBytes(file, "DBSERVER=C:\\K\xD5.GDB   \r\nDBSERVER=C:\\K\xD5.GDB\r\n");
    const StartupSettings start{QStringLiteral("C:\\KŐ.GDB"), kStart.defaultCeg, kStart.defaultEv};
    const StartupSettings now{QStringLiteral("C:\\ÚJ.GDB"), kStart.defaultCeg, kStart.defaultEv};
    ASSERT_TRUE(WriteBackStartupSettings(file, start, now));
    EXPECT_EQ(ReadBytes(file),
              QByteArray("DBSERVER=C:\\K\xD5.GDB   \r\n*DBSERVER=C:\\K\xD5.GDB\r\nDBSERVER=C:\\\xDAJ.GDB\r\n"));
}

}  // namespace
