#pragma once
// The fold of the VAT list's base and VAT item pairs into its rows: one row
// per journal, side, partner, invoice number and voucher (and link number
// in the order by VAT account), its amounts summed, its identity values
// and texts those of the last pair. A row's pairs all come from one
// voucher, so a row is finished, and its texts made, when the voucher is
// done.
#include <QHash>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "reports/afalista.h"
#include "reports/afalista_pairs.h"

class AfaFolder {
public:
    explicit AfaFolder(int sorrend) : m_sorrend(sorrend) {}

    // One base and VAT item pair, in the order of the base items and their VAT items.
    void add(const AfaPair& pair);
    // The voucher's rows take their texts; the pairs' texts may go.
    void voucherDone();
    // The VAT codes and accounts of the period, whose columns the table has
    // whether or not a row uses them, ahead of the others the pairs brought
    // (the first of equal ones names the columns).
    void putFirst(const std::vector<AfaColumnPair>& pairs);
    AfalistaResult result();

private:
    // The whole-forint amounts of a row under one VAT code and account.
    struct PairAmounts {
        int pair = 0;
        double base = 0, vat = 0, fixedAssetBase = 0, fixedAssetVat = 0;
    };
    // A row of the voucher being folded, its texts still the pairs'.
    struct Open {
        AfalistaRow* row;
        const AfaSide* side;
        const AfaPartner* partner;
        std::string_view szamlaszam, kapocs, konyvbiz;
        // The identity values of the last pair.
        std::string_view afaszla, kod, teljkelt, szlakelt, fizhatido, lastKapocs;
        const AfaVatAccount* vatAccount = nullptr;
        size_t textsFrom = 0, textCount = 0;  // its VAT texts in m_texts
    };
    // A code and account as an item holds them, with its place among the pairs.
    struct SeenPair {
        std::string code, account;
        int index;
    };

    int pairIndex(const AfaColumnPair& pair);
    int codeIndex(const QString& code);
    int seenPairIndex(const AfaPair& pair);
    QString shared(std::string_view utf8);

    int m_sorrend;
    AfalistaResult m_result;
    std::vector<Open> m_open;
    std::vector<std::pair<size_t, PairAmounts>> m_openAmounts;  // by the open row's place in m_open
    std::vector<std::string_view> m_texts;  // the VAT texts of the voucher's base items
    size_t m_baseTexts = 0;                 // where the current base item's texts start
    // The amounts of the finished rows, each row's together, in row order.
    std::vector<PairAmounts> m_amounts;
    std::vector<size_t> m_amountsEnd;  // of each row in m_amounts
    std::vector<AfaColumnPair> m_pairs;
    std::vector<int> m_pairCode;  // the code index of each pair
    QHash<QString, int> m_pairIndex;
    QHash<QString, int> m_codes;
    std::vector<SeenPair> m_seen;
    std::map<std::string, QString, std::less<>> m_shared;
};
