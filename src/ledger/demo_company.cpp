#include "demo_company.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <deque>
#include <optional>
#include <stdexcept>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "ledger/demo_assets.h"
#include "ledger/ledger_indexes.h"
#include "ledger/ledger_item.h"
#include "ledger/turnover_table.h"

namespace {

// A small generator of our own, so that a seed gives the same books on
// every machine and compiler.
class DemoRandom {
public:
    explicit DemoRandom(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL) {}
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    qint64 range(qint64 low, qint64 high) { return low + qint64(next() % quint64(high - low + 1)); }
    bool chance(int percent) { return range(1, 100) <= percent; }
    template <typename T>
    const T& pick(const QList<T>& list) { return list[range(0, list.size() - 1)]; }

private:
    quint64 m_state;
};

const QStringList kPlaceNames{"Alfa",   "Duna",   "Tisza", "Mátra",   "Balaton", "Pannon", "Hungária",
                              "Kárpát", "Zala",   "Bakony", "Hajdú",  "Somogy",  "Pilis",  "Tokaj",
                              "Kőrös",  "Rába",   "Maros", "Dráva",   "Sió",     "Börzsöny"};
const QStringList kTrades{"Építő",     "Kereskedelmi", "Szolgáltató", "Informatikai", "Fuvarozó",
                          "Ipari",     "Élelmiszer",   "Gépészeti",   "Nyomdaipari",  "Bútoripari"};
const QStringList kForms{"Kft.", "Bt.", "Zrt.", "Kft.", "Kft."};
struct Town {
    const char* postcode;
    const char* name;
    const char* county;  // the county code of tax numbers
};
const QList<Town> kTowns{{"1117", "Budapest", "43"}, {"1138", "Budapest", "41"},  {"4024", "Debrecen", "09"},
                         {"6720", "Szeged", "06"},   {"7621", "Pécs", "02"},      {"9021", "Győr", "08"},
                         {"3525", "Miskolc", "05"},  {"6000", "Kecskemét", "03"}, {"8000", "Székesfehérvár", "07"}};
const QStringList kStreets{"Fő utca", "Petőfi Sándor utca", "Kossuth Lajos utca", "Ady Endre út", "Rákóczi út",
                           "Széchenyi tér", "Dózsa György út", "Bajcsy-Zsilinszky út"};

// The till's opening balance, and what a withdrawal leaves in it beyond
// the purchase it was made for.
constexpr double OpeningCash = 186'500;
constexpr double CashFloat = 150'000;

struct Partner {
    QString kod;
    QString nev;
};

struct VatCode {
    QString kod;
    double rate = 0;
};

struct OpenInvoice {
    QString szamlaszam;
    QString ugyfelkod;
    double gross = 0;
    bool customer = true;
    QDate due;
    QDate issued;
};

// The books of the demo year, written item by item.
class DemoWriter {
public:
    DemoWriter(const QString& connection, const DemoOptions& options)
        : m_connection(connection), m_options(options), m_random(options.seed), m_year(QString::number(options.year)),
          m_items(connection) {}

    DemoStats run(const DemoProgress& progress);

private:
    // Master data.
    void readCodes();
    QString account(const QString& prefix) const;
    QString vatAccount(const QString& ntipus, const VatCode& vat, QString& sor65) const;
    void writeCompany();
    void writePartners();
    void writeCostCentres();

    // Vouchers and items.
    QString newVoucher(const QString& ntipus);
    void addItem(LedgerItem item, double vat = 0, const QString& vatAccountCode = {}, bool vatOnDebitSide = false);
    LedgerItem baseItem(const QString& ntipus, const QString& konyvbiz, const QDate& posted) const;

    void writeOpening();
    void customerInvoice(const QDate& day);
    void supplierInvoice(const QDate& day);
    void bankItem(const QDate& day);
    void cashItem(const QDate& day);
    void monthEnd(int month);

    QDate dayOf(qlonglong index, qlonglong total) const;
    const Partner& customer() { return m_random.pick(m_customers); }
    const Partner& supplier() { return m_random.pick(m_suppliers); }
    double roundVat(double net, double rate) const { return double(RoundHalfAway(net * rate)); }

    QString m_connection;
    DemoOptions m_options;
    DemoRandom m_random;
    QString m_year;
    LedgerItemWriter m_items;

    QString m_bk, m_ve, m_sz, m_pt, m_ny, m_general;
    QSet<QString> m_postable;
    QList<VatCode> m_vatCodes;  // 27 %, 18 %, 5 % when present
    VatCode m_zeroVat;
    QHash<QString, QList<QStringList>> m_vatAccounts;  // journal type -> rows (ASZLA, KOD, JELLEG, SOR65)
    QList<Partner> m_customers, m_suppliers;
    QStringList m_costCentres;

    QMap<QString, qlonglong> m_voucherCounters;  // journal type -> last voucher counter
    qlonglong m_itemCounter = 0;                 // last item serial counter
    QMap<QString, qlonglong> m_voucherStart;
    qlonglong m_itemStart = 0;
    QHash<QString, int> m_links;  // "ntipus|konyvbiz" -> last link number

    std::deque<OpenInvoice> m_openCustomer, m_openSupplier;
    QString m_bankVoucher, m_cashVoucher;
    QDate m_bankDay, m_cashDay;
    int m_bankSerial = 0, m_cashSerial = 0;
    double m_cashBalance = 0;  // of the till (381) after the items so far
    qint64 m_invoiceSerial = 0;
    DemoStats m_stats;
};

// ---------------------------------------------------------------- master data

void DemoWriter::readCodes() {
    QSqlQuery ntip = ExecSql(m_connection, QStringLiteral("select KOD, KOZOSKOD from SZ_NTIP order by KOD"));
    while (NextRow(ntip)) {
        const QString kod = ntip.value(0).toString();
        const QString common = ntip.value(1).toString().trimmed();
        if (common == QLatin1String("BK")) m_bk = kod;
        else if (common == QLatin1String("VE")) m_ve = kod;
        else if (common == QLatin1String("SZ")) m_sz = kod;
        else if (common == QLatin1String("PT")) m_pt = kod;
        else if (common == QLatin1String("NY")) m_ny = kod;
        else if (m_general.isEmpty()) m_general = kod;
    }
    if (m_bk.isEmpty() || m_ve.isEmpty() || m_sz.isEmpty() || m_pt.isEmpty() || m_ny.isEmpty())
        throw std::runtime_error("A naplótípusok (SZ_NTIP) közül hiányzik a BK, VE, SZ, PT vagy NY közös kódú.");

    QSqlQuery chart = ExecSql(m_connection, QStringLiteral("select SZLA from SZ_TUKOR where KARTON = 'K'"));
    while (NextRow(chart)) m_postable.insert(chart.value(0).toString());

    QSqlQuery vat = ExecSql(m_connection, QStringLiteral("select KOD, ERTEK from SZ_ADO order by ERTEK desc, KOD"));
    bool zeroFound = false;
    while (NextRow(vat)) {
        const VatCode code{vat.value(0).toString(), vat.value(1).toDouble()};
        if (code.rate > 0.001 && m_vatCodes.size() < 3)
            m_vatCodes << code;
        else if (code.rate <= 0.001 && !zeroFound) {
            m_zeroVat = code;
            zeroFound = true;
        }
    }
    if (m_vatCodes.isEmpty()) throw std::runtime_error("Nincs ÁFA kulcs (SZ_ADO) az adatbázisban.");

    QSqlQuery rows = ExecSql(m_connection, QStringLiteral("select NTIPUS, ASZLA, KOD, JELLEG, SOR65 from SZ_ADOASZLA"));
    while (NextRow(rows))
        m_vatAccounts[rows.value(0).toString()] << QStringList{rows.value(1).toString(), rows.value(2).toString(),
                                                              rows.value(3).toString(), rows.value(4).toString()};
}

// The postable account with this number, or the first one below it.
QString DemoWriter::account(const QString& prefix) const {
    if (m_postable.contains(prefix)) return prefix;
    QString best;
    for (const QString& szla : m_postable)
        if (szla.startsWith(prefix) && (best.isEmpty() || szla < best)) best = szla;
    if (best.isEmpty()) throw std::runtime_error(QStringLiteral("Nincs könyvelhető %1 számla a számlatükörben.").arg(prefix).toStdString());
    return best;
}

// The VAT account the voucher window proposes: the journal type's row for
// the code, the "H" row first.
QString DemoWriter::vatAccount(const QString& ntipus, const VatCode& vat, QString& sor65) const {
    const QStringList* chosen = nullptr;
    // Read in place: `chosen` must point into the member, not into a copy
    // that is gone after the loop.
    const auto rows = m_vatAccounts.constFind(ntipus);
    if (rows != m_vatAccounts.constEnd()) {
        for (const QStringList& row : *rows) {
            if (row[1] != vat.kod) continue;
            if (!chosen || row[2].toUpper() == QLatin1String("H")) chosen = &row;
        }
    }
    if (chosen) {
        sor65 = (*chosen)[3];
        return (*chosen)[0];
    }
    sor65.clear();
    return ntipus == m_ve ? account(QStringLiteral("467")) : account(QStringLiteral("466"));
}

void DemoWriter::writeCompany() {
    ExecSql(m_connection, QStringLiteral("delete from CEG"));
    ExecSql(m_connection,
            QStringLiteral("insert into CEG (KOD, AKTUALISEV, NEV, IRSZAM, HELYSEG, CIM1, ADOSZAM, KOZADOSZAM, "
                           "CEGJEGYZEKSZAM, TELEFON, EMAIL, BEVALLO, BANKNEV, BANKSZAMLA, NYITVA, VANUGYFEL, "
                           "VANPENZTAR, VANDEVIZA, VANKONYVBIZ, ECSHONAP, ECSMOD, AFAHONAP, EREDMENYTIPUS, MERLEGTIPUS) "
                           "values ('MINTA', :EV, 'Minta Kft.', '1117', 'Budapest', 'Október huszonharmadika utca 8.', "
                           "'12345676-2-43', 'HU12345676', '01-09-123456', '+36 1 555 0100', 'iroda@mintakft.hu', "
                           "'Kiss Éva', 'OTP Bank Nyrt.', '11773016-02345678-00000000', 'I', 'I', 'I', 'I', 'I', 1, "
                           "'BLA', 1, 'O', 'A')"),
            {{QStringLiteral("EV"), m_year}});
}

void DemoWriter::writePartners() {
    const int customers = int(qBound<qlonglong>(12LL, m_options.items / 150, 1500LL));
    const int suppliers = int(qBound<qlonglong>(10LL, m_options.items / 250, 900LL));
    QSqlQuery insert(Connection(m_connection));
    insert.prepare(QStringLiteral("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO, ORSZAG, IRSZAM, VAROS, CIM, ADOSZAM, "
                                  "PFJSZ, TELEFON, EMAIL) values (?, ?, ?, ?, 'HU', ?, ?, ?, ?, ?, ?, ?)"));
    QSet<QString> names;
    auto write = [&](const QString& prefix, int count, bool isCustomer, QList<Partner>& list) {
        for (int i = 1; i <= count; ++i) {
            QString name;
            do {
                name = m_random.pick(kPlaceNames) + QLatin1Char(' ') + m_random.pick(kTrades) + QLatin1Char(' ')
                    + m_random.pick(kForms);
                if (names.contains(name)) name += QStringLiteral(" %1").arg(i);
            } while (names.contains(name));
            names.insert(name);
            const Town& town = kTowns[m_random.range(0, kTowns.size() - 1)];
            const Partner partner{prefix + QString::number(i).rightJustified(5, QLatin1Char('0')), name};
            const QString taxNumber = QString::number(m_random.range(10000000, 29999999)) + QLatin1Char('-')
                + QString::number(m_random.range(1, 2)) + QLatin1Char('-') + QString::fromLatin1(town.county);
            const QVariantList values{partner.kod, partner.nev, isCustomer ? "I" : "N", isCustomer ? "N" : "I",
                                      QString::fromLatin1(town.postcode), QString::fromUtf8(town.name),
                                      m_random.pick(kStreets) + QLatin1Char(' ') + QString::number(m_random.range(1, 120)) + QLatin1Char('.'),
                                      taxNumber,
                                      QStringLiteral("1%1-%2-00000000").arg(m_random.range(1000000, 1999999)).arg(m_random.range(10000000, 99999999)),
                                      QStringLiteral("+36 %1 %2").arg(m_random.range(20, 70)).arg(m_random.range(1000000, 9999999)),
                                      QStringLiteral("info%1@%2.hu").arg(i).arg(prefix.toLower())};
            for (int v = 0; v < values.size(); ++v) insert.bindValue(v, values[v]);
            if (!insert.exec()) throw DbError(insert.lastError());
            list << partner;
        }
    };
    write(QStringLiteral("V"), customers, true, m_customers);
    write(QStringLiteral("S"), suppliers, false, m_suppliers);
}

void DemoWriter::writeCostCentres() {
    const QList<QStringList> centres{{"IRODA", "Iroda, ügyvitel"}, {"RAKTAR", "Raktár, logisztika"},
                                     {"SZERVIZ", "Szerviz, karbantartás"}, {"ERTEKES", "Értékesítés"}};
    for (const QStringList& row : centres) {
        ExecSql(m_connection, QStringLiteral("update or insert into SZ_KTSGHELY (KOD, NEV, AKTIV) values (:K, :N, 'I') matching (KOD)"),
                {{QStringLiteral("K"), row[0]}, {QStringLiteral("N"), row[1]}});
        m_costCentres << row[0];
    }
}

// ---------------------------------------------------------------- items

QString DemoWriter::newVoucher(const QString& ntipus) {
    ++m_stats.vouchers;
    return SequenceNumberText(m_year, ++m_voucherCounters[ntipus]);
}

LedgerItem DemoWriter::baseItem(const QString& ntipus, const QString& konyvbiz, const QDate& posted) const {
    LedgerItem item;
    item.ntipus = ntipus;
    item.konyvbiz = konyvbiz;
    item.konyvelve = DateToText(posted);
    item.bizkelt = item.konyvelve;
    item.teljkelt = item.konyvelve;
    return item;
}

// Writes one item: the main row and, with VAT, its VAT row, as the voucher
// window stores them (same serial and link number, "A" and "AFA" on the VAT
// row, the VAT account on the side the journal type asks for).
void DemoWriter::addItem(LedgerItem item, double vat, const QString& vatAccountCode, bool vatOnDebitSide) {
    const QString voucherKey = item.ntipus + QLatin1Char('|') + item.konyvbiz;
    item.kapocs = ZeroPad(QString::number(++m_links[voucherKey]), 3);
    item.sorszam = SequenceNumberText(m_year, ++m_itemCounter);
    m_items.write(item);
    ++m_stats.rows;
    if (!vatAccountCode.isEmpty()) {
        LedgerItem vatRow = item;
        if (vatOnDebitSide) {
            vatRow.szla = vatAccountCode;
        } else {
            vatRow.szla = item.szla;
            vatRow.eszla = vatAccountCode;
        }
        vatRow.ertek = vat;
        vatRow.szoveg = QStringLiteral("AFA");
        vatRow.tartKov = QStringLiteral("A");
        vatRow.devizaertek = item.devizanem.isEmpty() ? 0 : vat * item.arfolyam;
        m_items.write(vatRow);
        ++m_stats.rows;
    }
    ++m_stats.items;
}

QDate DemoWriter::dayOf(qlonglong index, qlonglong total) const {
    const QDate first(m_options.year, 1, 2);
    const int days = int(first.daysTo(QDate(m_options.year, 12, 31)));
    return first.addDays(total <= 1 ? 0 : qlonglong(days) * index / (total - 1));
}

void DemoWriter::writeOpening() {
    const QString konyvbiz = newVoucher(m_ny);
    const QDate day(m_options.year, 1, 1);
    auto opening = [&](const QString& debit, const QString& credit, double amount, const QString& text) {
        LedgerItem item = baseItem(m_ny, konyvbiz, day);
        item.szla = debit;
        item.eszla = credit;
        item.ertek = amount;
        item.szoveg = text;
        return item;
    };
    const QString nyito = account(QStringLiteral("491"));
    double assets = 0, liabilities = 0;
    auto asset = [&](const QString& acc, double amount, const QString& text) {
        addItem(opening(acc, nyito, amount, text));
        assets += amount;
    };
    auto liability = [&](const QString& acc, double amount, const QString& text) {
        addItem(opening(nyito, acc, amount, text));
        liabilities += amount;
    };
    asset(account(QStringLiteral("143")), 6'850'000, QStringLiteral("Nyitó: irodai berendezések"));
    asset(account(QStringLiteral("142")), 7'400'000, QStringLiteral("Nyitó: személygépkocsi"));
    liability(account(QStringLiteral("149")), 3'120'000, QStringLiteral("Nyitó: halmozott értékcsökkenés"));
    asset(account(QStringLiteral("261")), 2'480'000, QStringLiteral("Nyitó: áruk"));
    asset(account(QStringLiteral("384")), 4'265'000, QStringLiteral("Nyitó: bankszámla"));
    asset(account(QStringLiteral("381")), OpeningCash, QStringLiteral("Nyitó: pénztár"));
    m_cashBalance = OpeningCash;

    // Invoices of the previous year still open: they carry their number and partner.
    const QString previous = QString::number(m_options.year - 1);
    for (int i = 1; i <= 4; ++i) {
        const Partner& partner = customer();
        LedgerItem item = opening(account(QStringLiteral("311")), nyito, double(m_random.range(120, 900)) * 1270,
                                  QStringLiteral("Nyitó: nyitott vevőszámla"));
        item.szamlaszam = CustomerInvoiceNumber(m_options.year - 1, 980 + i);
        item.ugyfelkod = partner.kod;
        item.szlakelt = QStringLiteral("%1.12.%2").arg(previous).arg(10 + i * 4);
        item.teljkelt = item.szlakelt;
        item.fizhatido = DateToText(QDate(m_options.year, 1, 5 + i * 5));
        addItem(item);
        assets += item.ertek;
        m_openCustomer.push_back({item.szamlaszam, item.ugyfelkod, item.ertek, true, ParseDate(item.fizhatido), day});
    }
    for (int i = 1; i <= 3; ++i) {
        const Partner& partner = supplier();
        LedgerItem item = opening(nyito, account(QStringLiteral("454")), double(m_random.range(80, 600)) * 1270,
                                  QStringLiteral("Nyitó: nyitott szállítói számla"));
        item.szamlaszam = QStringLiteral("%1/%2/%3").arg(partner.kod.mid(1)).arg(previous).arg(m_random.range(1000, 9999));
        item.ugyfelkod = partner.kod;
        item.szlakelt = QStringLiteral("%1.12.%2").arg(previous).arg(12 + i * 4);
        item.teljkelt = item.szlakelt;
        item.fizhatido = DateToText(QDate(m_options.year, 1, 10 + i * 5));
        addItem(item);
        liabilities += item.ertek;
        m_openSupplier.push_back({item.szamlaszam, item.ugyfelkod, item.ertek, false, ParseDate(item.fizhatido), day});
    }
    liability(account(QStringLiteral("411")), 3'000'000, QStringLiteral("Nyitó: jegyzett tőke"));
    const double retained = assets - liabilities;
    if (retained >= 0)
        liability(account(QStringLiteral("413")), retained, QStringLiteral("Nyitó: eredménytartalék"));
    else
        asset(account(QStringLiteral("413")), -retained, QStringLiteral("Nyitó: eredménytartalék"));
}

void DemoWriter::customerInvoice(const QDate& day) {
    const Partner& partner = customer();
    const QString konyvbiz = newVoucher(m_ve);
    const QDate issued = day.addDays(-m_random.range(0, 3));
    const bool creditNote = m_random.chance(5);
    const bool foreign = !creditNote && m_random.chance(4);
    LedgerItem item = baseItem(m_ve, konyvbiz, day);
    item.szamlaszam = CustomerInvoiceNumber(m_options.year, ++m_invoiceSerial);
    item.bizonylat = item.szamlaszam;  // the invoice number is the document number of customer invoices
    item.ugyfelkod = partner.kod;
    item.ktsghely = m_random.chance(60) ? m_random.pick(m_costCentres) : QString();
    item.szlakelt = DateToText(issued);
    item.teljkelt = DateToText(issued.addDays(-m_random.range(0, 5)));
    item.fizhatido = DateToText(issued.addDays(m_random.pick(QList<int>{8, 15, 15, 30, 30})));
    item.bizkelt = item.szlakelt;

    VatCode vat = m_vatCodes.first();
    if (m_vatCodes.size() > 1 && m_random.chance(15)) vat = m_random.pick(m_vatCodes);
    double net = double(m_random.range(8, 1200)) * 500;
    QString revenue = account(m_random.chance(50) ? QStringLiteral("913") : QStringLiteral("912"));
    if (foreign) {
        // Export invoice in euro, exempt from VAT.
        vat = m_zeroVat;
        item.devizanem = QStringLiteral("EUR");
        item.arfolyam = 380.0 + double(m_random.range(0, 3500)) / 100.0;
        item.devizaertek = double(m_random.range(200, 9000));
        net = double(RoundHalfAway(item.devizaertek * item.arfolyam));
        revenue = account(QStringLiteral("931"));
        item.ugyfelkod = partner.kod;
    }
    QString sor65;
    const QString vatAcc = vatAccount(m_ve, vat, sor65);
    item.afakulcs = vat.kod;
    item.sor65 = sor65;
    item.ertek = net;
    const double vatAmount = roundVat(net, vat.rate);
    if (creditNote) {
        // A credit note reverses the sale: debit revenue, credit the customer; the VAT row 467/311.
        item.szla = revenue;
        item.eszla = account(QStringLiteral("311"));
        item.szoveg = QStringLiteral("Jóváíró számla: ") + partner.nev;
        addItem(item, vatAmount, vatAcc, true);
        return;
    }
    item.szla = account(QStringLiteral("311"));
    item.eszla = revenue;
    item.szoveg = (foreign ? QStringLiteral("Export értékesítés: ") : QStringLiteral("Értékesítés: ")) + partner.nev;
    addItem(item, vatAmount, vatAcc, false);
    if (!m_random.chance(7))  // some invoices are never paid
        m_openCustomer.push_back({item.szamlaszam, item.ugyfelkod, net + vatAmount, true, ParseDate(item.fizhatido), issued});
}

void DemoWriter::supplierInvoice(const QDate& day) {
    const Partner& partner = supplier();
    const QString konyvbiz = newVoucher(m_sz);
    const QDate issued = day.addDays(-m_random.range(1, 6));
    LedgerItem item = baseItem(m_sz, konyvbiz, day);
    item.szamlaszam = QStringLiteral("%1/%2/%3").arg(partner.kod.mid(1)).arg(m_year).arg(m_random.range(10000, 99999));
    item.ugyfelkod = partner.kod;
    item.ktsghely = m_random.chance(50) ? m_random.pick(m_costCentres) : QString();
    item.szlakelt = DateToText(issued);
    item.teljkelt = DateToText(issued.addDays(-m_random.range(0, 4)));
    item.fizhatido = DateToText(issued.addDays(m_random.pick(QList<int>{8, 15, 30, 30, 45})));
    item.bizkelt = item.szlakelt;

    const int kind = int(m_random.range(1, 100));
    QString expense;
    double net;
    if (kind <= 3) {
        expense = account(m_random.chance(50) ? QStringLiteral("143") : QStringLiteral("141"));  // an asset purchase
        net = double(m_random.range(250, 2500)) * 1000;
        item.szoveg = QStringLiteral("Tárgyi eszköz beszerzés: ") + partner.nev;
    } else if (kind <= 45) {
        expense = account(QStringLiteral("261"));
        net = double(m_random.range(20, 1500)) * 400;
        item.szoveg = QStringLiteral("Áru beszerzés: ") + partner.nev;
    } else {
        static const QStringList services{"511", "512", "513", "514", "521", "522", "523", "524", "527", "528", "529", "533"};
        expense = account(m_random.pick(services));
        net = double(m_random.range(3, 400)) * 500;
        item.szoveg = QStringLiteral("Szolgáltatás: ") + partner.nev;
    }
    const VatCode& vat = m_vatCodes.first();
    QString sor65;
    const QString vatAcc = vatAccount(m_sz, vat, sor65);
    item.afakulcs = vat.kod;
    item.sor65 = sor65;
    item.ertek = net;
    const double vatAmount = roundVat(net, vat.rate);
    if (m_random.chance(4)) {
        // A supplier's credit note: debit the supplier, credit the cost; the VAT row 454/466.
        item.szla = account(QStringLiteral("454"));
        item.eszla = expense;
        item.szoveg = QStringLiteral("Szállítói jóváíró számla: ") + partner.nev;
        addItem(item, vatAmount, vatAcc, false);
        return;
    }
    item.szla = expense;
    item.eszla = account(QStringLiteral("454"));
    addItem(item, vatAmount, vatAcc, true);
    if (!m_random.chance(6))
        m_openSupplier.push_back({item.szamlaszam, item.ugyfelkod, net + vatAmount, false, ParseDate(item.fizhatido), issued});
}

// A bank statement is one voucher a day; each payment is an item of it.
void DemoWriter::bankItem(const QDate& day) {
    if (m_bankDay != day) {
        m_bankVoucher = newVoucher(m_bk);
        m_bankDay = day;
    }
    LedgerItem item = baseItem(m_bk, m_bankVoucher, day);
    item.bizonylat = QString::number(++m_bankSerial);
    const QString bank = account(QStringLiteral("384"));

    std::deque<OpenInvoice>& queue = m_random.chance(55) ? m_openCustomer : m_openSupplier;
    qsizetype chosen = -1;
    const qsizetype window = qMin<qsizetype>(qsizetype(queue.size()), 40);
    if (window > 0) {
        const qsizetype at = qsizetype(m_random.range(0, window - 1));
        if (queue[size_t(at)].issued <= day) chosen = at;
    }
    if (chosen < 0) {
        item.szla = account(QStringLiteral("532"));
        item.eszla = bank;
        item.ertek = double(m_random.range(2, 90)) * 100;
        item.szoveg = QStringLiteral("Bankköltség");
        addItem(item);
        return;
    }
    OpenInvoice& invoice = queue[size_t(chosen)];
    const bool partial = m_random.chance(15);
    const double amount = partial ? double(RoundHalfAway(invoice.gross * double(m_random.range(30, 70)) / 100.0)) : invoice.gross;
    item.szamlaszam = invoice.szamlaszam;
    item.ugyfelkod = invoice.ugyfelkod;
    item.ertek = amount;
    if (invoice.customer) {
        item.szla = bank;
        item.eszla = account(QStringLiteral("311"));
        item.szoveg = invoice.szamlaszam + QStringLiteral(" számú ") + QStringLiteral(" vevő") + QStringLiteral(" számla kiegyenlítése");
    } else {
        item.szla = account(QStringLiteral("454"));
        item.eszla = bank;
        item.szoveg = invoice.szamlaszam + QStringLiteral(" szállítói") + QStringLiteral(" számla kiegyenlítése");
    }
    addItem(item);
    invoice.gross -= amount;
    if (invoice.gross < 3) queue.erase(queue.begin() + chosen);
}

// Small purchases paid in cash, the VAT included. The till never runs
// dry: a purchase it could not pay becomes a withdrawal from the bank
// instead, so the cash balance stays above zero on every day.
void DemoWriter::cashItem(const QDate& day) {
    if (m_cashDay != day) {
        m_cashVoucher = newVoucher(m_pt);
        m_cashDay = day;
    }
    LedgerItem item = baseItem(m_pt, m_cashVoucher, day);
    item.bizonylat = QStringLiteral("P-%1").arg(++m_cashSerial, 5, 10, QLatin1Char('0'));
    const QString cash = account(QStringLiteral("381"));
    const auto withdrawal = [&](double amount) {
        item.szla = cash;
        item.eszla = account(QStringLiteral("384"));
        item.ertek = amount;
        item.szoveg = QStringLiteral("Készpénzfelvétel");
        addItem(item);
        m_cashBalance += amount;
    };
    if (m_random.chance(12)) {
        withdrawal(double(m_random.range(1, 20)) * 10000);
        return;
    }
    static const QStringList purchases{"512", "514", "516", "526", "527", "554"};
    const VatCode& vat = m_vatCodes.first();
    const QString expense = account(m_random.pick(purchases));
    const double net = double(m_random.range(5, 600)) * 100;
    const double vatAmount = roundVat(net, vat.rate);
    if (net + vatAmount > m_cashBalance) {
        // Enough for the purchase and a float, in round fifty thousands.
        const double wanted = net + vatAmount - m_cashBalance + CashFloat;
        withdrawal(std::ceil(wanted / 50000) * 50000);
        return;
    }
    QString sor65;
    const QString vatAcc = vatAccount(m_pt, vat, sor65);
    item.szla = expense;
    item.eszla = cash;
    item.ertek = net;
    item.afakulcs = vat.kod;
    item.sor65 = sor65;
    item.szoveg = QStringLiteral("Készpénzes vásárlás");
    addItem(item, vatAmount, vatAcc, true);
    m_cashBalance -= net + vatAmount;
}

// Wages, their taxes, depreciation and the cost of goods sold of a month.
void DemoWriter::monthEnd(int month) {
    const QDate last = QDate(m_options.year, month, 1).addMonths(1).addDays(-1);
    const QString journal = m_general.isEmpty() ? m_bk : m_general;
    const QString konyvbiz = newVoucher(journal);
    auto entry = [&](const QString& debit, const QString& credit, double amount, const QString& text) {
        LedgerItem item = baseItem(journal, konyvbiz, last);
        item.szla = debit;
        item.eszla = credit;
        item.ertek = amount;
        item.szoveg = text;
        addItem(item);
    };
    const double gross = 1'850'000 + double(m_random.range(0, 40)) * 5000;
    const QString wages = account(QStringLiteral("471"));
    entry(account(QStringLiteral("541")), wages, gross, QStringLiteral("Munkabérek"));
    entry(wages, account(QStringLiteral("462")), double(RoundHalfAway(gross * 0.15)), QStringLiteral("Személyi jövedelemadó levonása"));
    entry(wages, account(QStringLiteral("4633")), double(RoundHalfAway(gross * 0.185)), QStringLiteral("Társadalombiztosítási járulék levonása"));
    entry(account(QStringLiteral("561")), account(QStringLiteral("4631")), double(RoundHalfAway(gross * 0.13)),
          QStringLiteral("Szociális hozzájárulási adó"));
    entry(account(QStringLiteral("571")), account(QStringLiteral("149")), 268'000, QStringLiteral("Terv szerinti értékcsökkenés"));
    entry(account(QStringLiteral("814")), account(QStringLiteral("261")), 1'400'000 + double(m_random.range(0, 60)) * 10000,
          QStringLiteral("Eladott áruk beszerzési értéke"));
}

DemoStats DemoWriter::run(const DemoProgress& progress) {
    readCodes();
    writeCompany();
    writePartners();
    writeCostCentres();

    // Numbers continue the counters: read where they stand, hand them out in
    // order, and take them from the counters in one step at the end.
    const QStringList kinds{m_bk, m_ve, m_sz, m_pt, m_ny, m_general};
    for (const QString& kind : kinds) {
        if (kind.isEmpty()) continue;
        m_voucherStart[kind] = SelectValue(m_connection, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F and EV = :E"),
                                           {{QStringLiteral("F"), kind}, {QStringLiteral("E"), m_year}})
                                   .toLongLong();
        m_voucherCounters[kind] = m_voucherStart[kind];
    }
    m_itemStart = SelectValue(m_connection, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM' and EV = :E"),
                              {{QStringLiteral("E"), m_year}})
                      .toLongLong();
    m_itemCounter = m_itemStart;

    const qlonglong total = m_options.items;
    // A large load into the new database: the ledger's indexes and the
    // turnover trigger wait until the items are in.
    const bool bulk = total >= 20000;
    {
        std::optional<LedgerIndexesOff> indexesOff;
        if (bulk) {
            indexesOff.emplace(m_connection);
            SetTurnoverTrigger(m_connection, false);
        }
        DbTransaction transaction(m_connection);
        m_items.prepare();
        if (total >= 20) writeOpening();
        const bool monthly = total >= 400;
        const qlonglong perMonth = monthly ? 6 : 0;
        const qlonglong daily = total - m_stats.items - 12 * perMonth;
        int monthDone = 0;
        qlonglong nextCheckpoint = 50000;
        for (qlonglong i = 0; i < daily; ++i) {
            const QDate day = dayOf(i, daily);
            while (monthly && monthDone < day.month() - 1) monthEnd(++monthDone);
            const qint64 roll = m_random.range(1, 100);
            if (roll <= 34) customerInvoice(day);
            else if (roll <= 58) supplierInvoice(day);
            else if (roll <= 90) bankItem(day);
            else cashItem(day);
            if (m_stats.items >= nextCheckpoint) {
                nextCheckpoint += 50000;
                transaction.commitAndContinue();  // keeps a million-item load's undo log small
                m_items.prepare();                // a statement belongs to the transaction it was prepared in
                if (progress) progress(m_stats.items, total);
            }
        }
        while (monthly && monthDone < 12) monthEnd(++monthDone);
        m_items.finish();
        transaction.commit();
    }
    if (bulk) {
        SetTurnoverTrigger(m_connection, true);
        RebuildTurnovers(m_connection);
    }

    for (auto it = m_voucherCounters.cbegin(); it != m_voucherCounters.cend(); ++it) {
        const qlonglong used = it.value() - m_voucherStart.value(it.key());
        if (used > 0 && ReserveSequenceBlock(m_connection, it.key(), m_year, used) != m_voucherStart.value(it.key()) + 1)
            throw std::runtime_error("A sorszámokat közben más is használta; a minta könyvelés nem érvényes.");
    }
    if (m_itemCounter > m_itemStart
        && ReserveSequenceBlock(m_connection, QStringLiteral("SORSZAM"), m_year, m_itemCounter - m_itemStart) != m_itemStart + 1)
        throw std::runtime_error("A sorszámokat közben más is használta; a minta könyvelés nem érvényes.");
    if (progress) progress(m_stats.items, total);
    return m_stats;
}

}  // namespace

// Past the millionth invoice of a year the number drops its first dash, and
// past ten million it keeps only the year's last two digits; the numbers of
// smaller books stay as they always were.
QString CustomerInvoiceNumber(int year, qint64 serial) {
    if (serial < 1'000'000) return QStringLiteral("VSZ-%1-%2").arg(year).arg(serial, 6, 10, QLatin1Char('0'));
    if (serial < 10'000'000) return QStringLiteral("VSZ%1-%2").arg(year).arg(serial, 7, 10, QLatin1Char('0'));
    return QStringLiteral("V%1-%2").arg(year % 100, 2, 10, QLatin1Char('0')).arg(serial, 11, 10, QLatin1Char('0'));
}

DemoStats GenerateDemoCompany(const QString& connection, const DemoOptions& options, const DemoProgress& progress) {
    DemoWriter writer(connection, options);
    const DemoStats stats = writer.run(progress);
    WriteDemoAssets(connection, options.year, options.seed);
    return stats;
}
