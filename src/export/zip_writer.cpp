#include "zip_writer.h"

#include <QDateTime>

namespace {

constexpr quint32 kLimit32 = 0xFFFFFFFFu;
constexpr quint16 kVersionZip64 = 45;
constexpr quint16 kVersionDeflate = 20;
constexpr quint16 kDeflated = 8;
constexpr quint16 kUtf8Names = 1 << 11;

void le16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void le32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

void le64(QByteArray& out, quint64 v) {
    for (int i = 0; i < 8; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

quint32 clamp32(quint64 v) { return v >= kLimit32 ? kLimit32 : quint32(v); }

}  // namespace

ZipWriter::ZipWriter(const QString& path) : m_file(path) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    m_dosDate = quint16(((qMax(date.year(), 1980) - 1980) << 9) | (date.month() << 5) | date.day());
    m_dosTime = quint16((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

bool ZipWriter::open() { return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate); }

void ZipWriter::put(const QByteArray& bytes) {
    if (m_file.write(bytes) != bytes.size()) m_failed = true;
}

void ZipWriter::copyPiece(const DeflatedPiece& piece) {
    if (!piece.file) return put(piece.bytes);
    const qint64 back = piece.file->pos();
    if (!piece.file->seek(piece.offset)) {
        m_failed = true;
        return;
    }
    QByteArray buffer;
    quint64 left = piece.packedSize;
    while (left > 0 && !m_failed) {
        buffer = piece.file->read(qint64(qMin<quint64>(left, 1 << 20)));
        if (buffer.isEmpty()) {
            m_failed = true;
            break;
        }
        put(buffer);
        left -= quint64(buffer.size());
    }
    piece.file->seek(back);
}

void ZipWriter::addFile(const QByteArray& name, const QByteArray& data) {
    addDeflated(name, {DeflateStream::piece(data)});
}

void ZipWriter::addDeflated(const QByteArray& name, const QList<DeflatedPiece>& pieces) {
    const QByteArray end = DeflateEnd();
    Entry entry;
    entry.name = name;
    entry.offset = quint64(m_file.pos());
    entry.crc = quint32(crc32(0, nullptr, 0));
    for (const DeflatedPiece& piece : pieces) {
        entry.crc = quint32(crc32_combine(entry.crc, piece.crc, z_off_t(piece.rawSize)));
        entry.rawSize += piece.rawSize;
        entry.packedSize += piece.packedSize;
    }
    entry.packedSize += quint64(end.size());
    const bool zip64 = entry.rawSize >= kLimit32 || entry.packedSize >= kLimit32;

    QByteArray header;
    le32(header, 0x04034b50);
    le16(header, zip64 ? kVersionZip64 : kVersionDeflate);
    le16(header, kUtf8Names);
    le16(header, kDeflated);
    le16(header, m_dosTime);
    le16(header, m_dosDate);
    le32(header, entry.crc);
    le32(header, zip64 ? kLimit32 : quint32(entry.packedSize));
    le32(header, zip64 ? kLimit32 : quint32(entry.rawSize));
    le16(header, quint16(name.size()));
    le16(header, zip64 ? 20 : 0);
    header.append(name);
    if (zip64) {
        le16(header, 0x0001);
        le16(header, 16);
        le64(header, entry.rawSize);
        le64(header, entry.packedSize);
    }
    put(header);
    for (const DeflatedPiece& piece : pieces) copyPiece(piece);
    put(end);
    m_entries << entry;
}

bool ZipWriter::close() {
    const quint64 directoryStart = quint64(m_file.pos());
    QByteArray directory;
    for (const Entry& entry : m_entries) {
        QByteArray extra;
        if (entry.rawSize >= kLimit32) le64(extra, entry.rawSize);
        if (entry.packedSize >= kLimit32) le64(extra, entry.packedSize);
        if (entry.offset >= kLimit32) le64(extra, entry.offset);
        QByteArray zip64;
        if (!extra.isEmpty()) {
            le16(zip64, 0x0001);
            le16(zip64, quint16(extra.size()));
            zip64.append(extra);
        }
        le32(directory, 0x02014b50);
        le16(directory, zip64.isEmpty() ? kVersionDeflate : kVersionZip64);  // made by: MS-DOS
        le16(directory, zip64.isEmpty() ? kVersionDeflate : kVersionZip64);
        le16(directory, kUtf8Names);
        le16(directory, kDeflated);
        le16(directory, m_dosTime);
        le16(directory, m_dosDate);
        le32(directory, entry.crc);
        le32(directory, clamp32(entry.packedSize));
        le32(directory, clamp32(entry.rawSize));
        le16(directory, quint16(entry.name.size()));
        le16(directory, quint16(zip64.size()));
        le16(directory, 0);  // comment
        le16(directory, 0);  // disk
        le16(directory, 0);  // internal attributes
        le32(directory, 0);  // external attributes
        le32(directory, clamp32(entry.offset));
        directory.append(entry.name);
        directory.append(zip64);
    }
    put(directory);
    const quint64 directorySize = quint64(directory.size());
    const quint64 count = quint64(m_entries.size());
    QByteArray tail;
    if (directoryStart >= kLimit32 || count >= 0xFFFF) {
        const quint64 record = quint64(m_file.pos());
        le32(tail, 0x06064b50);
        le64(tail, 44);
        le16(tail, kVersionZip64);
        le16(tail, kVersionZip64);
        le32(tail, 0);
        le32(tail, 0);
        le64(tail, count);
        le64(tail, count);
        le64(tail, directorySize);
        le64(tail, directoryStart);
        le32(tail, 0x07064b50);
        le32(tail, 0);
        le64(tail, record);
        le32(tail, 1);
    }
    le32(tail, 0x06054b50);
    le16(tail, 0);
    le16(tail, 0);
    le16(tail, quint16(qMin<quint64>(count, 0xFFFF)));
    le16(tail, quint16(qMin<quint64>(count, 0xFFFF)));
    le32(tail, clamp32(directorySize));
    le32(tail, clamp32(directoryStart));
    le16(tail, 0);
    put(tail);
    m_file.close();
    return !m_failed && m_file.error() == QFileDevice::NoError;
}
