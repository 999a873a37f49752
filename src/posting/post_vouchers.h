#pragma once
// Posting a file of vouchers without the window: each line is an item as
// the user would key it into the voucher window, consecutive lines with the
// same VOUCHER key form one voucher. Every item runs through the window's
// checks and storage; the faults are reported with their line numbers in
// the window's words.
//
// File: UTF-8 or Windows-1250, ";"-separated, a heading line with the
// column names VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;
// FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;
// AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM. ERTEK is the gross amount as
// typed, AFA "I" or "N" the "ÁFÁt tartalmaz" box; an empty KONYVBIZ is
// allocated.
#include <QList>
#include <QString>
#include <functional>

struct PostFault {
    int line = 0;  // line of the file, 1-based
    QString text;
};

struct PostReport {
    QString fileError;  // the file as a whole could not be posted
    int vouchers = 0;
    int faultlessVouchers = 0;  // passed every check
    int faultlessItems = 0;
    int storedVouchers = 0;  // committed
    int storedItems = 0;
    int rejectedVouchers = 0;
    int alreadyPosted = 0;  // stored by an earlier run of the same file, left alone
    bool stopped = false;   // a stop was asked for: what was not committed is rolled back
    bool postedElsewhere = false;  // another workstation is posting, or has just posted, the same vouchers
    QList<PostFault> faults;
    bool ok() const { return fileError.isEmpty() && faults.isEmpty() && !stopped && !postedElsewhere; }
};

// A file is posted whole or not at all: every voucher is checked first, and
// when any has a fault, every fault is listed and nothing is stored or
// numbered. dryRun: the same checks and list, nothing written. Every stored
// voucher is recorded by the file's content digest and its VOUCHER key in
// the same transaction, so posting the same file again (after a crash, or
// by mistake) stores only the vouchers still missing. A stop request
// (stop_request.h) ends the run between vouchers: the batch being written is
// rolled back, the ones before stay. `progress` is told the lines checked
// and the lines of the file now and then, `storing` the vouchers stored and
// the vouchers to store after each committed batch.
using PostProgress = std::function<void(int done, int all)>;
PostReport PostVoucherFile(const QString& path, bool dryRun, const PostProgress& progress = {},
                           const PostProgress& storing = {});
