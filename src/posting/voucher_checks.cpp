#include "voucher_checks.h"

#include "db/altproc.h"

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

// An optional date: empty or the empty mask is no date; anything else must be one.
bool badOptionalDate(const QString& t) { return !t.isEmpty() && t != EmptyDate && !DateValid(t, false); }

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
        if (!DateValid(f.e_konyvdat, false))
            errors.fail(QStringLiteral("e_konyvdat"), QStringLiteral("Hibás könyvelési dátum."));
        if (badOptionalDate(f.e_szamlakelt))
            errors.fail(QStringLiteral("e_szamlakelt"), QStringLiteral("Hibás számla kelte."));
        if (badOptionalDate(f.e_teljkelt))
            errors.fail(QStringLiteral("e_teljkelt"), QStringLiteral("Hibás teljesítés kelte."));
        if (badOptionalDate(f.e_fizhatido))
            errors.fail(QStringLiteral("e_fizhatido"), QStringLiteral("Hibás fizetési határidő."));
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
    if (f.e_ertek.isEmpty()) errors.fail(QStringLiteral("e_ertek"), QStringLiteral("Hiányzó érték."));
    if (f.cb_afa && c.p_afa) {
        if (f.e_aszla.isEmpty())
            errors.fail(QStringLiteral("e_aszla"), QStringLiteral("Hiányzó ÁFA számlaszám."));
        else if (!lookups.vatAccount(f.e_aszla))
            errors.fail(QStringLiteral("e_aszla"), QStringLiteral("Hibás ÁFA számlaszám."));
        if (f.e_afaertek.isEmpty()) errors.fail(QStringLiteral("e_afaertek"), QStringLiteral("Hiányzó ÁFA érték."));
        if (f.e_nettoertek.isEmpty())
            errors.fail(QStringLiteral("e_nettoertek"), QStringLiteral("Hiányzó nettó érték."));
    }
    return result;
}
