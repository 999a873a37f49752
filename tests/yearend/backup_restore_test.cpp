// A failed restore never harms the database it was to replace, and a backup
// takes its name only when complete, readable by its owner only.
#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>

#include "yearend/backup.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

QByteArray Digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

// The files of the folder, but for the ones a test makes itself.
QStringList FolderFiles(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A backup of the copy's company database cut off at half its length.
QString TruncatedBackup(const WorkingCopy& copy) {
    const QString fbk = copy.dir() + QStringLiteral("/csonka.fbk");
    EXPECT_EQ(BackupDatabase(copy.company(), fbk, DbCredentials()), QString());
    QFile file(fbk);
    EXPECT_TRUE(file.resize(file.size() / 2));
    return fbk;
}

class TruncatedRestore : public ::testing::TestWithParam<bool> {};

TEST_P(TruncatedRestore, LeavesTheExistingDatabaseByteForByteAndNoNewFile) {
    const bool server = GetParam();
    if (server && TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    WorkingCopy copy(300, server);
    const QString fbk = TruncatedBackup(copy);
    const QString prefix = server ? TestServer() + u':' : QString();
    const QString existing = copy.dir() + QStringLiteral("/TARVEDO_MINTA_2025.GDB");
    const QByteArray before = Digest(existing);
    const QStringList files = FolderFiles(copy.dir());

    for (const bool replace : {true, false}) {
        const QString error = RestoreDatabase(fbk, prefix + existing, DbCredentials(), replace);
        EXPECT_TRUE(error.startsWith(QStringLiteral("Az adatbázis visszatöltése nem sikerült (%1): ").arg(prefix + existing)))
            << error.toStdString();
        EXPECT_EQ(Digest(existing), before) << "replace " << replace;
        EXPECT_EQ(FolderFiles(copy.dir()), files) << "replace " << replace;
    }
    // The engine's words are a detail below the system's own message.
    const QString error = RestoreDatabase(fbk, prefix + existing, DbCredentials(), true);
    EXPECT_TRUE(error.contains(QStringLiteral("\nRészletek: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("változatlan maradt"))) << error.toStdString();

    // Under a new name nothing is left behind.
    const QString fresh = copy.dir() + QStringLiteral("/UJ.GDB");
    EXPECT_NE(RestoreDatabase(fbk, prefix + fresh, DbCredentials(), false), QString());
    EXPECT_EQ(FolderFiles(copy.dir()), files);
}

TEST_P(TruncatedRestore, AWholeBackupReplacesAnUnusedDatabaseButNotOneInUse) {
    const bool server = GetParam();
    if (server && TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    WorkingCopy copy(300, server);
    const QString fbk = copy.dir() + QStringLiteral("/ep.fbk");
    ASSERT_EQ(BackupDatabase(copy.company(), fbk, DbCredentials()), QString());
    const QString prefix = server ? TestServer() + u':' : QString();
    const QString target = copy.dir() + QStringLiteral("/MASIK.GDB");
    ASSERT_EQ(RestoreDatabase(fbk, prefix + target, DbCredentials(), false), QString());
    const QStringList files = FolderFiles(copy.dir());

    // Another workstation works in it: it stays as it was.
    ASSERT_TRUE(OpenDatabase(QStringLiteral("masik"), prefix + target));
    ExecSql(QStringLiteral("masik"), QStringLiteral("delete from UGYFEL"));
    const QString refused = RestoreDatabase(fbk, prefix + target, DbCredentials(), true);
    EXPECT_TRUE(refused.contains(QStringLiteral("más is használja"))) << refused.toStdString();
    EXPECT_EQ(Number(QStringLiteral("masik"), QStringLiteral("select count(*) from UGYFEL")), 0);
    DbDisconnect(QStringLiteral("masik"));
    EXPECT_EQ(FolderFiles(copy.dir()), files);

    // Nobody in it: the restored database takes its place.
    ASSERT_EQ(RestoreDatabase(fbk, prefix + target, DbCredentials(), true), QString());
    ASSERT_TRUE(OpenDatabase(QStringLiteral("masik"), prefix + target));
    EXPECT_GT(Number(QStringLiteral("masik"), QStringLiteral("select count(*) from UGYFEL")), 0);
    DbDisconnect(QStringLiteral("masik"));
    QSqlDatabase::removeDatabase(QStringLiteral("masik"));
    EXPECT_EQ(FolderFiles(copy.dir()), files);
}

INSTANTIATE_TEST_SUITE_P(Address, TruncatedRestore, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Server") : std::string("LocalFile");
                         });

TEST(RestoreCommand, ATruncatedBackupSaysSoInHungarianAndKeepsTheDatabase) {
    WorkingCopy copy(0);
    const QString fbk = TruncatedBackup(copy);
    const QString existing = copy.dir() + QStringLiteral("/TARVEDO_MINTA_2025.GDB");
    const QByteArray before = Digest(existing);
    const CliResult run = RunCli({QStringLiteral("--workdir"), copy.dir(), QStringLiteral("restore"), fbk, existing,
                                  QStringLiteral("--replace")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Az adatbázis visszatöltése nem sikerült"))) << run.err.toStdString();
    EXPECT_EQ(Digest(existing), before);
    const CliResult fresh = RunCli({QStringLiteral("--workdir"), copy.dir(), QStringLiteral("restore"), fbk,
                                    copy.dir() + QStringLiteral("/UJ.GDB")});
    EXPECT_EQ(fresh.code, 1);
    EXPECT_FALSE(QFile::exists(copy.dir() + QStringLiteral("/UJ.GDB")));
}

TEST(BackupFile, TakesItsNameWhenCompleteOwnerOnlyAndAFailureKeepsTheEarlierOne) {
    WorkingCopy copy(300);
    const QString fbk = copy.dir() + QStringLiteral("/mentes.fbk");
    bool seenWhileWriting = false;
    BackupOptions options;
    options.step = [&](qint64, qint64) { seenWhileWriting = seenWhileWriting || QFile::exists(fbk); };
    ASSERT_EQ(BackupDatabase(copy.company(), fbk, DbCredentials(), options), QString());
    EXPECT_FALSE(seenWhileWriting);
    EXPECT_EQ(QFile::permissions(fbk) & AllPermissions, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A failed backup into the same name keeps the earlier file, and nothing beside it.
    const QByteArray before = Digest(fbk);
    const QStringList files = FolderFiles(copy.dir());
    const QString error = BackupDatabase(copy.dir() + QStringLiteral("/NINCS.GDB"), fbk, DbCredentials());
    EXPECT_TRUE(error.startsWith(QStringLiteral("Az adatbázis mentése nem sikerült"))) << error.toStdString();
    EXPECT_EQ(Digest(fbk), before);
    EXPECT_EQ(FolderFiles(copy.dir()), files);

    const CliResult run = RunCli({QStringLiteral("--workdir"), copy.dir(), QStringLiteral("backup"), fbk});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(QFile::permissions(fbk) & AllPermissions, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace
