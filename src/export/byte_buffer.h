#pragma once
// A growing run of bytes written in place through a pointer: the exports
// build millions of short lines and cells, where every checked append of a
// general container would count.
#include <QtGlobal>

#include <algorithm>
#include <memory>

class ByteBuffer {
public:
    // Room for `size` more bytes at the end; write them, then setEnd().
    char* room(qsizetype size) {
        if (m_size + size > m_capacity) grow(m_size + size);
        return m_bytes.get() + m_size;
    }
    void setEnd(char* end) { m_size = end - m_bytes.get(); }
    void put(const char* bytes, qsizetype size) { setEnd(std::copy_n(bytes, size, room(size))); }
    void put(char c) { *room(1) = c, ++m_size; }
    qsizetype size() const { return m_size; }
    const char* data() const { return m_bytes.get(); }
    bool isEmpty() const { return m_size == 0; }
    void clear() { m_size = 0; }

private:
    void grow(qsizetype needed) {
        const qsizetype capacity = std::max(m_capacity * 2, needed + 4096);
        std::unique_ptr<char[]> bytes(new char[size_t(capacity)]);
        std::copy_n(m_bytes.get(), m_size, bytes.get());
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_bytes;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};
