#include "masterdata/read_statement_check.h"

#include <QStringList>

namespace {

// The statement's words and punctuation, upper-cased, without its literals,
// quoted names and comments (a literal stands as "'", a quoted name as "\"").
QStringList tokensOf(const QString& sql) {
    QStringList tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; };
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            while (i < n && sql.at(i) != u'\n') ++i;
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if ((c == u'q' || c == u'Q') && i + 2 < n && sql.at(i + 1) == u'\'') {
            // Q'<text>': the text ends at the closing delimiter followed by a quote.
            const QChar open = sql.at(i + 2);
            const QChar close = open == u'(' ? u')' : open == u'{' ? u'}' : open == u'[' ? u']' : open == u'<' ? u'>' : open;
            qsizetype end = i + 3;
            while (end + 1 < n && !(sql.at(end) == close && sql.at(end + 1) == u'\'')) ++end;
            i = end + 2;
            tokens << QStringLiteral("'");
        } else if (c == u'\'' || c == u'"') {
            // A doubled quote stands for itself inside the literal or name.
            qsizetype end = i + 1;
            for (;;) {
                while (end < n && sql.at(end) != c) ++end;
                if (end + 1 < n && sql.at(end + 1) == c) {
                    end += 2;
                    continue;
                }
                break;
            }
            i = end + 1;
            tokens << QString(c);
        } else if (isWordChar(c)) {
            const qsizetype start = i;
            while (i < n && isWordChar(sql.at(i))) ++i;
            tokens << sql.mid(start, i - start).toUpper();
        } else {
            tokens << QString(c);
            ++i;
        }
    }
    return tokens;
}

// GEN_ID(name, 0) only reads a sequence; any other increment moves it.
bool readsOnly(const QStringList& tokens, qsizetype genId) {
    const QStringList call = tokens.mid(genId + 1, 5);
    return call.size() == 5 && call[0] == u"(" && call[2] == u"," && call[3] == u"0" && call[4] == u")";
}

}  // namespace

QString ReadStatementProblem(const QString& sql) {
    const QStringList tokens = tokensOf(sql);
    if (tokens.isEmpty() || (tokens.first() != u"SELECT" && tokens.first() != u"WITH"))
        return NotAQueryMessage;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const bool genId = tokens[i] == u"GEN_ID" && i + 1 < tokens.size() && tokens[i + 1] == u"(" && !readsOnly(tokens, i);
        const bool nextValue = tokens[i] == u"NEXT" && i + 2 < tokens.size() && tokens[i + 1] == u"VALUE" &&
                               tokens[i + 2] == u"FOR";
        if (genId || nextValue)
            return QStringLiteral("Az utasítás sorszámgenerátort léptetne (GEN_ID, NEXT VALUE FOR), ezért nem futtatható: "
                                  "a lista csak olvashat.");
    }
    return {};
}
