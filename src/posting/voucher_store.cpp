#include "voucher_store.h"

#include <QSqlQuery>
#include <optional>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/counter_update.h"
#include "db/sequence.h"
#include "db/ui_hooks.h"
#include "posting/item_rows.h"
#include "posting/item_statements.h"
#include "posting/voucher_statements.h"

namespace {

const QString kNoVoucherNumber =
    QStringLiteral("Nem sikerült könyvelési bizonylatszámot kérni, a tétel nincs tárolva.");
const QString kNoSerialNumber = QStringLiteral("Nem sikerült tétel sorszámot kérni, a tétel nincs tárolva.");

// Text parameters are never sent as NULL: an empty field is stored as ''.
QVariant txt(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

QString rowText(const QSqlRecord& row, const QString& column) {
    const QVariant v = row.value(column);
    return v.isNull() ? QString() : v.toString();
}

double number(const QString& text) { return AmountOf(text); }


void execute(const QStringList& statement, const QVariantMap& params) {
    ExecSql(d_tarvedo, statement.join(QLatin1Char('\n')), params);
}

// The parameters the item update shares with the new rows.
QVariantMap itemParams(const KonyvelForm& form, const KonyvelFields& f) { return RowParams(MainRow(form, f)); }

// The VAT row's parameters on top of the item's.
void vatParams(const KonyvelForm& form, const KonyvelFields& f, QVariantMap& p) {
    const double vat = number(f.e_afaertek);
    p[QStringLiteral("szoveg")] = QStringLiteral("AFA");
    p[QStringLiteral("ertek")] = vat;
    p[QStringLiteral("tart_kov")] = QStringLiteral("A");
    if (form.c.deviza) p[QStringLiteral("devizaertek")] = form.wanarfolyam ? vat * number(f.e_arfolyam) : vat;
}

bool headerChanged(const KonyvelForm& form, const KonyvelFields& f, const QSqlRecord& row) {
    const auto differs = [&row](const QString& field, const QString& column) { return field != rowText(row, column); };
    if (differs(f.e_konyvdat, QStringLiteral("KONYVELVE")) || differs(f.e_ugyfelkod, QStringLiteral("UGYFELKOD"))
        || differs(f.e_ktsghely, QStringLiteral("KTSGHELY")) || differs(form.documentNumber(f), QStringLiteral("BIZONYLAT"))
        || differs(f.e_szamlaszam, QStringLiteral("SZAMLASZAM")) || differs(f.e_szamlakelt, QStringLiteral("SZLAKELT"))
        || differs(f.e_teljkelt, QStringLiteral("TELJKELT")) || differs(f.e_fizhatido, QStringLiteral("FIZHATIDO"))
        || differs(f.e_devizanem, QStringLiteral("DEVIZANEM")))
        return true;
    return form.wanarfolyam && number(f.e_arfolyam) != row.value(QStringLiteral("ARFOLYAM")).toDouble();
}

void updateHeader(const KonyvelForm& form, const KonyvelFields& f, const QSqlRecord& row) {
    QVariantMap p;
    p[QStringLiteral("konyvelve")] = txt(f.e_konyvdat);
    p[QStringLiteral("ugyfelkod")] = txt(f.e_ugyfelkod);
    p[QStringLiteral("ktsghely")] = txt(f.e_ktsghely);
    p[QStringLiteral("bizonylat")] = txt(form.documentNumber(f));
    p[QStringLiteral("szamlaszam")] = txt(f.e_szamlaszam);
    p[QStringLiteral("teljkelt")] = txt(f.e_teljkelt);
    p[QStringLiteral("szlakelt")] = txt(f.e_szamlakelt);
    p[QStringLiteral("fizhatido")] = txt(f.e_fizhatido);
    p[QStringLiteral("devizanem")] = txt(f.e_devizanem);
    p[QStringLiteral("arfolyam")] = number(f.e_arfolyam);
    p[QStringLiteral("ntipus")] = txt(f.e_ntipus);
    p[QStringLiteral("konyvbiz")] = txt(f.e_konyvbiz);
    p[QStringLiteral("sorszam")] = txt(rowText(row, QStringLiteral("SORSZAM")));
    execute(form.statements.qu_tetelfej, p);
}

// A new item: link number, serial number, main row, VAT row. Empty on
// success, else why nothing may be stored.
// `sorszam`: the serial number taken before the transaction, empty to take
// it in the caller's transaction.
QString insertItem(KonyvelForm& form, KonyvelFields& f, ItemStatements& statements, int& kapocsn,
                   QString& sorszam) {
    kapocsn = statements.maxLink(f.e_ntipus, f.e_konyvbiz) + 1;
    if (sorszam.isEmpty()) sorszam = statements.nextNumber(QStringLiteral("SORSZAM"));
    if (sorszam == QLatin1String("-1")) return kNoSerialNumber;
    for (LedgerItem& row : NewItemRows(form, f)) {
        row.kapocs = ZeroPad(QString::number(kapocsn), 3);
        row.sorszam = sorszam;
        statements.insert(RowParams(row));
    }
    return {};
}

// The stored item of the current row, and its VAT row when the gross
// amount changed.
void updateItem(KonyvelForm& form, KonyvelFields& f, const QSqlRecord& row) {
    const bool isVatRow = rowText(row, QStringLiteral("TART_KOV")) == QLatin1String("A");
    // The gross amount as the item showed it: the main row with its VAT row
    // where the main row is net, the main row alone where it is gross.
    double shownGross = row.value(QStringLiteral("ERTEK")).toDouble();
    const std::optional<QSqlRecord> vatRow = form.vatRow();
    if (!isVatRow && vatRow && MainRowIsNet(rowText(row, QStringLiteral("NTIPUS")), true))
        shownGross += vatRow->value(QStringLiteral("ERTEK")).toDouble();

    QVariantMap p = itemParams(form, f);
    p[QStringLiteral("kapocs")] = txt(rowText(row, QStringLiteral("KAPOCS")));
    p[QStringLiteral("sorszam")] = txt(rowText(row, QStringLiteral("SORSZAM")));
    p[QStringLiteral("szlauj")] = txt(f.e_szla);
    p[QStringLiteral("eszlauj")] = txt(f.e_eszla);
    p[QStringLiteral("szla")] = txt(rowText(row, QStringLiteral("SZLA")));
    p[QStringLiteral("eszla")] = txt(rowText(row, QStringLiteral("ESZLA")));
    // On modification the voucher date becomes the posting date.
    p[QStringLiteral("bizkelt")] = txt(f.e_konyvdat);
    p[QStringLiteral("konyvelve")] = txt(f.e_konyvdat);
    // A VAT row stays a VAT row.
    p[QStringLiteral("tart_kov")] = txt(rowText(row, QStringLiteral("TART_KOV")));
    execute(form.statements.qu_tetel, p);

    if (number(f.e_ertek) == shownGross || !f.cb_afa || f.e_aszla.isEmpty() || isVatRow) return;
    form.f = f;
    form.AfaSzamol(AfaTrigger::Store);
    f = form.f;
    if (!vatRow) return;
    const VatRowAccounts accounts = VatRowAccountsOf(f.e_ntipus, f.e_szla, f.e_eszla, f.e_aszla);
    p[QStringLiteral("szlauj")] = txt(accounts.szla);
    p[QStringLiteral("eszlauj")] = txt(accounts.eszla);
    p[QStringLiteral("szla")] = txt(rowText(*vatRow, QStringLiteral("SZLA")));
    p[QStringLiteral("eszla")] = txt(rowText(*vatRow, QStringLiteral("ESZLA")));
    vatParams(form, f, p);
    execute(form.statements.qu_tetel, p);
}

}  // namespace

StoreResult StoreItem(KonyvelForm& form, ItemStatements* statements) {
    StoreResult result;
    form.f.e_ugyfelkod = form.f.e_ugyfelkod.toUpper();
    result.check = FejEllenoriz(form.f, form.c, form.lookups());
    if (result.check.ok()) result.check = TetelEllenoriz(form.f, form.c, form.lookups());
    if (!result.check.ok()) {
        result.message = result.check.message();
        return result;
    }

    const KonyvelFields before = form.f;
    const bool newItem = form.wstate == QLatin1String("insert") || form.wstate == QLatin1String("new");
    // A typed number names a new voucher; items are added to a stored one
    // only through "Új tétel".
    if (form.wstate == QLatin1String("insert") && !form.f.e_konyvbiz.trimmed().isEmpty() &&
        VoucherExists(form.f.e_ntipus, form.f.e_konyvbiz)) {
        result.message = QStringLiteral("A(z) %1 %2 bizonylat már létezik. Új tételt a meglévő bizonylathoz az „Új tétel” "
                                        "gombbal vehet fel; új bizonylatnak adjon új számot, vagy hagyja üresen.")
                             .arg(form.f.e_ntipus, form.f.e_konyvbiz);
        result.check.focus = QStringLiteral("e_konyvbiz");
        return result;
    }
    const bool update = !newItem && form.wstatesor == QLatin1String("update") && form.currentRow();
    KonyvelFields f = form.f;
    int kapocsn = form.wkapocsn;
    // On its own the store takes the voucher number and the serial number
    // before its transaction, each committed by the counter itself, so the
    // counters are never held while the rows are written (a number lost to
    // a failed write leaves a gap). In a caller's transaction the caller
    // decides.
    QString sorszam;
    const bool ownTransaction = !InTransaction(d_tarvedo);
    if (ownTransaction) {
        if (f.e_konyvbiz.trimmed().isEmpty()) {
            const QString konyvbiz = NextSequenceNumber(f.e_ntipus);
            if (konyvbiz == QLatin1String("-1")) {
                result.message = kNoVoucherNumber;
                return result;
            }
            f.e_konyvbiz = konyvbiz;
        }
        if (newItem) {
            // The serial number; a voucher number typed ahead of its counter
            // moves the counter past it in the same short transaction.
            const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV"));
            const qlonglong typed = CounterOfNumber(year, f.e_konyvbiz);
            const QMap<QString, qlonglong> floors = typed > 0 ? QMap<QString, qlonglong>{{f.e_ntipus, typed}}
                                                              : QMap<QString, qlonglong>{};
            const QString kind = QStringLiteral("SORSZAM");
            sorszam = SequenceNumberText(year, AdvanceCountersPast(d_tarvedo, year, {{kind, 1}}, floors).value(kind));
        }
    }
    try {
        std::optional<DbTransaction> transaction;
        if (ownTransaction) transaction.emplace(d_tarvedo);
        std::optional<ItemStatements> own;
        if (!statements) statements = &own.emplace(form.statements);

        if (f.e_konyvbiz.trimmed().isEmpty()) {
            const QString konyvbiz = statements->nextNumber(f.e_ntipus);
            if (konyvbiz == QLatin1String("-1")) {
                result.message = kNoVoucherNumber;
                return result;
            }
            f.e_konyvbiz = konyvbiz;
        }
        if (const QSqlRecord* row = form.currentRow(); row && headerChanged(form, f, *row)) updateHeader(form, f, *row);

        if (newItem) {
            const QString refused = insertItem(form, f, *statements, kapocsn, sorszam);
            if (!refused.isEmpty()) {
                result.message = refused;
                return result;
            }
        } else if (update) {
            updateItem(form, f, *form.currentRow());
        }
        own.reset();  // prepared in this transaction
        if (transaction) transaction->commit();
    } catch (...) {
        form.f = before;
        throw;
    }
    form.f = f;
    form.wkonyvbiz = f.e_konyvbiz;
    if (newItem) {
        form.wkapocsn = kapocsn;
        result.sorszam = sorszam;
    }
    result.stored = true;
    return result;
}

// The bookkeeper confirms an item dated outside the business year; true to store.
bool confirmDatesOutsideTheYear(const KonyvelFields& f) {
    const bool posting = OutsideBusinessYear(f.e_konyvdat);
    const bool fulfilment = OutsideBusinessYear(f.e_teljkelt);
    if (!posting && !fulfilment) return true;
    const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV")).trimmed();
    QString what = posting && fulfilment ? QStringLiteral("A könyvelés dátuma és a teljesítés kelte")
                   : posting            ? QStringLiteral("A könyvelés dátuma")
                                        : QStringLiteral("A teljesítés kelte");
    return AskDialog(what + QStringLiteral(" nem a cég ") + year + QStringLiteral(". évére esik. Tárolja így a tételt?"), 0,
                     {QStringLiteral(" Igen "), QStringLiteral(" Nem ")})
           == 0;
}

bool TetelTarol(KonyvelForm& form, const OpenAssetRegister& openAssets) {
    // Only dates that pass the checks are asked about: the checks come first.
    CheckResult check = FejEllenoriz(form.f, form.c, form.lookups());
    if (check.ok()) check = TetelEllenoriz(form.f, form.c, form.lookups());
    if (check.ok() && !confirmDatesOutsideTheYear(form.f)) return false;
    const StoreResult result = StoreItem(form);
    if (!result.stored) {
        if (!result.message.isEmpty()) ShowMessage(result.message);
        if (!result.check.focus.isEmpty()) form.c.focus = result.check.focus;
        return false;
    }

    // The rows as stored now; the VAT row of the item is read again. A new
    // item is shown among the voucher's stored items, so the store is seen
    // and "Új tétel" goes on with the same voucher.
    form.ForgetVatRow();
    if (result.sorszam.isEmpty()) {
        form.OpenGrid(form.f.e_ntipus, form.f.e_konyvbiz);
        form.Locate(form.wsorszam, form.f.e_szla, form.f.e_eszla);
    } else {
        form.OpenGrid(form.f.e_ntipus, form.f.e_konyvbiz, QString());
        form.Locate(result.sorszam, form.f.e_szla, form.f.e_eszla);
    }
    form.SorAllapotValt(QStringLiteral("browse"));
    form.AllapotValt(QStringLiteral("browse"));

    if (form.f.e_szla.startsWith(QLatin1Char('1')) || form.f.e_eszla.startsWith(QLatin1Char('1'))) {
        const int answer = AskDialog(QStringLiteral("Belép a tárgyi eszközök kezeléséhez?"), 0,
                                     {QStringLiteral(" Igen "), QStringLiteral(" Nem ")});
        if (answer == 0 && openAssets) openAssets(form.f.e_ntipus, form.f.e_konyvbiz);
    }
    return true;
}
