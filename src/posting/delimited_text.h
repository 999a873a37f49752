#pragma once
// Text files of lines and separated fields, as other programs and
// spreadsheets write them: UTF-8 or Windows-1250, CR LF or LF, fields in
// double quotes when they hold the separator, a quote or a line break.
#include <QList>
#include <QString>
#include <QStringList>

struct DelimitedLine {
    int number = 0;  // 1-based line number in the file (the first line of a quoted multi-line record)
    QStringList fields;
};

// How the fields of unquoted records hold their texts: copies of their own,
// or views into the split text, which saves a copy per field of a large
// file but leaves them valid only while that text lives unchanged.
enum class DelimitedFields { Copied, ViewingText };

// The records of a text: blank lines are left out. Fields are not trimmed.
// A quote that is never closed would swallow the rest of the text into one
// field: `unclosedQuoteLine` (when given) then gets the line the quoted
// field began on, else 0; callers refuse such a text as a whole.
QList<DelimitedLine> SplitDelimitedText(const QString& text, QChar separator, int* unclosedQuoteLine = nullptr,
                                        DelimitedFields storage = DelimitedFields::Copied);

// The message for such a text.
QString UnclosedQuoteMessage(int line);

// Reads a file as 8-bit text: valid UTF-8 as UTF-8, anything else as
// Windows-1250; the encoding "WINDOWS-1250" reads every file as that.
// False when the file cannot be read.
bool ReadTextFile(const QString& path, QString& text, const QString& encoding = {});
