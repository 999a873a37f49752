#pragma once
// Raw deflate data made in pieces that join into one zip entry. Every piece
// ends on a byte boundary without a final block, so pieces compressed apart
// (a worksheet's rows first, its head only when the rows are known) are
// laid one after the other and closed with an empty final block.
#include <QByteArray>
#include <QIODevice>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include <zlib.h>

// One compressed piece: where its bytes are, and what the entry needs to
// know of the data it holds.
struct DeflatedPiece {
    quint32 crc = 0;         // of the uncompressed data
    quint64 rawSize = 0;
    quint64 packedSize = 0;
    QByteArray bytes;        // the compressed bytes, when they are kept in memory
    QIODevice* file = nullptr;  // else: in this file, from `offset`
    qint64 offset = 0;
};

// The bytes that close a series of pieces: an empty final block.
QByteArray DeflateEnd();

// Compresses what is written into one piece, kept in memory or appended to
// a file. With `background` the compression runs on a thread of its own
// while the writer makes the next data.
class DeflateStream {
public:
    // sink: the file the piece goes to; nullptr keeps it in memory.
    explicit DeflateStream(QIODevice* sink = nullptr, bool background = false);
    ~DeflateStream();
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    void write(const char* data, qsizetype size);
    void write(const QByteArray& data) { write(data.constData(), data.size()); }
    // Ends the piece. Throws std::runtime_error when the sink fails.
    DeflatedPiece finish();

    // Compresses a whole text as one piece in memory.
    static DeflatedPiece piece(const QByteArray& data);

private:
    void handOver();
    void compress(const QByteArray& data, int flush);
    void compressLoop();

    QIODevice* m_sink;
    z_stream m_zip{};
    DeflatedPiece m_piece;
    QByteArray m_out;
    QByteArray m_pending;    // its first m_used bytes wait for compression
    qsizetype m_used = 0;
    bool m_failed = false;

    // The compressing thread and the buffers waiting for it.
    std::unique_ptr<std::thread> m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_queue;
    bool m_closing = false;
};
