#pragma once
// The depreciation run: the straight-line depreciation of every asset of the
// register for a period of whole months, prorated by days, listed line by
// line, and on request stored as one depreciation movement per asset on its
// card and one row of ECS_IDOSZAK for the period. Nothing is posted to the
// ledger.
#include <QString>
#include <QStringList>
#include <functional>

#include "reports/report_pattern.h"

// The columns of an asset the computation reads.
struct EcsAsset {
    QString belsokod, szla, megnevezes, uzembehely, ecsvege, ecsmod;
    QString kivezetve;  // date of sale or scrapping, empty while the asset is in use
    double kulcs1 = 0;
    double nettoert = 0;
    double maradvany = 0;  // residual value the depreciation stops at
    // Net value before the period: the card's last net value apart from the
    // period's own movement and the withdrawal, the asset's value when the
    // card has none.
    double kartonNetto = 0;
};

// The only method the run computes: straight line on the asset's value.
inline const QString LinearMethod = QStringLiteral("BLA");

// The depreciation of one asset for the period from its first day `lTol`
// to its last day `lIg` ("yyyy.mm.dd"), in whole forints: a rate of 100 %
// gives the whole value, other rates the yearly amount prorated by the days
// of the period the asset was in use (from its commissioning up to the end
// of its depreciation or its sale, both days included); 0 for any other
// method. Never more than the net value left above the residual value (a
// negative residual counts as none). Throws HelperError for a date that
// cannot be read.
qint64 EcsOsszeg(const EcsAsset& asset, const QString& lTol, const QString& lIg, int evnap = 365);

// The accumulated depreciation account of an asset account: its last
// character replaced by "9" ("1311" gives "1319").
QString EcsSzamla(const QString& szla);

// The text of the period's movements: "Értékcsökkenés 2024.01 -> 2024.06",
// or only the month when the period is one month.
QString EcsMozgasSzoveg(const QString& datumtol, const QString& datumig);

// One line of the detailed list, as it appears in the list and the print.
QString EcsListaSor(const QString& belsokod, qint64 amount, const QString& uzembehely, const QString& megnevezes);

// The depreciation window's values and operations, without the window: it
// reads and writes these fields, the questions and messages go through the
// program's dialog hooks.
class EcsSzamolForm {
public:
    // Controls
    QString l_idoszak;   // the latest stored period, "Nincs" when none
    QString e_datumtol;  // first month "yyyy.mm"
    QString e_datumig;   // last month "yyyy.mm"
    QString l_tol;       // first day of the period
    QString l_ig;        // last day of the period
    QString l_akt;       // the asset being computed
    bool cb_teteles = true;  // " Részletes kimutatást kérek"
    QStringList Memo1;       // the list

    // Window variables
    int wevnap = 365;
    bool wujra = false;       // the period was stored before: storing replaces it
    ResultTable wtmp;         // the result table of the last run (wtmpname)
    QString wrunTol, wrunIg;  // the period the last run computed
    qint64 wosszesen = 0;     // the last run's total
    int wsorok = 0;           // result rows of the last run

    // Steps the progress bar: assets done and in all.
    std::function<void(int done, int total)> progress;

    // The defaults of the period from the latest stored period and the
    // company's period length.
    void FormShow();
    // Leaving a period edit: false (with the date warning) when the month is
    // not valid, so the focus stays; otherwise the first or last day is shown.
    bool e_datumtolExit();
    bool e_datumigExit();

    // "&Indul": the questions, then the computation into the result table
    // and the list. False when a question or check stopped it.
    bool Indul();
    // "&Tárolás": the movements and the period row of the last run, in one
    // transaction. False when there was nothing to store or the user said
    // no. Throws DbError when the database refuses; nothing is then stored.
    bool Tarolas();

    // The period line of the print: both captions with the months.
    QString RllIdoszak() const;

private:
    void prepareResultTable();
    void storeOnce(const QString& szoveg);
};

// The captions of the period edits, which the print repeats.
inline const QString EcsTolCaption = QStringLiteral(" Elszámolási időszak kezdete (év.hónap): ");
inline const QString EcsIgCaption = QStringLiteral(" Elszámolási időszak vége (év.hónap): ");
