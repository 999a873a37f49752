// Every file the tool writes is whole or absent: a run that cannot read all
// its rows exits 1 with a Hungarian message and leaves an earlier file of
// that name as it was; a finished file is readable by the owner's group at
// most, whatever the umask allows.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/cli_run.h"

namespace {

const QByteArray Earlier = "a korábbi fájl\n";

// A run of the tool that writes `file` (its name within the test's folder).
struct Writer {
    const char* name;
    QStringList args;  // %1 stands for the output file
    const char* file;
};

// Every writer, each reading the columns the damage below reaches.
const QString ItemsQuery = QStringLiteral("select SORSZAM, BIZKELT, FIZHATIDO, ERTEK from TETEL");
const QList<Writer>& writers() {
    static const QList<Writer> list = {
        {"query xlsx", {QStringLiteral("query"), ItemsQuery, QStringLiteral("--out"), QStringLiteral("%1")}, "lista.xlsx"},
        {"query sql", {QStringLiteral("query"), ItemsQuery, QStringLiteral("--out"), QStringLiteral("%1")}, "lista.sql"},
        {"query txt", {QStringLiteral("query"), ItemsQuery, QStringLiteral("--out"), QStringLiteral("%1")}, "lista.txt"},
        {"query pdf", {QStringLiteral("query"), ItemsQuery, QStringLiteral("--out"), QStringLiteral("%1")}, "lista.pdf"},
        {"report pdf", {QStringLiteral("report"), QStringLiteral("karton"), QStringLiteral("--szla"), QStringLiteral("3"),
          QStringLiteral("--out"), QStringLiteral("%1")},
         "karton.pdf"},
        {"report xlsx", {QStringLiteral("report"), QStringLiteral("karton"), QStringLiteral("--szla"), QStringLiteral("3"),
          QStringLiteral("--out"), QStringLiteral("%1")},
         "karton.xlsx"},
        {"export-journal", {QStringLiteral("export-journal"), QStringLiteral("%1")}, "naplo.journal"},
        {"VAT XML",
         {QStringLiteral("afaxml"), QStringLiteral("--tol"), QStringLiteral("2025.01"), QStringLiteral("--ig"),
          QStringLiteral("2025.12"), QStringLiteral("--out"), QStringLiteral("%1")},
         "afa.xml"},
    };
    return list;
}

CliResult runWriter(const QString& work, const Writer& writer, const QString& out) {
    QStringList args{QStringLiteral("--workdir"), work};
    for (const QString& arg : writer.args) args << (arg == QLatin1String("%1") ? out : arg);
    return RunCli(args);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

// The files of a folder, hidden ones too (a work file left behind would show).
QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class OutputFiles : public DemoWorkdirSuite<OutputFiles, 200> {
protected:
    void SetUp() override { ASSERT_TRUE(out.isValid()); }
    QTemporaryDir out;
};

// The same books with two columns of the ledger that cannot be read from
// the middle on: the engine fails after the first rows have been read.
class DamagedOutputFiles : public DemoWorkdirSuite<DamagedOutputFiles, 200> {
protected:
    static void SetUpTestSuite() {
        DemoWorkdirSuite::SetUpTestSuite();
        QTemporaryDir scratch;
        const QString numbers = scratch.filePath(QStringLiteral("sorszamok.txt"));
        const CliResult listed = Run({QStringLiteral("query"), QStringLiteral("select SORSZAM from TETEL"),
                                      QStringLiteral("--out"), numbers});
        ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
        const QList<QByteArray> lines = readFile(numbers).split('\n');
        ASSERT_GT(lines.size(), 100);
        const QString middle = QString::fromLatin1(lines.at(lines.size() / 2).trimmed());
        const QString failing = QStringLiteral("cast(1 / (char_length(SORSZAM) - char_length(SORSZAM)) as varchar(10))");
        const QString script = scratch.filePath(QStringLiteral("kar.sql"));
        writeFile(script, QStringLiteral("alter table TETEL drop BIZKELT;\n"
                                         "alter table TETEL add BIZKELT computed by (iif(SORSZAM = '%1', %2, null));\n"
                                         "alter table TETEL drop FIZHATIDO;\n"
                                         "alter table TETEL add FIZHATIDO computed by (iif(SORSZAM >= '%1', %2, null));\n")
                              .arg(middle, failing)
                              .toUtf8());
        const CliResult damaged = Run({QStringLiteral("run-script"), script});
        ASSERT_EQ(damaged.code, 0) << damaged.err.toStdString();
    }
    void SetUp() override { ASSERT_TRUE(out.isValid()); }
    QTemporaryDir out;
};

}  // namespace

TEST_F(DamagedOutputFiles, AReadErrorLeavesTheEarlierFileAndExitsOne) {
    for (const Writer& writer : writers()) {
        SCOPED_TRACE(writer.name);
        const QString file = out.filePath(QString::fromLatin1(writer.file));
        writeFile(file, Earlier);
        const CliResult run = runWriter(work, writer, file);
        EXPECT_EQ(run.code, 1) << run.out.toStdString();
        EXPECT_EQ(readFile(file), Earlier);
        // The step in Hungarian, the engine's own words on a line of their own.
        EXPECT_TRUE(run.err.contains(QStringLiteral("nem sikerült: számítási hiba"))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("\nRészletek: ")) && run.err.contains(QStringLiteral("divide by zero")))
            << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("select "), Qt::CaseInsensitive)) << run.err.toStdString();
    }
    EXPECT_EQ(filesIn(out.path()).size(), writers().size());  // no work file left behind
}

TEST_F(OutputFiles, FinishedFilesReplaceTheEarlierOnesReadableByTheGroupAtMost) {
    const mode_t previous = ::umask(022);
    for (const Writer& writer : writers()) {
        SCOPED_TRACE(writer.name);
        const QString fresh = out.filePath(QStringLiteral("uj_") + QString::fromLatin1(writer.file));
        const CliResult made = runWriter(work, writer, fresh);
        EXPECT_EQ(made.code, 0) << made.err.toStdString();
        EXPECT_EQ(modeOf(fresh), 0640) << std::oct << modeOf(fresh);

        const QString file = out.filePath(QString::fromLatin1(writer.file));
        writeFile(file, Earlier);
        const CliResult replaced = runWriter(work, writer, file);
        EXPECT_EQ(replaced.code, 0) << replaced.err.toStdString();
        EXPECT_FALSE(readFile(file).isEmpty());
        EXPECT_NE(readFile(file), Earlier);
        EXPECT_EQ(modeOf(file), 0640) << std::oct << modeOf(file);
    }
    ::umask(previous);
    EXPECT_EQ(filesIn(out.path()).size(), 2 * writers().size());
}
