#include "voucher_checks.h"

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/date_text.h"

namespace {

class Collector {
public:
    explicit Collector(CheckResult& result) : m_result(result) {}
    void fail(const QString& field, const QString& line) {
        m_result.lines << line;
        if (m_result.focus.isEmpty()) m_result.focus = field;
    }

private:
    CheckResult& m_result;
};

// A date is stored as a real "yyyy.mm.dd" date: a text the reports would
// compare wrongly ("202506", "2025x06x15") is no date.
bool badDate(const QString& t) { return !IsStoredDate(t); }
// An optional date: empty or the empty mask is no date; anything else must be one.
bool badOptionalDate(const QString& t) { return !t.isEmpty() && t != EmptyDate && badDate(t); }

// A filled amount field must hold an amount; an empty one is reported
// (or allowed) by the rules on missing values.
bool badAmount(const QString& t) {
    double value = 0;
    return !t.trimmed().isEmpty() && !ParseAmount(t.trimmed(), value);
}

}  // namespace

QString CheckResult::message() const {
    QString text = QStringLiteral("Az adatokban az alábbi hibák vannak:\r\r");
    for (const QString& line : lines) text += line + QLatin1Char('\r');
    return text;
}

CheckResult FejEllenoriz(const KonyvelFields& f, const KonyvelControls& c, PostingLookups& lookups) {
    CheckResult result;
    Collector errors(result);
    if (c.P_fej) {
        if (f.e_ntipus.isEmpty() || !lookups.journalType(f.e_ntipus))
            errors.fail(QStringLiteral("e_ntipus"), QStringLiteral("Rossz naplótípus."));
        if (c.e_konyvbiz && f.e_konyvbiz.isEmpty())
            errors.fail(QStringLiteral("e_konyvbiz"), QStringLiteral("Hiányzó könyvelési bizonylatszám."));
        if (badDate(f.e_konyvdat))
            errors.fail(QStringLiteral("e_konyvdat"), QStringLiteral("Hibás könyvelési dátum."));
        // Partner codes are stored upper-case; an empty code is allowed.
        if (c.ugyfel && !f.e_ugyfelkod.isEmpty() && !lookups.partner(f.e_ugyfelkod.toUpper()))
            errors.fail(QStringLiteral("e_ugyfelkod"), QStringLiteral("Hibás ügyfélkód."));
        if (badOptionalDate(f.e_szamlakelt))
            errors.fail(QStringLiteral("e_szamlakelt"), QStringLiteral("Hibás számla kelte."));
        if (badOptionalDate(f.e_teljkelt))
            errors.fail(QStringLiteral("e_teljkelt"), QStringLiteral("Hibás teljesítés kelte."));
        if (badOptionalDate(f.e_fizhatido))
            errors.fail(QStringLiteral("e_fizhatido"), QStringLiteral("Hibás fizetési határidő."));
        if (c.arfolyam && badAmount(f.e_arfolyam))
            errors.fail(QStringLiteral("e_arfolyam"), QStringLiteral("Hibás árfolyam."));
    }
    return result;
}

CheckResult TetelEllenoriz(const KonyvelFields& f, const KonyvelControls& c, PostingLookups& lookups) {
    CheckResult result;
    Collector errors(result);
    if (!c.p_tetel) return result;
    if (f.e_szla.isEmpty())
        errors.fail(QStringLiteral("e_szla"), QStringLiteral("Hiányzó tartozik számlaszám."));
    else if (!lookups.account(f.e_szla))
        errors.fail(QStringLiteral("e_szla"), QStringLiteral("Hibás tartozik számlaszám."));
    if (f.e_eszla.isEmpty())
        errors.fail(QStringLiteral("e_eszla"), QStringLiteral("Hiányzó követel számlaszám."));
    else if (!lookups.account(f.e_eszla))
        errors.fail(QStringLiteral("e_eszla"), QStringLiteral("Hibás követel számlaszám."));
    if (f.e_ertek.isEmpty())
        errors.fail(QStringLiteral("e_ertek"), QStringLiteral("Hiányzó érték."));
    else if (badAmount(f.e_ertek))
        errors.fail(QStringLiteral("e_ertek"), QStringLiteral("Hibás érték."));
    if (f.cb_afa && c.p_afa) {
        if (f.e_aszla.isEmpty())
            errors.fail(QStringLiteral("e_aszla"), QStringLiteral("Hiányzó ÁFA számlaszám."));
        else if (!lookups.vatAccount(f.e_aszla))
            errors.fail(QStringLiteral("e_aszla"), QStringLiteral("Hibás ÁFA számlaszám."));
        if (f.e_afaertek.isEmpty())
            errors.fail(QStringLiteral("e_afaertek"), QStringLiteral("Hiányzó ÁFA érték."));
        else if (badAmount(f.e_afaertek))
            errors.fail(QStringLiteral("e_afaertek"), QStringLiteral("Hibás ÁFA érték."));
        if (f.e_nettoertek.isEmpty())
            errors.fail(QStringLiteral("e_nettoertek"), QStringLiteral("Hiányzó nettó érték."));
        else if (badAmount(f.e_nettoertek))
            errors.fail(QStringLiteral("e_nettoertek"), QStringLiteral("Hibás nettó érték."));
    }
    if (c.deviza && badAmount(f.e_devizaertek))
        errors.fail(QStringLiteral("e_devizaertek"), QStringLiteral("Hibás deviza érték."));
    return result;
}
