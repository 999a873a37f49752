#pragma once
// A zip archive written front to back: each entry is laid down whole, with
// its sizes known, and the central directory follows at the end. Large
// entries get the zip64 fields they need.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include "deflate_stream.h"

class ZipWriter {
public:
    explicit ZipWriter(const QString& path);
    bool open();

    // An entry compressed here from its whole data.
    void addFile(const QByteArray& name, const QByteArray& data);
    // An entry made of deflated pieces, laid one after the other.
    void addDeflated(const QByteArray& name, const QList<DeflatedPiece>& pieces);
    // Writes the central directory; false when anything could not be written.
    bool close();
    QString errorString() const { return m_file.errorString(); }

private:
    struct Entry {
        QByteArray name;
        quint32 crc = 0;
        quint64 rawSize = 0;
        quint64 packedSize = 0;
        quint64 offset = 0;
    };

    void put(const QByteArray& bytes);
    void copyPiece(const DeflatedPiece& piece);

    QFile m_file;
    QList<Entry> m_entries;
    quint16 m_dosTime = 0;
    quint16 m_dosDate = 0;
    bool m_failed = false;
};
