#include "delimited_text.h"

#include <QFile>
#include <algorithm>
#include <future>

#include "db/cp1250.h"

namespace {

// A record whose fields hold quotes or line breaks, from `pos`; leaves
// `pos` after the record and counts the lines it spans.
DelimitedLine quotedRecord(QStringView text, qsizetype& pos, QChar separator, int& lineNumber, int& unclosedAt) {
    DelimitedLine record;
    record.number = lineNumber;
    QString field;
    bool quoted = false;
    int quoteLine = 0;
    for (; pos < text.size(); ++pos) {
        const QChar ch = text.at(pos);
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (pos + 1 < text.size() && text.at(pos + 1) == QLatin1Char('"')) {
                    field += ch;
                    ++pos;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n')) ++lineNumber;
                field += ch;
            }
        } else if (ch == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            quoteLine = lineNumber;
        } else if (ch == separator) {
            record.fields << field;
            field.clear();
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            // CR LF and a lone CR end the line alike
            if (ch == QLatin1Char('\r') && pos + 1 < text.size() && text.at(pos + 1) == QLatin1Char('\n')) ++pos;
            ++pos;
            break;
        } else {
            field += ch;
        }
    }
    ++lineNumber;
    record.fields << field;
    if (quoted && unclosedAt == 0) unclosedAt = quoteLine;
    return record;
}

}  // namespace

QString UnclosedQuoteMessage(int line) {
    return QStringLiteral("A(z) %1. sorban kezdődő idézőjeles mező nincs lezárva: a fájl hibás, semmi sem került át belőle.")
        .arg(line);
}

namespace {

// The records of `text` from line `lineNumber` on; leaves `lineNumber` after
// the last line.
QList<DelimitedLine> splitLines(QStringView text, QChar separator, DelimitedFields storage, int& lineNumber,
                                int& unclosedAt) {
    QList<DelimitedLine> lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        bool quotes = false;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r')) {
            quotes = quotes || text.at(end) == QLatin1Char('"');
            ++end;
        }
        DelimitedLine record;
        if (quotes) {
            record = quotedRecord(text, pos, separator, lineNumber, unclosedAt);
        } else {
            record.number = lineNumber++;
            const QStringView line = text.mid(pos, end - pos);
            record.fields.reserve(line.count(separator) + 1);
            for (const QStringView field : line.tokenize(separator))
                record.fields << (storage == DelimitedFields::ViewingText && !field.isEmpty()
                                      ? QString::fromRawData(field.data(), field.size())
                                      : field.toString());
            pos = end;
            if (pos < text.size() && text.at(pos) == QLatin1Char('\r')) ++pos;
            if (pos < text.size() && text.at(pos) == QLatin1Char('\n')) ++pos;
        }
        const bool blank = record.fields.size() == 1 && record.fields.first().trimmed().isEmpty();
        if (!blank) lines << std::move(record);
    }
    return lines;
}

// Where a long text without quotes is cut in two for the second core: just
// after a line feed near its middle, which always ends a record; 0 when
// the text is short, has quotes (a quoted field may hold a line break) or
// has no line feed there.
qsizetype halfwayLineStart(QStringView text) {
    constexpr qsizetype kWorthSplitting = 1 << 20;
    if (text.size() < kWorthSplitting || text.contains(QLatin1Char('"'))) return 0;
    const qsizetype feed = text.indexOf(QLatin1Char('\n'), text.size() / 2);
    return feed < 0 ? 0 : feed + 1;
}

}  // namespace

QList<DelimitedLine> SplitDelimitedText(const QString& text, QChar separator, int* unclosedQuoteLine,
                                        DelimitedFields storage) {
    int unclosedAt = 0;
    int lineNumber = 1;
    QList<DelimitedLine> lines;
    const qsizetype cut = halfwayLineStart(text);
    if (cut == 0) {
        lines = splitLines(text, separator, storage, lineNumber, unclosedAt);
    } else {
        // The second half is numbered from 1 and moved on by the first half's
        // lines once both are split; neither has quotes to leave unclosed.
        auto secondHalf = std::async(std::launch::async, [&] {
            int secondLine = 1, unclosed = 0;
            return splitLines(QStringView(text).mid(cut), separator, storage, secondLine, unclosed);
        });
        lines = splitLines(QStringView(text).first(cut), separator, storage, lineNumber, unclosedAt);
        QList<DelimitedLine> rest = secondHalf.get();
        lines.reserve(lines.size() + rest.size());
        for (DelimitedLine& line : rest) {
            line.number += lineNumber - 1;
            lines << std::move(line);
        }
    }
    if (unclosedQuoteLine) *unclosedQuoteLine = unclosedAt;
    return lines;
}

namespace {

bool isControl(QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\t'); }

QString controlName(QChar c) { return QStringLiteral("0x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')); }

}  // namespace

QString ControlCharacterFault(QStringView field) {
    for (const QChar c : field)
        if (isControl(c))
            return c == QLatin1Char('\n') || c == QLatin1Char('\r')
                       ? QStringLiteral("sortörés")
                       : QStringLiteral("vezérlőkarakter (%1)").arg(controlName(c));
    return {};
}

bool ReadTextFile(const QString& path, QString& text, const QString& encoding, QString* error) {
    QString refusal;
    const auto refuse = [&](const QString& why) {
        text.clear();
        if (error) *error = why;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(QStringLiteral("A fájl nem olvasható: ") + path);
    const QByteArray bytes = file.readAll();
    const QString e = encoding.trimmed().toUpper();
    if (e == QLatin1String("WINDOWS-1250") || e == QLatin1String("CP1250"))
        text = DecodeCp1250(bytes);
    else if (!DecodeDataFile(bytes, text, refusal))
        return refuse(refusal);
    // Line ends and tabs are the file's own; any other control character
    // would be stored in a text.
    const auto control = std::find_if(text.cbegin(), text.cend(), [](QChar c) {
        return isControl(c) && c != QLatin1Char('\n') && c != QLatin1Char('\r');
    });
    if (control != text.cend()) {
        const qsizetype at = control - text.cbegin();
        return refuse(QStringLiteral("A fájl %1. sorában vezérlőkarakter (%2) van; ilyen jel nem kerülhet a "
                                     "könyvelésbe. Javítsa a fájlt, semmi sem került át belőle.")
                          .arg(QStringView(text).first(at).count(QLatin1Char('\n')) + 1)
                          .arg(controlName(*control)));
    }
    return true;
}
