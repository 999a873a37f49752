#pragma once
// Taking over ledger items from other programs and spreadsheets: a file
// described by an import format of BEOVEZ is read line by line, every line
// is checked, the lines are grouped into vouchers, and when no line has a
// fault every item is written into TETEL as the voucher window writes
// items, each imported voucher with a voucher number of its own. A file
// with any fault writes nothing. Every run is logged in BEOLOG; the log row
// of a successful run is written in the transaction of its items.
//
// A line is a ledger row: a line with TART_KOV "A" is the VAT row of the
// item on the line before it. Each line passes the voucher window's checks.
//
// Every stored voucher is recorded by the file's digest and its voucher key
// in the same transaction, so importing the same file again stores only the
// vouchers still missing. A stop request (db/stop_request.h) is answered at
// the safe points: what this run wrote is rolled back.
#include <QList>
#include <QString>
#include <QStringList>

struct ImportFault {
    int line = 0;  // the line of the file (the row of a sheet), 1-based
    QString text;
};

// A file of many faulty lines lists only so many faults; the rest are counted.
constexpr int kListedImportFaults = 1000;

// "… és még N hiba." for the faults a report does not list; empty when it lists all.
QString UnlistedFaultsText(int unlisted);

// What a run says that found every voucher of its file stored before.
QString NothingNewText();

struct ImportReport {
    QString error;   // why the file was not taken at all (closed year, format, unreadable file)
    QString format;  // the format used
    QString result;  // "SIKERES", "HIBAS" or "PROBA", as logged
    int lines = 0;   // data lines read
    int rows = 0;    // ledger rows (written, or to be written in a dry run)
    int items = 0;
    int vouchers = 0;
    int faultyLines = 0;
    QString firstSorszam, lastSorszam;
    QList<ImportFault> faults;  // the first kListedImportFaults faults
    int unlistedFaults = 0;     // the faults beyond them
    QStringList warnings;  // what the run left aside, such as columns of the file no format column reads
    int alreadyImported = 0;  // vouchers of the file stored by an earlier import, left alone
    bool stopped = false;     // a stop request ended the run; nothing of it stays
    bool ok() const { return error.isEmpty() && faults.isEmpty(); }
};

struct ImportOptions {
    QString format;  // empty: the first format whose file type fits the file
    bool dryRun = false;
};

ImportReport ImportItems(const QString& path, const ImportOptions& options);
