#pragma once
// The voucher window's logic: the texts of its fields, the states of its
// controls, its window variables and grid, and every operation on them. The
// window copies its controls into these values, calls an operation and shows
// the values again; the command-line posting drives the same operations.
#include <QDate>
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "posting/posting_lookups.h"
#include "posting/voucher_statements.h"

// The text of an empty masked date field.
inline const QString EmptyDate = QStringLiteral("    .  .  ");
// The amount a field holds as a bookkeeper types it (sign, blanks as
// thousands separators, decimal comma); 0 for an empty field or no amount.
double AmountOf(const QString& text);
// The posting date proposed for a new voucher: today inside the company's
// business year (CEG.AKTUALISEV), else the end of a past year or the start
// of a coming one.
QString ProposedPostingDate(const QDate& today = QDate::currentDate());
// True for a date (not empty) that lies outside the company's business year.
bool OutsideBusinessYear(const QString& date);
// True for an empty text and for the empty mask.
bool IsEmptyDate(const QString& text);

// The texts of the window's edits, its VAT box and its name labels.
struct KonyvelFields {
    // header
    QString e_ntipus, e_konyvbiz, e_konyvdat = EmptyDate, e_ugyfelkod, e_ktsghely, e_devizanem, e_bizonylat,
            e_szamlaszam, e_teljkelt = EmptyDate, e_szamlakelt = EmptyDate, e_fizhatido = EmptyDate, e_arfolyam,
            e_bizkelt = EmptyDate;
    // item
    QString e_szoveg, e_szla, e_eszla, e_ertek, e_aszla, e_afaertek, e_nettoertek, e_sor65, e_afakulcs,
            e_devizaertek;
    bool cb_afa = false;
    // name labels
    QString l_ntip, l_ugyfelnev, l_szla, l_eszla, l_aszlanev;
};

// Enabled and visible states, captions and the focus the logic decides.
struct KonyvelControls {
    QString l_state, l_statesor;
    QString L_Bizonylat = QStringLiteral(" Bizonylat:");
    QString L_teljkelt = QStringLiteral(" Teljesítés kelte:");
    // enabled
    bool P_fej = false, p_tetel = false, p_sorbutton = true;
    bool b_ujbiz = true, b_ujtetel = false, b_modosit = false, b_rogzit = false, b_megsem = false;
    bool e_konyvbiz = true;   // voucher numbers are typed (CEG.VANKONYVBIZ is not "I")
    bool e_bizonylat = true;  // CEG.VANPENZTAR is not "N"
    bool ugyfel = true;       // B_ugyfel and e_ugyfelkod: CEG.VANUGYFEL is not "N"
    // visible
    bool bizonylatVisible = false;  // L_Bizonylat and e_bizonylat: bank and cash vouchers
    bool deviza = false;            // L_devizanem, b_devizanem, e_devizanem, L_devizaertek, e_devizaertek
    bool arfolyam = false;          // l_arfolyam, e_arfolyam
    bool p_afa = false;             // the VAT panel
    // the control to receive the focus (objectName), empty: unchanged
    QString focus;
};

// The field whose exit (or the store button) asks for the gross/net/VAT split.
enum class AfaTrigger { Aszla, Ertek, Arfolyam, Nettoertek, Store };

class KonyvelForm {
public:
    // Without lookups the form asks the database every time.
    explicit KonyvelForm(PostingLookups* lookups = nullptr);

    KonyvelFields f;
    KonyvelControls c;

    // Window variables.
    QString wstate = QStringLiteral("browse");
    QString wstatesor = QStringLiteral("browse");
    QString wntipus, wkonyvbiz, wsorszam, wszla, weszla;
    QString wdefaultszla, wdefaultafakod, wafakulcs;
    bool wanarfolyam = false;
    int wkapocsn = 0;

    // The storage statements, assembled by FormShow.
    VoucherStatements statements;

    // The grid q_tetel: its rows, the current one, and the values its
    // parameters keep.
    QList<QSqlRecord> rows;
    int current = -1;
    QString gridNtipus, gridKonyvbiz, gridSorszam;
    const QSqlRecord* currentRow() const { return current >= 0 && current < rows.size() ? &rows[current] : nullptr; }

    PostingLookups& lookups() { return *m_lookups; }

    // Opening the window (wntipus, wkonyvbiz, wsorszam, wszla, weszla are set by the opener).
    void FormShow();
    void NtipusBeallit(bool withDefaults);
    void AllapotValt(const QString& state);
    void SorAllapotValt(const QString& state);
    void FejTorol();
    void FejMutat();
    void TetelTorol();
    void TetelMutat();
    void AfaSzamol(AfaTrigger trigger);

    // cb_afa set from code: the click handler runs only when the state changes.
    void SetAfa(bool checked);
    void cb_afaClick();

    // The grid: re-read with the given parameters (the item serial number
    // parameter keeps its value when not given), and cursor moves.
    void OpenGrid(const QString& ntipus, const QString& konyvbiz, std::optional<QString> sorszam = std::nullopt);
    // Moves to the row with these SORSZAM, SZLA, ESZLA; to the first row when
    // there is none. Shows the item.
    void Locate(const QString& sorszam, const QString& szla, const QString& eszla);
    void MoveTo(int row);
    // Forgets the VAT row read for the shown item, so it is read again.
    void ForgetVatRow() { m_vatKey.clear(); m_vatRow.reset(); }
    // The VAT row of the shown item, when it has one.
    const std::optional<QSqlRecord>& vatRow() const { return m_vatRow; }

    // Field exits.
    void e_ntipusExit();
    void e_ugyfelkodExit();
    // True when the cost-centre choice must open (an unknown code).
    bool e_ktsghelyExit();
    void e_szlaExit();
    void e_eszlaExit();
    void e_aszlaExit();
    void e_ertekExit() { AfaSzamol(AfaTrigger::Ertek); }
    void e_arfolyamExit() { AfaSzamol(AfaTrigger::Arfolyam); }
    void e_nettoertekExit() { AfaSzamol(AfaTrigger::Nettoertek); }
    // A date chosen for the invoice date; the fulfilment date follows it when empty.
    void SzamlakeltPicked(const QString& date);

    // Rows chosen in the lookup windows.
    void NtipusChosen(const QSqlRecord& row);   // SZ_NTIP
    void UgyfelChosen(const QSqlRecord& row);   // UGYFEL
    void SzlaChosen(const QSqlRecord& row);     // SZ_TUKOR, debit
    void EszlaChosen(const QSqlRecord& row);    // SZ_TUKOR, credit
    void AszlaChosen(const QSqlRecord& row);    // SZ_ADOASZLA

    // Buttons ("Tétel tárolása" is TetelTarol of voucher_store.h).
    void b_ujbizClick();
    void b_ujtetelClick();
    void b_modositClick();
    void b_megsemClick();
    // "Vissza": true when the window may close (asks while entering data).
    bool CanClose();

    // The document number of the item: the invoice number in customer
    // invoices, the bank or cash voucher number otherwise.
    QString documentNumber(const KonyvelFields& fields) const;

private:
    void readVatRow(const QSqlRecord& row);

    std::unique_ptr<PostingLookups> m_ownLookups;
    PostingLookups* m_lookups;
    QString m_vatKey;
    std::optional<QSqlRecord> m_vatRow;
};

// True when the main row of an item holds its net amount (customer,
// supplier and cash vouchers with VAT); in every other journal it holds the
// gross amount and the VAT row comes on top of it.
bool MainRowIsNet(const QString& ntipus, bool withVat);

// True when the VAT row of an item keeps the item's debit account and takes
// the VAT account on its credit side: customer invoices and cash sales
// debited to a receivable, supplier credit notes debited to the supplier.
// Otherwise the VAT account is debited against the item's credit account.
bool VatAccountOnCreditSide(const QString& ntipus, const QString& szla);

// The debit and credit account of the VAT row of an item.
struct VatRowAccounts {
    QString szla, eszla;
};
VatRowAccounts VatRowAccountsOf(const QString& ntipus, const QString& szla, const QString& eszla, const QString& aszla);
