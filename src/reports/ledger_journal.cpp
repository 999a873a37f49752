#include "reports/ledger_journal.h"

#include <QDate>
#include <QIODevice>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

#include "db/dat.h"
#include "db/work_file.h"
#include "export/export_source.h"

namespace {

// An item side with no account still balances, on an account that is no
// account number.
const QString NoAccount = QStringLiteral("Nincs");

// The rows come to the writer as UTF-8 bytes and leave as UTF-8 bytes; each
// value is turned into a QString only where a rare text needs Qt's rules
// (a date that is not plainly "yyyy.mm.dd", a narrative with a Unicode blank,
// an account with a letter beyond ASCII). The common path writes the very
// same bytes without them.

// "yyyy-mm-dd" from a "yyyy.mm.dd" text, or empty when it is no date.
QString isoDate(const QString& text) {
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy.MM.dd"));
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digits(std::string_view text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

// Appends the date of `text` as "yyyy-mm-dd"; false when it is no date.
bool appendIsoDate(std::string& out, std::string_view text) {
    const bool plain = text.size() == 10 && text[4] == '.' && text[7] == '.' && isDigit(text[0]) && isDigit(text[1]) &&
                       isDigit(text[2]) && isDigit(text[3]) && isDigit(text[5]) && isDigit(text[6]) &&
                       isDigit(text[8]) && isDigit(text[9]);
    if (plain && QDate::isValid(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2))) {
        out.append(text.substr(0, 4)).append(1, '-').append(text.substr(5, 2)).append(1, '-').append(text.substr(8, 2));
        return true;
    }
    const QString date = isoDate(QString::fromUtf8(text.data(), text.size()));
    if (date.isEmpty()) return false;
    out.append(date.toStdString());
    return true;
}

QString narrative(const QString& text) {
    return text.simplified().replace(u';', u',');
}

bool isAsciiBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Lead bytes of the blanks beyond ASCII that Qt also takes for blanks
// (U+0085, U+00A0, U+1680, U+2000 to U+205F, U+3000).
bool mayHoldUnicodeBlank(std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0xC2 || byte == 0xE1 || byte == 0xE2 || byte == 0xE3) return true;
    }
    return false;
}

// Appends the narrative: blanks simplified, ";" (a comment in the journal) as ",".
void appendNarrative(std::string& out, std::string_view text) {
    if (mayHoldUnicodeBlank(text)) {
        out.append(narrative(QString::fromUtf8(text.data(), text.size())).toStdString());
        return;
    }
    bool pendingBlank = false;
    bool started = false;
    for (char c : text) {
        if (isAsciiBlank(c)) {
            pendingBlank = started;
            continue;
        }
        if (pendingBlank) out.push_back(' ');
        pendingBlank = false;
        started = true;
        out.push_back(c == ';' ? ',' : c);
    }
}

// Amounts as exact decimals: up to six places, without trailing zeros.
void appendAmount(std::string& out, double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    std::string_view digits(text, error == std::errc() ? end - text : 0);
    while (digits.ends_with('0')) digits.remove_suffix(1);
    if (digits.ends_with('.')) digits.remove_suffix(1);
    out.append(digits == "-0" ? std::string_view("0") : digits);
}

void appendAccountPath(std::string& out, std::string_view szla) {
    while (!szla.empty() && isAsciiBlank(szla.front())) szla.remove_prefix(1);
    while (!szla.empty() && isAsciiBlank(szla.back())) szla.remove_suffix(1);
    for (char c : szla) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            out.append(LedgerAccountPath(QString::fromUtf8(szla.data(), szla.size())).toStdString());
            return;
        }
    }
    if (szla.empty()) {
        out.append(NoAccount.toStdString());
        return;
    }
    for (size_t length = 1; length <= szla.size(); ++length) {
        if (length > 1) out.push_back(':');
        out.append(szla.substr(0, length));
    }
}

// One row's text values: UTF-8 straight from the rows read ahead, or
// through the value where the source has no bytes (the first row).
class RowTexts {
public:
    explicit RowTexts(const ExportSource& rows) : m_rows(rows) {}
    std::string_view operator()(int column) {
        std::string_view utf8;
        if (m_rows.textUtf8(column, utf8)) return utf8;
        m_spare[column] = m_rows.value(column).toString().toStdString();
        return m_spare[column];
    }

private:
    const ExportSource& m_rows;
    std::string m_spare[8];
};

void writeOut(QIODevice& file, std::string& buffer, const QString& path) {
    if (file.write(buffer.data(), qint64(buffer.size())) != qint64(buffer.size()))
        throw std::runtime_error(QStringLiteral("A fájl (%1) nem írható.").arg(path).toStdString());
    buffer.clear();
}

}  // namespace

QString LedgerAccountPath(const QString& szla) {
    const QString account = szla.trimmed();
    if (account.isEmpty()) return NoAccount;
    QStringList parts;
    for (int length = 1; length <= account.size(); ++length) parts << account.left(length);
    return parts.join(u':');
}

qint64 WriteLedgerJournal(const QString& path) {
    // Written beside the target: a read error midway leaves an earlier
    // journal of that name as it was.
    WorkFile file(path);
    if (!file.open())
        throw std::runtime_error(QStringLiteral("A fájl (%1) nem írható.").arg(path).toStdString());
    QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select TELJKELT, BIZKELT, KONYVELVE, KONYVBIZ, SZOVEG, "
                                                             "SZLA, ESZLA, ERTEK from TETEL "
                                                             "order by TELJKELT, NTIPUS, KONYVBIZ, SORSZAM")),
                           QStringLiteral("journal"));
    constexpr size_t FlushAt = 1 << 20;
    std::string out;
    out.reserve(FlushAt + 4096);
    RowTexts text(rows);
    qint64 written = 0;
    for (bool more = rows.first(); more; more = rows.next()) {
        if (!appendIsoDate(out, text(0)) && !appendIsoDate(out, text(1)) && !appendIsoDate(out, text(2)))
            out.append("1900-01-01");
        out.push_back(' ');
        const size_t payeeAt = out.size();
        appendNarrative(out, text(4));
        if (out.size() == payeeAt) appendNarrative(out, text(3));
        const double amount = rows.value(7).toDouble();
        out.append("\n    ");
        appendAccountPath(out, text(5));
        out.append("    ");
        appendAmount(out, amount);
        out.append("\n    ");
        appendAccountPath(out, text(6));
        out.append("    ");
        appendAmount(out, -amount);
        out.append("\n\n");
        ++written;
        if (out.size() >= FlushAt) writeOut(file, out, path);
    }
    writeOut(file, out, path);
    if (!file.commit())
        throw std::runtime_error(QStringLiteral("A fájl (%1) nem írható.").arg(path).toStdString());
    return written;
}
