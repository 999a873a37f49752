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

// Reads a data file as text: valid UTF-8 as UTF-8, a plausible Windows-1250
// file as that; the encoding "WINDOWS-1250" reads every file as that. False
// when the file cannot be read, or is refused: a file that is neither UTF-8
// nor Windows-1250, or holds a control character (any below a blank but the
// tab and the line ends), which no stored text may hold. `error` (when
// given) then says why, naming the line.
bool ReadTextFile(const QString& path, QString& text, const QString& encoding = {}, QString* error = nullptr);

// The message for a field that holds a control character (a line break in a
// quoted field included; a tab is allowed); empty when it holds none.
QString ControlCharacterFault(QStringView field);
