// The command-line tool killed at a random moment, as a power cut or the
// task manager would: whatever it got to store, the books stay sound.
// After every kill: each voucher whole, each VAT row with its item, the
// counters not behind the numbers used, the turnover table equal to the
// items, and a database that the engine validates without an error.
//
// TARVEDO_FAULT_RUNS sets the kills per command (default 3),
// TARVEDO_FAULT_SEED repeats a run's random moments.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <ostream>

#include "db/dat.h"
#include "support/test_db.h"
#include "support/turnover_sums.h"

namespace {

constexpr int kDefaultRuns = 3;
const QString kYear = QStringLiteral("2025");
const QString kCompanyFile = QStringLiteral("TARVEDO_MINTA_2025.GDB");
const QString kSystemFile = QStringLiteral("TARVEDOSYS.GDB");

QString text(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

void writeFile(const QString& path, const QStringList& lines) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

// A voucher file for `post`: cash purchases with VAT (two rows per item)
// and bank items, one to four items a voucher, enough that the tool
// commits more than once. Every row of voucher n carries the invoice number
// "FP-n", so the rows of each voucher can be found after a kill.
QStringList postInput(const QString& dir) {
    QStringList lines{QStringLiteral(
        "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;"
        "SZLA;ESZLA;ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM")};
    for (int v = 1; v <= 1000; ++v) {
        const QString day = QStringLiteral("%1.%2.%3").arg(kYear).arg(1 + v % 12, 2, 10, QLatin1Char('0')).arg(1 + v % 28, 2, 10, QLatin1Char('0'));
        for (int i = 0; i < 1 + v % 4; ++i) {
            const int amount = 100 + (v * 7919 + i * 104729) % 99900;
            if (v % 2)
                lines << QStringLiteral("%1;PT;;%2;;;;;;FP-%1;;Vásárlás %1/%3;521;381;%4;I;;;;;").arg(v).arg(day).arg(i).arg(amount);
            else
                lines << QStringLiteral("%1;BK;;%2;;;;;;FP-%1;;Bank %1/%3;384;491;%4;N;;;;;").arg(v).arg(day).arg(i).arg(amount);
        }
    }
    writeFile(dir + QStringLiteral("/vouchers.csv"), lines);
    return {QStringLiteral("post"), dir + QStringLiteral("/vouchers.csv")};
}

// An item file for `import` (format TETEL_CSV) with its own VAT rows;
// voucher n's rows carry the invoice number "FI-n".
QStringList importInput(const QString& dir) {
    QStringList lines{QStringLiteral(
        "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;"
        "ERTEK;TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM")};
    for (int v = 1; v <= 3000; ++v) {
        const QString day = QStringLiteral("%1.%2.%3").arg(kYear).arg(1 + v % 12, 2, 10, QLatin1Char('0')).arg(1 + v % 28, 2, 10, QLatin1Char('0'));
        for (int i = 0; i < 1 + v % 4; ++i) {
            const int net = 100 + (v * 7919 + i * 104729) % 99900;
            if (v % 2) {
                lines << QStringLiteral("I%1;PT;%2;%2;;;;;FI-%1;;Vásárlás %1/%3;521;381;%4;;27;66;;;").arg(v).arg(day).arg(i).arg(net);
                lines << QStringLiteral("I%1;PT;%2;%2;;;;;FI-%1;;;466;381;%3;A;;;;;").arg(v).arg(day).arg(qRound(net * 0.27));
            } else {
                lines << QStringLiteral("I%1;BK;%2;%2;;;;;FI-%1;;Bank %1/%3;384;491;%4;;;;;;").arg(v).arg(day).arg(i).arg(net);
            }
        }
    }
    writeFile(dir + QStringLiteral("/items.csv"), lines);
    return {QStringLiteral("import"), dir + QStringLiteral("/items.csv")};
}

// The year closing recomputing the next year's opening, invoice by invoice.
// It writes no vouchers of the current year: a few marked "FZ-n", posted
// before the year is first closed and the books are saved as pristine, are
// what must stay whole; the opening counter "NY" must never fall behind the
// opening voucher in use.
QStringList closeYearInput(const QString& dir) {
    QStringList lines{QStringLiteral(
        "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;"
        "SZLA;ESZLA;ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM")};
    // Unpaid customer invoices, enough that the closing spends a while on them.
    for (int v = 1; v <= 200; ++v) {
        const QString day = QStringLiteral("%1.06.%2").arg(kYear).arg(1 + v % 28, 2, 10, QLatin1Char('0'));
        lines << QStringLiteral("%1;VE;;%2;%2;%2;%2;V0000%3;;FZ-%1;;Számla %1;311;911;%4;N;;;;;")
                     .arg(v).arg(day).arg(1 + v % 3).arg(100 * v);
    }
    writeFile(dir + QStringLiteral("/zaras.csv"), lines);
    const QString work = dir + QStringLiteral("/work");
    for (const QStringList& command : {QStringList{QStringLiteral("post"), dir + QStringLiteral("/zaras.csv")},
                                       QStringList{QStringLiteral("close-year"), QStringLiteral("--by-invoice")}}) {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral(TARVEDO_CLI_PATH), QStringList{QStringLiteral("--workdir"), work} + command);
        EXPECT_TRUE(tool.waitForFinished(120000));
        EXPECT_EQ(tool.exitCode(), 0) << text(tool.readAll()).toStdString();
    }
    for (const QString& file : {kCompanyFile, kSystemFile}) {
        const QString pristine = dir + QStringLiteral("/pristine/") + file;
        QFile::remove(pristine);
        EXPECT_TRUE(QFile::copy(work + QLatin1Char('/') + file, pristine));
    }
    return {QStringLiteral("close-year"), QStringLiteral("--by-invoice")};
}

// A command that may be killed: it writes its input into the working
// folder and gives the tool's arguments. The year closing and the
// depreciation store join this table as rows of their own.
struct FaultCommand {
    const char* name;
    std::function<QStringList(const QString& dir)> input;
    QString voucherMark;  // the invoice numbers of its vouchers start with this
};

void PrintTo(const FaultCommand& command, std::ostream* out) { *out << command.name; }

const FaultCommand kCommands[] = {
    {"post", postInput, QStringLiteral("FP-")},
    {"import", importInput, QStringLiteral("FI-")},
    {"close_year", closeYearInput, QStringLiteral("FZ-")},
};

// The rows of each marked voucher, as comparable text lines.
using VoucherRows = QMap<QString, QStringList>;

VoucherRows voucherRows(const QString& mark) {
    VoucherRows vouchers;
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("select SZAMLASZAM, KAPOCS, TART_KOV, SZLA, ESZLA, ERTEK, AFAKULCS from TETEL "
                                         "where SZAMLASZAM starting with :MARK order by SZAMLASZAM, KAPOCS, TART_KOV, SZLA, ERTEK"),
                          {{QStringLiteral("MARK"), mark}});
    while (q.next())
        vouchers[q.value(0).toString()] << QStringLiteral("%1 %2 %3 %4 %5 %6")
                                                .arg(q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                                                     q.value(4).toString(), QString::number(q.value(5).toDouble(), 'f', 2),
                                                     q.value(6).toString());
    EXPECT_FALSE(q.lastError().isValid()) << q.lastError().text().toStdString();
    return vouchers;
}

qlonglong count(const QString& sql) { return SelectValue(d_tarvedo, sql).toLongLong(); }

class FaultInjectionTest : public ::testing::TestWithParam<FaultCommand> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_work = m_dir.filePath(QStringLiteral("work"));
        m_pristine = m_dir.filePath(QStringLiteral("pristine"));
        const Run made = run({QStringLiteral("init-demo"), m_work, QStringLiteral("--items"), QStringLiteral("300"),
                              QStringLiteral("--year"), kYear});
        ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();
        ASSERT_TRUE(QDir().mkpath(m_pristine));
        for (const QString& file : {kCompanyFile, kSystemFile})
            ASSERT_TRUE(QFile::copy(m_work + QLatin1Char('/') + file, m_pristine + QLatin1Char('/') + file));
        m_arguments = QStringList{QStringLiteral("--workdir"), m_work} + GetParam().input(m_dir.path());
    }
    void TearDown() override { DbDisconnect(d_tarvedo); }

    struct Run {
        int exitCode = -1;
        bool killed = false;
        qint64 ms = 0;
        QString output;
    };

    // The tool with `arguments`; killed after `killAfterMs` when that is not negative.
    static Run run(const QStringList& arguments, qint64 killAfterMs = -1) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(TARVEDO_CLI_PATH), arguments);
        Run result;
        if (!process.waitForStarted()) {
            result.output = process.errorString();
            return result;
        }
        if (killAfterMs >= 0 && !process.waitForFinished(int(killAfterMs))) {
            process.kill();  // SIGKILL: no clean-up of any kind
            result.killed = true;
        }
        process.waitForFinished(-1);
        result.ms = clock.elapsed();
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = text(process.readAll());
        return result;
    }

    // The books as the pristine demo company has them.
    void restore() {
        DbDisconnect(d_tarvedo);
        for (const QString& file : {kCompanyFile, kSystemFile}) {
            const QString target = m_work + QLatin1Char('/') + file;
            QFile::remove(target);
            ASSERT_TRUE(QFile::copy(m_pristine + QLatin1Char('/') + file, target));
        }
    }

    void connect() {
        ASSERT_TRUE(DbConnect(d_tarvedo, m_work + QLatin1Char('/') + kCompanyFile))
            << Connection(d_tarvedo).lastError().text().toStdString();
    }

    void checkInvariants(const VoucherRows& whole) {
        // The engine finds no damage in the file.
        DbDisconnect(d_tarvedo);
        QProcess gfix;
        gfix.setProcessChannelMode(QProcess::MergedChannels);
        gfix.start(QStringLiteral("gfix"), {QStringLiteral("-v"), QStringLiteral("-full"), QStringLiteral("-user"),
                                            QStringLiteral("SYSDBA"), m_work + QLatin1Char('/') + kCompanyFile});
        ASSERT_TRUE(gfix.waitForFinished(120000)) << "gfix: " << gfix.errorString().toStdString();
        // Warnings (pages a killed transaction allocated and never used) are
        // what any crash leaves; errors are damage.
        const QString validation = text(gfix.readAll()).trimmed();
        EXPECT_EQ(gfix.exitCode(), 0);
        EXPECT_FALSE(validation.contains(QRegularExpression(QStringLiteral("errors?\\s*:\\s*[1-9]"))))
            << "gfix -v -full: " << validation.toStdString();
        if (!validation.isEmpty()) std::printf("  gfix: %s\n", qPrintable(validation.simplified()));
        connect();

        // Each voucher that is there has all its rows, as an uninterrupted run stores them.
        const VoucherRows stored = voucherRows(GetParam().voucherMark);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            ASSERT_TRUE(whole.contains(it.key())) << it.key().toStdString();
            EXPECT_EQ(it.value(), whole[it.key()]) << "voucher " << it.key().toStdString();
        }
        EXPECT_EQ(count(QStringLiteral("select count(*) from (select SZAMLASZAM from TETEL where SZAMLASZAM starting with '%1' "
                                       "group by SZAMLASZAM having count(distinct NTIPUS || '/' || KONYVBIZ) <> 1)")
                            .arg(GetParam().voucherMark)),
                  0)
            << "a voucher's rows under more than one voucher number";

        // A VAT row has exactly one item row with the same serial and link number.
        EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL a where a.TART_KOV = 'A' and "
                                       "(select count(*) from TETEL m where m.SORSZAM = a.SORSZAM and m.KAPOCS = a.KAPOCS "
                                       "and m.TART_KOV = '') <> 1")),
                  0);

        // No number in use is beyond its counter: the next one taken is new.
        QSqlQuery used = ExecSql(d_tarvedo, QStringLiteral("select NTIPUS, max(KONYVBIZ), max(SORSZAM) from TETEL group by NTIPUS"));
        while (used.next()) {
            const QString kind = used.value(0).toString();
            for (const auto& [counterKind, number] : {std::pair{kind, used.value(1).toString()},
                                                      std::pair{QStringLiteral("SORSZAM"), used.value(2).toString()}}) {
                const QString year = QStringLiteral("20") + number.left(2);
                const qlonglong last = SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F and EV = :E"),
                                                   {{QStringLiteral("F"), counterKind}, {QStringLiteral("E"), year}})
                                           .toLongLong();
                EXPECT_LE(number.mid(2).toLongLong(), last) << counterKind.toStdString() << " " << number.toStdString();
            }
        }
        EXPECT_FALSE(used.lastError().isValid()) << used.lastError().text().toStdString();

        // The turnover table sums to the items.
        EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
    }

    QTemporaryDir m_dir{QStringLiteral("/tmp/tarvedo-fault-XXXXXX")};
    QString m_work;
    QString m_pristine;
    QStringList m_arguments;
};

TEST_P(FaultInjectionTest, KilledAtRandomTheBooksStaySound) {
    // An uninterrupted run: its vouchers are the whole ones, its time the span to kill in.
    const Run full = run(m_arguments);
    ASSERT_EQ(full.exitCode, 0) << full.output.toStdString();
    connect();
    const VoucherRows whole = voucherRows(GetParam().voucherMark);
    ASSERT_FALSE(whole.isEmpty());
    checkInvariants(whole);

    const int runs = qEnvironmentVariableIsSet("TARVEDO_FAULT_RUNS") ? qEnvironmentVariableIntValue("TARVEDO_FAULT_RUNS") : kDefaultRuns;
    const quint32 seed = qEnvironmentVariableIsSet("TARVEDO_FAULT_SEED") ? quint32(qEnvironmentVariableIntValue("TARVEDO_FAULT_SEED"))
                                                                         : QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    std::printf("%s: %d kills in a %lld ms run, TARVEDO_FAULT_SEED=%u\n", GetParam().name, runs, full.ms, seed);
    int partial = 0;
    for (int i = 0; i < runs; ++i) {
        restore();
        // Most kills fall inside the work, some during start-up.
        const qint64 delay = qint64(double(full.ms) * (0.1 + 0.9 * random.generateDouble()));
        SCOPED_TRACE(QStringLiteral("kill %1 after %2 ms (TARVEDO_FAULT_SEED=%3)").arg(i + 1).arg(delay).arg(seed).toStdString());
        const Run killed = run(m_arguments, delay);
        if (!killed.killed) {
            EXPECT_EQ(killed.exitCode, 0) << killed.output.toStdString();
        }
        checkInvariants(whole);
        const qlonglong stored = count(QStringLiteral("select count(distinct SZAMLASZAM) from TETEL where SZAMLASZAM starting with '%1'")
                                           .arg(GetParam().voucherMark));
        if (stored > 0 && stored < whole.size()) ++partial;
        std::printf("  kill after %lld ms: %lld of %lld vouchers stored\n", delay, stored, qlonglong(whole.size()));
    }
    std::printf("%d of %d kills left part of the work stored\n", partial, runs);
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultInjectionTest, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<FaultCommand>& info) { return std::string(info.param.name); });

}  // namespace
