#include "adatbeo.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QSqlQuery>
#include <future>
#include <optional>
#include <vector>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_write.h"
#include "db/file_record.h"
#include "db/sequence.h"
#include "db/stop_request.h"
#include "import/import_format.h"
#include "import/import_source.h"
#include "import/import_values.h"
#include "import/imported_vouchers.h"
#include "ledger/ledger_batch_writer.h"
#include "ledger/ledger_item.h"
#include "ledger/turnover_load.h"
#include "posting/posting_lookups.h"
#include "posting/voucher_checks.h"

namespace {

const QHash<QString, QString> kDateFaults{
    {QStringLiteral("KONYVELVE"), QStringLiteral("Hibás könyvelési dátum.")},
    {QStringLiteral("TELJKELT"), QStringLiteral("Hibás teljesítés kelte.")},
    {QStringLiteral("SZLAKELT"), QStringLiteral("Hibás számla kelte.")},
    {QStringLiteral("FIZHATIDO"), QStringLiteral("Hibás fizetési határidő.")},
    {QStringLiteral("BIZKELT"), QStringLiteral("Hibás bizonylat kelte.")},
};
const QHash<QString, QString> kNumberFaults{
    {QStringLiteral("ERTEK"), QStringLiteral("Hibás érték.")},
    {QStringLiteral("DEVIZAERTEK"), QStringLiteral("Hibás deviza érték.")},
    {QStringLiteral("ARFOLYAM"), QStringLiteral("Hibás árfolyam.")},
};

// Index of a column in ImportableFields().
int fieldIndex(const char* field) { return int(ImportableFields().indexOf(QString::fromLatin1(field))); }

// What the import does with one column of the format, worked out once.
struct ColumnPlan {
    int source = -1;       // cell index, -1: the default only
    int field = -1;        // index in ImportableFields()
    int numberSlot = -1;   // ERTEK 0, DEVIZAERTEK 1, ARFOLYAM 2; -1 for a text column
    bool number = false;   // converted to a number
    bool negate = false;   // ELOJEL
    bool date = false;     // converted to a date
    bool upper = false;    // NAGYBETU
};

// One line of the file as ledger values.
struct Line {
    int number = 0;
    QString voucherKey;
    QStringList texts;             // by ImportableFields() index
    double numbers[3] = {0, 0, 0}; // ERTEK, DEVIZAERTEK, ARFOLYAM
    bool given[3] = {false, false, false};
    bool unreadable[3] = {false, false, false};
    QStringList faults;            // found while converting, reported with the line's other faults
    const QString& text(int field) const { return texts.at(field); }
    bool isVat() const;
};

const int kNtipus = fieldIndex("NTIPUS"), kKonyvelve = fieldIndex("KONYVELVE"), kTeljkelt = fieldIndex("TELJKELT"),
          kSzlakelt = fieldIndex("SZLAKELT"), kFizhatido = fieldIndex("FIZHATIDO"), kBizkelt = fieldIndex("BIZKELT"),
          kUgyfelkod = fieldIndex("UGYFELKOD"), kKtsghely = fieldIndex("KTSGHELY"), kSzamlaszam = fieldIndex("SZAMLASZAM"),
          kBizonylat = fieldIndex("BIZONYLAT"), kSzoveg = fieldIndex("SZOVEG"), kSzla = fieldIndex("SZLA"),
          kEszla = fieldIndex("ESZLA"), kTartKov = fieldIndex("TART_KOV"), kAfakulcs = fieldIndex("AFAKULCS"),
          kSor65 = fieldIndex("SOR65"), kDevizanem = fieldIndex("DEVIZANEM"), kTipus = fieldIndex("TIPUS");

bool Line::isVat() const { return texts.at(kTartKov) == QLatin1String("A"); }

struct Item {
    Line main;
    std::optional<Line> vat;
};

struct Voucher {
    QString ntipus;
    QString key;            // the voucher key of the file's record
    bool imported = false;  // stored by an earlier import of the same file
    QList<Item> items;
};

QString nonNull(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

// One BEOLOG row for the run; in `transaction` when given, else on its own.
void LogImportRun(const QString& path, const ImportReport& report, FbWriteTransaction* transaction = nullptr) {
    QStringList messages;
    if (!report.error.isEmpty()) messages << report.error;
    messages << report.warnings;
    for (const ImportFault& f : report.faults) messages << QStringLiteral("%1. sor: %2").arg(f.line).arg(f.text);
    if (report.unlistedFaults > 0) messages << UnlistedFaultsText(report.unlistedFaults);
    const bool written = report.result == QLatin1String("SIKERES");
    const QString file = QFileInfo(path).absoluteFilePath();
    const QString sql =
        QStringLiteral("insert into BEOLOG (MIKOR, JUZER, FORMATUM, FAJL, SOROK, TETELEK, BIZONYLATOK, HIBAK, EREDMENY,\n"
                       "  ELSOSORSZAM, UTOLSOSORSZAM, UZENET)\n"
                       "values (:MIKOR, :JUZER, :FORMATUM, :FAJL, :SOROK, :TETELEK, :BIZONYLATOK, :HIBAK, :EREDMENY,\n"
                       "  :ELSOSORSZAM, :UTOLSOSORSZAM, :UZENET)");
    const QVariantMap values{
        {QStringLiteral("MIKOR"), QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"))},
        {QStringLiteral("JUZER"), nonNull(Td().CurrentUser.left(30))},
        {QStringLiteral("FORMATUM"), nonNull(report.format.left(20))},
        {QStringLiteral("FAJL"), nonNull(file.right(250))},
        {QStringLiteral("SOROK"), report.lines},
        {QStringLiteral("TETELEK"), written ? report.rows : 0},
        {QStringLiteral("BIZONYLATOK"), written ? report.vouchers : 0},
        {QStringLiteral("HIBAK"), report.faultyLines},
        {QStringLiteral("EREDMENY"), report.result.isEmpty() ? QStringLiteral("HIBAS") : report.result},
        {QStringLiteral("ELSOSORSZAM"), nonNull(report.firstSorszam)},
        {QStringLiteral("UTOLSOSORSZAM"), nonNull(report.lastSorszam)},
        {QStringLiteral("UZENET"), nonNull(messages.join(QLatin1Char('\n')))}};
    if (!transaction) {
        ExecSql(d_tarvedo, sql, values);
        return;
    }
    const PositionalSql positional = ToPositional(sql);
    FbParams params;
    params.reset(int(positional.names.size()));
    for (int i = 0; i < positional.names.size(); ++i) {
        const QVariant value = values.value(positional.names[i]);
        if (value.metaType().id() == QMetaType::Int)
            params.number(i, value.toInt());
        else
            params.text(i, value.toString());
    }
    transaction->execute(positional.text, params);
}

class ImportRun {
public:
    ImportRun(ImportReport& report, const ImportOptions& options, const QString& path)
        : m_report(report), m_options(options), m_path(path), m_lookups(true) {}
    void run();
    // Whether the run's log row is written.
    bool logged() const { return m_logged; }

private:
    bool prepare(const QString& path);
    void readWidths();
    void warnUnreadColumns();
    void convertAndCheck();
    Line convert(const SourceLine& source) const;
    void check(Line& line);
    // The line as the voucher window would hold it, for the window's checks.
    KonyvelFields windowFields(const Line& line) const;
    // The key of the voucher a line starts; faults for a key that cannot be one.
    QString startVoucherKey(const Line& line);
    // Whether a stop was asked for; the run then ends with its message.
    bool stopAsked();
    // The fault of a text longer than its TETEL column; empty when it fits.
    QString tooLong(int field, const QString& value) const;
    void add(Line line);
    // Whether the run may still write: no fault so far and no trial run.
    bool writing() const { return !m_options.dryRun && m_report.faults.isEmpty(); }
    void write(const QList<Voucher>& vouchers);
    LedgerItem ledgerItem(const Line& line) const;
    void fault(int line, const QString& text) {
        // The faults of a line come together, as the lines are read one by one.
        if (line != m_lastFaultyLine) ++m_report.faultyLines;
        m_lastFaultyLine = line;
        if (m_report.faults.size() < kListedImportFaults)
            m_report.faults << ImportFault{line, text};
        else
            ++m_report.unlistedFaults;
    }

    ImportReport& m_report;
    ImportOptions m_options;
    QString m_path;
    bool m_logged = false;
    int m_lastFaultyLine = -1;
    QList<Voucher> m_vouchers;  // all of them while the run may write; else the one being read
    QString m_voucherKey;
    QSet<QString> m_seenKeys;  // the voucher keys met so far, with a key column
    QString m_digest;
    QSet<QString> m_importedKeys;  // the file's vouchers stored before
    int m_vouchersRead = 0, m_itemsRead = 0, m_rowsRead = 0;
    ImportFormat m_format;
    SourceTable m_table;
    QList<ColumnPlan> m_plan;  // per format column
    QList<int> m_widths;  // TETEL width per ImportableFields() index, 0: not a text column
    int m_keyIndex = -1;
    PostingLookups m_lookups;
};

bool ImportRun::prepare(const QString& path) {
    if (Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() != QLatin1String("I")) {
        m_report.error = QStringLiteral("Az év le van zárva.");
        return false;
    }
    m_report.format = m_options.format.trimmed().isEmpty() ? DefaultImportFormat(path) : m_options.format.trimmed().toUpper();
    if (m_report.format.isEmpty()) {
        m_report.error = QStringLiteral("Nincs átvételi formátum ehhez a fájlhoz: ") + path;
        return false;
    }
    if (!LoadImportFormat(m_report.format, m_format, m_report.error)) return false;
    // The file's digest is worked out beside the reading.
    auto digest = std::async(std::launch::async, FileDigest, path);
    if (!ReadImportSource(path, m_format, m_table, m_report.error)) return false;
    m_digest = digest.get();
    if (m_digest.isEmpty()) {
        m_report.error = QStringLiteral("A fájl nem olvasható: ") + path;
        return false;
    }
    m_importedKeys = ImportedVoucherKeys(m_digest);
    // With a name in two columns either could be meant.
    const QStringList repeated = m_table.repeatedHeadings();
    if (!repeated.isEmpty()) {
        m_report.error = QStringLiteral("Több oszlop fejléce azonos: ") + repeated.join(QStringLiteral(", "));
        return false;
    }
    if (m_table.lines.isEmpty()) {
        m_report.error = QStringLiteral("Nincs beolvasható tétel a fájlban: ") + path;
        return false;
    }
    static const QStringList numberFields{"ERTEK", "DEVIZAERTEK", "ARFOLYAM"};
    for (const ImportColumn& column : m_format.columns) {
        ColumnPlan plan;
        plan.source = m_table.columnOf(column.source);
        if (!column.source.isEmpty() && plan.source < 0) {
            m_report.error = QStringLiteral("A fájlban nincs ilyen oszlop: ") + column.source;
            return false;
        }
        plan.field = int(ImportableFields().indexOf(column.field));
        plan.numberSlot = int(numberFields.indexOf(column.field));
        plan.negate = column.conversion == QLatin1String("ELOJEL");
        plan.number = plan.numberSlot >= 0 || plan.negate || column.conversion == QLatin1String("SZAM");
        plan.date = kDateFaults.contains(column.field) || column.conversion == QLatin1String("DATUM");
        plan.upper = column.conversion == QLatin1String("NAGYBETU");
        m_plan << plan;
    }
    if (!m_format.voucherKey.isEmpty()) {
        m_keyIndex = m_table.columnOf(m_format.voucherKey);
        if (m_keyIndex < 0) {
            m_report.error = QStringLiteral("A fájlban nincs ilyen oszlop: ") + m_format.voucherKey;
            return false;
        }
    }
    warnUnreadColumns();
    readWidths();
    return true;
}

// A heading column no format column reads is left out of the import: the
// user learns of it, as it may hold what was meant to be taken.
void ImportRun::warnUnreadColumns() {
    QSet<int> read{m_keyIndex};
    for (const ColumnPlan& plan : m_plan) read.insert(plan.source);
    for (const SourceCell& cell : m_table.heading.cells())
        if (!read.contains(cell.column) && !cell.text.trimmed().isEmpty())
            m_report.warnings << QStringLiteral("Ismeretlen oszlop, az átvétel nem olvassa: ") + cell.text.trimmed();
}

void ImportRun::readWidths() {
    QHash<QString, int> widths;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select trim(RF.RDB$FIELD_NAME), F.RDB$CHARACTER_LENGTH\n"
                                                    "  from RDB$RELATION_FIELDS RF join RDB$FIELDS F on F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE\n"
                                                    " where RF.RDB$RELATION_NAME = 'TETEL' and F.RDB$CHARACTER_LENGTH is not null"));
    while (NextRow(q)) widths.insert(q.value(0).toString(), q.value(1).toInt());
    for (const QString& field : ImportableFields()) m_widths << widths.value(field, 0);
}

constexpr qsizetype kConvertBlock = 8192;
constexpr qsizetype kWriteBlockVouchers = 1024;

// The lines converted a block at a time, each block in two halves on
// threads of their own while the block before it is checked: converting
// touches nothing but the line and the run's plan. A block at a time, so
// that a large faulty file is not kept whole.
void ImportRun::convertAndCheck() {
    const qsizetype count = m_table.lines.size();
    const auto convertRange = [this](qsizetype from, qsizetype to) {
        std::vector<Line> lines;
        lines.reserve(size_t(to - from));
        for (qsizetype i = from; i < to; ++i) lines.push_back(convert(m_table.lines[i]));
        return lines;
    };
    struct Block {
        std::future<std::vector<Line>> first, second;
    };
    const auto startBlock = [&](qsizetype from) {
        const qsizetype to = std::min(from + kConvertBlock, count), middle = from + (to - from) / 2;
        return Block{std::async(std::launch::async, convertRange, from, middle),
                     std::async(std::launch::async, convertRange, middle, to)};
    };
    Block next = startBlock(0);
    for (qsizetype from = 0; from < count; from += kConvertBlock) {
        std::vector<Line> halves[2] = {next.first.get(), next.second.get()};
        if (stopAsked()) return;
        if (from + kConvertBlock < count) next = startBlock(from + kConvertBlock);
        for (std::vector<Line>& half : halves)
            for (Line& line : half) {
                check(line);
                add(std::move(line));
            }
    }
}

Line ImportRun::convert(const SourceLine& source) const {
    static const QStringList ownMessages{"NTIPUS", "SZLA", "ESZLA", "ERTEK"};
    Line line;
    line.number = source.number;
    line.texts.resize(ImportableFields().size());
    if (m_keyIndex >= 0) line.voucherKey = source.cells.at(m_keyIndex).trimmed();
    for (int i = 0; i < m_format.columns.size(); ++i) {
        const ImportColumn& column = m_format.columns[i];
        const ColumnPlan& plan = m_plan[i];
        QString value = plan.source >= 0 ? source.cells.at(plan.source).trimmed() : QString();
        if (value.isEmpty()) value = column.defaultValue.trimmed();
        if (value.isEmpty()) {
            // Journal type, accounts and amount have their own messages.
            if (column.required && !ownMessages.contains(column.field))
                line.faults << QStringLiteral("Hiányzó kötelező adat: ") + column.field;
            continue;
        }
        if (!plan.number && !plan.date) {
            const QString tooLongFault = tooLong(plan.field, value);
            if (!tooLongFault.isEmpty()) {
                line.faults << tooLongFault;
                continue;
            }
        }
        // Partner codes are stored upper-case, as the voucher window stores them.
        if (plan.upper || plan.field == kUgyfelkod) value = value.toUpper();
        if (plan.number) {
            double number = 0;
            QString reason;
            // A worksheet's number cell is stored with a decimal point.
            const DecimalMark mark =
                plan.source >= 0 && source.cells.isNumber(plan.source) ? DecimalMark::Point : m_format.decimalMark;
            if (!ImportNumber(value, number, &reason, mark)) {
                line.faults << kNumberFaults.value(column.field, QStringLiteral("Hibás szám: ") + column.field)
                                   + QLatin1Char(' ') + reason;
                if (plan.numberSlot >= 0) line.unreadable[plan.numberSlot] = true;
                continue;
            }
            if (plan.negate) number = -number;
            if (plan.numberSlot >= 0) {
                line.numbers[plan.numberSlot] = number;
                line.given[plan.numberSlot] = true;
                continue;
            }
            value = QString::number(number, 'f', QLocale::FloatingPointShortest);
        }
        if (plan.date) {
            QString date;
            if (!ImportDate(value, date)) {
                line.faults << kDateFaults.value(column.field, QStringLiteral("Hibás dátum: ") + column.field);
                continue;
            }
            value = date;
        }
        line.texts[plan.field] = value;
    }
    return line;
}

// A text longer than its TETEL column is a fault, found before the line
// keeps a copy of it.
QString ImportRun::tooLong(int field, const QString& value) const {
    const int w = m_widths[field];
    if (w <= 0 || value.size() <= w) return {};
    return QStringLiteral("Túl hosszú adat: %1 (legfeljebb %2 karakter).").arg(ImportableFields()[field]).arg(w);
}

KonyvelFields ImportRun::windowFields(const Line& line) const {
    const auto date = [&line](int field) { return line.text(field).isEmpty() ? EmptyDate : line.text(field); };
    KonyvelFields f;
    f.e_ntipus = line.text(kNtipus);
    f.e_konyvdat = date(kKonyvelve);
    f.e_teljkelt = date(kTeljkelt);
    f.e_szamlakelt = date(kSzlakelt);
    f.e_fizhatido = date(kFizhatido);
    f.e_ugyfelkod = line.text(kUgyfelkod);
    f.e_ktsghely = line.text(kKtsghely);
    f.e_devizanem = line.text(kDevizanem);
    f.e_szla = line.text(kSzla);
    f.e_eszla = line.text(kEszla);
    // The amount is read by the format's own decimal mark; the check only
    // asks whether there is one.
    if (line.given[0] || line.unreadable[0]) f.e_ertek = QStringLiteral("0");
    return f;
}

void ImportRun::check(Line& line) {
    for (const QString& text : std::as_const(line.faults)) fault(line.number, text);
    const auto refuse = [&](const QString& text) {
        // A value the conversion refused is not reported twice.
        if (!line.faults.contains(text)) fault(line.number, text);
    };
    for (int field = 0; field < line.texts.size(); ++field) {
        const QString tooLongFault = tooLong(field, line.texts[field]);
        if (!tooLongFault.isEmpty()) refuse(tooLongFault);
    }
    // The voucher window's checks, every field of the item filled: the
    // voucher number is the import's own, amounts and rates are read already.
    KonyvelControls controls;
    controls.P_fej = controls.p_tetel = true;
    controls.e_konyvbiz = false;
    const KonyvelFields fields = windowFields(line);
    for (const QString& text : FejEllenoriz(fields, controls, m_lookups).lines) refuse(text);
    for (const QString& text : TetelEllenoriz(fields, controls, m_lookups).lines) refuse(text);
    // The codes the window offers from their tables only.
    const QString& ktsghely = line.text(kKtsghely);
    if (!ktsghely.isEmpty() && !m_lookups.costCentre(ktsghely)) refuse(QStringLiteral("Hibás költséghely."));
    const QString& devizanem = line.text(kDevizanem);
    if (!devizanem.isEmpty() && !m_lookups.exists(QStringLiteral("SZ_DEVIZA"), QStringLiteral("KOD"), devizanem))
        refuse(QStringLiteral("Hibás devizanem."));
    else if (!devizanem.isEmpty() && devizanem != QLatin1String("HUF") && !line.given[2] && !line.unreadable[2])
        refuse(QStringLiteral("Hiányzó árfolyam."));
    const QString& afakulcs = line.text(kAfakulcs);
    if (!afakulcs.isEmpty() && !m_lookups.exists(QStringLiteral("SZ_ADO"), QStringLiteral("KOD"), afakulcs))
        refuse(QStringLiteral("Hibás ÁFA kulcs."));
    const QString& tartKov = line.text(kTartKov);
    if (!tartKov.isEmpty() && tartKov != QLatin1String("A")) refuse(QStringLiteral("A TART_KOV értéke A vagy üres lehet."));
}

QString ImportRun::startVoucherKey(const Line& line) {
    // Without a key column a voucher is known by its first line, which is
    // the same in the same file.
    if (m_keyIndex < 0) return QString::number(line.number);
    const QString& key = line.voucherKey;
    if (m_seenKeys.contains(key))
        fault(line.number, QStringLiteral("A(z) „%1” bizonylatkulcs korábban is szerepelt a fájlban; egy bizonylat sorai "
                                          "egymás után következzenek.")
                               .arg(key));
    else if (key.size() > kMaxImportVoucherKey)
        fault(line.number, QStringLiteral("A bizonylatkulcs (%1 oszlop) legfeljebb %2 karakter lehet.")
                               .arg(m_format.voucherKey)
                               .arg(kMaxImportVoucherKey));
    m_seenKeys.insert(key);
    return key;
}

bool ImportRun::stopAsked() {
    if (!StopRequested()) return false;
    m_report.stopped = true;
    m_report.error = QStringLiteral("Megszakítva: a futás visszagörgetve, ebben a futásban nem tárolódott bizonylat "
                                    "(a fájlból korábban tárolt bizonylatok: %1).")
                         .arg(m_report.alreadyImported);
    return true;
}

// Adds a checked line to its voucher: a new voucher starts with a new
// voucher key (with no key column, with a new journal type).
void ImportRun::add(Line line) {
    const QString& ntipus = line.text(kNtipus);
    const bool starts = m_vouchers.isEmpty()
                        || (m_keyIndex >= 0 ? line.voucherKey != m_voucherKey : ntipus != m_vouchers.last().ntipus);
    m_voucherKey = line.voucherKey;
    // Once nothing will be written, only the voucher and item being read are
    // needed: a large faulty file is counted, not kept.
    if (starts) {
        if (!writing()) m_vouchers.clear();
        const QString key = startVoucherKey(line);
        const bool imported = m_importedKeys.contains(key);
        m_vouchers << Voucher{ntipus, key, imported, {}};
        ++(imported ? m_report.alreadyImported : m_vouchersRead);
    }
    Voucher& voucher = m_vouchers.last();
    if (ntipus != voucher.ntipus)
        fault(line.number, QStringLiteral("Egy bizonylat tételei csak azonos naplótípusúak lehetnek."));
    if (!line.isVat()) {
        if (!writing()) voucher.items.clear();
        const bool counted = !voucher.imported;
        voucher.items << Item{std::move(line), std::nullopt};
        m_itemsRead += counted;
        m_rowsRead += counted;
        return;
    }
    if (voucher.items.isEmpty()) {
        fault(line.number, QStringLiteral("Az ÁFA sor előtt nincs főtétel ugyanabban a bizonylatban."));
        return;
    }
    Item& item = voucher.items.last();
    if (item.vat) {
        fault(line.number, QStringLiteral("Egy tételnek csak egy ÁFA sora lehet."));
        return;
    }
    if (line.text(kSzla) == item.main.text(kSzla) && line.text(kEszla) == item.main.text(kEszla))
        fault(line.number, QStringLiteral("Az ÁFA sor számlái megegyeznek a főtételéivel."));
    item.vat = std::move(line);
    m_rowsRead += !voucher.imported;
}

LedgerItem ImportRun::ledgerItem(const Line& line) const {
    LedgerItem item;
    item.ntipus = line.text(kNtipus);
    item.szla = line.text(kSzla);
    item.eszla = line.text(kEszla);
    item.konyvelve = line.text(kKonyvelve);
    item.teljkelt = line.text(kTeljkelt);
    if (item.teljkelt.isEmpty()) item.teljkelt = item.konyvelve;
    item.bizkelt = line.text(kBizkelt);
    if (item.bizkelt.isEmpty()) item.bizkelt = item.konyvelve;
    item.szlakelt = line.text(kSzlakelt);
    item.fizhatido = line.text(kFizhatido);
    item.ugyfelkod = line.text(kUgyfelkod);
    item.ktsghely = line.text(kKtsghely);
    item.szamlaszam = line.text(kSzamlaszam);
    item.bizonylat = line.text(kBizonylat);
    item.szoveg = line.text(kSzoveg);
    item.tipus = line.text(kTipus);
    item.tartKov = line.text(kTartKov);
    item.afakulcs = line.text(kAfakulcs);
    item.sor65 = line.text(kSor65);
    item.devizanem = line.text(kDevizanem);
    item.ertek = line.numbers[0];
    const bool forint = item.devizanem.isEmpty() || item.devizanem == QLatin1String("HUF");
    item.arfolyam = line.given[2] ? line.numbers[2] : (forint ? 1.0 : 0.0);
    item.devizaertek = line.given[1] ? line.numbers[1] : item.ertek * item.arfolyam;
    return item;
}

void ImportRun::write(const QList<Voucher>& vouchers) {
    const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
    QHash<QString, qlonglong> voucherCounts;
    for (const Voucher& voucher : vouchers) {
        ++voucherCounts[voucher.ntipus];
        m_report.items += int(voucher.items.size());
    }
    EnsureImportRecord();
    if (stopAsked()) return;

    // The numbers are reserved first, each block in a short transaction of
    // its own: the counters are never held while the items are written, so
    // other workstations go on posting meanwhile. An import that fails after
    // this leaves a gap in the numbers, as a failed voucher does.
    qlonglong nextItem = ReserveSequenceBlock(d_tarvedo, QStringLiteral("SORSZAM"), year, m_report.items);
    QHash<QString, qlonglong> nextVoucher;
    for (auto it = voucherCounts.cbegin(); it != voucherCounts.cend(); ++it)
        nextVoucher[it.key()] = ReserveSequenceBlock(d_tarvedo, it.key(), year, it.value());
    QList<ImportedVoucher> record;
    record.reserve(vouchers.size());
    for (const Voucher& voucher : vouchers)
        record << ImportedVoucher{voucher.key, voucher.ntipus, SequenceNumberText(year, nextVoucher[voucher.ntipus]++)};

    // Written straight through the client library: the rows, their turnover
    // sums and the log row in one transaction. The rows of the next
    // vouchers are numbered and summed on a thread of their own while the
    // rows before them are written.
    FbWriteTransaction transaction(d_tarvedo);
    // The record first: a workstation importing the same file at the same
    // moment waits here for the other's end instead of writing every row.
    try {
        RecordImportedVouchers(transaction, m_digest, record);
    } catch (const DbError&) {
        if (ImportedVoucherKeys(m_digest).isEmpty()) throw;
        m_report.error = QStringLiteral("Ezt a fájlt közben egy másik munkahely átvette; ebben a futásban nem tárolódott bizonylat.");
        return;
    }
    TurnoverLoad turnovers(d_tarvedo, transaction);
    LedgerBatchWriter writer(transaction);
    qsizetype nextVoucherIndex = 0;
    const auto numberBlock = [&] {
        std::vector<LedgerItem> rows;
        const qsizetype end = std::min(nextVoucherIndex + kWriteBlockVouchers, vouchers.size());
        for (; nextVoucherIndex < end; ++nextVoucherIndex) {
            const Voucher& voucher = vouchers[nextVoucherIndex];
            const QString& konyvbiz = record[nextVoucherIndex].konyvbiz;
            int kapocs = 0;
            for (const Item& item : voucher.items) {
                LedgerItem main = ledgerItem(item.main);
                main.konyvbiz = konyvbiz;
                main.kapocs = ZeroPad(QString::number(++kapocs), 3);
                main.sorszam = SequenceNumberText(year, nextItem++);
                if (m_report.firstSorszam.isEmpty()) m_report.firstSorszam = main.sorszam;
                m_report.lastSorszam = main.sorszam;
                std::optional<LedgerItem> vat;
                if (item.vat) {
                    vat = ledgerItem(*item.vat);
                    // The rows of an item share its numbers, VAT code and VAT return line.
                    vat->konyvbiz = konyvbiz;
                    vat->kapocs = main.kapocs;
                    vat->sorszam = main.sorszam;
                    if (vat->szoveg.isEmpty()) vat->szoveg = QStringLiteral("AFA");
                    if (vat->afakulcs.isEmpty()) vat->afakulcs = main.afakulcs;
                    if (vat->sor65.isEmpty()) vat->sor65 = main.sor65;
                    if (main.afakulcs.isEmpty()) main.afakulcs = vat->afakulcs;
                    if (main.sor65.isEmpty()) main.sor65 = vat->sor65;
                }
                turnovers.add(main);
                rows.push_back(std::move(main));
                if (vat) {
                    turnovers.add(*vat);
                    rows.push_back(std::move(*vat));
                }
            }
        }
        return rows;
    };
    // Declared after what it uses: an error while writing waits for it first.
    std::future<std::vector<LedgerItem>> nextBlock = std::async(std::launch::async, numberBlock);
    while (nextBlock.valid()) {
        const std::vector<LedgerItem> rows = nextBlock.get();
        // Returning rolls back what was written.
        if (stopAsked()) return;
        if (nextVoucherIndex < vouchers.size()) nextBlock = std::async(std::launch::async, numberBlock);
        for (const LedgerItem& row : rows) writer.write(row);
        m_report.rows += int(rows.size());
    }
    turnovers.write();
    m_report.vouchers = int(vouchers.size());
    m_report.result = QStringLiteral("SIKERES");
    // The log row stands or falls with the items.
    LogImportRun(m_path, m_report, &transaction);
    transaction.commit();
    m_logged = true;
}

void ImportRun::run() {
    if (!prepare(m_path)) return;
    convertAndCheck();
    if (m_report.stopped) return;
    m_report.lines = int(m_table.lines.size());
    m_table.lines.clear();
    std::stable_sort(m_report.faults.begin(), m_report.faults.end(),
                     [](const ImportFault& a, const ImportFault& b) { return a.line < b.line; });

    if (m_report.alreadyImported > 0)
        m_report.warnings << QStringLiteral("A fájl %1 bizonylatát egy korábbi átvétel már tárolta; ezeket kihagyja.")
                                 .arg(m_report.alreadyImported);
    if (!m_report.faults.isEmpty() || m_options.dryRun) {
        m_report.result = m_options.dryRun ? QStringLiteral("PROBA") : QStringLiteral("HIBAS");
        m_report.vouchers = m_vouchersRead;
        m_report.items = m_itemsRead;
        m_report.rows = m_rowsRead;
        return;
    }
    m_vouchers.removeIf([](const Voucher& voucher) { return voucher.imported; });
    if (m_vouchers.isEmpty()) {
        m_report.result = QStringLiteral("SIKERES");
        return;
    }
    write(m_vouchers);
}

}  // namespace

QString UnlistedFaultsText(int unlisted) {
    return unlisted > 0 ? QStringLiteral("… és még %1 hiba.").arg(unlisted) : QString();
}

QString NothingNewText() {
    return QStringLiteral("Nincs új bizonylat: a fájl minden bizonylatát egy korábbi átvétel már tárolta; semmi sem tárolódott.");
}

ImportReport ImportItems(const QString& path, const ImportOptions& options) {
    ImportReport report;
    bool logged = false;
    try {
        ImportRun run(report, options, path);
        run.run();
        logged = run.logged();
    } catch (const DbError& error) {
        report.error = QStringLiteral("Adatbázis hiba: ") + error.message();
    }
    if (!report.error.isEmpty()) {
        // Whatever the run had written is rolled back.
        report.result = QStringLiteral("HIBAS");
        report.rows = report.vouchers = report.items = 0;
        report.firstSorszam.clear();
        report.lastSorszam.clear();
    }
    if (report.result.isEmpty()) report.result = QStringLiteral("HIBAS");
    if (logged) return report;
    try {
        LogImportRun(path, report);
    } catch (const DbError& error) {
        // Nothing was stored; the user learns why the log is missing too.
        if (report.error.isEmpty()) report.error = QStringLiteral("Adatbázis hiba: ") + error.message();
    }
    return report;
}
