#include "cp1250_writer.h"

#include <QIODevice>

#include <algorithm>
#include <array>

#include "db/cp1250.h"

namespace {

constexpr qsizetype kBufferBytes = 1 << 16;

// The byte of every character of the basic plane; 0 where the code page has
// none. Made once from the program's own table of the code page.
const std::array<char, 65536>& byteOf() {
    static const std::array<char, 65536> table = [] {
        std::array<char, 65536> bytes{};
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b) all[b] = char(b);
        const QString decoded = DecodeCp1250(all);
        for (int b = 0; b < 256; ++b) bytes[decoded.at(b).unicode()] = char(b);
        return bytes;
    }();
    return table;
}

}  // namespace

Cp1250Writer::Cp1250Writer(QIODevice& device) : m_device(device), m_buffer(kBufferBytes, '\0') {}

void Cp1250Writer::append(QStringView text) {
    const std::array<char, 65536>& table = byteOf();
    if (m_used + text.size() + 2 > m_buffer.size()) {
        flush();
        if (text.size() + 2 > m_buffer.size()) m_buffer.resize(text.size() + 2);
    }
    char* out = m_buffer.data() + m_used;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *out++ = char(c);
            continue;
        }
        // A character outside the basic plane is one '?', not two.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        const char byte = table[c];
        *out++ = (byte != 0 || c == 0) ? byte : '?';
    }
    m_used = out - m_buffer.data();
}

void Cp1250Writer::appendBlanks(qsizetype count) {
    if (count <= 0) return;
    if (m_used + count + 2 > m_buffer.size()) {
        flush();
        if (count + 2 > m_buffer.size()) m_buffer.resize(count + 2);
    }
    std::fill_n(m_buffer.data() + m_used, count, ' ');
    m_used += count;
}

void Cp1250Writer::endLine() { append(u"\r\n"); }

void Cp1250Writer::flush() {
    if (m_used > 0) m_device.write(m_buffer.constData(), m_used);
    m_used = 0;
}
