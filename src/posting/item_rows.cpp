#include "item_rows.h"

#include "db/altproc.h"

namespace {

// Text parameters are never sent as NULL: an empty field is stored as ''.
QString txt(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

}  // namespace

LedgerItem MainRow(const KonyvelForm& form, const KonyvelFields& f) {
    LedgerItem row;
    row.teljkelt = txt(f.e_teljkelt);
    row.szlakelt = txt(f.e_szamlakelt);
    row.fizhatido = txt(f.e_fizhatido);
    row.bizkelt = txt(f.e_bizkelt);
    row.konyvelve = txt(f.e_konyvdat);
    row.tipus = QStringLiteral("");
    row.bizonylat = txt(form.documentNumber(f));
    row.tartKov = QStringLiteral("");
    row.szoveg = txt(f.e_szoveg);
    // The net amount of an invoice or cash item with VAT, the amount as
    // typed in every other case (without VAT the net amount is the amount itself).
    row.ertek = AmountOf(MainRowIsNet(f.e_ntipus, f.cb_afa) ? f.e_nettoertek : f.e_ertek);
    row.ntipus = txt(f.e_ntipus);
    row.ugyfelkod = txt(f.e_ugyfelkod);
    row.ktsghely = txt(f.e_ktsghely);
    row.konyvbiz = txt(f.e_konyvbiz);
    row.szamlaszam = txt(f.e_szamlaszam);
    row.szla = txt(f.e_szla);
    row.eszla = txt(f.e_eszla);
    row.afakulcs = form.c.p_afa ? txt(f.e_afakulcs) : QStringLiteral("");
    row.sor65 = form.c.p_afa ? txt(f.e_sor65) : QStringLiteral("");
    row.devizanem = txt(f.e_devizanem);
    if (form.wanarfolyam) row.arfolyam = AmountOf(f.e_arfolyam);
    row.devizaertek = AmountOf(f.e_devizaertek);
    return row;
}

QList<LedgerItem> NewItemRows(const KonyvelForm& form, KonyvelFields& f) {
    if (form.c.p_afa && IsEmptyDate(f.e_teljkelt)) f.e_teljkelt = f.e_konyvdat;
    QList<LedgerItem> rows{MainRow(form, f)};
    if (form.c.p_afa && !f.e_aszla.isEmpty() && f.cb_afa) {
        LedgerItem vat = rows.first();
        const VatRowAccounts accounts = VatRowAccountsOf(f.e_ntipus, f.e_szla, f.e_eszla, f.e_aszla);
        vat.szla = txt(accounts.szla);
        vat.eszla = txt(accounts.eszla);
        vat.szoveg = QStringLiteral("AFA");
        vat.ertek = AmountOf(f.e_afaertek);
        vat.tartKov = QStringLiteral("A");
        vat.devizaertek = form.wanarfolyam ? vat.ertek * AmountOf(f.e_arfolyam) : vat.ertek;
        rows << vat;
    }
    return rows;
}

QVariantMap RowParams(const LedgerItem& row) {
    return {{QStringLiteral("sorszam"), txt(row.sorszam)},     {QStringLiteral("szla"), txt(row.szla)},
            {QStringLiteral("eszla"), txt(row.eszla)},         {QStringLiteral("teljkelt"), txt(row.teljkelt)},
            {QStringLiteral("szlakelt"), txt(row.szlakelt)},   {QStringLiteral("fizhatido"), txt(row.fizhatido)},
            {QStringLiteral("bizkelt"), txt(row.bizkelt)},     {QStringLiteral("konyvelve"), txt(row.konyvelve)},
            {QStringLiteral("tipus"), txt(row.tipus)},         {QStringLiteral("bizonylat"), txt(row.bizonylat)},
            {QStringLiteral("szoveg"), txt(row.szoveg)},       {QStringLiteral("ertek"), row.ertek},
            {QStringLiteral("ntipus"), txt(row.ntipus)},       {QStringLiteral("tart_kov"), txt(row.tartKov)},
            {QStringLiteral("ugyfelkod"), txt(row.ugyfelkod)}, {QStringLiteral("ktsghely"), txt(row.ktsghely)},
            {QStringLiteral("konyvbiz"), txt(row.konyvbiz)},   {QStringLiteral("szamlaszam"), txt(row.szamlaszam)},
            {QStringLiteral("kapocs"), txt(row.kapocs)},       {QStringLiteral("afakulcs"), txt(row.afakulcs)},
            {QStringLiteral("sor65"), txt(row.sor65)},         {QStringLiteral("devizanem"), txt(row.devizanem)},
            {QStringLiteral("devizaertek"), row.devizaertek},  {QStringLiteral("arfolyam"), row.arfolyam}};
}
