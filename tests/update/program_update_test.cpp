// The program update against a real FTP server: what the information file
// says, what reaches the working directory, and that no failure or forged
// file ever takes the place of the program.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <elf.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "db/ui_hooks.h"
#include "update/ftp_test_server.h"
#include "update/program_file_check.h"
#include "update/program_update.h"

namespace {

using update_test::FtpTestServer;

const QString Running = QStringLiteral("2.1.4.0");
const QString RemoteDir = QStringLiteral("public_html/exefiles/");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// Two real programs of this machine: the old one in place, the new one on the server.
const QByteArray& oldProgram() {
    static const QByteArray bytes = fileBytes(QStringLiteral("/usr/bin/false"));
    return bytes;
}
const QByteArray& newProgram() {
    static const QByteArray bytes = fileBytes(QStringLiteral("/usr/bin/true"));
    return bytes;
}
QString sha256(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// Every file of a folder with its bytes.
QMap<QString, QByteArray> folderState(const QString& dir) {
    QMap<QString, QByteArray> state;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden))
        state.insert(name, fileBytes(dir + QLatin1Char('/') + name));
    return state;
}

TEST(ReadUpdateInfoTest, ReadsKeysOnlyAfterANewerVersionUpToTheFirstBlankLine) {
    struct Case {
        const char* name;
        QStringList lines;
        QString running;
        bool newer;
        QStringList updates, addToIni, info;
    };
    const QList<Case> cases{
        {"numeric parts", {QStringLiteral("VERSION=2.1.10.0"), QStringLiteral("UPDATES=a.sql")}, Running, true,
         {QStringLiteral("a.sql")}, {}, {}},
        {"equal version ignores the rest",
         {QStringLiteral("VERSION=2.1.4.0"), QStringLiteral("UPDATES=a.sql"), QStringLiteral("ADDTOINI=X=1"),
          QStringLiteral("INFO=hír")},
         Running, false, {}, {}, {}},
        {"older version", {QStringLiteral("VERSION=2.1.3.9"), QStringLiteral("INFO=hír")}, Running, false, {}, {}, {}},
        {"2.1.0 is no newer than 2.1", {QStringLiteral("VERSION=2.1.0"), QStringLiteral("INFO=hír")},
         QStringLiteral("2.1"), false, {}, {}, {}},
        {"updates before version ignored",
         {QStringLiteral("UPDATES=elotte.sql"), QStringLiteral("VERSION=3.0"), QStringLiteral("UPDATES=utana.sql")}, Running,
         true, {QStringLiteral("utana.sql")}, {}, {}},
        {"a blank line ends the reading",
         {QStringLiteral("VERSION=3.0"), QStringLiteral("INFO=első"), QStringLiteral("   "), QStringLiteral("INFO=második"),
          QStringLiteral("UPDATES=b.sql")},
         Running, true, {}, {}, {QStringLiteral("első")}},
        {"comments, lines without =, case and blanks of keys, NONE",
         {QStringLiteral("* VERSION=9.9"), QStringLiteral("version = 3.0 "), QStringLiteral("csak szöveg"),
          QStringLiteral(" updates = NONE"), QStringLiteral("Updates=none"), QStringLiteral("addtoini= KULCS=érték "),
          QStringLiteral("UPDATES=a.sql"), QStringLiteral("UPDATES=b.sql")},
         Running, true, {QStringLiteral("a.sql"), QStringLiteral("b.sql")}, {QStringLiteral("KULCS=érték")}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UpdateInfo info = ReadUpdateInfo(c.lines, c.running);
        EXPECT_EQ(info.newer, c.newer);
        EXPECT_EQ(info.updates, c.updates);
        EXPECT_EQ(info.addToIni, c.addToIni);
        EXPECT_EQ(info.info, c.info);
        EXPECT_TRUE(info.error.isEmpty());
    }
    EXPECT_EQ(ReadUpdateInfo({QStringLiteral("VERSION=2.x")}, Running).error,
              QStringLiteral("Hibás verziószám a frissítési információban: 2.x"));
    EXPECT_EQ(ReadUpdateInfo({QStringLiteral("VERSION=3.0"), QStringLiteral("SHA256=ABCdef")}, Running).sha256,
              QStringLiteral("abcdef"));
    EXPECT_EQ(ReadUpdateInfo({QStringLiteral("INFO=x")}, Running).version, QStringLiteral("0"));
}

TEST(ProgramFileCheckTest, AcceptsOnlyAWholeProgramOfThisMachine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p"));
    writeFile(path, newProgram());
    EXPECT_EQ(ProgramFileProblem(path), QString());
    EXPECT_EQ(FileSha256(path), sha256(newProgram()));

    QByteArray otherMachine = newProgram();  // e_machine is the 16-bit field at byte 18
    otherMachine[18] = char(otherMachine[18] == char(EM_AARCH64) ? EM_X86_64 : EM_AARCH64);
    struct Case {
        const char* name;
        QByteArray bytes;
        QString problem;
    };
    const QList<Case> cases{
        {"cut in half", newProgram().left(newProgram().size() / 2), QStringLiteral("a fájl nem teljes (csonka letöltés)")},
        {"only the header", newProgram().left(64), QStringLiteral("a fájl nem teljes (csonka letöltés)")},
        {"a script", QByteArray("#!/bin/sh\necho hello\n"), QStringLiteral("a fájl nem futtatható program")},
        {"empty", QByteArray(), QStringLiteral("a fájl nem futtatható program")},
        {"another processor", otherMachine, QStringLiteral("a program más processzorra készült")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.bytes);
        EXPECT_EQ(ProgramFileProblem(path), c.problem);
    }
}

class ProgramUpdateTest : public update_test::SharedFtpServerTest {
protected:
    void SetUp() override {
        SharedFtpServerTest::SetUp();
        if (HasFatalFailure()) return;
        QDir().mkpath(server->path(RemoteDir));
        UiHooks::setMessage([this](const QString& text) { messages.append(text); });
        UiHooks::setDialog([this](const QString& text, int, const QStringList&) {
            messages.append(text);
            return 0;
        });
        program = programDir.filePath(QStringLiteral("tarvedo"));
        writeFile(program, oldProgram());
        QFile::setPermissions(program, QFile::permissions(QStringLiteral("/usr/bin/false")));
        settings.server = {server->host(), QString::fromLatin1(FtpTestServer::User),
                           QString::fromLatin1(FtpTestServer::Password)};
        settings.wsavepath = work.path() + QLatin1Char('/');
        settings.programPath = program;
    }
    void TearDown() override {
        UiHooks::setMessage({});
        UiHooks::setDialog({});
    }

    void publish(const QString& name, const QByteArray& bytes) { server->put(RemoteDir + name, bytes); }
    void publishInf(const QStringList& lines) { publish(QStringLiteral("TARVEDO.INF"), lines.join(QStringLiteral("\r\n")).toUtf8()); }
    QString workFile(const QString& name) const { return work.filePath(name); }
    UpdateResult run(bool silent = false) { return RunUpdate(settings, Running, QStringLiteral("TESZT"), QStringLiteral("Teszt Kft."), silent); }
    QString shown() const { return messages.join(QStringLiteral("\n---\n")); }

    QTemporaryDir work, programDir;
    QString program;
    UpdateSettings settings;
    QStringList messages;
};

// A waiting script, news and settings file in the working directory.
void prepareWaitingFiles(const QString& work) {
    writeFile(work + QStringLiteral("/UPDATES.SQL"), "UPDATE CEG SET NEV = 'várakozó';\r\n");
    writeFile(work + QStringLiteral("/UPDATES_INFO.TXT"), "régi hír\r\n");
    writeFile(work + QStringLiteral("/TARVEDO.INI"), "DBSERVER=a.gdb\r\n\r\n  \r\nPWD=NONE\r\n");
}

TEST_F(ProgramUpdateTest, ANewerVersionReplacesTheProgramAndMergesTheScripts) {
    prepareWaitingFiles(work.path());
    publishInf({QStringLiteral("* a frissítés leírása"), QStringLiteral("UPDATES=korai.sql"), QStringLiteral("VERSION=2.1.10.0"),
                QStringLiteral("SHA256=") + sha256(newProgram()).toUpper(), QStringLiteral("ADDTOINI=UJKULCS=1"),
                QStringLiteral("INFO=Új funkció: frissítés"), QStringLiteral("UPDATES=elso.sql"),
                QStringLiteral("ADDTOINI=MASIK=két szó"), QStringLiteral("UPDATES=NONE"), QStringLiteral("UPDATES=masodik.sql"),
                QStringLiteral(""), QStringLiteral("UPDATES=kesei.sql")});
    publish(QStringLiteral("elso.sql"), "CREATE TABLE A (X INTEGER);\r\n\r\nINSERT INTO A VALUES (1);\r\n");
    // The second script is Windows-1250, as the workstations write it: "Árvíztűrő".
    publish(QStringLiteral("masodik.sql"), QByteArray("UPDATE A SET X = 2; /* \xC1rv\xEDzt\xFBr\xF5 */\n"));
    publish(QStringLiteral("TARVEDO"), newProgram());

    const UpdateResult result = run();
    EXPECT_FALSE(result.failed) << shown().toStdString();
    EXPECT_TRUE(result.newer);
    EXPECT_TRUE(result.installed);
    EXPECT_EQ(result.version, QStringLiteral("2.1.10.0"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Letöltöttük a friss programot.\rverzió:2.1.10.0\rKérem indítsa újra a programot!")});

    EXPECT_EQ(fileBytes(program), newProgram());
    EXPECT_TRUE(QFileInfo(program).isExecutable());
    EXPECT_EQ(fileBytes(programDir.filePath(QStringLiteral("tarvedo2.1.4.0"))), oldProgram());
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("tarvedo"), QStringLiteral("tarvedo2.1.4.0")}));

    EXPECT_EQ(QString::fromUtf8(fileBytes(workFile(QStringLiteral("UPDATES.SQL")))),
              QStringLiteral("UPDATE CEG SET NEV = 'várakozó';\r\nCREATE TABLE A (X INTEGER);\r\nINSERT INTO A VALUES (1);\r\n"
                             "UPDATE A SET X = 2; /* Árvíztűrő */\r\n"));
    EXPECT_EQ(QString::fromUtf8(fileBytes(workFile(QStringLiteral("UPDATES_INFO.TXT")))),
              QStringLiteral("régi hír\r\nÚj funkció: frissítés\r\n"));
    EXPECT_EQ(QString::fromUtf8(fileBytes(workFile(QStringLiteral("TARVEDO.INI")))),
              QStringLiteral("DBSERVER=a.gdb\r\nPWD=NONE\r\nUJKULCS=1\r\nMASIK=két szó\r\n"));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("TARVEDO.INF"))));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("korai.sql"))));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("kesei.sql"))));

    const QString record = QStringLiteral("download_TARVEDO_TESZT_2.1.10.0.txt");
    const QString line = QString::fromUtf8(server->read(RemoteDir + record));
    EXPECT_TRUE(line.startsWith(QStringLiteral("TARVEDO downloaded by TESZT, Teszt Kft. from 2.1.4.0 to 2.1.10.0 at ")))
        << line.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(" at \\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\r\\n$")).match(line).hasMatch())
        << line.toStdString();
    EXPECT_FALSE(QFile::exists(workFile(record)));

    // The next update finds the same version: nothing more to do.
    messages.clear();
    UpdateResult again = RunUpdate(settings, QStringLiteral("2.1.10.0"), QStringLiteral("TESZT"), QString(), false);
    EXPECT_FALSE(again.newer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nincs újabb frissítés.")});

    // A caller that still gives the old version (the command-line tool
    // updating the desktop program) finds the program already in place: the
    // scripts are not merged a second time and the old copy stays.
    const QByteArray mergedOnce = fileBytes(workFile(QStringLiteral("UPDATES.SQL")));
    messages.clear();
    again = run();
    EXPECT_FALSE(again.failed);
    EXPECT_FALSE(again.newer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nincs újabb frissítés.\rA program (") + program
                                    + QStringLiteral(") már a 2.1.10.0 verzió.")});
    EXPECT_EQ(fileBytes(workFile(QStringLiteral("UPDATES.SQL"))), mergedOnce);
    // The same without a digest in the information file: the download shows it.
    publishInf({QStringLiteral("VERSION=2.1.10.0"), QStringLiteral("UPDATES=elso.sql")});
    messages.clear();
    again = run();
    EXPECT_FALSE(again.failed);
    EXPECT_FALSE(again.newer);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(fileBytes(workFile(QStringLiteral("UPDATES.SQL"))), mergedOnce);
    EXPECT_EQ(fileBytes(programDir.filePath(QStringLiteral("tarvedo2.1.4.0"))), oldProgram());
    EXPECT_EQ(fileBytes(program), newProgram());
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("tarvedo"), QStringLiteral("tarvedo2.1.4.0")}));
}

// A program started through a link is replaced where its file is; the link stays.
TEST_F(ProgramUpdateTest, AProgramReachedThroughALinkIsReplacedWhereItsFileIs) {
    publishInf({QStringLiteral("VERSION=3.0")});
    publish(QStringLiteral("TARVEDO"), newProgram());
    QTemporaryDir links;
    const QString link = links.filePath(QStringLiteral("konyveles"));
    ASSERT_TRUE(QFile::link(program, link));
    settings.programPath = link;

    const UpdateResult result = run();
    EXPECT_TRUE(result.installed) << shown().toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), program);
    EXPECT_EQ(fileBytes(program), newProgram());
    EXPECT_EQ(fileBytes(programDir.filePath(QStringLiteral("tarvedo2.1.4.0"))), oldProgram());
    EXPECT_EQ(QDir(links.path()).entryList(QDir::Files | QDir::System), QStringList{QStringLiteral("konyveles")});
}

TEST_F(ProgramUpdateTest, TheSameVersionChangesNothing) {
    prepareWaitingFiles(work.path());
    const auto workBefore = folderState(work.path());
    publishInf({QStringLiteral("VERSION=2.1.4.0"), QStringLiteral("ADDTOINI=UJKULCS=1"), QStringLiteral("INFO=hír"),
                QStringLiteral("UPDATES=elso.sql")});
    publish(QStringLiteral("elso.sql"), "CREATE TABLE A (X INTEGER);\r\n");
    publish(QStringLiteral("TARVEDO"), newProgram());

    UpdateResult result = run();
    EXPECT_FALSE(result.failed);
    EXPECT_FALSE(result.newer);
    EXPECT_EQ(result.version, QStringLiteral("2.1.4.0"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nincs újabb frissítés.")});
    EXPECT_EQ(folderState(work.path()), workBefore);
    EXPECT_EQ(fileBytes(program), oldProgram());
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("tarvedo")});
    EXPECT_EQ(QDir(server->path(RemoteDir)).entryList(QDir::Files).size(), 3);  // no download record

    messages.clear();
    result = run(true);
    EXPECT_FALSE(result.failed);
    EXPECT_TRUE(messages.isEmpty()) << shown().toStdString();
}

// Every way the new program can go wrong: the running program, the waiting
// script, news and settings stay exactly as they were, nothing is left
// behind, nothing is recorded on the server, and the message says so.
TEST_F(ProgramUpdateTest, ABrokenOrForgedProgramReplacesNothing) {
    QByteArray otherMachine = newProgram();
    otherMachine[18] = char(otherMachine[18] == char(EM_AARCH64) ? EM_X86_64 : EM_AARCH64);
    struct Case {
        const char* name;
        QByteArray served;       // empty: no program file on the server
        const char* fault;       // a transfer fault of the server, or nullptr
        QString digest;          // the SHA256 line's value, or empty for none
        QString expected;        // a part of the message
    };
    const QList<Case> cases{
        {"connection broken mid-download", newProgram(), "drop", QString(), QStringLiteral("Oka: (libcurl 18)")},
        {"transfer cut short", newProgram(), "cut", QString(), QStringLiteral("Oka: (libcurl 18)")},
        {"a truncated file on the server", newProgram().left(newProgram().size() * 2 / 3), nullptr, QString(),
         QStringLiteral("a fájl nem teljes (csonka letöltés)")},
        {"a truncated file with its digest announced", newProgram().left(newProgram().size() - 1), nullptr,
         sha256(newProgram()), QStringLiteral("SHA256")},
        {"a wrong digest", newProgram(), nullptr, sha256("egy másik program"), QStringLiteral("SHA256")},
        {"not a program", QByteArray("#!/bin/sh\nrm -rf /\n"), nullptr, QString(),
         QStringLiteral("a fájl nem futtatható program")},
        {"a program for another processor", otherMachine, nullptr, QString(), QStringLiteral("más processzorra")},
        {"no program on the server", QByteArray(), nullptr, QString(), QStringLiteral("Hibakód:550")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server->clear();
        QDir().mkpath(server->path(RemoteDir));
        prepareWaitingFiles(work.path());
        const auto workBefore = folderState(work.path());
        QStringList inf{QStringLiteral("VERSION=3.0"), QStringLiteral("UPDATES=elso.sql"), QStringLiteral("INFO=hír"),
                        QStringLiteral("ADDTOINI=UJKULCS=1")};
        if (!c.digest.isEmpty()) inf << QStringLiteral("SHA256=") + c.digest;
        publishInf(inf);
        publish(QStringLiteral("elso.sql"), "CREATE TABLE A (X INTEGER);\r\n");
        if (!c.served.isEmpty()) publish(QStringLiteral("TARVEDO"), c.served);
        if (c.fault) server->setFault(QStringLiteral("TARVEDO"), c.fault, c.served.size() / 3);
        messages.clear();

        const UpdateResult result = run();
        EXPECT_TRUE(result.failed);
        EXPECT_FALSE(result.installed);
        ASSERT_EQ(messages.size(), 1) << shown().toStdString();
        EXPECT_TRUE(messages.first().startsWith(QStringLiteral("nem tudom letölteni a frissítést.\r"))) << shown().toStdString();
        EXPECT_TRUE(messages.first().contains(c.expected)) << shown().toStdString();
        EXPECT_TRUE(messages.first().endsWith(QStringLiteral("A programot nem cseréltük le."))) << shown().toStdString();
        EXPECT_EQ(fileBytes(program), oldProgram());
        EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tarvedo")});
        EXPECT_EQ(folderState(work.path()), workBefore);
        EXPECT_FALSE(QFile::exists(server->path(RemoteDir + QStringLiteral("download_TARVEDO_TESZT_3.0.txt"))));
    }
}

TEST_F(ProgramUpdateTest, AMissingScriptStopsTheUpdateBeforeTheProgramIsReplaced) {
    prepareWaitingFiles(work.path());
    const auto workBefore = folderState(work.path());
    // The first script is named like the waiting one and arrives; it must not
    // take the waiting script's place.
    publishInf({QStringLiteral("VERSION=3.0"), QStringLiteral("UPDATES=UPDATES.SQL"), QStringLiteral("UPDATES=nincs.sql")});
    publish(QStringLiteral("UPDATES.SQL"), "CREATE TABLE A (X INTEGER);\r\n");
    publish(QStringLiteral("TARVEDO"), newProgram());

    const UpdateResult result = run();
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Hiba a feldolgozás közben: nincs.sql\rHibakód:550\rA programot nem cseréltük le.")});
    EXPECT_EQ(fileBytes(program), oldProgram());
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tarvedo")});
    EXPECT_EQ(folderState(work.path()), workBefore);
}

TEST_F(ProgramUpdateTest, ServerErrorsStopBeforeAnythingChanges) {
    prepareWaitingFiles(work.path());
    const auto workBefore = folderState(work.path());
    struct Case {
        const char* name;
        QString user, wdpath;
        bool inf;
        QString expected;
    };
    const QList<Case> cases{
        {"refused login", QStringLiteral("idegen"), UpdateRemoteDir, true,
         QStringLiteral("Nem tudok kapcsolódni a tárhelyhez: ") + server->host()
             + QStringLiteral("\rOka: hibás felhasználónév/jelszó\rHibakód: 530\r")},
        {"missing folder", QString::fromLatin1(FtpTestServer::User), QStringLiteral("public_html/nincs"), true,
         QStringLiteral("Nem találom a mappát: public_html/nincs\rOka: hibás tárhely cím\rHibakód: 550\r")},
        {"no information file", QString::fromLatin1(FtpTestServer::User), UpdateRemoteDir, false,
         QStringLiteral("Nem tudom letölteni a frissítési információkat: public_html/exefiles/TARVEDO.INF\rOka: ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server->clear();
        QDir().mkpath(server->path(RemoteDir));
        if (c.inf) publishInf({QStringLiteral("VERSION=3.0")});
        publish(QStringLiteral("TARVEDO"), newProgram());
        settings.server.user = c.user;
        settings.wdpath = c.wdpath;
        messages.clear();
        const UpdateResult result = run();
        EXPECT_TRUE(result.failed);
        ASSERT_EQ(messages.size(), 1) << shown().toStdString();
        EXPECT_TRUE(messages.first().startsWith(c.expected)) << shown().toStdString();
        EXPECT_FALSE(messages.first().contains(QString::fromLatin1(FtpTestServer::Password)));
        EXPECT_EQ(fileBytes(program), oldProgram());
        EXPECT_EQ(folderState(work.path()), workBefore);
    }
}

// When the program's folder is not writable by the user, the new program is
// left, checked and executable, in the working directory for the
// administrator; the program stays.
TEST_F(ProgramUpdateTest, AProgramFolderNotWritableLeavesTheNewProgramInTheWorkingDirectory) {
    publishInf({QStringLiteral("VERSION=3.0"), QStringLiteral("UPDATES=elso.sql")});
    publish(QStringLiteral("elso.sql"), "CREATE TABLE A (X INTEGER);\r\n");
    publish(QStringLiteral("TARVEDO"), newProgram());
    QFile::setPermissions(programDir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                 | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(work.path(), QFileDevice::Permissions(0x7777));

    // Twice: the second time the program is already waiting, and its
    // scripts are not merged again.
    const auto runTwice = [this] {
        const UpdateResult first = run();
        const UpdateResult second = run();
        return first.waitingProgram == workFile(QStringLiteral("tarvedo.NEW")) && !first.failed && !first.installed
            && second.waitingProgram == first.waitingProgram && !second.failed;
    };
    // The administrator may write anywhere: the update runs as an ordinary
    // user, in a child process that hands its messages back in a file.
    const QString shownFile = workFile(QStringLiteral("shown.txt"));
    if (geteuid() == 0) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
            const bool ok = runTwice();
            QFile out(shownFile);
            if (!out.open(QIODevice::WriteOnly)) _exit(4);
            out.write(messages.join(QLatin1Char('\n')).toUtf8());
            out.close();
            _exit(ok ? 0 : 5);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        messages = QString::fromUtf8(fileBytes(shownFile)).split(QLatin1Char('\n'));
        QFile::remove(shownFile);
    } else {
        EXPECT_TRUE(runTwice());
    }
    ASSERT_EQ(messages.size(), 2) << shown().toStdString();
    EXPECT_EQ(messages.at(0), QStringLiteral("Letöltöttük a friss programot.\rverzió:3.0\rA program mappájába (")
                                  + programDir.path() + QStringLiteral("/) nem tudunk írni, ezért az új program itt van: ")
                                  + workFile(QStringLiteral("tarvedo.NEW"))
                                  + QStringLiteral("\rA rendszergazda tegye a helyére (") + program
                                  + QStringLiteral("), majd indítsa újra a programot!"));
    EXPECT_TRUE(messages.at(1).startsWith(QStringLiteral("A friss program (verzió:3.0) már le van töltve: ")))
        << shown().toStdString();
    QFile::setPermissions(programDir.path(), QFileDevice::Permissions(0x7700));
    EXPECT_EQ(fileBytes(program), oldProgram());
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tarvedo")});
    EXPECT_EQ(fileBytes(workFile(QStringLiteral("tarvedo.NEW"))), newProgram());
    EXPECT_TRUE(QFileInfo(workFile(QStringLiteral("tarvedo.NEW"))).isExecutable());
    EXPECT_EQ(fileBytes(workFile(QStringLiteral("UPDATES.SQL"))), QByteArray("CREATE TABLE A (X INTEGER);\r\n"));
    EXPECT_TRUE(QFile::exists(server->path(RemoteDir + QStringLiteral("download_TARVEDO_TESZT_3.0.txt"))));
}

}  // namespace
