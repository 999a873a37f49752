// Files written beside their target: whole or absent, and readable by no
// more people than their kind allows, under any umask.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "db/ini.h"
#include "db/work_file.h"

namespace {

// The file's mode bits as the system shows them (0640 ...).
int modeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return -1;
    return int(info.st_mode & 0777);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files of a folder, hidden ones too (a work file left behind would show).
QStringList filesIn(const QTemporaryDir& dir) { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

// Sets the process's umask for one test.
class Umask {
public:
    explicit Umask(mode_t mask) : m_previous(::umask(mask)) {}
    ~Umask() { ::umask(m_previous); }

private:
    mode_t m_previous;
};

}  // namespace

TEST(WorkFile, NewFilesGetTheUmaskWithinTheirKindsLimit) {
    const struct {
        mode_t umask;
        QFileDevice::Permissions widest;
        int mode;
    } cases[] = {
        {022, ExportFilePermissions, 0640},  {002, ExportFilePermissions, 0640},
        {077, ExportFilePermissions, 0600},  {022, PrivateFilePermissions, 0600},
        {0, PrivateFilePermissions, 0600},   {022, OrdinaryFilePermissions, 0644},
        {027, OrdinaryFilePermissions, 0640},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << "umask " << c.umask << " widest " << int(c.widest));
        QTemporaryDir dir;
        const Umask umask(c.umask);
        const QString path = dir.filePath(QStringLiteral("kimenet.txt"));
        ASSERT_TRUE(WriteWholeFile(path, "adat", c.widest));
        EXPECT_EQ(modeOf(path), c.mode) << std::oct << modeOf(path);
        EXPECT_EQ(contentOf(path), QByteArray("adat"));
        EXPECT_EQ(filesIn(dir), QStringList{QStringLiteral("kimenet.txt")});
    }
}

TEST(WorkFile, ReplacedFileKeepsItsModeWithinTheLimit) {
    const Umask umask(022);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kimenet.txt"));
    const struct {
        int before;
        int after;
    } cases[] = {{0600, 0600}, {0644, 0640}, {0660, 0640}, {0400, 0400}};
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteWholeFile(path, "régi", ExportFilePermissions));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(c.before)), 0);
        ASSERT_TRUE(WriteWholeFile(path, "új", ExportFilePermissions));
        EXPECT_EQ(modeOf(path), c.after) << std::oct << c.before;
        EXPECT_EQ(contentOf(path), QByteArray("új"));
    }
}

TEST(WorkFile, AnUncommittedFileLeavesTheEarlierOneAndNoTrace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kimenet.txt"));
    ASSERT_TRUE(WriteWholeFile(path, "régi", ExportFilePermissions));
    {
        WorkFile file(path);
        ASSERT_TRUE(file.open());
        file.write("félig írt");  // the run fails here
    }
    EXPECT_EQ(contentOf(path), QByteArray("régi"));
    EXPECT_EQ(filesIn(dir), QStringList{QStringLiteral("kimenet.txt")});
}

TEST(WorkFile, SettingsHoldingTheDatabasePasswordAreForTheOwnerOnly) {
    const Umask umask(022);
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("TARVEDO.INI"));
    ASSERT_TRUE(WriteSettingsLines(ini, {QStringLiteral("DBSERVER=x.gdb")}, true));
    EXPECT_EQ(modeOf(ini), 0644);
    ASSERT_TRUE(WriteSettingsLines(ini, {QStringLiteral("DBSERVER=x.gdb"), QStringLiteral("DBPASSWORD=titok")}, true));
    EXPECT_EQ(modeOf(ini), 0600);
    QStringList lines;
    ASSERT_TRUE(ReadSettingsLines(ini, lines));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("DBSERVER=x.gdb"), QStringLiteral("DBPASSWORD=titok")}));
    // A file without the key keeps the owner-only mode it had.
    ASSERT_TRUE(WriteSettingsLines(ini, {QStringLiteral("DBSERVER=y.gdb")}, true));
    EXPECT_EQ(modeOf(ini), 0600);
}
