#include "reports/afalista_fold.h"

#include <algorithm>
#include <string>

#include "db/altproc.h"

void AfaFolder::add(const AfaPair& p) {
    if (p.newBase) m_baseTexts = m_texts.size();
    m_texts.push_back(p.vatSzoveg);

    // The voucher's row of the same side, partner, invoice (and link) number.
    size_t at = 0;
    while (at < m_open.size() &&
           !(m_open[at].side->journal == p.side->journal && m_open[at].side->fizlev == p.side->fizlev &&
             m_open[at].partner == p.partner && m_open[at].szamlaszam == p.szamlaszam &&
             (m_sorrend != AfaByAccount || m_open[at].kapocs == p.kapocs)))
        ++at;
    if (at == m_open.size()) {
        Open& fresh = m_open.emplace_back();
        fresh.row = &m_result.rows.emplace_back();
        fresh.side = p.side;
        fresh.partner = p.partner;
        fresh.szamlaszam = p.szamlaszam;
        fresh.kapocs = p.kapocs;
        fresh.konyvbiz = p.konyvbiz;
    }
    Open* open = &m_open[at];
    // The identity values of the last pair stand.
    open->afaszla = p.account;
    open->kod = p.code;
    open->vatAccount = p.vatAccount;
    open->lastKapocs = p.kapocs;
    open->teljkelt = p.teljkelt;
    open->szlakelt = p.szlakelt;
    open->fizhatido = p.fizhatido;
    open->textsFrom = m_baseTexts;
    open->textCount = m_texts.size() - m_baseTexts;

    AfalistaRow& r = *open->row;
    const double sign = p.sign;
    r.alap += sign * p.alap;
    r.afa += sign * p.afa;
    r.brutto += sign * (p.alap + p.afa);

    const int pair = seenPairIndex(p);
    auto found = std::find_if(m_openAmounts.begin(), m_openAmounts.end(),
                              [&](const auto& a) { return a.first == at && a.second.pair == pair; });
    PairAmounts* amounts = found != m_openAmounts.end() ? &found->second : &m_openAmounts.emplace_back(at, PairAmounts{pair}).second;
    const double wholeBase = sign * double(RoundHalfAway(p.alap));
    const double wholeVat = sign * double(RoundHalfAway(p.afa));
    amounts->base += wholeBase;
    amounts->vat += wholeVat;
    if (AfaFixedAsset(p.side->fizlev, p.szla, p.vatEszla)) {
        amounts->fixedAssetBase += wholeBase;
        amounts->fixedAssetVat += wholeVat;
    }
}

void AfaFolder::voucherDone() {
    std::string joined;
    for (size_t at = 0; at < m_open.size(); ++at) {
        const Open& o = m_open[at];
        for (const auto& [row, amounts] : m_openAmounts)
            if (row == at) m_amounts.push_back(amounts);
        m_amountsEnd.push_back(m_amounts.size());
        AfalistaRow& row = *o.row;
        row.ntipus = o.side->journal;
        row.fizlev = o.side->fizlev;
        row.ugyfelkod = o.partner ? QVariant(o.partner->kod) : QVariant(QMetaType::fromType<QString>());
        row.szamlaszam = AfaString(o.szamlaszam);
        row.konyvbiz = AfaString(o.konyvbiz);
        row.afaszla = shared(o.afaszla);
        row.ntnev = row.afaszla;
        row.kod = shared(o.kod);
        row.sznev = o.vatAccount->name.left(80);  // the column's width
        row.kapocs = shared(o.lastKapocs);
        row.teljkelt = shared(o.teljkelt);
        row.szlakelt = shared(o.szlakelt);
        row.fizhatido = shared(o.fizhatido);
        joined.clear();
        for (size_t i = 0; i < o.textCount; ++i) {
            if (i > 0) joined += ", ";
            joined += m_texts[o.textsFrom + i];
        }
        row.szoveg = AfaString(joined).left(250);
    }
    m_open.clear();
    m_openAmounts.clear();
    m_texts.clear();
    m_baseTexts = 0;
}

// Accounts, codes, dates and link numbers recur from row to row: the rows
// share one string of each.
QString AfaFolder::shared(std::string_view utf8) {
    auto found = m_shared.find(utf8);
    if (found == m_shared.end()) found = m_shared.emplace(std::string(utf8), AfaString(utf8)).first;
    return found->second;
}

AfalistaResult AfaFolder::result() {
    m_result.columns = AfaDynamicColumns(m_pairs);
    // Where each dynamic column takes its amount from: a slot of the
    // amounts by pair, then of the amounts by code.
    const int codeSlots = 4 * int(m_pairs.size());
    QHash<QString, int> source;
    for (size_t p = 0; p < m_pairs.size(); ++p)
        for (int j = 0; j < 4; ++j)
            source.insert(AfaColumn(AfaColumnPrefixes[j], m_pairs[p].code, m_pairs[p].account), int(4 * p) + j);
    for (auto it = m_codes.cbegin(); it != m_codes.cend(); ++it)
        for (int j = 0; j < 4; ++j) source.insert(AfaColumn(AfaColumnPrefixes[j], it.key()), codeSlots + 4 * it.value() + j);
    std::vector<int> slots;
    for (const QString& column : m_result.columns) slots.push_back(source.value(column, -1));

    std::vector<double> amounts(size_t(codeSlots + 4 * m_codes.size()));
    for (size_t r = 0; r < m_result.rows.size(); ++r) {
        std::fill(amounts.begin(), amounts.end(), 0.0);
        // Whole forints: the sums by code are exact whatever their order.
        for (size_t i = r == 0 ? 0 : m_amountsEnd[r - 1]; i < m_amountsEnd[r]; ++i) {
            const PairAmounts& a = m_amounts[i];
            for (int at : {4 * a.pair, codeSlots + 4 * m_pairCode[size_t(a.pair)]}) {
                amounts[size_t(at)] += a.base;
                amounts[size_t(at + 1)] += a.vat;
                amounts[size_t(at + 2)] += a.fixedAssetBase;
                amounts[size_t(at + 3)] += a.fixedAssetVat;
            }
        }
        std::vector<double>& columns = m_result.rows[r].columns;
        columns.assign(slots.size(), 0.0);
        for (size_t c = 0; c < slots.size(); ++c)
            if (slots[c] >= 0) columns[c] = amounts[size_t(slots[c])];
    }
    return std::move(m_result);
}

void AfaFolder::putFirst(const std::vector<AfaColumnPair>& first) {
    const std::vector<AfaColumnPair> met = std::move(m_pairs);
    m_pairs.clear();
    m_pairCode.clear();
    m_pairIndex.clear();
    for (const AfaColumnPair& pair : first) pairIndex(pair);
    std::vector<int> moved;
    for (const AfaColumnPair& pair : met) moved.push_back(pairIndex(pair));
    for (PairAmounts& a : m_amounts) a.pair = moved[size_t(a.pair)];
    for (SeenPair& s : m_seen) s.index = moved[size_t(s.index)];
}

int AfaFolder::pairIndex(const AfaColumnPair& pair) {
    const QString key = pair.code.trimmed().toUpper() + u'\x1f' + pair.account.trimmed().toUpper();
    auto found = m_pairIndex.constFind(key);
    if (found != m_pairIndex.cend()) return *found;
    m_pairs.push_back(pair);
    m_pairCode.push_back(codeIndex(pair.code));
    return m_pairIndex[key] = int(m_pairs.size()) - 1;
}

int AfaFolder::codeIndex(const QString& code) {
    const QString key = code.trimmed().toUpper();
    auto found = m_codes.constFind(key);
    if (found != m_codes.cend()) return *found;
    const int index = int(m_codes.size());
    m_codes.insert(key, index);
    return index;
}

// The few codes and accounts the items hold are looked up as they stand;
// the first time through their trimmed, upper-case names.
int AfaFolder::seenPairIndex(const AfaPair& p) {
    for (const SeenPair& s : m_seen)
        if (s.code == p.code && s.account == p.account) return s.index;
    const int index = pairIndex({p.vatAccount->rate, AfaString(p.code), AfaString(p.account)});
    m_seen.push_back({std::string(p.code), std::string(p.account), index});
    return index;
}
