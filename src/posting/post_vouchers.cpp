#include "post_vouchers.h"

#include <QElapsedTimer>
#include <QHash>
#include <algorithm>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QSet>
#include <cmath>
#include <future>
#include <optional>
#include <string>
#include <unordered_map>

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/catalog.h"
#include "db/counter_update.h"
#include "db/dat.h"
#include "db/date_text.h"
#include "db/file_record.h"
#include "db/stop_request.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "ledger/turnover_table.h"
#include "posting/voucher_batch_writer.h"
#include "posting/delimited_text.h"
#include "posting/konyvel.h"
#include "posting/posting_lookups.h"
#include "posting/voucher_checks.h"
#include "posting/item_rows.h"
#include "posting/voucher_statements.h"
#include "ledger/ledger_batch_writer.h"

namespace {

constexpr const char* kColumnNames[] = {"VOUCHER",    "NTIPUS",    "KONYVBIZ", "KONYVELVE", "TELJKELT", "SZLAKELT",
                                        "FIZHATIDO",  "UGYFELKOD", "KTSGHELY", "SZAMLASZAM", "BIZONYLAT", "SZOVEG",
                                        "SZLA",       "ESZLA",     "ERTEK",    "AFA",       "AFAKULCS", "ASZLA",
                                        "SOR65",      "DEVIZANEM", "ARFOLYAM"};
const QStringList kColumns = [] {
    QStringList names;
    for (const char* name : kColumnNames) names << QLatin1String(name);
    return names;
}();
const QStringList kRequired{"VOUCHER", "NTIPUS", "SZLA", "ESZLA", "ERTEK"};
// Items written in one transaction: numbered together, written together,
// committed together.
constexpr int kBatchItems = 10000;

QString voucherId(const QString& ntipus, const QString& konyvbiz) { return ntipus + QChar(0x1F) + konyvbiz; }

// Where the file's columns are, by their (ASCII) names: looked up for
// every field of every line, so without making a QString of the name.
class FileColumns {
public:
    explicit FileColumns(const QHash<QString, int>& columns) {
        for (auto it = columns.cbegin(); it != columns.cend(); ++it) m_at.emplace(it.key().toStdString(), it.value());
    }
    int at(const char* column) const {
        const auto found = m_at.find(column);
        return found == m_at.end() ? -1 : found->second;
    }

private:
    std::unordered_map<std::string, int> m_at;
};

// One line of the file by column name.
class Row {
public:
    Row(const FileColumns* columns, const DelimitedLine* line) : m_columns(columns), m_line(line) {}
    QString operator[](const char* column) const {
        const int at = m_columns->at(column);
        return at >= 0 && at < m_line->fields.size() ? m_line->fields.at(at).trimmed() : QString();
    }
    int number() const { return m_line->number; }

private:
    const FileColumns* m_columns;
    const DelimitedLine* m_line;
};

// A date as the masked field would hold it: the empty mask, or the date in
// the stored form; a text that is no date stays as typed, for the header
// check to refuse by its field.
QString fieldDate(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == EmptyDate.trimmed()) return EmptyDate;
    QString date;
    return ReadDateText(t, date) ? date : t;
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

// Databases made before the record existed get it on first use.
void ensureRecordTable() {
    if (TableExists(kRecordTable)) return;
    ExecSql(d_tarvedo, QStringLiteral("CREATE TABLE KONYVELT_FAJL (DIGEST VARCHAR(64) NOT NULL, VOUCHER VARCHAR(60) NOT "
                                      "NULL, NTIPUS VARCHAR(3), KONYVBIZ VARCHAR(15), CONSTRAINT PK_KONYVELT_FAJL "
                                      "PRIMARY KEY (DIGEST, VOUCHER))"));
}

class VoucherPoster {
public:
    VoucherPoster(PostReport& report, bool dryRun, QString digest, QSet<QString> posted)
        : m_report(report), m_dryRun(dryRun), m_digest(std::move(digest)), m_posted(std::move(posted)), m_lookups(true),
          m_form(&m_lookups) {}

    void start() {
        m_form.FormShow();
        m_textLengths = textLengths();
        m_columns = LedgerBatchWriter::ColumnsOf(m_form.statements.qi_tetel.join(QLatin1Char('\n')));
        m_year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
    }
    // Checks a voucher; a faultless one waits for the rest of the file.
    void check(const QList<Row>& rows);
    // Stores the checked vouchers, batch by batch, when the whole file is
    // faultless: a file with any fault stores nothing and takes no number.
    void store(const PostProgress& storing);

private:
    // The window as the user leaves it after keying the line's item: a new
    // voucher for the first line, a new item of it for the others.
    void key(const Row& row, bool firstItem, const QString& konyvbiz);
    // The faults of the line that the window's keys would not let through.
    QStringList formatFaults(const Row& row) const;
    // A typed voucher number names a new voucher: not one the ledger or
    // the file already has.
    void checkTypedNumber(const QString& ntipus, const QString& konyvbiz, int line);
    void fault(int line, const QString& text) { m_report.faults << PostFault{line, text}; }

    // Claims, numbers and writes one batch; false when the run stops.
    bool writeBatch(QList<CheckedVoucher> batch);
    void number(QList<CheckedVoucher>& batch);
    int linkBase(const QString& ntipus, const QString& konyvbiz);
    void readLinks(const QString& ntipus, const QStringList& numbers);

    PostReport& m_report;
    bool m_dryRun;
    QString m_digest;
    QSet<QString> m_posted;  // the keys of this file's vouchers stored before
    QSet<QString> m_seen;    // the keys met in this run
    QHash<QString, int> m_typedNumbers;  // voucher (journal type and typed number) -> its first line
    QHash<QString, int> m_textLengths;  // file column -> the length of its TETEL column
    PostingLookups m_lookups;
    KonyvelForm m_form;
    QStringList m_columns;  // the TETEL columns the window's insert writes
    const QString m_today = DateToText();  // the vouchers' entry date
    QString m_year;

    QList<CheckedVoucher> m_checked;  // the faultless vouchers, in the order of the file
    QHash<QString, int> m_links;  // voucher -> greatest link number, for every voucher this run wrote to
};

QStringList VoucherPoster::formatFaults(const Row& row) const {
    QStringList faults;
    const QString afa = row["AFA"].toUpper();
    if (!afa.isEmpty() && afa != QLatin1String("I") && afa != QLatin1String("N"))
        faults << QStringLiteral("Az AFA oszlop értéke I vagy N lehet.");
    for (const char* column : kColumnNames) {
        const QString control = ControlCharacterFault(row[column]);
        if (!control.isEmpty())
            faults << QStringLiteral("A(z) %1 oszlopban %2 van; ilyen jel nem kerülhet a könyvelésbe.")
                          .arg(QLatin1String(column), control);
    }
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
    f.e_bizkelt = m_today;
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

void VoucherPoster::check(const QList<Row>& rows) {
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
    if (!konyvbiz.isEmpty()) checkTypedNumber(ntipus, konyvbiz, firstLine);
    for (const Row& row : rows) {
        if (row["NTIPUS"].toUpper() != ntipus)
            fault(row.number(), QStringLiteral("Egy bizonylat tételei csak azonos naplótípusúak lehetnek."));
        if (row["KONYVBIZ"] != konyvbiz)
            fault(row.number(), QStringLiteral("Egy bizonylat tételeinek könyvelési bizonylatszáma azonos kell legyen."));
    }
    // Each line's rows as the window's store would write them, numbers
    // aside. The store upper-cases the partner code and checks again: a
    // line that passes only as typed is refused then, by its own faults.
    QList<QList<LedgerItem>> items;
    std::optional<PostFault> storeFault;
    for (int i = 0; i < rows.size(); ++i) {
        for (const QString& text : formatFaults(rows[i])) fault(rows[i].number(), text);
        key(rows[i], i == 0, konyvbiz);
        CheckResult check = FejEllenoriz(m_form.f, m_form.c, m_lookups);
        if (check.ok()) check = TetelEllenoriz(m_form.f, m_form.c, m_lookups);
        for (const QString& line : check.lines) fault(rows[i].number(), line);
        if (!check.ok()) continue;
        KonyvelFields f = m_form.f;
        if (f.e_ugyfelkod != f.e_ugyfelkod.toUpper()) {
            f.e_ugyfelkod = f.e_ugyfelkod.toUpper();
            CheckResult stored = FejEllenoriz(f, m_form.c, m_lookups);
            if (stored.ok()) stored = TetelEllenoriz(f, m_form.c, m_lookups);
            if (!stored.ok() && !storeFault) storeFault = PostFault{rows[i].number(), stored.lines.join(QLatin1Char('\n'))};
        }
        items << NewItemRows(m_form, f);
    }
    if (m_report.faults.size() > faultsBefore) {
        ++m_report.rejectedVouchers;
        return;
    }
    if (storeFault) {
        for (const QString& line : storeFault->text.split(QLatin1Char('\n'))) fault(storeFault->line, line);
        ++m_report.rejectedVouchers;
        return;
    }
    ++m_report.faultlessVouchers;
    m_report.faultlessItems += int(rows.size());
    if (!m_dryRun) m_checked << CheckedVoucher{voucherKey, ntipus, konyvbiz, firstLine, false, items};
}

void VoucherPoster::checkTypedNumber(const QString& ntipus, const QString& konyvbiz, int line) {
    const QString id = voucherId(ntipus, konyvbiz);
    if (const auto first = m_typedNumbers.constFind(id); first != m_typedNumbers.constEnd()) {
        fault(line, QStringLiteral("A(z) %1 %2 bizonylatszám a fájl %3. sorában is szerepel; két bizonylatnak nem lehet "
                                   "azonos a száma.")
                        .arg(ntipus, konyvbiz)
                        .arg(*first));
        return;
    }
    m_typedNumbers.insert(id, line);
    if (VoucherExists(ntipus, konyvbiz))
        fault(line, QStringLiteral("A(z) %1 %2 bizonylat már létezik a könyvelésben; a fájl új bizonylatokat könyvel, "
                                   "meglévőhöz nem fűz tételt. Hagyja üresen a KONYVBIZ oszlopot, vagy adjon új számot.")
                        .arg(ntipus, konyvbiz));
}

// The numbers of a batch, taken at once in one short transaction of their
// own: exactly as many as they use, so nothing is given back and no other
// workstation's numbers are skipped or shared. A typed number of the year
// ahead of its counter moves the counter past it in the same transaction,
// so the counter never hands it out again.
void VoucherPoster::number(QList<CheckedVoucher>& batch) {
    QMap<QString, qlonglong> wanted;  // counter -> numbers
    QMap<QString, qlonglong> typed;   // counter -> the greatest typed counter value
    for (const CheckedVoucher& voucher : std::as_const(batch)) {
        if (voucher.konyvbiz.isEmpty())
            ++wanted[voucher.ntipus];
        else if (const qlonglong counter = CounterOfNumber(m_year, voucher.konyvbiz); counter > typed.value(voucher.ntipus))
            typed[voucher.ntipus] = counter;
        wanted[QStringLiteral("SORSZAM")] += voucher.items.size();
    }
    const QMap<QString, qlonglong> last = AdvanceCountersPast(d_tarvedo, m_year, wanted, typed);
    QMap<QString, qlonglong> next;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) next[it.key()] = last.value(it.key()) - it.value() + 1;

    QList<CheckedVoucher*> unnumbered;
    for (CheckedVoucher& voucher : batch)
        if (voucher.konyvbiz.isEmpty()) unnumbered << &voucher;
    while (!unnumbered.isEmpty()) {
        QMap<QString, QStringList> allocated;  // journal type -> voucher numbers taken now
        for (CheckedVoucher* voucher : std::as_const(unnumbered)) {
            voucher->konyvbiz = SequenceNumberText(m_year, next[voucher->ntipus]++);
            voucher->numberTaken = true;
            allocated[voucher->ntipus] << voucher->konyvbiz;
        }
        for (auto it = allocated.cbegin(); it != allocated.cend(); ++it) readLinks(it.key(), it.value());
        // A number typed ahead of its counter before typed numbers moved the
        // counter may name a voucher already: such a voucher takes the next
        // number, never items of another.
        QList<CheckedVoucher*> clashing;
        QMap<QString, qlonglong> more;
        for (CheckedVoucher* voucher : std::as_const(unnumbered))
            if (m_links.value(voucherId(voucher->ntipus, voucher->konyvbiz)) > 0) {
                clashing << voucher;
                ++more[voucher->ntipus];
            }
        if (!clashing.isEmpty()) {
            const QMap<QString, qlonglong> moreLast = AdvanceCounters(d_tarvedo, m_year, more);
            for (auto it = more.cbegin(); it != more.cend(); ++it) next[it.key()] = moreLast.value(it.key()) - it.value() + 1;
        }
        unnumbered = clashing;
    }

    qlonglong& item = next[QStringLiteral("SORSZAM")];
    for (CheckedVoucher& voucher : batch) {
        int link = linkBase(voucher.ntipus, voucher.konyvbiz);
        for (QList<LedgerItem>& rows : voucher.items) {
            const QString kapocs = ZeroPad(QString::number(++link), 3);
            const QString sorszam = SequenceNumberText(m_year, item++);
            for (LedgerItem& row : rows) {
                row.konyvbiz = voucher.konyvbiz;
                row.kapocs = kapocs;
                row.sorszam = sorszam;
            }
        }
        m_links[voucherId(voucher.ntipus, voucher.konyvbiz)] = link;
    }
}

// The greatest link number of a voucher: kept in memory for every voucher
// this run wrote to, read from the ledger for the others.
int VoucherPoster::linkBase(const QString& ntipus, const QString& konyvbiz) {
    const QString id = voucherId(ntipus, konyvbiz);
    if (const auto known = m_links.constFind(id); known != m_links.constEnd()) return *known;
    QSqlQuery q = ExecSql(d_tarvedo, MaxLinkStatement().join(QLatin1Char('\n')),
                          {{QStringLiteral("ntipus"), ntipus}, {QStringLiteral("konyvbiz"), konyvbiz}});
    const QVariant max = NextRow(q) ? q.value(0) : QVariant();
    const int link = IntFromDigits(max.isNull() ? QString() : max.toString());
    m_links.insert(id, link);
    return link;
}

// The link numbers of vouchers whose numbers were just taken from the
// counter: one read per run of numbers of equal length, which finds
// nothing unless a number was typed ahead of the counter.
void VoucherPoster::readLinks(const QString& ntipus, const QStringList& numbers) {
    QMap<qsizetype, QPair<QString, QString>> ranges;  // text length -> first, last
    for (const QString& n : numbers) {
        auto range = ranges.find(n.size());
        if (range == ranges.end())
            ranges.insert(n.size(), {n, n});
        else
            range->second = n;
        m_links.insert(voucherId(ntipus, n), 0);
    }
    for (const auto& [first, last] : ranges) {
        QSqlQuery q = ExecSql(d_tarvedo, MaxLinkRangeStatement().join(QLatin1Char('\n')),
                              {{QStringLiteral("ntipus"), ntipus}, {QStringLiteral("elso"), first}, {QStringLiteral("utolso"), last}});
        while (NextRow(q)) {
            const QString id = voucherId(ntipus, q.value(0).toString());
            if (m_links.contains(id)) m_links[id] = IntFromDigits(q.value(1).isNull() ? QString() : q.value(1).toString());
        }
    }
}

void VoucherPoster::store(const PostProgress& storing) {
    if (m_dryRun || !m_report.faults.isEmpty() || m_report.stopped) return;
    for (qsizetype from = 0; from < m_checked.size();) {
        if (StopRequested()) {
            m_report.stopped = true;
            return;
        }
        QList<CheckedVoucher> batch;
        for (qsizetype items = 0; from < m_checked.size() && items < kBatchItems; ++from) {
            items += m_checked[from].items.size();
            batch << std::move(m_checked[from]);
        }
        if (!writeBatch(std::move(batch))) return;
        if (storing) storing(m_report.storedVouchers, int(m_checked.size()));
    }
    m_checked.clear();
}

// The batch's vouchers are claimed in its transaction before any number is
// taken: another workstation posting the same file meets the claims (or
// the records they became) and stops at once, with no number used.
bool VoucherPoster::writeBatch(QList<CheckedVoucher> batch) {
    const int firstLine = batch.first().firstLine;
    const auto stopOn = [&](const DbError& error) {
        fault(firstLine, QStringLiteral("Adatbázis hiba: ") + error.message());
        return false;
    };
    std::optional<VoucherBatchWriter> writer;
    try {
        writer.emplace(m_columns, m_digest, batch);
    } catch (const VouchersClaimed&) {
        m_report.postedElsewhere = true;
        return false;
    } catch (const DbError& error) {
        return stopOn(error);
    }
    try {
        number(batch);
    } catch (const DbError& error) {
        return stopOn(error);  // the claims are rolled back with the writer
    }
    writer->write(batch);
    const QList<RefusedVoucher> refused = writer->wait();
    if (writer->stopped()) {
        m_report.stopped = true;
        return false;
    }
    qsizetype next = 0;
    for (qsizetype i = 0; i < batch.size(); ++i) {
        if (next < refused.size() && refused[next].index == i) {
            fault(batch[i].firstLine, refused[next++].text);
            ++m_report.rejectedVouchers;
            continue;
        }
        ++m_report.storedVouchers;
        m_report.storedItems += int(batch[i].items.size());
    }
    return true;
}

}  // namespace

PostReport PostVoucherFile(const QString& path, bool dryRun, const PostProgress& progress, const PostProgress& storing) {
    PostReport report;
    QString text;
    if (!ReadTextFile(path, text, {}, &report.fileError)) return report;
    if (Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() != QLatin1String("I")) {
        report.fileError = QStringLiteral("Az év le van zárva.");
        return report;
    }
    // The file's digest is worked out beside the splitting.
    auto digestOfFile = std::async(std::launch::async, FileDigest, path);
    int unclosedQuote = 0;
    // The fields view `text`, which lives until the last voucher is written.
    const QList<DelimitedLine> lines =
        SplitDelimitedText(text, QLatin1Char(';'), &unclosedQuote, DelimitedFields::ViewingText);
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

    const QString digest = digestOfFile.get();
    if (digest.isEmpty()) {
        report.fileError = QStringLiteral("A fájl nem olvasható: ") + path;
        return report;
    }
    if (!dryRun) ensureRecordTable();
    const FileColumns fileColumns(columns);
    VoucherPoster poster(report, dryRun, digest, RecordedVoucherKeys(kRecordTable, QStringLiteral("VOUCHER"), digest));
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
        const Row row(&fileColumns, &lines[i]);
        if (!voucher.isEmpty() && row["VOUCHER"] != key) {
            if (StopRequested()) break;
            poster.check(voucher);
            voucher.clear();
        }
        key = row["VOUCHER"];
        voucher << row;
    }
    if (StopRequested())
        report.stopped = true;
    else if (!voucher.isEmpty())
        poster.check(voucher);
    poster.store(storing);
    // A file of many vouchers leaves its turnover rows merged here, not
    // for the next report to merge.
    if (!dryRun && report.storedItems > 0 && HasTurnoverTable(d_tarvedo)) MergeTurnoversIfMany(d_tarvedo);
    return report;
}
