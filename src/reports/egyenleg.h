#pragma once
// The customer ledger ("Vevő folyószámla") and the supplier ledger
// ("Szállító folyószámla"): the invoices of customers or suppliers, each
// with the cash and bank items that pay it, the arrears, and the
// settlement status by which the list is filtered (open_invoices.h).
//
// A run fills a copy of the table EGYENLEG, one row per invoice line: the
// first line ("A") carries the invoice amount and the first payment, each
// further payment a line "B" with the invoice amount 0.
#include <QString>
#include <QStringList>
#include <optional>

#include "reports/open_invoices.h"
#include "reports/report_pattern.h"

inline const QString EgyenlegPrefix = QStringLiteral("TMP_P_");
inline const QString EgyenlegOrder = QStringLiteral("order by UGYFELNEV, UGYFELKOD, DEVIZANEM, SZAMLASZAM, SORREND");
inline const QString EgyenlegNoData = QStringLiteral("Nincs ilyen adat.");
inline const QString EgyenlegNoPartner = QStringLiteral("Nincs ilyen kódú ügyfél");

// The status filter, by the index of its radio item.
enum EgyenlegSzamlajel { Kiegyenlitett = 0, NemKiegyenlitett = 1, HataridonTul = 2, Reszben = 3, Mind = 4 };
inline const QStringList SzamlajelCaptions = {QStringLiteral("Kiegyenlített"), QStringLiteral("Nem kiegyenlített"),
                                              QStringLiteral("Határidőn túl kiegyenlített"),
                                              QStringLiteral("Részben kiegyenlített"), QStringLiteral("Mind")};
// The status letters an index lets through: "TH", "ER", "H", "R", "TEHR".
QString AcceptedStatuses(int szamlajel);

struct EgyenlegCriteria {
    QString teljkeltTol{}, teljkeltIg{};    // fulfilment date from / to
    QString fizhatidoTol{}, fizhatidoIg{};  // due date from / to
    QString ugyfelkod{};                    // partner code
    QString szamlaszam{};                   // invoice number, its beginning
    int szamlajel = NemKiegyenlitett;

    // Trimmed, empty date masks as empty texts.
    EgyenlegCriteria normalised() const;
    bool operator==(const EgyenlegCriteria&) const = default;
};

// " Vevő folyószámla lista " or " Szállító folyószámla lista ": the
// window's caption and the report's title.
QString EgyenlegCaption(PartnerSide side);
// "Vevői oldal:" or "Szállítói oldal:".
QString EgyenlegSideCaption(PartnerSide side);
// "Telj. kelte: ... - ...     Fiz.határidő: ... - ...   Számlatípus: ..." and the partner.
QString EgyenlegParamLine(const EgyenlegCriteria& criteria);

// The result table's name, remembered for the whole run of the program.
ResultTable& EgyenlegResultTable();
// The column lines of EGYENLEG, for its copy.
QStringList EgyenlegColumns();

// The criteria of the last completed run, which a window remembers: a run
// with the same criteria and side while its table exists shows that table
// again without computing it.
struct EgyenlegLastRun {
    bool done = false;
    EgyenlegCriteria criteria;
    PartnerSide side = PartnerSide::Customers;
};

struct EgyenlegRun : ReportRun {
    bool reused = false;  // the last run's table, not computed again
    // With the status "Mind" or "Nem kiegyenlített" and no date or number
    // criterion: the control account's balance in the ledger (of the
    // partner when one is asked for), which the open items' arrears are
    // checked against under the grand total.
    std::optional<double> controlBalance;
};

// The balance of the side's control account (VeSzla or SzSzla and its
// sub-accounts) over every ledger item, of one partner when `ugyfelkod`
// is given: debits less credits for customers, credits less debits for
// suppliers, as the ledger's arrears count.
double ControlAccountBalance(PartnerSide side, const QString& ugyfelkod = {});
// The arrears of a run's table: its amounts less its payments.
double EgyenlegArrears(const QString& table);

// Runs the ledger: invoices and payments in one pass over the ledger.
EgyenlegRun RunEgyenleg(PartnerSide side, const EgyenlegCriteria& criteria, ResultTable& table = EgyenlegResultTable(),
                        EgyenlegLastRun* last = nullptr, const ReportStep& step = {});

// The invoice items of the side and the criteria, as the settlement rule reads them.
SettlementQuery EgyenlegSettlementQuery(PartnerSide side, const EgyenlegCriteria& criteria);

// The same rows read invoice by invoice, each invoice's payments by a
// statement of their own, into `table` (already made and empty). Returns
// the rows written. The benchmark and the tests compare it with RunEgyenleg.
qint64 FillEgyenlegPerInvoice(PartnerSide side, const EgyenlegCriteria& criteria, const QString& table,
                              const ReportStep& step = {});
