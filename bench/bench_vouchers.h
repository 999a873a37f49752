#pragma once
// Voucher files for the posting benchmarks: the same file for the same seed.
#include <QString>
#include <QtGlobal>

// A small generator of our own, so every run writes the same files.
class BenchRandom {
public:
    explicit BenchRandom(quint64 seed) : m_state(seed) {}
    quint64 next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    int range(int low, int high) { return low + int(next() % quint64(high - low + 1)); }

private:
    quint64 m_state;
};

// A day of 2025 as "yyyy.mm.dd".
QString BenchDay(BenchRandom& random);

// Vouchers as a bookkeeper keys a year, `items` items in the voucher file
// format of `post`: bank statements of many items, invoices of one to three
// items with VAT, cash vouchers. Partners come from the open company's
// `UGYFEL`.
void WriteBenchVoucherFile(const QString& path, int items, quint64 seed);
