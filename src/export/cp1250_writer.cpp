#include "cp1250_writer.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstring>

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

char* Cp1250Writer::room(qsizetype size) {
    if (m_used + size > m_buffer.size()) {
        flush();
        if (size > m_buffer.size()) m_buffer.resize(size);
    }
    return m_buffer.data() + m_used;
}

char* Cp1250Writer::encode(QStringView text, char* out, bool oneLine) {
    const std::array<char, 65536>& table = byteOf();
    const char16_t* s = text.utf16();
    const char16_t* end = s + text.size();
    while (s < end) {
        const char16_t c = *s++;
        if (c < 0x80) {
            if (oneLine && (c == u'\r' || c == u'\n')) {
                if (c == u'\r' && s < end && *s == u'\n') ++s;  // CR LF: one blank
                *out++ = ' ';
                continue;
            }
            *out++ = char(c);
            continue;
        }
        // A character outside the basic plane is one '?', not two.
        if (QChar::isHighSurrogate(c) && s < end && QChar::isLowSurrogate(*s)) ++s;
        const char byte = table[c];
        *out++ = byte != 0 ? byte : '?';
    }
    return out;
}

char* Cp1250Writer::encode(std::string_view utf8, char* out, bool oneLine) {
    const std::array<char, 65536>& table = byteOf();
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = s + utf8.size();
    while (s < end) {
        const unsigned c = *s++;
        if (c < 0x80) {
            if (oneLine && (c == '\r' || c == '\n')) {
                if (c == '\r' && s < end && *s == '\n') ++s;  // CR LF: one blank
                *out++ = ' ';
                continue;
            }
            *out++ = char(c);
            continue;
        }
        // A character of two or three bytes; anything else (beyond the
        // basic plane, or not UTF-8) is one '?'.
        unsigned code = 0;
        int more = 0;
        if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            more = 1;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            more = 2;
        } else {
            more = (c & 0xF8) == 0xF0 ? 3 : 0;
        }
        bool valid = (c & 0xF8) != 0xF0 && more > 0;
        for (int i = 0; i < more; ++i) {
            if (s >= end || (*s & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (*s++ & 0x3F);
        }
        const char byte = valid && code < 0x10000 ? table[code] : 0;
        *out++ = byte != 0 ? byte : '?';
    }
    return out;
}

void Cp1250Writer::append(QStringView text) {
    char* out = room(text.size());
    m_used = encode(text, out, false) - m_buffer.data();
}

void Cp1250Writer::appendBytes(const char* bytes, qsizetype size) {
    std::memcpy(room(size), bytes, size_t(size));
    m_used += size;
}

void AppendCp1250(ByteBuffer& out, QStringView text) {
    out.setEnd(Cp1250Writer::encode(text, out.room(text.size()), false));
}

void AppendCp1250(ByteBuffer& out, std::string_view utf8) {
    out.setEnd(Cp1250Writer::encode(utf8, out.room(qsizetype(utf8.size())), false));
}

void Cp1250Writer::appendBlanks(qsizetype count) {
    if (count <= 0) return;
    std::fill_n(room(count), count, ' ');
    m_used += count;
}

void Cp1250Writer::placeField(char* start, qsizetype written, qsizetype width, bool leftAligned) {
    const qsizetype pad = qMax<qsizetype>(width - written, 0);
    if (!leftAligned && pad > 0) {
        std::memmove(start + pad, start, size_t(written));
        std::fill_n(start, pad, ' ');
    } else {
        std::fill_n(start + written, pad, ' ');
    }
    std::fill_n(start + written + pad, 2, ' ');
    m_used = (start - m_buffer.data()) + written + pad + 2;
}

void Cp1250Writer::appendField(QStringView text, qsizetype width, bool leftAligned) {
    char* start = room(qMax(text.size(), width) + 2);
    placeField(start, encode(text, start, true) - start, width, leftAligned);
}

void Cp1250Writer::appendUtf8Field(std::string_view utf8, qsizetype width, bool leftAligned) {
    char* start = room(qMax(qsizetype(utf8.size()), width) + 2);
    placeField(start, encode(utf8, start, true) - start, width, leftAligned);
}

void Cp1250Writer::appendField(std::string_view ascii, qsizetype width, bool leftAligned) {
    const qsizetype size = qsizetype(ascii.size());
    char* start = room(qMax(size, width) + 2);
    std::memcpy(start, ascii.data(), size_t(size));
    placeField(start, size, width, leftAligned);
}

void Cp1250Writer::endLine() { append(u"\r\n"); }

void Cp1250Writer::flush() {
    if (m_used > 0) m_device.write(m_buffer.constData(), m_used);
    m_used = 0;
}
