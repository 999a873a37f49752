#pragma once
// Windows-1250, the Central European code page of the workstations: settings
// files, text export, update scripts and the VAT-return XML are written in it.
// Qt 6.4 converts only UTF-8, UTF-16/32, Latin-1 and the system code page, so
// the upper half of the code page is a table of our own.
#include <QByteArray>
#include <QString>

// Bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) decode
// to the control character of the same number, as Windows does, so decoding
// and encoding again gives back the same bytes.
QString DecodeCp1250(const QByteArray& bytes);
// A character the code page cannot hold becomes '?'.
QByteArray EncodeCp1250(const QString& text);

// The rule of every 8-bit text file the program reads: valid UTF-8 is read as
// UTF-8 (an initial byte-order mark is dropped), anything else as
// Windows-1250. `wasUtf8` tells which one it was, so the file can be written
// back the same way.
QString Decode8BitText(const QByteArray& bytes, bool* wasUtf8 = nullptr);
QByteArray Encode8BitText(const QString& text, bool utf8);

// The rule of the data files other programs write (voucher files, imports),
// where a wrong guess would garble every accent that gets stored: valid UTF-8
// is read as UTF-8, a file with no UTF-8 letters in it as Windows-1250. A
// file that is UTF-8 but for some bad bytes, or that holds a byte
// Windows-1250 leaves undefined, is refused: false, and `error` says so,
// naming the line of the first bad byte.
bool DecodeDataFile(const QByteArray& bytes, QString& text, QString& error);
