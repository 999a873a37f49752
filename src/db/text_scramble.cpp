#include "text_scramble.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

constexpr char kKey[] = "Tarvedo-Fokonyv-1998";
constexpr qsizetype kKeyLength = sizeof(kKey) - 1;

// XOR is its own inverse, so the same step scrambles and unscrambles.
QByteArray mix(QByteArray bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ kKey[i % kKeyLength] ^ char((i * 37) & 0xFF));
    return bytes;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

QString ScrambleText(const QString& text) {
    return QString::fromLatin1(mix(text.toUtf8()).toHex().toUpper());
}

QString UnscrambleText(const QString& scrambled) {
    const QByteArray hex = scrambled.trimmed().toLatin1();
    if (hex.size() % 2 != 0) return {};
    for (char c : hex)
        if (!isHexDigit(c)) return {};
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(mix(QByteArray::fromHex(hex)));
    return utf8.hasError() ? QString() : text;
}
