#pragma once
// The year closing: the next business year's company database, made from
// the current one or already there, receives the opening items (one per
// balance-sheet account of classes 1 to 4 against 491 and, on request, one
// per open customer and supplier invoice), the formula tables' year shift
// and the opening counter; a new database is registered in CEGEK.
//
// Everything written into the next year's database is one transaction: an
// error leaves that database as it was before the run (an existing one) or
// unregistered (a new one), and the run says which step failed.
#include <QString>
#include <functional>

inline const QString ZarPrefix = QStringLiteral("TMP_ZAR_");
inline const QString OpeningAccount = QStringLiteral("491");
inline const QString CustomerAccount = QStringLiteral("311");
inline const QString SupplierAccount = QStringLiteral("454");

// 0: a new database is made from the current one; 1: only the opening items
// are computed again in an existing next-year database.
enum class ClosingKind { NewDatabase = 0, RecomputeExisting = 1 };

struct EvzaroDefaults {
    ClosingKind kind = ClosingKind::NewDatabase;
    QString path;      // folder of the next year's data, without a trailing separator
    QString name;      // file name of the next year's database
    QString zardatum;  // closing date: the first day of the next year
};

// The proposal for a current database address and its year: the folder with
// the year replaced by the next one, or the next year appended as a last
// folder; the file name with the year replaced.
EvzaroDefaults ProposedNextYear(const QString& currentAddress, const QString& year, const QString& nextYear);

// What the window shows at start: a registered next-year database
// (CEGEK row of the company and the next year with an address) means kind 1
// on its address, otherwise the proposal above for the current database;
// the closing date is the next year's first day.
EvzaroDefaults EvzaroDefaultsForCompany();

// The address of the next year's database from the folder and the name.
QString NextYearAddress(const QString& path, const QString& name);

struct EvzaroParams {
    QString zardatum;  // closing date "yyyy.mm.dd"; empty or the empty mask: none
    QString path;
    QString name;
    ClosingKind kind = ClosingKind::NewDatabase;
    bool teteles = false;  // open customer and supplier invoices one by one
    // A closing date other than the next year's first day was confirmed.
    bool dateConfirmed = false;
};

struct EvzaroResult {
    bool ok = false;
    QString error;        // which step failed and why, in Hungarian
    QString nextAddress;
    int accountItems = 0;
    int invoiceItems = 0;
};

// What is wrong with the parameters before anything is done, in Hungarian;
// empty when they can be used.
QString CheckEvzaroParams(const EvzaroParams& params);

// The opening items take the closing date as their fulfilment date, so that
// a trial balance of the next year from its first day holds them all. Empty
// when the date is that first day; otherwise what is wrong with it, in
// Hungarian, for a question or a refusal.
QString ClosingDateWarning(const EvzaroParams& params);

// Whether the next year's database is already there: registered in CEGEK,
// or a local file of that name.
bool NextYearDatabaseExists(const EvzaroParams& params);

// Progress: a step's caption, done and total (0: unknown). A step that
// throws stops the run as any error does.
using EvzaroStep = std::function<void(const QString& what, qint64 done, qint64 total)>;

// The run. Needs the current company (d_tarvedo) and the system database
// (d_tarvedosys) connected; leaves the second company connection
// (d_tarvedo2) on the next year's database. Refuses a closing date with a
// warning that was not confirmed, and a next-year address that reaches the
// current database in any way.
EvzaroResult RunEvzaro(const EvzaroParams& params, const EvzaroStep& step = {});

// The remembered name of the working table, empty before the first run.
QString EvzaroWorkTable();
