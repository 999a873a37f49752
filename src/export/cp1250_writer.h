#pragma once
// Large single-byte text files (the text and SQL exports) written in the
// workstations' code page, Windows-1250: lines are encoded straight into an
// output buffer that goes to the file in large pieces. A character the code
// page cannot hold becomes '?', as everywhere in the program.
#include <QByteArray>
#include <QStringView>

#include <string_view>

#include "byte_buffer.h"

class QIODevice;

class Cp1250Writer {
public:
    explicit Cp1250Writer(QIODevice& device);
    // Appends text to the current line.
    void append(QStringView text);
    void appendBlanks(qsizetype count);
    // A column of a fixed-width line: the text on one line (a line break in
    // it becomes a blank), on the left of `width` characters and two blanks
    // after them, or on their right and two blanks after it.
    void appendField(QStringView text, qsizetype width, bool leftAligned);
    void appendField(std::string_view ascii, qsizetype width, bool leftAligned);
    void appendUtf8Field(std::string_view utf8, qsizetype width, bool leftAligned);
    // Bytes already in the code page.
    void appendBytes(const char* bytes, qsizetype size);
    // Ends the line with a Windows line end.
    void endLine();
    // Hands what is buffered to the device.
    void flush();

    // Encodes at `out`, which has room for text.size() bytes; returns the end.
    static char* encode(QStringView text, char* out, bool oneLine);
    static char* encode(std::string_view utf8, char* out, bool oneLine);

private:
    char* room(qsizetype size);
    void placeField(char* start, qsizetype written, qsizetype width, bool leftAligned);

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_used = 0;
};

// Appends a text in the code page to `out`.
void AppendCp1250(ByteBuffer& out, QStringView text);
void AppendCp1250(ByteBuffer& out, std::string_view utf8);
