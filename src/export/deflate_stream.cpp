#include "deflate_stream.h"

#include <cstring>
#include <stdexcept>

namespace {

// Data is compressed in pieces of this size; a few of them wait at most.
constexpr qsizetype kChunk = 256 * 1024;
constexpr size_t kQueued = 4;
// Level 1: the rows of a large list compress about tenfold already, and
// every higher level costs several times the time.
constexpr int kLevel = 1;

}  // namespace

QByteArray DeflateEnd() {
    // A final fixed-Huffman block holding only its end code.
    return QByteArray("\x03\x00", 2);
}

DeflateStream::DeflateStream(QIODevice* sink, bool background) : m_sink(sink) {
    if (deflateInit2(&m_zip, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    m_piece.crc = quint32(crc32(0, nullptr, 0));
    if (m_sink) m_piece.offset = m_sink->pos();
    m_piece.file = m_sink;
    m_pending = QByteArray(kChunk * 2, Qt::Uninitialized);
    if (background) m_thread = std::make_unique<std::thread>([this] { compressLoop(); });
}

DeflateStream::~DeflateStream() {
    if (m_thread) {
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
            m_queue.clear();
        }
        m_changed.notify_all();
        m_thread->join();
    }
    deflateEnd(&m_zip);
}

void DeflateStream::write(const char* data, qsizetype size) {
    if (m_used + size > m_pending.size()) m_pending.resize(m_used + size);
    std::memcpy(m_pending.data() + m_used, data, size_t(size));
    m_used += size;
    if (m_used >= kChunk) handOver();
}

void DeflateStream::handOver() {
    m_pending.resize(m_used);
    m_used = 0;
    if (!m_thread) {
        compress(m_pending, Z_NO_FLUSH);
        m_pending.resize(kChunk * 2);
        return;
    }
    QByteArray next(kChunk * 2, Qt::Uninitialized);
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_queue.size() < kQueued; });
        m_queue.push_back(std::move(m_pending));
    }
    m_changed.notify_all();
    m_pending = std::move(next);
}

void DeflateStream::compressLoop() {
    for (;;) {
        QByteArray data;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_closing || !m_queue.empty(); });
            if (m_queue.empty()) return;
            data = std::move(m_queue.front());
        }
        compress(data, Z_NO_FLUSH);
        {
            // Taken off the queue only now, so that an empty queue means
            // everything is compressed.
            std::lock_guard lock(m_mutex);
            if (!m_queue.empty()) m_queue.pop_front();
        }
        m_changed.notify_all();
    }
}

void DeflateStream::compress(const QByteArray& data, int flush) {
    m_piece.crc = quint32(crc32(m_piece.crc, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    m_piece.rawSize += quint64(data.size());
    m_zip.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    m_zip.avail_in = uInt(data.size());
    if (m_out.size() < kChunk) m_out.resize(kChunk);
    do {
        m_zip.next_out = reinterpret_cast<Bytef*>(m_out.data());
        m_zip.avail_out = uInt(m_out.size());
        deflate(&m_zip, flush);
        const qsizetype made = m_out.size() - qsizetype(m_zip.avail_out);
        m_piece.packedSize += quint64(made);
        if (m_sink) {
            if (made > 0 && m_sink->write(m_out.constData(), made) != made) m_failed = true;
        } else {
            m_piece.bytes.append(m_out.constData(), made);
        }
    } while (m_zip.avail_out == 0);
}

DeflatedPiece DeflateStream::finish() {
    if (m_thread) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_queue.empty(); });
            m_closing = true;
        }
        m_changed.notify_all();
        m_thread->join();
        m_thread.reset();
    }
    // A sync flush ends the data on a byte boundary with an empty stored
    // block, and no final block.
    m_pending.resize(m_used);
    m_used = 0;
    compress(m_pending, Z_SYNC_FLUSH);
    m_pending.clear();
    if (m_failed) throw std::runtime_error(m_sink->errorString().toStdString());
    return m_piece;
}

DeflatedPiece DeflateStream::piece(const QByteArray& data) {
    DeflateStream stream;
    stream.write(data);
    return stream.finish();
}
