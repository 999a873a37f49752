#pragma once
// Posting a file of vouchers without the window: each line is an item as
// the user would key it into the voucher window, consecutive lines with the
// same VOUCHER key form one voucher. Every item runs through the window's
// checks and storage; a voucher with any fault is not stored at all, and
// the faults are reported with their line numbers in the window's words.
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
    int storedVouchers = 0;  // stored, or found faultless in a dry run
    int storedItems = 0;
    int rejectedVouchers = 0;
    int alreadyPosted = 0;  // stored by an earlier run of the same file, left alone
    QList<PostFault> faults;
    bool ok() const { return fileError.isEmpty() && faults.isEmpty(); }
};

// dryRun: every check, nothing written, no number taken. Every stored
// voucher is recorded by the file's content digest and its VOUCHER key in
// the same transaction, so posting the same file again (after a crash, or
// by mistake) stores only the vouchers still missing. `progress` is told
// the lines done and the lines of the file now and then.
using PostProgress = std::function<void(int linesDone, int lines)>;
PostReport PostVoucherFile(const QString& path, bool dryRun, const PostProgress& progress = {});
