#include "number_text.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

int significantDigits(const char* text, int size) {
    int digits = 0;
    bool leading = true;
    for (int i = 0; i < size; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++digits;
    }
    return digits;
}

int copied(const QString& text, char* out) {
    const QByteArray latin = text.toLatin1();
    const int size = int(qMin<qsizetype>(latin.size(), kNumberTextSize));
    std::memcpy(out, latin.constData(), size_t(size));
    return size;
}

}  // namespace

int GeneralNumberText(double x, char* out) {
    x += 0.0;  // no "-0"
    const double magnitude = std::fabs(x);
    if (magnitude == 0) {
        *out = '0';
        return 1;
    }
    // In this range the general form has no exponent; the shortest text
    // that reads back is the one of 15 digits when it has no more.
    if (magnitude >= 1e-4 && magnitude < 1e15) {
        const auto result = std::to_chars(out, out + kNumberTextSize, x, std::chars_format::fixed);
        const int size = int(result.ptr - out);
        if (result.ec == std::errc() && significantDigits(out, size) <= 15) return size;
    }
    return copied(QString::number(x, 'g', 15), out);
}

int PlainNumberText(double x, char* out) {
    const auto result = std::to_chars(out, out + kNumberTextSize, x + 0.0, std::chars_format::fixed);
    if (result.ec == std::errc()) return int(result.ptr - out);
    return copied(QString::number(x + 0.0, 'f', QLocale::FloatingPointShortest), out);
}
