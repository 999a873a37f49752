#include "reports/afalista.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QThread>
#include <stdexcept>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/ui_hooks.h"
#include "reports/afalista_pairs.h"
#include "reports/afalista_sides.h"
#include "reports/afalista_table.h"

// ---------------------------------------------------------------- period

QString AfaPeriodStart(const QString& month) { return month.trimmed() + QStringLiteral(".01"); }

QString AfaPeriodEnd(const QString& month) { return LastDayOfMonth(AfaPeriodStart(month)); }

bool AfaMonthValid(const QString& month, bool warn) {
    const QString m = month.trimmed();
    static const QRegularExpression shape(QStringLiteral("^\\d{4}\\.\\d{2}$"));
    if (!shape.match(m).hasMatch()) {
        // Worded as the date check words it; a text of another shape is no month.
        if (warn) ShowMessage(QStringLiteral("Hibás dátum :") + AfaPeriodStart(m));
        return false;
    }
    return DateValid(AfaPeriodStart(m), warn);
}

AfaPeriod DefaultAfaPeriod(int afahonap, int year, const QDate& today) {
    const QString y = QString::number(year);
    const bool pastYear = year < today.year();
    AfaPeriod p;
    if (afahonap == 1) {
        if (pastYear) {
            p.tol = y + QStringLiteral(".12");
        } else {
            p.tol = y + u'.' + QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0'));
            if (today.day() <= 20) p.tol = MonthAdd(p.tol, -1);
        }
        p.ig = p.tol;
    } else if (afahonap == 3) {
        if (pastYear) {
            p.tol = y + QStringLiteral(".10");
        } else {
            const int md = today.month() * 100 + today.day();
            QString quarter = QStringLiteral(".10");
            if (md >= 121 && md <= 420) quarter = QStringLiteral(".01");
            else if (md >= 421 && md <= 720) quarter = QStringLiteral(".04");
            else if (md >= 721 && md <= 1020) quarter = QStringLiteral(".07");
            p.tol = y + quarter;
            if (today.month() == 1 && today.day() <= 20) p.tol = MonthAdd(p.tol, -12);
        }
        p.ig = MonthAdd(p.tol, 2);
    } else {
        p.tol = y + QStringLiteral(".01");
        p.ig = y + QStringLiteral(".12");
    }
    return p;
}

// ---------------------------------------------------------------- computation

namespace {

// One row being folded, with its dynamic amounts by account pair and by code.
struct FoldRow {
    AfalistaRow row;
    std::vector<double> pairAmounts;  // 4 per registered pair
    std::vector<double> codeAmounts;  // 4 per registered code
};

class Folder {
public:
    explicit Folder(int sorrend) : m_sorrend(sorrend) {}

    void registerPair(const AfaColumnPair& pair) { pairIndex(pair); }

    // One base and VAT item pair, in the order of the base items and their VAT items.
    void add(const AfaPair& p) {
        const AfaSide& side = *p.side;
        const QString& konyvbiz = p.konyvbiz;
        const QString& kapocs = p.kapocs;
        const QString& szamlaszam = p.szamlaszam;
        const QVariant& ugyfelkod = p.ugyfelkod;
        const QString& code = p.code;
        const QString& account = p.account;
        const double base = p.alap;
        const double vat = p.afa;
        const double sign = p.sign;
        if (p.newBase) m_texts.clear();
        m_texts << p.vatSzoveg;

        QString key = side.journal + u'\x1f' + side.fizlev + u'\x1f' +
                      (ugyfelkod.isNull() ? QStringLiteral("\x1e") : ugyfelkod.toString()) + u'\x1f' + szamlaszam +
                      u'\x1f' + konyvbiz;
        if (m_sorrend == AfaByAccount) key += u'\x1f' + kapocs;
        auto found = m_rowIndex.constFind(key);
        size_t at;
        if (found == m_rowIndex.cend()) {
            at = m_rows.size();
            m_rowIndex.insert(key, at);
            FoldRow& fresh = m_rows.emplace_back();
            fresh.row.ntipus = side.journal;
            fresh.row.fizlev = side.fizlev;
            fresh.row.ugyfelkod = ugyfelkod;
            fresh.row.szamlaszam = szamlaszam;
            fresh.row.konyvbiz = konyvbiz;
        } else {
            at = *found;
        }
        FoldRow& r = m_rows[at];
        // The identity values of the last pair stand.
        r.row.afaszla = account;
        r.row.ntnev = account;
        r.row.kod = code;
        r.row.sznev = p.accountName.left(80);  // the column's width
        r.row.kapocs = kapocs;
        r.row.teljkelt = p.teljkelt;
        r.row.szlakelt = p.szlakelt;
        r.row.fizhatido = p.fizhatido;
        r.row.szoveg = AfaTextList(m_texts);
        r.row.alap += sign * base;
        r.row.afa += sign * vat;
        r.row.brutto += sign * (base + vat);

        const double wholeBase = sign * double(RoundHalfAway(base));
        const double wholeVat = sign * double(RoundHalfAway(vat));
        const bool fixedAsset = AfaFixedAsset(side.fizlev, p.vatEszla);
        addTo(r.pairAmounts, 4 * pairIndex({p.rate, code, account}), wholeBase, wholeVat, fixedAsset);
        addTo(r.codeAmounts, 4 * codeIndex(code), wholeBase, wholeVat, fixedAsset);
    }

    AfalistaResult result() {
        AfalistaResult out;
        std::vector<AfaColumnPair> pairs;
        for (const Pair& p : m_pairs) pairs.push_back(p.pair);
        out.columns = AfaDynamicColumns(pairs);
        // Where each dynamic column takes its amount from.
        QHash<QString, std::pair<bool, int>> source;  // column -> (by code, slot)
        for (size_t p = 0; p < m_pairs.size(); ++p)
            for (int j = 0; j < 4; ++j)
                source.insert(AfaColumn(AfaColumnPrefixes[j], m_pairs[p].pair.code, m_pairs[p].pair.account),
                              {false, int(4 * p) + j});
        for (auto it = m_codes.cbegin(); it != m_codes.cend(); ++it)
            for (int j = 0; j < 4; ++j) source.insert(AfaColumn(AfaColumnPrefixes[j], it.key()), {true, 4 * it.value() + j});
        std::vector<std::pair<bool, int>> slots;
        for (const QString& column : out.columns) slots.push_back(source.value(column, {false, -1}));
        out.rows.reserve(m_rows.size());
        for (FoldRow& r : m_rows) {
            r.row.columns.assign(slots.size(), 0.0);
            for (size_t c = 0; c < slots.size(); ++c) {
                const std::vector<double>& amounts = slots[c].first ? r.codeAmounts : r.pairAmounts;
                const int slot = slots[c].second;
                if (slot >= 0 && slot < int(amounts.size())) r.row.columns[c] = amounts[size_t(slot)];
            }
            out.rows.push_back(std::move(r.row));
        }
        return out;
    }

private:
    struct Pair {
        AfaColumnPair pair;
    };

    static void addTo(std::vector<double>& amounts, int slot, double base, double vat, bool fixedAsset) {
        if (int(amounts.size()) < slot + 4) amounts.resize(size_t(slot + 4), 0.0);
        amounts[size_t(slot)] += base;
        amounts[size_t(slot + 1)] += vat;
        if (fixedAsset) {
            amounts[size_t(slot + 2)] += base;
            amounts[size_t(slot + 3)] += vat;
        }
    }

    int pairIndex(const AfaColumnPair& pair) {
        const QString key = pair.code.trimmed().toUpper() + u'\x1f' + pair.account.trimmed().toUpper();
        auto found = m_pairIndex.constFind(key);
        if (found != m_pairIndex.cend()) return *found;
        m_pairs.push_back({pair});
        codeIndex(pair.code);
        return m_pairIndex[key] = int(m_pairs.size()) - 1;
    }

    int codeIndex(const QString& code) {
        const QString key = code.trimmed().toUpper();
        auto found = m_codes.constFind(key);
        if (found != m_codes.cend()) return *found;
        const int index = int(m_codes.size());
        m_codes.insert(key, index);
        return index;
    }

    int m_sorrend;
    QStringList m_texts;
    std::vector<FoldRow> m_rows;
    QHash<QString, size_t> m_rowIndex;
    std::vector<Pair> m_pairs;
    QHash<QString, int> m_pairIndex;
    QHash<QString, int> m_codes;
};

}  // namespace

AfalistaResult ComputeAfalista(const AfalistaCriteria& criteria, const ReportStep& step) {
    Folder folder(criteria.sorrend);
    for (const AfaColumnPair& pair : AfaPeriodPairs(criteria)) folder.registerPair(pair);
    const std::vector<AfaSide> sides = AfaSides(criteria);
    // The sides by journal type: the cash journal is read once for both.
    std::vector<std::vector<const AfaSide*>> journals;
    for (const AfaSide& side : sides) {
        auto same = std::find_if(journals.begin(), journals.end(),
                                 [&](const auto& j) { return j.front()->journal == side.journal; });
        if (same == journals.end()) journals.push_back({&side});
        else same->push_back(&side);
    }
    qint64 done = 0;
    for (const auto& journal : journals) {
        ReadAfaPairs(journal, criteria, [&](const AfaPair& p) { folder.add(p); });
        if (step) step(++done, qint64(journals.size()));
    }
    return folder.result();
}

// ---------------------------------------------------------------- table and run

QStringList AfalistaColumns(const QStringList& dynamicColumns) {
    QStringList lines = {QStringLiteral("NTIPUS VARCHAR(2)"),    QStringLiteral(", FIZLEV  VARCHAR(3)"),
                         QStringLiteral(", AFASZLA VARCHAR(10)"), QStringLiteral(", SZAMLASZAM VARCHAR(30)"),
                         QStringLiteral(", UGYFELKOD VARCHAR(7)"), QStringLiteral(", TELJKELT VARCHAR(10)"),
                         QStringLiteral(", SZLAKELT VARCHAR(10)"), QStringLiteral(", FIZHATIDO VARCHAR(10)"),
                         QStringLiteral(", KOD VARCHAR(2)"),       QStringLiteral(", SZNEV VARCHAR(80)"),
                         QStringLiteral(", ALAP Tort"),            QStringLiteral(", AFA  Tort"),
                         QStringLiteral(", BRUTTO Tort"),          QStringLiteral(", KONYVBIZ VARCHAR(15)"),
                         QStringLiteral(", NTNEV VARCHAR(30)"),    QStringLiteral(", KAPOCS VARCHAR(9)"),
                         QStringLiteral(", SZOVEG VARCHAR(250)")};
    for (const QString& column : dynamicColumns)
        lines << QStringLiteral(", \"%1\" double precision default 0").arg(column);
    return lines;
}

QString AfalistaPreviewQuery(const QString& table, int sorrend) {
    return ReportQueryText(table, sorrend == AfaByVoucher ? QStringLiteral("order by NTIPUS,FIZLEV,KONYVBIZ")
                                                          : QStringLiteral("order by NTIPUS,FIZLEV,AFASZLA,KONYVBIZ"));
}

QString AfalistaStoreQuery(const QString& table, int sorrend) {
    return ReportQueryText(table, sorrend == AfaByVoucher ? QStringLiteral("order by ntipus,konyvbiz")
                                                          : QStringLiteral("order by ntipus,afaszla,konyvbiz"));
}

QString AfaPeriodLabel(const AfalistaCriteria& c) {
    return QStringLiteral("Időszak: ") + AfaPeriodStart(c.tol) + QStringLiteral(" -> ") + AfaPeriodEnd(c.ig);
}

QString AfaOrderLabel(int sorrend) {
    return QStringLiteral("Sorrend: ") + AfaSorrendCaptions.value(sorrend == AfaByVoucher ? 1 : 0);
}

namespace {

bool sameCriteria(const AfalistaCriteria& c, const AfalistaMemory& m) {
    return c.tol.trimmed() == m.tol && c.ig.trimmed() == m.ig && c.fizetendo == m.fizetendo &&
           c.levonhato == m.levonhato && c.sorrend == m.sorrend;
}

// A name no table has yet: two runs within one millisecond would meet.
QString freshTableName(const QString& previous) {
    for (;;) {
        const QString name = UserTableName(AfalistaPrefix);
        if (name != previous && !TableExists(name)) return name;
        QThread::msleep(1);
    }
}

}  // namespace

AfalistaRun RunAfalista(const AfalistaCriteria& input, AfalistaMemory& memory, bool recount, const ReportStep& step) {
    AfalistaCriteria c = input;
    c.tol = c.tol.trimmed();
    c.ig = c.ig.trimmed();
    if (!c.fizetendo && !c.levonhato) throw std::invalid_argument(AfaNeitherSide.toStdString());
    for (const QString& month : {c.tol, c.ig})
        if (!AfaMonthValid(month))
            throw std::invalid_argument(QStringLiteral("Hibás hónap: %1 (év.hónap)").arg(month).toStdString());

    AfalistaRun out;
    memory.table.forgetIfDropped();
    if (!recount && !memory.table.name.isEmpty() && sameCriteria(c, memory)) {
        out.reused = true;
        out.run.rows = CountRows(memory.table.name);
    } else {
        const AfalistaResult result = ComputeAfalista(c, step);
        const QString name = freshTableName(memory.table.name);
        CreateAfalistaTable(name, result.columns);
        InsertAfalistaRows(name, result);
        out.run.rows = qint64(result.rows.size());
        memory.table.name = name;
        memory.tol = c.tol;
        memory.ig = c.ig;
        memory.fizetendo = c.fizetendo;
        memory.levonhato = c.levonhato;
        memory.sorrend = c.sorrend;
    }
    out.run.table = memory.table.name;
    out.run.querySql = AfalistaPreviewQuery(out.run.table, c.sorrend);
    out.run.whivparam = AfaPeriodLabel(c);
    return out;
}
