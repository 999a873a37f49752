#include "konyvel.h"

#include <QDate>
#include <QSqlQuery>

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/dat.h"
#include "db/display_mask.h"
#include "db/ini.h"
#include "db/ui_hooks.h"
#include "posting/vat_split.h"

namespace {

QString text(const QSqlRecord& row, const QString& column) {
    const QVariant v = row.value(column);
    return v.isNull() ? QString() : v.toString();
}

// A stored date as a masked field shows it.
QString dateText(const QSqlRecord& row, const QString& column) {
    const QString t = text(row, column);
    return t.trimmed().isEmpty() ? EmptyDate : t;
}

QString upper(const QString& column) { return Td().ceg.text(column).trimmed().toUpper(); }

const QStringList kYesNo{QStringLiteral(" Igen "), QStringLiteral(" Nem ")};

}  // namespace

double AmountOf(const QString& text) {
    double value = 0;
    return ParseAmount(text.trimmed(), value) ? value : 0;
}

QString ProposedPostingDate(const QDate& today) {
    bool ok = false;
    const int year = Td().ceg.text(QStringLiteral("AKTUALISEV")).trimmed().toInt(&ok);
    if (!ok || year == today.year()) return DateToText(today);
    // A past year is mostly posted at its end, a coming one from its start.
    return DateToText(year < today.year() ? QDate(year, 12, 31) : QDate(year, 1, 1));
}

bool OutsideBusinessYear(const QString& date) {
    if (IsEmptyDate(date)) return false;
    const QString year = Td().ceg.text(QStringLiteral("AKTUALISEV")).trimmed();
    return !year.isEmpty() && date.left(4) != year;
}

bool IsEmptyDate(const QString& text) {
    for (QChar ch : text)
        if (ch != QLatin1Char(' ') && ch != QLatin1Char('.')) return false;
    return true;
}

bool MainRowIsNet(const QString& ntipus, bool withVat) {
    const AppValues& td = Td();
    return withVat && (ntipus == td.VeKod || ntipus == td.SzKod || ntipus == td.PtKod);
}

bool VatAccountOnCreditSide(const QString& ntipus, const QString& szla) {
    const AppValues& td = Td();
    const QString first = szla.left(1);
    return (ntipus == td.VeKod && first == QLatin1String("3")) || (ntipus == td.SzKod && first == QLatin1String("4"))
           || (ntipus == td.PtKod && first == QLatin1String("3"));
}

VatRowAccounts VatRowAccountsOf(const QString& ntipus, const QString& szla, const QString& eszla, const QString& aszla) {
    if (VatAccountOnCreditSide(ntipus, szla)) return {szla, aszla};
    return {aszla, eszla};
}

KonyvelForm::KonyvelForm(PostingLookups* lookups) {
    if (!lookups) {
        m_ownLookups = std::make_unique<PostingLookups>();
        lookups = m_ownLookups.get();
    }
    m_lookups = lookups;
}

QString KonyvelForm::documentNumber(const KonyvelFields& fields) const {
    return fields.e_ntipus == Td().VeKod ? fields.e_szamlaszam : fields.e_bizonylat;
}

// ---------------------------------------------------------------- opening

void KonyvelForm::FormShow() {
    QString setting;
    IniGet(QStringLiteral("VANARFOLYAM"), setting);
    wanarfolyam = setting.trimmed().toUpper() == QLatin1String("I");

    OpenGrid(wntipus, wkonyvbiz, wsorszam);
    if (!wntipus.isEmpty()) {
        Locate(wsorszam, wszla, weszla);
        AllapotValt(QStringLiteral("update"));
    } else {
        AllapotValt(QStringLiteral("browse"));
        c.b_ujbiz = true;
    }

    c.e_bizonylat = upper(QStringLiteral("VANPENZTAR")) != QLatin1String("N");
    c.ugyfel = upper(QStringLiteral("VANUGYFEL")) != QLatin1String("N");
    c.deviza = upper(QStringLiteral("VANDEVIZA")) == QLatin1String("I");
    c.arfolyam = c.deviza && wanarfolyam;
    c.e_konyvbiz = upper(QStringLiteral("VANKONYVBIZ")) != QLatin1String("I");

    statements = AssembleVoucherStatements(c.deviza, wanarfolyam);
    if (!c.deviza) {
        f.e_devizanem = QStringLiteral("HUF");
        f.e_arfolyam = QStringLiteral("1");
    }
    wdefaultafakod = m_lookups->defaultVatCode();

    if (!wntipus.isEmpty() && !wkonyvbiz.isEmpty() && wstate == QLatin1String("browse")) b_modositClick();
}

// ---------------------------------------------------------------- journal type and VAT box

void KonyvelForm::NtipusBeallit(bool withDefaults) {
    const AppValues& td = Td();
    const QString t = f.e_ntipus;
    wntipus = t;
    c.bizonylatVisible = t == td.BkKod || t == td.PtKod;
    if (t == td.BkKod) {
        c.L_Bizonylat = QStringLiteral(" Banki sorszám:");
        c.L_teljkelt = QStringLiteral(" Banki teljkelt :");
    } else if (t == td.PtKod) {
        c.L_Bizonylat = QStringLiteral(" Pénztárbizonylat:");
        c.L_teljkelt = QStringLiteral(" Pénztári teljkelt:");
    } else if (t == QLatin1String("V") || t == QLatin1String("7")) {
        SetAfa(false);
    } else {
        c.L_teljkelt = QStringLiteral(" Teljkelt : ");
    }

    if (withDefaults) {
        auto accountName = [this](const QString& szla) -> std::optional<QString> {
            if (const auto row = m_lookups->account(szla)) return text(*row, QStringLiteral("SZOVEG"));
            if (!szla.isEmpty())
                ShowMessage(QStringLiteral("Nincs olyan érték a SZ_TUKOR táblában, ahol SZLA='") + szla + QLatin1Char('\''));
            return std::nullopt;
        };
        if (t == td.VeKod || t == td.BkKod || t == td.PtKod) {
            f.e_szla = wdefaultszla;
            if (const auto name = accountName(wdefaultszla)) f.l_szla = *name;
            SetAfa(t != td.BkKod);
        } else if (t == td.SzKod) {
            f.e_eszla = wdefaultszla;
            if (const auto name = accountName(wdefaultszla)) f.l_eszla = *name;
            SetAfa(true);
        }
        if (f.cb_afa) {
            const auto row = m_lookups->journalVatAccount(t, wdefaultafakod, QStringLiteral("H"));
            f.e_aszla = row ? text(*row, QStringLiteral("ASZLA")).trimmed() : QString();
            f.l_aszlanev = row ? text(*row, QStringLiteral("SZOVEG")) : QString();
            // The VAT-return line goes with the proposed account, as a chosen one does.
            f.e_sor65 = row ? text(*row, QStringLiteral("SOR65")) : QString();
            wafakulcs = wdefaultafakod;
            f.e_afakulcs = wdefaultafakod;
        }
    }
    c.p_afa = f.cb_afa;
}

void KonyvelForm::SetAfa(bool checked) {
    if (f.cb_afa == checked) return;
    f.cb_afa = checked;
    cb_afaClick();
}

void KonyvelForm::cb_afaClick() {
    c.p_afa = f.cb_afa;
    wafakulcs = f.cb_afa ? wdefaultafakod : QString();
    f.e_afakulcs = wafakulcs;
}

// ---------------------------------------------------------------- states

void KonyvelForm::AllapotValt(const QString& state) {
    wstate = state;
    c.p_sorbutton = true;
    if (state == QLatin1String("insert") || state == QLatin1String("new")) {
        c.l_state = QStringLiteral("Új bizonylat");
        c.P_fej = c.p_tetel = true;
        c.b_ujbiz = true;
        c.b_ujtetel = c.b_modosit = false;
        c.b_rogzit = c.b_megsem = true;
        wstatesor = QStringLiteral("insert");
        c.focus = QStringLiteral("e_ntipus");
    } else if (state == QLatin1String("browse")) {
        c.l_state = StateCaption(state);
        c.P_fej = c.p_tetel = false;
        c.b_ujtetel = c.b_modosit = true;
        c.b_rogzit = c.b_megsem = false;
        if (!rows.isEmpty()) {
            FejMutat();
            TetelMutat();
        } else {
            FejTorol();
            TetelTorol();
            c.p_sorbutton = false;
        }
        wstatesor = QStringLiteral("browse");
    } else if (state == QLatin1String("update")) {
        c.l_state = StateCaption(state);
        c.P_fej = c.p_tetel = true;
        c.b_ujbiz = false;
        if (!rows.isEmpty()) {
            FejMutat();
            b_modositClick();
        } else {
            b_ujbizClick();
        }
    }
    c.l_statesor = StateCaption(wstatesor);
}

void KonyvelForm::SorAllapotValt(const QString& state) {
    wstatesor = state;
    c.l_statesor = StateCaption(state);
    const bool editing = state == QLatin1String("insert") || state == QLatin1String("update");
    if (editing || state == QLatin1String("browse")) {
        c.p_tetel = editing;
        c.b_ujtetel = c.b_modosit = !editing;
        c.b_rogzit = c.b_megsem = editing;
    }
}

// ---------------------------------------------------------------- header and item

void KonyvelForm::FejTorol() {
    f.e_ntipus.clear();
    f.e_konyvbiz.clear();
    f.e_bizkelt = DateToText();
    if (IsEmptyDate(f.e_konyvdat)) f.e_konyvdat = ProposedPostingDate();
    f.e_ugyfelkod.clear();
    f.e_ktsghely.clear();
    f.e_bizonylat.clear();
    f.e_szamlaszam.clear();
    f.e_szamlakelt = EmptyDate;
    f.e_teljkelt = EmptyDate;
    f.e_fizhatido = EmptyDate;
    f.e_devizanem.clear();
    f.e_arfolyam.clear();
    f.l_ntip.clear();
    f.l_ugyfelnev.clear();
}

void KonyvelForm::FejMutat() {
    const QSqlRecord* row = currentRow();
    if (!row) return;
    f.e_ntipus = wntipus;
    f.e_konyvbiz = wkonyvbiz;
    f.e_konyvdat = dateText(*row, QStringLiteral("KONYVELVE"));
    f.e_ugyfelkod = text(*row, QStringLiteral("UGYFELKOD"));
    f.e_ktsghely = text(*row, QStringLiteral("KTSGHELY"));
    f.e_bizonylat = text(*row, QStringLiteral("BIZONYLAT"));
    f.e_szamlaszam = text(*row, QStringLiteral("SZAMLASZAM"));
    f.e_szamlakelt = dateText(*row, QStringLiteral("SZLAKELT"));
    f.e_teljkelt = dateText(*row, QStringLiteral("TELJKELT"));
    f.e_bizkelt = dateText(*row, QStringLiteral("BIZKELT"));
    f.e_fizhatido = dateText(*row, QStringLiteral("FIZHATIDO"));
    f.e_devizanem = text(*row, QStringLiteral("DEVIZANEM"));
    f.e_arfolyam = wanarfolyam ? FormatMask(row->value(QStringLiteral("ARFOLYAM")).toDouble(), QStringLiteral("#####.###"))
                               : QStringLiteral("1");
    NtipusBeallit(false);
}

void KonyvelForm::TetelTorol() {
    f.e_szoveg.clear();
    f.e_szla.clear();
    f.e_eszla.clear();
    f.e_ertek.clear();
    f.e_aszla.clear();
    f.e_afaertek.clear();
    f.e_nettoertek.clear();
    f.e_devizaertek.clear();
    f.e_afakulcs.clear();
    f.e_sor65.clear();
    f.l_szla.clear();
    f.l_eszla.clear();
    f.l_aszlanev.clear();
}

void KonyvelForm::readVatRow(const QSqlRecord& row) {
    const QString sorszam = text(row, QStringLiteral("SORSZAM"));
    const QString kapocs = text(row, QStringLiteral("KAPOCS"));
    const QString key = sorszam + QChar(0x1F) + kapocs;
    if (key == m_vatKey) return;
    m_vatKey = key;
    m_vatRow.reset();
    QSqlQuery q = ExecSql(d_tarvedo, VatRowStatement().join(QLatin1Char('\n')),
                          {{QStringLiteral("sorszam"), sorszam.isNull() ? QStringLiteral("") : sorszam},
                           {QStringLiteral("kapocs"), kapocs.isNull() ? QStringLiteral("") : kapocs}});
    if (NextRow(q)) m_vatRow = q.record();
}

void KonyvelForm::TetelMutat() {
    const QSqlRecord* row = currentRow();
    if (!row) return;
    const QString afakulcs = text(*row, QStringLiteral("AFAKULCS"));
    f.e_szoveg = text(*row, QStringLiteral("SZOVEG"));
    f.e_szla = text(*row, QStringLiteral("SZLA"));
    f.e_eszla = text(*row, QStringLiteral("ESZLA"));
    const QVariant devizaertek = row->value(QStringLiteral("DEVIZAERTEK"));
    f.e_devizaertek = devizaertek.isNull() ? QString() : AmountText(devizaertek.toDouble());
    f.l_szla = text(*row, QStringLiteral("SZLANEV"));
    f.l_eszla = text(*row, QStringLiteral("ESZLANEV"));
    f.e_afakulcs = afakulcs;
    wafakulcs = afakulcs;
    f.e_sor65 = text(*row, QStringLiteral("SOR65"));

    readVatRow(*row);
    const double ertek = row->value(QStringLiteral("ERTEK")).toDouble();
    if (!m_vatRow) {
        SetAfa(false);
        f.e_ertek = AmountText(ertek);
        f.e_aszla.clear();
        f.e_afaertek.clear();
        f.e_nettoertek.clear();
        return;
    }
    // Checking the box proposes the default VAT code; the item keeps its own.
    SetAfa(true);
    f.e_afakulcs = afakulcs;
    wafakulcs = afakulcs;

    // The item's own journal type: the header may not show it yet.
    const QString ntipus = text(*row, QStringLiteral("NTIPUS"));
    const QSqlRecord& vat = *m_vatRow;
    const double vatAmount = vat.value(QStringLiteral("ERTEK")).toDouble();
    if (text(*row, QStringLiteral("TART_KOV")) != QLatin1String("A")) {
        // The amounts as the storage wrote them: a net main row in customer,
        // supplier and cash vouchers, a gross one in every other journal.
        if (MainRowIsNet(ntipus, true)) {
            f.e_ertek = AmountText(ertek + vatAmount);
            f.e_nettoertek = AmountText(ertek);
        } else {
            f.e_ertek = AmountText(ertek);
            f.e_nettoertek = AmountText(ertek - vatAmount);
        }
        // The VAT account is on the side of the VAT row where the storage
        // put it for this item.
        f.e_aszla = VatAccountOnCreditSide(ntipus, f.e_szla) ? text(vat, QStringLiteral("ESZLA"))
                                                                 : text(vat, QStringLiteral("SZLA"));
    } else {
        // The VAT row shown by itself: its amount is the VAT, and its VAT
        // account is the side that is one (a customer invoice's VAT row is
        // debited to the customer and credited to the VAT account).
        f.e_ertek = AmountText(ertek);
        f.e_nettoertek = AmountText(ertek);
        const QString debit = text(vat, QStringLiteral("SZLA"));
        const QString credit = text(vat, QStringLiteral("ESZLA"));
        f.e_aszla = !m_lookups->vatAccount(debit.trimmed()) && m_lookups->vatAccount(credit.trimmed()) ? credit : debit;
    }
    f.e_afaertek = AmountText(vatAmount);

    const auto account = m_lookups->journalVatAccount(ntipus, f.e_afakulcs, QStringLiteral("H"));
    f.l_aszlanev = account ? text(*account, QStringLiteral("SZOVEG")) : QString();
}

void KonyvelForm::AfaSzamol(AfaTrigger trigger) {
    if (c.p_afa && !wafakulcs.isEmpty()) {
        f.e_afakulcs = wafakulcs;
        const double r = m_lookups->vatRate(wafakulcs);
        if ((trigger == AfaTrigger::Aszla || trigger == AfaTrigger::Ertek) && !f.e_ertek.isEmpty()) {
            const VatSplit s = SplitGross(AmountOf(f.e_ertek), r);
            f.e_nettoertek = AmountText(s.net);
            f.e_afaertek = AmountText(s.vat);
        } else if (trigger == AfaTrigger::Nettoertek && !f.e_nettoertek.isEmpty()) {
            const VatSplit s = SplitNet(AmountOf(f.e_nettoertek), r);
            f.e_ertek = AmountText(s.gross);
            f.e_afaertek = AmountText(s.vat);
        } else if (trigger == AfaTrigger::Store && !f.e_nettoertek.isEmpty()) {
            const VatSplit s = SplitNet(AmountOf(f.e_nettoertek), r);
            f.e_nettoertek = AmountText(s.net);
            f.e_afaertek = AmountText(s.vat);
        }
    } else {
        f.e_nettoertek = f.e_ertek;
    }
    f.e_devizaertek = AmountText(AmountOf(f.e_ertek) * AmountOf(f.e_arfolyam));
}

// ---------------------------------------------------------------- grid

void KonyvelForm::OpenGrid(const QString& ntipus, const QString& konyvbiz, std::optional<QString> sorszam) {
    gridNtipus = ntipus;
    gridKonyvbiz = konyvbiz;
    if (sorszam) gridSorszam = *sorszam;
    rows.clear();
    current = -1;
    auto nonNull = [](const QString& t) { return t.isNull() ? QStringLiteral("") : t; };
    QVariantMap params{{QStringLiteral("ntipus"), nonNull(gridNtipus)}, {QStringLiteral("konyvbiz"), nonNull(gridKonyvbiz)}};
    // Without a serial number the grid shows the whole voucher.
    const bool wholeVoucher = gridSorszam.isEmpty();
    if (!wholeVoucher) params.insert(QStringLiteral("sorszam"), gridSorszam);
    QSqlQuery q = ExecSql(d_tarvedo, (wholeVoucher ? VoucherGridStatement() : GridStatement()).join(QLatin1Char('\n')),
                          params);
    while (NextRow(q)) rows << q.record();
    if (!rows.isEmpty()) current = 0;
}

void KonyvelForm::Locate(const QString& sorszam, const QString& szla, const QString& eszla) {
    if (rows.isEmpty()) return;
    int found = 0;
    for (int i = 0; i < rows.size(); ++i) {
        if (text(rows[i], QStringLiteral("SORSZAM")) == sorszam && text(rows[i], QStringLiteral("SZLA")) == szla
            && text(rows[i], QStringLiteral("ESZLA")) == eszla) {
            found = i;
            break;
        }
    }
    MoveTo(found);
}

void KonyvelForm::MoveTo(int row) {
    if (row < 0 || row >= rows.size()) return;
    current = row;
    TetelMutat();
}

// ---------------------------------------------------------------- field exits

void KonyvelForm::e_ntipusExit() {
    const QString t = f.e_ntipus.trimmed();
    if (t.isEmpty()) return;
    const auto row = m_lookups->journalType(t);
    if (!row) return;
    f.l_ntip = text(*row, QStringLiteral("NEV"));
    wdefaultszla = text(*row, QStringLiteral("SZLA"));
    if (f.e_ntipus != wntipus) NtipusBeallit(true);
}

void KonyvelForm::e_ugyfelkodExit() {
    f.e_ugyfelkod = f.e_ugyfelkod.toUpper();
    if (f.e_ugyfelkod.isEmpty()) {
        f.l_ugyfelnev.clear();
        return;
    }
    const auto row = m_lookups->partner(f.e_ugyfelkod);
    f.l_ugyfelnev = row ? text(*row, QStringLiteral("NEV")) : QStringLiteral("Nincs ilyen kódú ügyfél");
}

bool KonyvelForm::e_ktsghelyExit() { return !f.e_ktsghely.isEmpty() && !m_lookups->costCentre(f.e_ktsghely); }

void KonyvelForm::e_szlaExit() {
    if (wstate == QLatin1String("browse")) return;
    const QString t = f.e_szla.trimmed();
    const auto row = m_lookups->account(t);
    if (!row) return;
    f.l_szla = text(*row, QStringLiteral("SZOVEG"));
    if (t != wdefaultszla && f.e_eszla.isEmpty()) f.e_eszla = wdefaultszla;
}

void KonyvelForm::e_eszlaExit() {
    if (wstate == QLatin1String("browse")) return;
    if (const auto row = m_lookups->account(f.e_eszla.trimmed())) f.l_eszla = text(*row, QStringLiteral("SZOVEG"));
}

void KonyvelForm::e_aszlaExit() {
    const auto row = m_lookups->vatAccount(f.e_aszla.trimmed());
    if (!row) return;
    wafakulcs = text(*row, QStringLiteral("KOD"));
    const auto account = m_lookups->journalVatAccount(f.e_ntipus, wafakulcs, text(*row, QStringLiteral("JELLEG")));
    f.l_aszlanev = account ? text(*account, QStringLiteral("SZOVEG")) : QString();
    f.e_sor65 = account ? text(*account, QStringLiteral("SOR65")) : QString();
    f.e_afakulcs = wafakulcs;
    AfaSzamol(AfaTrigger::Aszla);
}

void KonyvelForm::SzamlakeltPicked(const QString& date) {
    f.e_szamlakelt = date;
    if (IsEmptyDate(f.e_teljkelt)) f.e_teljkelt = f.e_szamlakelt;
}

// ---------------------------------------------------------------- chosen rows

void KonyvelForm::NtipusChosen(const QSqlRecord& row) {
    f.l_ntip = text(row, QStringLiteral("NEV"));
    f.e_ntipus = text(row, QStringLiteral("KOD"));
    wdefaultszla = text(row, QStringLiteral("SZLA"));
    NtipusBeallit(true);
}

void KonyvelForm::UgyfelChosen(const QSqlRecord& row) {
    f.e_ugyfelkod = text(row, QStringLiteral("KOD"));
    f.l_ugyfelnev = text(row, QStringLiteral("NEV"));
}

void KonyvelForm::SzlaChosen(const QSqlRecord& row) {
    f.e_szla = text(row, QStringLiteral("SZLA"));
    f.l_szla = text(row, QStringLiteral("SZOVEG"));
}

void KonyvelForm::EszlaChosen(const QSqlRecord& row) {
    f.e_eszla = text(row, QStringLiteral("SZLA"));
    f.l_eszla = text(row, QStringLiteral("SZOVEG"));
}

void KonyvelForm::AszlaChosen(const QSqlRecord& row) {
    f.e_aszla = text(row, QStringLiteral("ASZLA"));
    f.e_afakulcs = text(row, QStringLiteral("KOD"));
    f.e_sor65 = text(row, QStringLiteral("SOR65"));
    wafakulcs = f.e_afakulcs;
    const auto account = m_lookups->journalVatAccount(f.e_ntipus, wafakulcs, text(row, QStringLiteral("JELLEG")));
    f.l_aszlanev = account ? text(*account, QStringLiteral("SZOVEG")) : QString();
    AfaSzamol(AfaTrigger::Aszla);
}

// ---------------------------------------------------------------- buttons

void KonyvelForm::b_ujbizClick() {
    AllapotValt(QStringLiteral("insert"));
    FejTorol();
    TetelTorol();
    wsorszam.clear();
    wntipus.clear();
    wkonyvbiz.clear();
    OpenGrid(QString(), QString());
}

void KonyvelForm::b_ujtetelClick() {
    AllapotValt(QStringLiteral("new"));
    SorAllapotValt(QStringLiteral("insert"));
    TetelTorol();
}

void KonyvelForm::b_modositClick() {
    if (!rows.isEmpty()) SorAllapotValt(QStringLiteral("update"));
}

void KonyvelForm::b_megsemClick() {
    AllapotValt(QStringLiteral("browse"));
    SorAllapotValt(QStringLiteral("browse"));
}

bool KonyvelForm::CanClose() {
    if (wstate == QLatin1String("browse")) return true;
    return AskDialog(QStringLiteral("Adatbevitel közben van. Biztos, hogy kilép innen?"), 0, kYesNo) == 0;
}
