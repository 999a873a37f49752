#include "yearend/evzaro.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <optional>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_address.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/sequence.h"
#include "ledger/ledger_indexes.h"
#include "ledger/ledger_item.h"
#include "ledger/turnover_load.h"
#include "reports/report_pattern.h"
#include "reports/turnover_pass.h"
#include "yearend/backup.h"
#include "yearend/open_invoices.h"
#include "yearend/opening_item_writer.h"
#include "yearend/same_database.h"

namespace {

// The working table, remembered for the whole run of the program.
ResultTable& workTable() {
    static ResultTable table;
    return table;
}

const QStringList workTableColumns{
    QStringLiteral("SZLA varchar(10),      "), QStringLiteral("ESZLA varchar(10),      "),
    QStringLiteral("TELJKELT varchar(10),      "), QStringLiteral("TIPUS varchar(1),      "),
    QStringLiteral("ERTEK   double precision,   "), QStringLiteral("SZOVEG     varchar(120) ")};

// The last "/" or "\" of an address.
qsizetype lastSeparator(const QString& text) {
    return qMax(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
}

QString withoutTrailingSeparator(QString path) {
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))) path.chop(1);
    return path;
}

// A failure of one step of the run: the step's name travels with it.
struct StepError {
    QString message;
};

template <typename Work>
auto inStep(const QString& stepName, Work&& work) {
    try {
        return work();
    } catch (const StepError&) {
        throw;
    } catch (const DbError& error) {
        throw StepError{stepName + QStringLiteral(": ") + error.message()};
    } catch (const std::exception& error) {
        throw StepError{stepName + QStringLiteral(": ") + QString::fromUtf8(error.what())};
    }
}

// One account opening item as the working table holds it.
struct AccountItem {
    QString szla, eszla, teljkelt, tipus, szoveg;
    double ertek = 0;
};

// The balance of every postable account of classes 1 to 4, from the
// turnover sums read in one grouped pass: an account's debit and credit
// turnovers are the sums of every account that begins with it.
QList<AccountItem> accountBalances(const QString& zardatum, bool teteles) {
    const AccountTurnovers turnovers = ReadTurnovers(QString(), QString(), QString(), {});
    const auto sorted = [](const QHash<QString, double>& sums) {
        QMap<QString, double> map;
        for (auto it = sums.cbegin(); it != sums.cend(); ++it) map.insert(it.key(), it.value());
        return map;
    };
    const QMap<QString, double> debit = sorted(turnovers.debit);
    const QMap<QString, double> credit = sorted(turnovers.credit);
    const auto sumOf = [](const QMap<QString, double>& sums, const QString& prefix) {
        double total = 0;
        for (auto it = sums.lowerBound(prefix); it != sums.cend() && it.key().startsWith(prefix); ++it)
            total += it.value();
        return total;
    };

    QList<AccountItem> items;
    QSqlQuery accounts = ExecSql(d_tarvedo, QStringLiteral("select SZLA, KARTON,SZOVEG\n  from SZ_TUKOR\n WHERE KARTON='K'\n"
                                                           "   AND SUBSTRING (SZLA FROM 1 FOR 1) >= '1'\n"
                                                           "   AND SUBSTRING (SZLA FROM 1 FOR 1) <= '4'\n ORDER BY SZLA"));
    while (NextRow(accounts)) {
        const QString szla = accounts.value(0).toString().trimmed();
        if (teteles && (szla == CustomerAccount || szla == SupplierAccount)) continue;
        // The opening balance account is the other side of every item, not an item of its own.
        if (szla == OpeningAccount) continue;
        const double d = sumOf(debit, szla);
        const double c = sumOf(credit, szla);
        if (!(d > 0) && !(c > 0)) continue;
        if (d - c == 0) continue;
        AccountItem item;
        item.szla = d - c > 0 ? accounts.value(0).toString() : OpeningAccount;
        item.eszla = d - c > 0 ? OpeningAccount : accounts.value(0).toString();
        item.ertek = d - c > 0 ? d - c : c - d;
        item.tipus = accounts.value(1).toString();
        item.szoveg = (QStringLiteral("NYITÓ ") + accounts.value(2).toString()).left(80);
        item.teljkelt = zardatum;
        items.append(item);
    }
    return items;
}

// Fills the working table of the current database and reads it back in
// account order, as the opening items are written.
QList<AccountItem> fillWorkTable(const QList<AccountItem>& items) {
    ResultTable& table = workTable();
    table.prepare(ZarPrefix, workTableColumns);
    {
        DbTransaction transaction(d_tarvedo);
        RowInsert insert(QStringLiteral("INSERT INTO ") + table.name +
                         QStringLiteral(" ( SZLA , ESZLA , TELJKELT , TIPUS , ERTEK   , SZOVEG   ) VALUES ( "
                                        ":SZLA , :ESZLA , :TELJKELT , :TIPUS , :ERTEK   , :SZOVEG   ) "));
        for (const AccountItem& item : items)
            insert.run({{QStringLiteral("SZLA"), item.szla},
                        {QStringLiteral("ESZLA"), item.eszla},
                        {QStringLiteral("TELJKELT"), item.teljkelt},
                        {QStringLiteral("TIPUS"), item.tipus},
                        {QStringLiteral("ERTEK"), item.ertek},
                        {QStringLiteral("SZOVEG"), item.szoveg}});
        transaction.commit();
    }
    QList<AccountItem> rows;
    QSqlQuery read = ExecSql(d_tarvedo, QStringLiteral(" select * from ") + table.name + QStringLiteral(" order by SZLA"));
    while (NextRow(read)) {
        AccountItem row;
        row.szla = read.value(QStringLiteral("SZLA")).toString();
        row.eszla = read.value(QStringLiteral("ESZLA")).toString();
        row.teljkelt = read.value(QStringLiteral("TELJKELT")).toString();
        row.tipus = read.value(QStringLiteral("TIPUS")).toString();
        row.ertek = read.value(QStringLiteral("ERTEK")).toDouble();
        row.szoveg = read.value(QStringLiteral("SZOVEG")).toString();
        rows.append(row);
    }
    return rows;
}

// The formula tables of an existing next-year database: their rows again
// from the current database, this year's column moved into the previous one.
void copyFormulaTable(const QString& table, const QStringList& columns) {
    ExecSql(d_tarvedo2, QStringLiteral("Delete from ") + table);
    QSqlQuery source = ExecSql(d_tarvedo, QStringLiteral("Select * from ") + table + QStringLiteral(" order by ID"));
    QStringList params;
    for (const QString& column : columns) params << u':' + column;
    QSqlQuery insert(Connection(d_tarvedo2));
    const QString sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral("\n(") + columns.join(QStringLiteral(" , ")) +
                        QStringLiteral(" ,ELOZOEV , TARGYEV  )\nVALUES\n(") + params.join(QStringLiteral(" , ")) +
                        QStringLiteral(" ,:ELOZOEV , :TARGYEV  )");
    const PositionalSql positional = ToPositional(sql);
    if (!insert.prepare(positional.text)) throw DbError(insert.lastError(), sql);
    while (NextRow(source)) {
        int i = 0;
        for (const QString& column : columns) insert.bindValue(i++, source.value(column));
        insert.bindValue(i++, source.value(QStringLiteral("TARGYEV")));
        insert.bindValue(i++, 0.0);
        if (!insert.exec()) throw DbError(insert.lastError(), sql);
    }
}

QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")); }

void report(const EvzaroStep& step, const QString& what, qint64 done, qint64 total) {
    if (step) step(what, done, total);
}

QString nextYearOf(const QString& year) { return QString::number(year.trimmed().toInt() + 1); }

QString firstDayOf(const QString& year) { return year + QStringLiteral(".01.01"); }

QString currentDatabaseMessage(const QString& address) {
    return QStringLiteral("A következő év adatbázisa nem lehet a tárgyévi adatbázis: ") + address;
}

// The opening items already in the next year's database, summed by turnover
// key and negated: they leave the turnover table with the items.
QList<LedgerItem> openingTurnoversRemoved() {
    QList<LedgerItem> removed;
    QSqlQuery q = ExecSql(d_tarvedo2, QStringLiteral("select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK) from TETEL "
                                                     "where NTIPUS='NY' group by SZLA, ESZLA, TELJKELT, NTIPUS"));
    while (NextRow(q)) {
        LedgerItem item;
        item.szla = q.value(0).toString();
        item.eszla = q.value(1).toString();
        item.teljkelt = q.value(2).toString();
        item.ntipus = q.value(3).toString();
        item.ertek = -q.value(4).toDouble();
        removed.append(item);
    }
    return removed;
}

// The current year after the next one is written, in one short transaction:
// the opening counter covers the numbers the next year's opening items
// received (it is never set below a number already given), and the year is
// closed. A kill before the commit leaves the counter and the open year as
// they were. Another workstation taking an opening number at that moment is
// waited for and the work done again.
void closeCurrentYear(const QString& kod, const QString& year, qlonglong openingNumbers) {
    for (int attempt = 0;; ++attempt) {
        try {
            DbTransaction transaction(d_tarvedo);
            if (openingNumbers > 0) {
                const QVariantMap counter{{QStringLiteral("EV"), year}, {QStringLiteral("UTOLSO"), openingNumbers}};
                const QSqlQuery raised = ExecSql(
                    d_tarvedo,
                    QStringLiteral("update SORSZAM set UTOLSO = maxvalue(coalesce(UTOLSO, 0), :UTOLSO), FOGLALT = null "
                                   "where FAJTA = 'NY' and EV = :EV"),
                    counter);
                if (raised.numRowsAffected() == 0)
                    ExecSql(d_tarvedo,
                            QStringLiteral("Insert Into SORSZAM\n       (FAJTA, EV, ELSO, UTOLSO)\nValues ('NY', :EV, 1, :UTOLSO)"),
                            counter);
            }
            ExecSql(d_tarvedo, QStringLiteral("Update CEG Set NYITVA = 'N' where KOD = :KOD and AKTUALISEV = :AKTUALISEV"),
                    {{QStringLiteral("KOD"), kod}, {QStringLiteral("AKTUALISEV"), year}});
            transaction.commit();
            return;
        } catch (const DbError& error) {
            const bool madeMeanwhile = error.message().contains(QLatin1String("PRIMARY or UNIQUE KEY"), Qt::CaseInsensitive);
            if (attempt >= 50 || !(error.isLockConflict() || madeMeanwhile)) throw;
            QThread::msleep(20 + 10 * (attempt % 10));
        }
    }
}

}  // namespace

QString EvzaroWorkTable() { return workTable().name; }

EvzaroDefaults ProposedNextYear(const QString& currentAddress, const QString& year, const QString& nextYear) {
    EvzaroDefaults defaults;
    const qsizetype cut = lastSeparator(currentAddress);
    QString folder = currentAddress.left(cut + 1);
    defaults.name = currentAddress.mid(cut + 1);
    if (!year.isEmpty()) defaults.name.replace(year, nextYear);
    if (!year.isEmpty() && folder.contains(year))
        folder.replace(year, nextYear);
    else
        folder += nextYear;
    defaults.path = withoutTrailingSeparator(folder);
    return defaults;
}

EvzaroDefaults EvzaroDefaultsForCompany() {
    const AppValues& app = Td();
    const QString year = app.ceg.text(QStringLiteral("AKTUALISEV")).trimmed();
    const QString next = nextYearOf(year);
    QSqlQuery registry = ExecSql(d_tarvedosys, QStringLiteral("select * from cegek where KOD=:KOD and    AKTUALISEV=:AKTUALISEV"),
                                 {{QStringLiteral("KOD"), app.ceg.text(QStringLiteral("KOD"))},
                                  {QStringLiteral("AKTUALISEV"), next}});
    if (NextRow(registry)) {
        const QString address = registry.value(QStringLiteral("DBSERVER")).toString().trimmed();
        if (!address.isEmpty()) {
            EvzaroDefaults defaults;
            defaults.kind = ClosingKind::RecomputeExisting;
            const qsizetype cut = lastSeparator(address);
            defaults.name = address.mid(cut + 1);
            defaults.path = cut < 0 ? QString() : address.left(cut);
            defaults.zardatum = firstDayOf(next);
            return defaults;
        }
    }
    EvzaroDefaults defaults = ProposedNextYear(app.DbServer, year, next);
    defaults.zardatum = firstDayOf(next);
    return defaults;
}

QString NextYearAddress(const QString& path, const QString& name) {
    const QString folder = withoutTrailingSeparator(path.trimmed());
    if (folder.isEmpty()) return name.trimmed();
    const QChar separator = folder.contains(QLatin1Char('\\')) && !folder.contains(QLatin1Char('/')) ? QLatin1Char('\\')
                                                                                                       : QLatin1Char('/');
    return folder + separator + name.trimmed();
}

QString CheckEvzaroParams(const EvzaroParams& params) {
    const AppValues& app = Td();
    const QString year = app.ceg.text(QStringLiteral("AKTUALISEV")).trimmed();
    if (!IsConnected(d_tarvedo)) return QStringLiteral("Nincs nyitott cég adatbázis.");
    if (params.name.trimmed().isEmpty()) return QStringLiteral("Adja meg a következő év adatbázisának nevét!");
    if (year.toInt() <= 0) return QStringLiteral("A cég tárgyéve (%1) nem évszám.").arg(year);
    // The closing date is written into every opening item: a day that does
    // not exist (2025.02.30) must not reach the next year.
    const QString zardatum = DateCriterion(params.zardatum);
    if (!zardatum.isEmpty()) {
        try {
            ParseDate(zardatum);
        } catch (const HelperError& error) {
            return error.message();
        }
    }
    // The same text, or the same file reached by "..", "." or a link; an
    // address that reaches it through a server is found once connected.
    const QString address = NextYearAddress(params.path, params.name);
    if (NativeDbPath(ParseDbAddress(address).path) == NativeDbPath(ParseDbAddress(app.DbServer).path) ||
        SameDatabaseFile(address, app.DbServer))
        return currentDatabaseMessage(address);
    return {};
}

QString ClosingDateWarning(const EvzaroParams& params) {
    const QString first = firstDayOf(nextYearOf(Td().ceg.text(QStringLiteral("AKTUALISEV"))));
    const QString zardatum = DateCriterion(params.zardatum);
    if (zardatum == first) return {};
    return QStringLiteral("A zárás dátuma (%1) nem a következő év első napja (%2): a nyitó tételek ezt kapják teljesítési "
                          "dátumként, és kimaradnak a %2-tól kezdődő főkönyvi kivonatokból.")
        .arg(zardatum.isEmpty() ? QStringLiteral("üres") : zardatum, first);
}

bool NextYearDatabaseExists(const EvzaroParams& params) {
    const QString address = NextYearAddress(params.path, params.name);
    const DbAddress parsed = ParseDbAddress(address);
    if (!parsed.isRemote() && QFileInfo::exists(NativeDbPath(parsed.path))) return true;
    const AppValues& app = Td();
    const QString next = nextYearOf(app.ceg.text(QStringLiteral("AKTUALISEV")));
    return SelectValue(d_tarvedosys, QStringLiteral("select count(*) from CEGEK where KOD = :KOD and AKTUALISEV = :EV"),
                       {{QStringLiteral("KOD"), app.ceg.text(QStringLiteral("KOD"))}, {QStringLiteral("EV"), next}})
               .toInt() > 0;
}

EvzaroResult RunEvzaro(const EvzaroParams& params, const EvzaroStep& step) {
    EvzaroResult result;
    AppValues& app = Td();
    const QString kod = app.ceg.text(QStringLiteral("KOD"));
    const QString year = app.ceg.text(QStringLiteral("AKTUALISEV")).trimmed();
    const QString nextYear = nextYearOf(year);
    const QString zardatum = DateCriterion(params.zardatum);
    const QString address = NextYearAddress(params.path, params.name);
    result.nextAddress = address;

    result.error = CheckEvzaroParams(params);
    if (!result.error.isEmpty()) return result;
    if (!params.dateConfirmed) {
        result.error = ClosingDateWarning(params);
        if (!result.error.isEmpty()) return result;
    }
    // Connected to the next year's address: refused, with the connection
    // closed, when it is the current database after all.
    const auto isCurrentDatabase = [&] {
        if (!SameDatabase(d_tarvedo, d_tarvedo2)) return false;
        DbDisconnect(d_tarvedo2);
        result.error = currentDatabaseMessage(address);
        return true;
    };

    bool newDatabase = false;
    try {
        if (params.kind == ClosingKind::NewDatabase) {
            const DbAddress parsed = ParseDbAddress(address);
            const QString folder = withoutTrailingSeparator(NativeDbPath(ParseDbAddress(params.path).path));
            if (!parsed.isRemote() && !folder.isEmpty() && !QDir().mkpath(folder)) {
                result.error = QStringLiteral("Nem sikerült létrehozni a következő év adatainak mappáját!  ") + folder;
                return result;
            }
            // A database already at that address is overwritten: never the current one.
            const bool mayExist = parsed.isRemote() || QFileInfo::exists(NativeDbPath(parsed.path));
            if (mayExist && OpenDatabase(d_tarvedo2, address) && inStep(QStringLiteral("A következő év adatbázisának azonosítása"),
                                                            isCurrentDatabase))
                return result;
            // The copy is made by the engine from a consistent snapshot while
            // the current year stays open here and on other workstations; the
            // ledger items are left out, the next year starts without them.
            DbDisconnect(d_tarvedo2);
            BackupOptions options;
            options.skipData = QStringLiteral("TETEL|FORGALOM");
            options.step = [&](qint64 done, qint64 total) {
                report(step, QStringLiteral("A következő év adatbázisának létrehozása"), done, total);
            };
            const QString copied = CopyDatabase(app.DbServer, address, DbCredentials(), options);
            if (!copied.isEmpty()) {
                result.error = QStringLiteral("Nem sikerült létrehozni a következő év adatbázisát (%1): ").arg(address) + copied;
                return result;
            }
            // Nobody uses the new database before it is registered: its pages
            // need not reach the disk one by one until it is complete.
            SetForcedWrites(address, DbCredentials(), false);
            newDatabase = true;
        }
        if (!OpenDatabase(d_tarvedo2, address)) {
            result.error = QStringLiteral("Nem sikerült csatlakozni a következő év adatbázisához: ") + address + u' ' +
                           Connection(d_tarvedo2).lastError().text();
            return result;
        }
        if (inStep(QStringLiteral("A következő év adatbázisának azonosítása"), isCurrentDatabase)) return result;

        // The current year: the texts the invoice matching compares are filled in.
        report(step, QStringLiteral("Hiányzó szövegek"), 0, 0);
        inStep(QStringLiteral("A hiányzó szövegek kitöltése"), [&] {
            // One pass over the items instead of one per column.
            ExecSql(d_tarvedo, QStringLiteral(" Update tetel set KTSGHELY = coalesce(KTSGHELY, ''), FIZHATIDO = coalesce(FIZHATIDO, ''), "
                                              "TELJKELT = coalesce(TELJKELT, ''), UGYFELKOD = coalesce(UGYFELKOD, '') "
                                              "where KTSGHELY IS NULL or FIZHATIDO IS NULL or TELJKELT IS NULL or UGYFELKOD IS NULL "));
        });

        report(step, QStringLiteral("Számlaegyenlegek"), 0, 0);
        const QList<AccountItem> accounts = inStep(QStringLiteral("A számlaegyenlegek számítása"), [&] {
            return fillWorkTable(accountBalances(zardatum, params.teteles));
        });
        QList<OpenInvoice> invoices;
        if (params.teteles) report(step, QStringLiteral("Nyitott számlák"), 0, 0);
        if (params.teteles)
            invoices = inStep(QStringLiteral("A nyitott számlák kiválasztása"), [&] {
                // The invoices and their payments as one snapshot.
                DbTransaction transaction(d_tarvedo);
                QList<OpenInvoice> open = SelectOpenInvoices();
                transaction.commit();
                return open;
            });

        // The opening numbers start again from the first of the year at every
        // run: a recomputed next year keeps its numbers. The current year's
        // counter is raised to cover them when the year is closed.
        const qint64 total = accounts.size() + invoices.size();
        qlonglong counter = 1;

        // A new database is not registered before the closing succeeds and
        // nobody else uses it: its ledger indexes are built once the items
        // are in.
        std::optional<LedgerIndexesOff> indexesOff;
        if (newDatabase)
            inStep(QStringLiteral("A következő év indexeinek kikapcsolása"), [&] { indexesOff.emplace(d_tarvedo2); });

        // Everything the next year receives, in one transaction.
        inStep(QStringLiteral("A következő év adatbázisának írása"), [&] {
            DbTransaction transaction(d_tarvedo2);
            // The turnover table follows every item this transaction writes
            // or deletes through the sums of the load, not the trigger.
            TurnoverLoad turnovers(d_tarvedo2);
            if (params.kind == ClosingKind::RecomputeExisting) {
                for (const LedgerItem& removed : openingTurnoversRemoved()) turnovers.add(removed);
                ExecSql(d_tarvedo2, QStringLiteral("delete from tetel where NTIPUS='NY'"));
                copyFormulaTable(QStringLiteral("EREDMENY"),
                                 {QStringLiteral("ID"), QStringLiteral("SORSZAM"), QStringLiteral("MEGNEVEZES"),
                                  QStringLiteral("KEPLETHOL"), QStringLiteral("KEPLET")});
                copyFormulaTable(QStringLiteral("MERLEG"),
                                 {QStringLiteral("ID"), QStringLiteral("SZSORSZAM"), QStringLiteral("SORSZAM"),
                                  QStringLiteral("MEGNEVEZES"), QStringLiteral("KEPLETHOL"), QStringLiteral("KEPLET")});
            } else {
                ExecSql(d_tarvedo2, QStringLiteral("delete from tetel"));
                ExecSql(d_tarvedo2, QStringLiteral("update ceg set aktualisev= :AKTUALISEV, NYITVA = 'I'"),
                        {{QStringLiteral("AKTUALISEV"), nextYear}});
                for (const char* table : {"EREDMENY", "MERLEG"}) {
                    ExecSql(d_tarvedo2, QStringLiteral("Update %1 set ELOZOEV = TARGYEV").arg(QLatin1String(table)));
                    ExecSql(d_tarvedo2, QStringLiteral("Update %1 set TARGYEV = 0 ").arg(QLatin1String(table)));
                }
            }

            // The items in blocks; the turnover table gets the sums of the
            // load instead of one row per item.
            const QString now = today();
            OpeningItemWriter writer(d_tarvedo2, now);
            qint64 done = 0;
            const auto write = [&](LedgerItem& item) {
                item.sorszam = SequenceNumberText(year, counter++);
                if (item.konyvbiz.isNull()) item.konyvbiz = item.sorszam;  // an account item's voucher is its number
                item.sorszam += QStringLiteral("NY");
                item.bizkelt = item.konyvelve = now;  // as the writer writes them, for the turnover sums
                item.ntipus = QStringLiteral("NY");
                if (item.devizanem == QLatin1String("HUF")) item.devizaertek = item.ertek;
                writer.write(item);
                turnovers.add(item);
                // A step now and then: a window repaints at each one.
                if (++done % 256 == 0 || done == total) report(step, QStringLiteral("Nyitó tételek"), done, total);
            };
            for (const AccountItem& account : accounts) {
                LedgerItem item;
                item.szla = account.szla;
                item.eszla = account.eszla;
                item.teljkelt = account.teljkelt;
                item.tipus = account.tipus;
                item.szoveg = account.szoveg;
                item.ertek = account.ertek;
                item.devizanem = QStringLiteral("HUF");
                write(item);
            }
            for (const OpenInvoice& invoice : invoices) {
                const OpeningEntry entry = OpeningEntryFor(invoice);
                LedgerItem item;
                item.szla = entry.szla;
                item.eszla = entry.eszla;
                // Dated as every opening item, so that the next year's trial
                // balance is the same whether opened by balance or by
                // invoice; the invoice's own fulfilment date stays as its date.
                item.teljkelt = zardatum;
                item.szlakelt = invoice.teljkelt;
                item.fizhatido = invoice.fizhatido;
                item.szoveg = entry.szoveg;
                item.ertek = entry.ertek;
                item.ugyfelkod = invoice.ugyfelkod;
                item.konyvbiz = invoice.konyvbiz.isNull() ? QString("") : invoice.konyvbiz;
                item.szamlaszam = invoice.szamlaszam;
                item.devizanem = invoice.devizanem;
                item.devizaertek = entry.devizaertek;
                write(item);
            }
            writer.finish();
            turnovers.write();

            ExecSql(d_tarvedo2, QStringLiteral("delete from sorszam where FAJTA = 'NY' and EV = :EV"),
                    {{QStringLiteral("EV"), nextYear}});
            const qlonglong opening =
                SelectValue(d_tarvedo2, QStringLiteral("Select count(*) DB\nFrom TETEL\nwhere ntipus='NY'")).toLongLong();
            ExecSql(d_tarvedo2, QStringLiteral("Insert Into SORSZAM\n       (FAJTA, EV, ELSO, UTOLSO)\nValues ('NY', :EV, 1, :UTOLSO)"),
                    {{QStringLiteral("EV"), nextYear}, {QStringLiteral("UTOLSO"), opening}});
            transaction.commit();
        });
        if (indexesOff) {
            report(step, QStringLiteral("Indexek"), 0, 0);
            inStep(QStringLiteral("A következő év indexeinek felépítése"), [&] { indexesOff->restore(); });
        }
        result.accountItems = int(accounts.size());
        result.invoiceItems = int(invoices.size());

        if (newDatabase) {
            inStep(QStringLiteral("A következő év adatbázisának lemezre írása"), [&] {
                const QString error = SetForcedWrites(address, DbCredentials(), true);
                if (!error.isEmpty()) throw DbError(error);
            });
            inStep(QStringLiteral("A következő év regisztrálása a cégek között"), [&] {
                ExecSql(d_tarvedosys,
                        QStringLiteral("UPDATE OR insert into CEGEK\n  (KOD, AKTUALISEV, NEV, DBSERVER, NYITVA)\nvalues\n"
                                       "  (:KOD, :AKTUALISEV, :NEV, :DBSERVER, :NYITVA)"),
                        {{QStringLiteral("KOD"), kod},
                         {QStringLiteral("AKTUALISEV"), nextYear},
                         {QStringLiteral("NEV"), app.ceg.text(QStringLiteral("NEV"))},
                         {QStringLiteral("DBSERVER"), address},
                         {QStringLiteral("NYITVA"), QStringLiteral("I")}});
            });
        }
        // The closed year takes no more postings until it is reopened.
        inStep(QStringLiteral("A tárgyév lezárása"), [&] {
            closeCurrentYear(kod, year, total);
            db1AfterConnect();
            app.ceg.moveTo(kod, year);
        });
    } catch (const StepError& error) {
        result.error = error.message;
        return result;
    } catch (const DbError& error) {
        result.error = error.message();
        return result;
    }
    result.ok = true;
    return result;
}
