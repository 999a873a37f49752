#include "program_update.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "db/altproc.h"
#include "db/cp1250.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ini.h"
#include "db/script_runner.h"
#include "db/ui_hooks.h"
#include "update/ftp_settings.h"
#include "update/ftp_transfer.h"
#include "update/program_file_check.h"

namespace {

const QString CR = QStringLiteral("\r");
const QString NotReplaced = QStringLiteral("A programot nem cseréltük le.");

// A text file's lines and whether it was UTF-8; an absent file has no lines.
struct TextLines {
    QStringList lines;
    bool utf8 = true;
    bool exists = false;
};

TextLines readLines(const QString& path) {
    TextLines text;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return text;
    text.exists = true;
    text.lines = ReadTextLines(file.readAll(), &text.utf8);
    return text;
}

bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

// A merged file keeps the encoding of its first part (the waiting file, or
// else the first script), unless Windows-1250 cannot hold the merged text.
bool writeUtf8(const QStringList& lines, bool firstPartUtf8) {
    if (firstPartUtf8) return true;
    const QString text = lines.join(QLatin1Char('\n'));
    return DecodeCp1250(EncodeCp1250(text)) != text;
}

QByteArray encodeLines(const QStringList& lines, bool utf8) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return Encode8BitText(text, utf8);
}

// Files written only when the whole update stands: each is complete on disk
// under a temporary name and takes its own name on commit().
class StagedFiles {
public:
    bool stage(const QString& path, const QByteArray& bytes) {
        auto file = std::make_unique<QSaveFile>(path);
        file->setDirectWriteFallback(false);
        if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size()) {
            m_error = path + QStringLiteral(" (") + file->errorString() + QLatin1Char(')');
            return false;
        }
        m_files.push_back(std::move(file));
        return true;
    }
    bool commit() {
        for (auto& file : m_files) {
            if (!file->commit()) {
                m_error = file->fileName() + QStringLiteral(" (") + file->errorString() + QLatin1Char(')');
                return false;
            }
        }
        return true;
    }
    QString error() const { return m_error; }

private:
    std::vector<std::unique_ptr<QSaveFile>> m_files;  // uncommitted ones vanish with the object
    QString m_error;
};

class ProgramUpdate {
public:
    ProgramUpdate(const UpdateSettings& settings, const QString& runningVersion, const QString& kod, const QString& nev)
        : s(resolved(settings)), running(runningVersion.trimmed()), kod(kod), nev(nev), names(DeriveProgramNames(s.programPath)) {
        ftp.whost = s.server.host;
        ftp.wusername = s.server.user;
        ftp.wpasssword = s.server.password;
        ftp.onProgress = [this](qint64 done, qint64 total) { step(currentStep, done, total); };
    }

    UpdateResult run(bool silent);

private:
    // The program reached through a link is updated where its file is, as
    // the running program knows its own path; the link stays.
    static UpdateSettings resolved(UpdateSettings settings) {
        const QString target = QFileInfo(settings.programPath).canonicalFilePath();
        if (!target.isEmpty()) settings.programPath = target;
        if (!settings.wsavepath.endsWith(QLatin1Char('/'))) settings.wsavepath += QLatin1Char('/');
        return settings;
    }
    void step(const QString& text, qint64 done = 0, qint64 total = 0) {
        currentStep = text;
        if (s.progress) s.progress(text, done, total);
    }
    UpdateResult failed(const QString& message) {
        ShowMessage(message);
        result.failed = true;
        return result;
    }
    void installNewer(bool silent);
    bool fetchScripts();
    bool stageTextFiles();
    bool downloadProgram(const QString& file);
    bool putInPlace(const QString& newFile);
    void uploadDownloadRecord();

    UpdateSettings s;
    const QString running, kod, nev;
    const ProgramNames names;
    FtpClient ftp;
    UpdateInfo info;
    UpdateResult result;
    QStringList wsql, winfo;
    bool sqlUtf8 = true, infoUtf8 = true;  // the encoding of each merged file's first part
    StagedFiles staged;
    QString oldCopy;  // the old program's versioned name, once the new one is in place
    QString currentStep;
};

UpdateResult ProgramUpdate::run(bool silent) {
    if (!QFileInfo(s.programPath).isFile())
        return failed(QStringLiteral("A frissítendő program (%1) nem található.").arg(s.programPath));
    step(QStringLiteral("Kapcsolódás a frissítések tárhelyéhez"));
    if (ftp.FtpConnect() != 0) {
        result.failed = true;
        return result;
    }
    if (ftp.FtpChangeDir(s.wdpath) != 0) {
        ftp.FtpDisconnect();
        result.failed = true;
        return result;
    }

    const QString infName = names.base + QStringLiteral(".INF");
    const QString infPath = s.wsavepath + infName;
    step(QStringLiteral("Frissítési információk: ") + infName);
    if (ftp.FtpGet(infName, infPath) != 0) {
        ftp.FtpDisconnect();
        return failed(QStringLiteral("Nem tudom letölteni a frissítési információkat:") + QLatin1Char(' ') + s.wdpath
                      + QLatin1Char('/') + infName + CR + QStringLiteral("Oka: ") + ftp.lastError());
    }
    info = ReadUpdateInfo(readLines(infPath).lines, running);
    QFile::remove(infPath);
    result.version = info.version;
    result.newer = info.newer;
    if (!info.error.isEmpty()) {
        ftp.FtpDisconnect();
        return failed(info.error);
    }

    if (info.newer)
        installNewer(silent);
    else if (!silent)
        ShowMessage(QStringLiteral("Nincs újabb frissítés."));
    ftp.FtpDisconnect();
    return result;
}

void ProgramUpdate::installNewer(bool silent) {
    // The new program comes first: scripts, news and settings lines only go
    // with a program that arrived whole.
    const bool programFolderWritable = ::access(QFile::encodeName(names.folder).constData(), W_OK) == 0;
    const QString newFile = (programFolderWritable ? names.folder : s.wsavepath) + names.fileName + QStringLiteral(".NEW");
    const QString download = newFile + QStringLiteral(".download");
    // The version a program knows of itself can lag behind its file (the
    // command-line tool updates the desktop program beside it): a program
    // already in place, or already waiting for the administrator, is not
    // brought again, nor are its scripts, which would run a second time.
    const QString installed = FileSha256(s.programPath);
    const auto alreadyInPlace = [&] {
        QFile::remove(download);
        result.newer = false;
        if (!silent)
            ShowMessage(QStringLiteral("Nincs újabb frissítés.") + CR
                        + QStringLiteral("A program (%1) már a %2 verzió.").arg(s.programPath, info.version));
    };
    if (!info.sha256.isEmpty() && installed == info.sha256) return alreadyInPlace();
    if (!downloadProgram(download)) {
        QFile::remove(download);
        result.failed = true;
        return;
    }
    const QString digest = FileSha256(download);
    if (digest == installed) return alreadyInPlace();
    if (!programFolderWritable && digest == FileSha256(newFile)) {
        QFile::remove(download);
        result.waitingProgram = newFile;
        ShowMessage(QStringLiteral("A friss program (verzió:%1) már le van töltve: %2").arg(info.version, newFile) + CR
                    + QStringLiteral("A rendszergazda tegye a helyére (%1), majd indítsa újra a programot!").arg(s.programPath));
        return;
    }
    if (!fetchScripts() || !stageTextFiles()) {
        QFile::remove(download);
        result.failed = true;
        return;
    }
    if (::rename(QFile::encodeName(download).constData(), QFile::encodeName(newFile).constData()) != 0) {
        const int code = errno;
        QFile::remove(download);
        ShowMessage(QStringLiteral("Nem sikerült átnevezni a letöltött programot: ") + newFile + CR + QStringLiteral("Hibakód:")
                    + QString::number(code) + CR + NotReplaced);
        result.failed = true;
        return;
    }
    if (programFolderWritable) {
        if (!putInPlace(newFile)) {
            result.failed = true;
            return;
        }
        result.installed = true;
    } else {
        result.waitingProgram = newFile;
    }
    if (!staged.commit()) {
        // The new program must not run without its scripts: the old one goes back.
        if (result.installed) {
            ::rename(QFile::encodeName(oldCopy).constData(), QFile::encodeName(s.programPath).constData());
            result.installed = false;
        }
        result.failed = true;
        ShowMessage(QStringLiteral("Nem sikerült kiírni a frissítés fájljait: ") + staged.error() + CR + NotReplaced);
        return;
    }
    uploadDownloadRecord();
    if (result.installed)
        ShowMessage(QStringLiteral("Letöltöttük a friss programot.") + CR + QStringLiteral("verzió:") + info.version + CR
                    + QStringLiteral("Kérem indítsa újra a programot!"));
    else
        ShowMessage(QStringLiteral("Letöltöttük a friss programot.") + CR + QStringLiteral("verzió:") + info.version + CR
                    + QStringLiteral("A program mappájába (%1) nem tudunk írni, ezért az új program itt van: %2")
                          .arg(names.folder, newFile)
                    + CR + QStringLiteral("A rendszergazda tegye a helyére (%1), majd indítsa újra a programot!").arg(s.programPath));
}

bool ProgramUpdate::downloadProgram(const QString& file) {
    const QString remoteName = names.fileName.toUpper();
    step(QStringLiteral("Az új program letöltése: ") + remoteName);
    const auto refuse = [&](const QString& why) {
        ShowMessage(QStringLiteral("nem tudom letölteni a frissítést.") + CR + why + CR + NotReplaced);
        return false;
    };
    if (ftp.FtpGet(remoteName, file) != 0)
        return refuse(QStringLiteral("Hibakód:") + QString::number(ftp.lastCode()) + CR + QStringLiteral("Oka: ")
                      + ftp.lastError());
    step(QStringLiteral("Az új program ellenőrzése"));
    if (!info.sha256.isEmpty() && FileSha256(file) != info.sha256)
        return refuse(QStringLiteral("A letöltött program SHA256 ellenőrzőösszege nem egyezik a frissítési információban "
                                     "közölttel."));
    const QString problem = ProgramFileProblem(file);
    if (!problem.isEmpty()) return refuse(QStringLiteral("A letöltött fájl nem használható: ") + problem + QLatin1Char('.'));
    // Executable like the program it replaces, and at least by its owner.
    const QFileDevice::Permissions permissions = QFile::permissions(s.programPath) | QFileDevice::ReadOwner
                                               | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (!QFile::setPermissions(file, permissions))
        return refuse(QStringLiteral("A letöltött program nem tehető futtathatóvá: ") + file);
    return true;
}

bool ProgramUpdate::fetchScripts() {
    const TextLines waitingSql = readLines(s.wsavepath + UpdateScriptFile);
    const TextLines waitingInfo = readLines(s.wsavepath + UpdateInfoFile);
    wsql = waitingSql.lines;
    winfo = waitingInfo.lines;
    sqlUtf8 = waitingSql.utf8;
    infoUtf8 = waitingInfo.utf8;
    winfo += info.info;
    // Each script is read from a private temporary file: whatever its name,
    // it can never overwrite a file of the working directory.
    const QTemporaryDir scripts;
    const QString local = scripts.filePath(QStringLiteral("script.sql"));
    for (const QString& script : info.updates) {
        step(QStringLiteral("Frissítő szkript: ") + script);
        if (!scripts.isValid() || ftp.FtpGet(script, local) != 0) {
            ShowMessage(QStringLiteral("Hiba a feldolgozás közben:") + QLatin1Char(' ') + script + CR + QStringLiteral("Hibakód:")
                        + QString::number(scripts.isValid() ? ftp.lastCode() : -1) + CR + NotReplaced);
            return false;
        }
        const TextLines downloaded = readLines(local);
        if (!waitingSql.exists && script == info.updates.first()) sqlUtf8 = downloaded.utf8;
        for (const QString& line : downloaded.lines)
            if (!isBlank(line)) wsql.append(line);
    }
    return true;
}

bool ProgramUpdate::stageTextFiles() {
    bool ok = true;
    if (!wsql.isEmpty())
        ok = staged.stage(s.wsavepath + UpdateScriptFile, encodeLines(wsql, writeUtf8(wsql, sqlUtf8)));
    if (ok && !winfo.isEmpty())
        ok = staged.stage(s.wsavepath + UpdateInfoFile, encodeLines(winfo, writeUtf8(winfo, infoUtf8)));
    if (ok && !info.addToIni.isEmpty()) {
        QStringList lines;
        bool utf8 = true;
        const QString iniPath = s.wsavepath + names.base + QStringLiteral(".INI");
        if (QFileInfo::exists(iniPath) && !ReadSettingsLines(iniPath, lines, &utf8)) {
            ShowMessage(QStringLiteral("A beállítások fájlja nem olvasható: ") + iniPath + CR + NotReplaced);
            return false;
        }
        lines.removeIf(isBlank);
        lines += info.addToIni;
        ok = staged.stage(iniPath, encodeLines(lines, utf8));
    }
    if (!ok) ShowMessage(QStringLiteral("Nem sikerült kiírni a frissítés fájljait: ") + staged.error() + CR + NotReplaced);
    return ok;
}

bool ProgramUpdate::putInPlace(const QString& newFile) {
    step(QStringLiteral("Az új program a helyére kerül"));
    const QByteArray program = QFile::encodeName(s.programPath);
    const QByteArray fresh = QFile::encodeName(newFile);
    QString version = running;
    version.replace(QLatin1Char('/'), QLatin1Char('_'));
    oldCopy = names.folder + names.fileName + (version.isEmpty() ? QStringLiteral(".OLD") : version);
    const QByteArray old = QFile::encodeName(oldCopy);
    const auto refuse = [&](int code, const QString& message) {
        ::unlink(fresh.constData());
        ShowMessage(message + QStringLiteral("Hibakód:") + QString::number(code) + CR + NotReplaced);
        return false;
    };
    if (::access(old.constData(), F_OK) == 0 && ::unlink(old.constData()) != 0)
        return refuse(errno, QStringLiteral("Nem sikerült törölni a program előző verziójú példányát."));
    // The old copy is a second name of the running program's file; the
    // program's own name never stops naming a whole program, since the
    // rename below swaps the new file in at once.
    if (::link(program.constData(), old.constData()) != 0) {
        const int code = errno;
        if (!QFile::copy(s.programPath, oldCopy))
            return refuse(code, QStringLiteral("Nem sikerült átnevezni a jelenlegi programot.") + QLatin1Char(' '));
    }
    if (::rename(fresh.constData(), program.constData()) != 0)
        return refuse(errno, QStringLiteral("Nem sikerült átmásolni a letöltött programot a helyére.") + QLatin1Char(' '));
    return true;
}

void ProgramUpdate::uploadDownloadRecord() {
    QString installation = kod.trimmed();
    installation.replace(QLatin1Char('/'), QLatin1Char('_'));  // one file name, in no other folder
    const QString recordName = QStringLiteral("download_") + names.base + QLatin1Char('_') + installation + QLatin1Char('_')
                             + info.version + QStringLiteral(".txt");
    const QString line = names.fileName.toUpper() + QStringLiteral(" downloaded by ") + kod + QStringLiteral(", ") + nev
                       + QStringLiteral(" from ") + running + QStringLiteral(" to ") + info.version + QStringLiteral(" at ")
                       + QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
    const QString local = s.wsavepath + recordName;
    step(QStringLiteral("Letöltési napló: ") + recordName);
    StagedFiles record;
    if (record.stage(local, encodeLines({line}, true)) && record.commit()) ftp.FtpPut(local, recordName);
    QFile::remove(local);
}

}  // namespace

ProgramNames DeriveProgramNames(const QString& programPath) {
    const QFileInfo file(programPath);
    ProgramNames names;
    names.folder = file.absolutePath() + QLatin1Char('/');
    names.fileName = file.fileName();
    const qsizetype dot = names.fileName.lastIndexOf(QLatin1Char('.'));
    names.base = (dot > 0 ? names.fileName.left(dot) : names.fileName).toUpper();
    return names;
}

UpdateInfo ReadUpdateInfo(const QStringList& lines, const QString& runningVersion) {
    UpdateInfo info;
    bool versionSeen = false;
    for (const QString& line : lines) {
        if (isBlank(line)) break;
        if (line.startsWith(QLatin1Char('*'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        const QString key = line.left(eq).trimmed().toUpper();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("VERSION")) {
            versionSeen = true;
            info.version = value;
            try {
                // Strictly greater: "2.1.0" is no newer than "2.1".
                info.newer = VersionMax(runningVersion, value) != runningVersion.trimmed();
            } catch (const HelperError&) {
                info.newer = false;
                info.error = QStringLiteral("Hibás verziószám a frissítési információban: ") + value;
                return info;
            }
            continue;
        }
        if (!versionSeen || !info.newer) continue;
        if (key == QLatin1String("ADDTOINI"))
            info.addToIni.append(value);
        else if (key == QLatin1String("INFO"))
            info.info.append(value);
        else if (key == QLatin1String("UPDATES") && value.toUpper() != QLatin1String("NONE"))
            info.updates.append(value);
        else if (key == QLatin1String("SHA256"))
            info.sha256 = value.toLower();
    }
    return info;
}

UpdateResult RunUpdate(const UpdateSettings& settings, const QString& runningVersion, const QString& kod,
                       const QString& nev, bool silent) {
    return ProgramUpdate(settings, runningVersion, kod, nev).run(silent);
}

bool ReadInstallation(Installation& installation, QString& error) {
    if (!ReadInstallationRecord(installation, error)) return false;
    if (installation.server.host.trimmed().isEmpty()) {
        error = QStringLiteral("Nincs megadva a frissítések tárhelye (SZISZTEM.FTPHOST).");
        return false;
    }
    return true;
}

UpdateSettings RunningProgramUpdate(const Installation& installation) {
    UpdateSettings settings;
    settings.server = installation.server;
    settings.wsavepath = Td().WorkDir.isEmpty() ? QDir::currentPath() + QLatin1Char('/') : Td().WorkDir;
    settings.programPath = QCoreApplication::applicationFilePath();
    return settings;
}
