#pragma once
// Large single-byte text files (the text and SQL exports) written in the
// workstations' code page, Windows-1250: lines are encoded straight into an
// output buffer that goes to the file in large pieces. A character the code
// page cannot hold becomes '?', as everywhere in the program.
#include <QByteArray>
#include <QStringView>

class QIODevice;

class Cp1250Writer {
public:
    explicit Cp1250Writer(QIODevice& device);
    // Appends text to the current line.
    void append(QStringView text);
    void appendBlanks(qsizetype count);
    // Ends the line with a Windows line end.
    void endLine();
    // Hands what is buffered to the device.
    void flush();

private:
    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_used = 0;
};
