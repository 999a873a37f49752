#include "post_vouchers.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <cmath>
#include <optional>

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "ledger/turnover_table.h"
#include "posting/delimited_text.h"
#include "posting/konyvel.h"
#include "posting/posting_lookups.h"
#include "posting/voucher_checks.h"
#include "posting/voucher_store.h"

namespace {

const QStringList kColumns{"VOUCHER",    "NTIPUS",    "KONYVBIZ", "KONYVELVE", "TELJKELT", "SZLAKELT", "FIZHATIDO",
                           "UGYFELKOD",  "KTSGHELY",  "SZAMLASZAM", "BIZONYLAT", "SZOVEG", "SZLA",     "ESZLA",
                           "ERTEK",      "AFA",       "AFAKULCS", "ASZLA",     "SOR65",    "DEVIZANEM", "ARFOLYAM"};
const QStringList kRequired{"VOUCHER", "NTIPUS", "SZLA", "ESZLA", "ERTEK"};
// Items stored between commits: the counters stay locked for other
// workstations only that long.
constexpr int kCommitEvery = 2000;

// One line of the file by column name.
class Row {
public:
    Row(const QHash<QString, int>* columns, const DelimitedLine* line) : m_columns(columns), m_line(line) {}
    QString operator[](const char* column) const {
        const int at = m_columns->value(QString::fromLatin1(column), -1);
        return at >= 0 && at < m_line->fields.size() ? m_line->fields.at(at).trimmed() : QString();
    }
    int number() const { return m_line->number; }

private:
    const QHash<QString, int>* m_columns;
    const DelimitedLine* m_line;
};

// A date as the masked field would hold it.
QString fieldDate(const QString& text) {
    const QString t = text.trimmed();
    // The empty masked field as stored: no date.
    if (t.isEmpty() || t == EmptyDate.trimmed()) return EmptyDate;
    if (t.size() == 8 && OnlyDigits(t) == t) return DotDate(t);
    if (t.size() == 10 && (t.at(4) == QLatin1Char('-') || t.at(4) == QLatin1Char('/')) && t.at(7) == t.at(4)) {
        QString dotted = t;
        dotted[4] = QLatin1Char('.');
        dotted[7] = QLatin1Char('.');
        return dotted;
    }
    return t;
}

// The text columns of the file and the ledger columns they are stored in:
// a longer text is refused by its line, not by the database.
QHash<QString, int> textLengths() {
    const QList<QPair<const char*, const char*>> stored{
        {"NTIPUS", "NTIPUS"},     {"KONYVBIZ", "KONYVBIZ"},   {"UGYFELKOD", "UGYFELKOD"}, {"KTSGHELY", "KTSGHELY"},
        {"SZAMLASZAM", "SZAMLASZAM"}, {"BIZONYLAT", "BIZONYLAT"}, {"SZOVEG", "SZOVEG"},     {"SZLA", "SZLA"},
        {"ESZLA", "ESZLA"},       {"AFAKULCS", "AFAKULCS"},   {"ASZLA", "SZLA"},          {"SOR65", "SOR65"},
        {"DEVIZANEM", "DEVIZANEM"}};
    QHash<QString, int> lengths;
    for (const auto& [column, ledgerColumn] : stored) {
        int length = 0;
        bool notNull = false;
        QString type;
        if (IbFieldInfo(QStringLiteral("TETEL"), QLatin1String(ledgerColumn), length, notNull, type) && length > 0 &&
            type == QLatin1String("VARCHAR"))
            lengths.insert(QLatin1String(column), length);
    }
    return lengths;
}

// The posted-voucher record: the file by its content digest.
const QString kRecordTable = QStringLiteral("KONYVELT_FAJL");
constexpr int kMaxVoucherKey = 60;

QString fileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return {};
    return QString::fromLatin1(hash.result().toHex());
}

// Databases made before the record existed get it on first use.
void ensureRecordTable() {
    if (TableExists(kRecordTable)) return;
    ExecSql(d_tarvedo, QStringLiteral("CREATE TABLE KONYVELT_FAJL (DIGEST VARCHAR(64) NOT NULL, VOUCHER VARCHAR(60) NOT "
                                      "NULL, NTIPUS VARCHAR(3), KONYVBIZ VARCHAR(15), CONSTRAINT PK_KONYVELT_FAJL "
                                      "PRIMARY KEY (DIGEST, VOUCHER))"));
}

QSet<QString> postedVouchers(const QString& digest) {
    QSet<QString> keys;
    if (!TableExists(kRecordTable)) return keys;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select VOUCHER from KONYVELT_FAJL where DIGEST = :digest"),
                          {{QStringLiteral("digest"), digest}});
    while (NextRow(q)) keys.insert(q.value(0).toString());
    return keys;
}

// Numbers for a file of vouchers, reserved a block at a time: each counter
// transaction commits to disk, so taking the numbers one by one would cost
// a disk write per item. The block is claimed in a moment of its own (no
// workstation waits for it); what is left over at the end goes back when
// nobody has taken a number after it meanwhile.
class NumberPool {
public:
    QString next(const QString& kind, int wanted) {
        Block& block = m_blocks[kind];
        if (block.next > block.last) {
            giveBack(kind, block);
            const qlonglong count = qBound(1, wanted, 1000);
            block.first = block.next = ReserveSequenceBlock(d_tarvedo, kind, year(), count);
            block.last = block.next + count - 1;
        }
        return SequenceNumberText(year(), block.next++);
    }
    void giveBackAll() {
        for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) giveBack(it.key(), *it);
    }

private:
    struct Block {
        qlonglong first = 1, next = 1, last = 0;
    };
    static QString year() { return Td().ceg.text(QStringLiteral("AKTUALISEV")); }
    static void giveBack(const QString& kind, Block& block) {
        if (block.next > block.last) return;
        ExecSql(d_tarvedo,
                QStringLiteral("update SORSZAM set UTOLSO = :unused where FAJTA = :kind and EV = :year and UTOLSO = :last"),
                {{QStringLiteral("unused"), block.next - 1},
                 {QStringLiteral("kind"), kind},
                 {QStringLiteral("year"), year()},
                 {QStringLiteral("last"), block.last}});
        block.next = block.last + 1;
    }
    QHash<QString, Block> m_blocks;
};

class VoucherPoster {
public:
    VoucherPoster(PostReport& report, bool dryRun, QString digest, QSet<QString> posted)
        : m_report(report), m_dryRun(dryRun), m_digest(std::move(digest)), m_posted(std::move(posted)), m_lookups(true),
          m_form(&m_lookups) {}

    void start() {
        m_form.FormShow();
        m_textLengths = textLengths();
    }
    void post(const QList<Row>& rows);
    void setLinesLeft(int lines) { m_linesLeft = lines; }
    // Commits what was stored so far.
    void finish() {
        m_statements.reset();  // prepared in the transaction
        if (m_transaction) m_transaction->commit();
        if (!m_dryRun) m_numbers.giveBackAll();
        m_transaction.reset();
        m_uncommitted = 0;
    }

private:
    // The window as the user leaves it after keying the line's item: a new
    // voucher for the first line, a new item of it for the others.
    void key(const Row& row, bool firstItem, const QString& konyvbiz);
    // The faults of the line that the window's keys would not let through.
    QStringList formatFaults(const Row& row) const;
    void fault(int line, const QString& text) { m_report.faults << PostFault{line, text}; }

    PostReport& m_report;
    bool m_dryRun;
    QString m_digest;
    QSet<QString> m_posted;  // the keys of this file's vouchers stored before
    QSet<QString> m_seen;    // the keys met in this run
    QHash<QString, int> m_textLengths;  // file column -> the length of its TETEL column
    PostingLookups m_lookups;
    KonyvelForm m_form;
    std::optional<DbTransaction> m_transaction;
    std::optional<ItemStatements> m_statements;
    NumberPool m_numbers;
    int m_linesLeft = 0;  // item lines of the file not yet posted: the size of the next number block
    int m_uncommitted = 0;
};

QStringList VoucherPoster::formatFaults(const Row& row) const {
    QStringList faults;
    const QString afa = row["AFA"].toUpper();
    if (!afa.isEmpty() && afa != QLatin1String("I") && afa != QLatin1String("N"))
        faults << QStringLiteral("Az AFA oszlop értéke I vagy N lehet.");
    for (auto it = m_textLengths.cbegin(); it != m_textLengths.cend(); ++it) {
        if (row[it.key().toLatin1().constData()].size() > it.value())
            faults << QStringLiteral("Túl hosszú adat a(z) %1 oszlopban: legfeljebb %2 karakter lehet.")
                          .arg(it.key())
                          .arg(it.value());
    }
    for (const char* column : {"ERTEK", "ARFOLYAM"}) {
        const QString text = row[column];
        double value = 0;
        QString error;
        if (!text.isEmpty() && !ParseAmount(text, value, &error))
            faults << QStringLiteral("%1 oszlop: %2").arg(QLatin1String(column), error);
    }
    return faults;
}

void VoucherPoster::key(const Row& row, bool firstItem, const QString& konyvbiz) {
    KonyvelForm& form = m_form;
    PostingLookups& lookups = m_lookups;
    form.AllapotValt(firstItem ? QStringLiteral("insert") : QStringLiteral("new"));
    form.c.focus.clear();
    form.wntipus.clear();
    form.wafakulcs.clear();
    form.c.p_afa = false;
    // An empty voucher number is left to the system, whatever the company's setting.
    form.c.e_konyvbiz = false;

    KonyvelFields& f = form.f;
    f = KonyvelFields();
    f.e_ntipus = row["NTIPUS"].toUpper();
    f.e_konyvbiz = konyvbiz;
    f.e_konyvdat = fieldDate(row["KONYVELVE"]);
    f.e_teljkelt = fieldDate(row["TELJKELT"]);
    f.e_szamlakelt = fieldDate(row["SZLAKELT"]);
    f.e_fizhatido = fieldDate(row["FIZHATIDO"]);
    f.e_bizkelt = DateToText();
    f.e_ugyfelkod = row["UGYFELKOD"];
    f.e_ktsghely = row["KTSGHELY"];
    f.e_szamlaszam = row["SZAMLASZAM"];
    f.e_bizonylat = row["BIZONYLAT"];
    f.e_szoveg = row["SZOVEG"];
    f.e_szla = row["SZLA"];
    f.e_eszla = row["ESZLA"];
    f.e_ertek = row["ERTEK"];
    if (form.c.deviza) {
        f.e_devizanem = row["DEVIZANEM"].toUpper();
        f.e_arfolyam = row["ARFOLYAM"];
    } else {
        f.e_devizanem = QStringLiteral("HUF");
        f.e_arfolyam = QStringLiteral("1");
    }

    if (const auto journal = lookups.journalType(f.e_ntipus)) {
        f.l_ntip = journal->value(QStringLiteral("NEV")).toString();
        form.wdefaultszla = journal->value(QStringLiteral("SZLA")).toString();
    }
    form.NtipusBeallit(false);
    form.SetAfa(row["AFA"].toUpper() == QLatin1String("I"));
    if (f.cb_afa) {
        // The VAT code as typed, else the code of the VAT account, else the default.
        QString code = row["AFAKULCS"];
        if (code.isEmpty() && !row["ASZLA"].isEmpty()) {
            if (const auto account = lookups.vatAccount(row["ASZLA"])) code = account->value(QStringLiteral("KOD")).toString();
        }
        if (code.isEmpty()) code = form.wdefaultafakod;
        form.wafakulcs = code;
        f.e_afakulcs = code;
        f.e_aszla = row["ASZLA"];
        if (f.e_aszla.isEmpty()) {
            if (const auto proposed = lookups.journalVatAccount(f.e_ntipus, code, QStringLiteral("H")))
                f.e_aszla = proposed->value(QStringLiteral("ASZLA")).toString().trimmed();
        }
        const auto account = lookups.journalVatAccountOf(f.e_ntipus, f.e_aszla, code);
        f.l_aszlanev = account ? account->value(QStringLiteral("SZOVEG")).toString() : QString();
        f.e_sor65 = row["SOR65"];
        if (f.e_sor65.isEmpty() && account) f.e_sor65 = account->value(QStringLiteral("SOR65")).toString();
    }
    form.AfaSzamol(AfaTrigger::Ertek);
}

void VoucherPoster::post(const QList<Row>& rows) {
    ++m_report.vouchers;
    const int firstLine = rows.first().number();
    const QString voucherKey = rows.first()["VOUCHER"];
    if (m_seen.contains(voucherKey)) {
        fault(firstLine, QStringLiteral("A(z) „%1” bizonylatkulcs korábban is szerepelt a fájlban; egy bizonylat sorai "
                                        "egymás után következzenek.")
                             .arg(voucherKey));
        ++m_report.rejectedVouchers;
        return;
    }
    m_seen.insert(voucherKey);
    if (m_posted.contains(voucherKey)) {
        ++m_report.alreadyPosted;
        return;
    }
    if (voucherKey.size() > kMaxVoucherKey) {
        fault(firstLine, QStringLiteral("A VOUCHER oszlop értéke legfeljebb %1 karakter lehet.").arg(kMaxVoucherKey));
        ++m_report.rejectedVouchers;
        return;
    }
    const int faultsBefore = int(m_report.faults.size());

    // The lines of one voucher share its journal type and voucher number.
    const QString ntipus = rows.first()["NTIPUS"].toUpper();
    QString konyvbiz = rows.first()["KONYVBIZ"];
    for (const Row& row : rows) {
        if (row["NTIPUS"].toUpper() != ntipus)
            fault(row.number(), QStringLiteral("Egy bizonylat tételei csak azonos naplótípusúak lehetnek."));
        if (row["KONYVBIZ"] != konyvbiz)
            fault(row.number(), QStringLiteral("Egy bizonylat tételeinek könyvelési bizonylatszáma azonos kell legyen."));
    }
    for (int i = 0; i < rows.size(); ++i) {
        for (const QString& text : formatFaults(rows[i])) fault(rows[i].number(), text);
        key(rows[i], i == 0, konyvbiz);
        CheckResult check = FejEllenoriz(m_form.f, m_form.c, m_lookups);
        if (check.ok()) check = TetelEllenoriz(m_form.f, m_form.c, m_lookups);
        for (const QString& line : check.lines) fault(rows[i].number(), line);
    }
    if (m_report.faults.size() > faultsBefore) {
        ++m_report.rejectedVouchers;
        return;
    }
    if (m_dryRun) {
        ++m_report.storedVouchers;
        m_report.storedItems += int(rows.size());
        return;
    }

    // Each voucher stands or falls alone: a savepoint before it, back to
    // it on a failure. The work commits every few thousand items.
    if (!m_transaction) {
        m_transaction.emplace(d_tarvedo);
        m_statements.emplace(m_form.statements);
        m_statements->numberSource = [this](const QString& kind) {
            return m_numbers.next(kind, kind == QLatin1String("SORSZAM") ? m_linesLeft : m_linesLeft / 4 + 1);
        };
    }
    ExecSql(d_tarvedo, QStringLiteral("SAVEPOINT VOUCHER"));
    const auto undo = [this]() {
        ExecSql(d_tarvedo, QStringLiteral("ROLLBACK TO SAVEPOINT VOUCHER"));
        ++m_report.rejectedVouchers;
    };
    try {
        for (int i = 0; i < rows.size(); ++i) {
            key(rows[i], i == 0, konyvbiz);
            const StoreResult result = StoreItem(m_form, &*m_statements);
            if (!result.stored) {
                const QStringList lines = result.check.ok() ? QStringList{result.message} : result.check.lines;
                for (const QString& line : lines) fault(rows[i].number(), line);
                undo();
                return;
            }
            konyvbiz = m_form.f.e_konyvbiz;
        }
        // The record goes with the voucher: both are stored, or neither.
        ExecSql(d_tarvedo,
                QStringLiteral("insert into KONYVELT_FAJL (DIGEST, VOUCHER, NTIPUS, KONYVBIZ) values (:digest, :voucher, "
                               ":ntipus, :konyvbiz)"),
                {{QStringLiteral("digest"), m_digest},
                 {QStringLiteral("voucher"), voucherKey},
                 {QStringLiteral("ntipus"), ntipus},
                 {QStringLiteral("konyvbiz"), konyvbiz}});
    } catch (const DbError& error) {
        fault(firstLine, QStringLiteral("Adatbázis hiba: ") + error.message());
        undo();
        return;
    }
    m_uncommitted += int(rows.size());
    if (m_uncommitted >= kCommitEvery) finish();
    ++m_report.storedVouchers;
    m_report.storedItems += int(rows.size());
}

}  // namespace

PostReport PostVoucherFile(const QString& path, bool dryRun, const PostProgress& progress) {
    PostReport report;
    QString text;
    if (!ReadTextFile(path, text)) {
        report.fileError = QStringLiteral("A fájl nem olvasható: ") + path;
        return report;
    }
    if (Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() != QLatin1String("I")) {
        report.fileError = QStringLiteral("Az év le van zárva.");
        return report;
    }
    int unclosedQuote = 0;
    const QList<DelimitedLine> lines = SplitDelimitedText(text, QLatin1Char(';'), &unclosedQuote);
    if (unclosedQuote > 0) {
        report.fileError = UnclosedQuoteMessage(unclosedQuote);
        return report;
    }
    if (lines.isEmpty()) {
        report.fileError = QStringLiteral("A fájl üres: ") + path;
        return report;
    }

    QHash<QString, int> columns;
    const QStringList heading = lines.first().fields;
    for (int i = 0; i < heading.size(); ++i) {
        QString name = heading[i].trimmed().toUpper();
        if (i == 0 && name.startsWith(QChar(0xFEFF))) name.remove(0, 1);
        if (name.isEmpty()) continue;
        if (columns.contains(name)) {
            report.fileError = QStringLiteral("Többször szereplő oszlop a fejlécben: ") + name;
            return report;
        }
        if (!kColumns.contains(name)) {
            report.fileError = QStringLiteral("Ismeretlen oszlop a fejlécben: ") + name;
            return report;
        }
        columns.insert(name, i);
    }
    for (const QString& name : kRequired) {
        if (!columns.contains(name)) {
            report.fileError = QStringLiteral("Hiányzó oszlop a fejlécben: ") + name;
            return report;
        }
    }

    const QString digest = fileDigest(path);
    if (digest.isEmpty()) {
        report.fileError = QStringLiteral("A fájl nem olvasható: ") + path;
        return report;
    }
    if (!dryRun) ensureRecordTable();
    VoucherPoster poster(report, dryRun, digest, postedVouchers(digest));
    poster.start();
    QList<Row> voucher;
    QString key;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (progress && sinceProgress.elapsed() >= 1000) {
            progress(int(i - 1), int(lines.size() - 1));
            sinceProgress.restart();
        }
        const Row row(&columns, &lines[i]);
        if (!voucher.isEmpty() && row["VOUCHER"] != key) {
            poster.setLinesLeft(int(lines.size() - i + voucher.size()));
            poster.post(voucher);
            voucher.clear();
        }
        key = row["VOUCHER"];
        voucher << row;
    }
    poster.setLinesLeft(int(voucher.size()));
    if (!voucher.isEmpty()) poster.post(voucher);
    poster.finish();
    // A file of many vouchers leaves its turnover rows merged here, not
    // for the next report to merge.
    if (!dryRun && report.storedItems > 0 && HasTurnoverTable(d_tarvedo)) MergeTurnoversIfMany(d_tarvedo);
    return report;
}
