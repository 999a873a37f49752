#include "cp1250.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Unicode code points of the bytes 0x80..0xFF.
constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const QHash<char16_t, char>& encodeTable() {
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 128; ++i) t.insert(kUpperHalf[i], char(0x80 + i));
        return t;
    }();
    return table;
}

}  // namespace

QString DecodeCp1250(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.append(b < 0x80 ? QChar(b) : QChar(kUpperHalf[b - 0x80]));
    }
    return text;
}

QByteArray EncodeCp1250(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            bytes.append(char(c));
            continue;
        }
        // A character outside the basic plane is one '?', not two.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        bytes.append(encodeTable().value(c, '?'));
    }
    return bytes;
}

QString Decode8BitText(const QByteArray& bytes, bool* wasUtf8) {
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    const bool isUtf8 = !utf8.hasError();
    if (wasUtf8) *wasUtf8 = isUtf8;
    return isUtf8 ? text : DecodeCp1250(bytes);
}

namespace {

// The length of the well-formed UTF-8 sequence of two or more bytes at `at`,
// or 0 when there is none.
int utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    const unsigned lead = byte(at);
    int length = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (int i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return length;
}

int lineOf(const QByteArray& bytes, qsizetype at) { return int(QByteArrayView(bytes).first(at).count('\n')) + 1; }

}  // namespace

bool DecodeDataFile(const QByteArray& bytes, QString& text, QString& error) {
    bool utf8 = false;
    text = Decode8BitText(bytes, &utf8);
    if (utf8) return true;
    // Not valid UTF-8: Windows-1250 if the UTF-8 letters in it are fewer
    // than its bad bytes (a Windows-1250 text rarely has a byte pair that
    // reads as a UTF-8 letter, and has many bytes that read as none).
    qsizetype letters = 0, bad = 0, firstBad = -1;
    for (qsizetype i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
        } else if (const int length = utf8SequenceAt(bytes, i)) {
            ++letters;
            i += length;
        } else {
            if (firstBad < 0) firstBad = i;
            ++bad;
            ++i;
        }
    }
    if (letters >= bad) {
        text.clear();
        error = QStringLiteral("A fájl UTF-8 kódolású, de a(z) %1. sorában hibás bájt van; így az ékezetes betűk nem "
                               "olvashatók biztosan. Mentse újra a fájlt UTF-8 vagy Windows-1250 kódolással.")
                    .arg(lineOf(bytes, firstBad));
        return false;
    }
    // The bytes the code page leaves undefined are in no Windows-1250 text.
    const auto undefined = std::find_if(bytes.cbegin(), bytes.cend(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
    });
    if (undefined != bytes.cend()) {
        text.clear();
        error = QStringLiteral("A fájl sem UTF-8, sem Windows-1250 kódolású: a(z) %1. sorában olyan bájt van, amely "
                               "egyikben sem jelent betűt. Mentse újra a fájlt UTF-8 vagy Windows-1250 kódolással.")
                    .arg(lineOf(bytes, undefined - bytes.cbegin()));
        return false;
    }
    text = DecodeCp1250(bytes);
    return true;
}

QByteArray Encode8BitText(const QString& text, bool utf8) {
    return utf8 ? text.toUtf8() : EncodeCp1250(text);
}
