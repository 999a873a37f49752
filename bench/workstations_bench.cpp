// How many workstations one Firebird server carries: `workstations_bench DIR
// [--items N] [--each M] [--server HOST] [--workstations 1,2,4,8]` makes a
// demo company of N ledger items in DIR (default 100 000) when it does not
// exist, serves it through the server on HOST (default 127.0.0.1), and for
// each count K starts K `tarvedo-cli post` runs at once, each with its own
// file of M items (default 5 000), while one more workstation runs the trial
// balance and the account card of 311 again and again. It prints the items
// stored a second by all workstations together, the slowest workstation's
// time, and the report times seen while they post.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "bench_vouchers.h"
#include "db/session.h"

namespace {

// Points the working directory's settings at the server and lets the
// server's account read and write the files.
bool ServeThroughServer(const QString& dir, const QString& host) {
    QFile ini(dir + QStringLiteral("/TARVEDO.INI"));
    if (!ini.open(QIODevice::ReadOnly)) return false;
    QStringList lines = QString::fromUtf8(ini.readAll()).split(QLatin1Char('\n'));
    ini.close();
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                          QFileDevice::WriteOther | QFileDevice::ExeOther;
    QFile::setPermissions(dir, everyone);
    for (QString& line : lines)
        for (const QString& key : {QStringLiteral("DBSERVER="), QStringLiteral("DBSYSTEM=")})
            if (line.startsWith(key) && line.mid(key.size()).startsWith(QLatin1Char('/'))) {
                QFile::setPermissions(line.mid(key.size()).trimmed(), everyone);
                line.insert(key.size(), host + QLatin1Char(':'));
            }
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    ini.write(lines.join(QLatin1Char('\n')).toUtf8());
    return true;
}

QProcess* StartCli(const QString& dir, const QStringList& args) {
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(TARVEDO_CLI_PATH), QStringList{QStringLiteral("--workdir"), dir} + args);
    return process;
}

bool Finished(QProcess* process, const char* what) {
    if (process->state() != QProcess::NotRunning) process->waitForFinished(-1);
    if (process->state() != QProcess::NotRunning || process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0) {
        std::fprintf(stderr, "%s failed (exit code %d)\n", what, process->exitCode());
        return false;
    }
    return true;
}

struct ReportTimes {
    double sum = 0, worst = 0;
    int runs = 0;
    void add(double seconds) {
        sum += seconds;
        worst = qMax(worst, seconds);
        ++runs;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each line as it is measured
    QStringList args = app.arguments().mid(1);
    const qlonglong ledgerItems = TakeBenchOption(args, QStringLiteral("--items"), QStringLiteral("100000")).toLongLong();
    const int each = TakeBenchOption(args, QStringLiteral("--each"), QStringLiteral("5000")).toInt();
    const QString host = TakeBenchOption(args, QStringLiteral("--server"), QStringLiteral("127.0.0.1"));
    const QStringList counts = TakeBenchOption(args, QStringLiteral("--workstations"), QStringLiteral("1,2,4,8")).split(QLatin1Char(','));
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: workstations_bench DIR [--items N] [--each M] [--server HOST] [--workstations 1,2,4,8]\n");
        return 2;
    }
    const QString dir = QDir(args.first()).absolutePath();
    const bool fresh = !QFileInfo::exists(dir + QStringLiteral("/TARVEDO.INI"));
    if (fresh) {
        if (!OpenDemoCompany(dir, ledgerItems)) return 1;
        CloseSession();
        if (!ServeThroughServer(dir, host)) {
            std::fprintf(stderr, "cannot rewrite %s/TARVEDO.INI\n", dir.toUtf8().constData());
            return 1;
        }
    }
    const SessionResult session = OpenWorkingDirectory(dir);
    if (!session.ok) {
        std::fprintf(stderr, "%s\n", session.error.toUtf8().constData());
        return 1;
    }

    std::printf("server %s, %d items a workstation\n", host.toUtf8().constData(), each);
    quint64 seed = 1000 + quint64(QDateTime::currentSecsSinceEpoch());  // a new file content every run
    for (const QString& count : counts) {
        const int workstations = count.toInt();
        QStringList files;
        for (int w = 1; w <= workstations; ++w) {
            files << dir + QStringLiteral("/munkaallomas%1.csv").arg(w);
            WriteBenchVoucherFile(files.last(), each, ++seed);
        }

        QElapsedTimer clock;
        clock.start();
        std::vector<std::unique_ptr<QProcess>> posts;
        for (const QString& file : files) posts.emplace_back(StartCli(dir, {QStringLiteral("post"), file}));
        // A bookkeeper's reports while the others post.
        ReportTimes balance, card;
        auto allDone = [&] {
            for (auto& post : posts)  // waiting lets QProcess notice an ended run
                if (post->state() != QProcess::NotRunning && !post->waitForFinished(0)) return false;
            return true;
        };
        bool ok = true;
        while (ok && !allDone()) {
            for (const QStringList& report : {QStringList{QStringLiteral("fokiv")}, QStringList{QStringLiteral("karton"), QStringLiteral("--szla"), QStringLiteral("311")}}) {
                const QString out = dir + QStringLiteral("/riport.txt");
                QElapsedTimer t;
                t.start();
                std::unique_ptr<QProcess> run(StartCli(dir, QStringList{QStringLiteral("report")} + report + QStringList{QStringLiteral("--out"), out}));
                ok = Finished(run.get(), "report") && ok;
                (report.first() == QLatin1String("fokiv") ? balance : card).add(double(t.nsecsElapsed()) / 1e9);
            }
        }
        for (auto& post : posts) ok = Finished(post.get(), "post") && ok;
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        if (!ok) return 1;
        std::printf("%2d workstations posting at once: %6.0f items/s together, %6.0f each, all done in %6.2f s\n",
                    workstations, workstations * each / seconds, each / seconds, seconds);
        if (balance.runs)
            std::printf("   meanwhile: trial balance %.2f s (worst %.2f s), account card 311 %.2f s (worst %.2f s), %d runs each\n",
                        balance.sum / balance.runs, balance.worst, card.sum / card.runs, card.worst, balance.runs);
    }
    std::printf("peak memory: %.0f MB\n", PeakMemoryMb());
    return 0;
}
