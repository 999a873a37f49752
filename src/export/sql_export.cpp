#include "sql_export.h"

#include <QFile>

#include <charconv>
#include <cmath>
#include <vector>

#include "ask_file_name.h"
#include "cp1250_writer.h"
#include "db/altproc.h"
#include "db/ui_hooks.h"
#include "db/work_file.h"
#include "export_source.h"
#include "number_text.h"

namespace {

// The earlier script a new one is appended to.
bool copyInto(const QString& path, QIODevice& out) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return false;
    char buffer[1 << 16];
    for (qint64 n; (n = in.read(buffer, sizeof buffer)) != 0;)
        if (n < 0 || out.write(buffer, n) != n) return false;
    return true;
}

// A line of the script holds at most this many characters, unless a single
// name or value is longer by itself.
constexpr qsizetype kLineLength = 1022;

bool isQuotedType(const QString& typeName) {
    return typeName == QLatin1String("VARCHAR") || typeName == QLatin1String("CHAR")
        || typeName == QLatin1String("MEMO") || typeName == QLatin1String("BLOB")
        || typeName == QLatin1String("BOOLEAN");
}

// Rounded to three decimals, with a point whatever the workstation's
// decimal separator is.
void appendNumber(ByteBuffer& out, double x) {
    double rounded = x;
    try {
        rounded = double(RoundHalfAway(x * 1000.0)) / 1000.0;  // RoundDec(3, x), without its pow()
    } catch (const HelperError&) {
        // Too large to have thousandths.
    }
    char* at = out.room(kNumberTextSize);
    out.setEnd(at + PlainNumberText(rounded, at));
}

void appendQuoted(ByteBuffer& out, QStringView text) {
    out.put('\'');
    // Most texts need no change.
    bool plain = true;
    for (QChar c : text)
        if (c == u'\'' || c == u'/' || c == u'*') {
            plain = false;
            break;
        }
    AppendCp1250(out, plain ? text : QStringView(SqlTextLiteral(text.toString())));
    out.put('\'');
}

// A text of the database, in UTF-8.
void appendQuoted(ByteBuffer& out, std::string_view utf8) {
    if (utf8.find_first_of("'/*") != std::string_view::npos)
        return appendQuoted(out, QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    out.put('\'');
    AppendCp1250(out, utf8);
    out.put('\'');
}

void appendLiteral(ByteBuffer& out, bool quoted, const QVariant& value) {
    const int type = value.metaType().id();
    if (quoted) {
        if (type == QMetaType::QString) return appendQuoted(out, *static_cast<const QString*>(value.constData()));
        return appendQuoted(out, ExportValueText(value));
    }
    if (IsWholeNumberValue(value)) {
        char* at = out.room(24);
        out.setEnd(std::to_chars(at, at + 24, value.toLongLong()).ptr);
        return;  // whole numbers stay exact
    }
    switch (type) {
    case QMetaType::Float:
    case QMetaType::Double: {
        const double x = value.toDouble();
        if (std::isfinite(x)) return appendNumber(out, x);
        break;
    }
    // Dates and times in the form every database reads.
    case QMetaType::QDate: return appendQuoted(out, value.toDate().toString(Qt::ISODate));
    case QMetaType::QTime: return appendQuoted(out, value.toTime().toString(QStringLiteral("hh:mm:ss.zzz")));
    case QMetaType::QDateTime:
        return appendQuoted(out, value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
    case QMetaType::QString: {
        // A number given as text (rows built in the program): FloatFromText
        // gives its default only for what is no number, so two defaults agree
        // exactly when the text was read.
        const QString text = value.toString();
        const double x = FloatFromText(text, 0);
        if (FloatFromText(text, 1) == x) return appendNumber(out, x);
        break;
    }
    default: break;
    }
    appendQuoted(out, ExportValueText(value));
}

}  // namespace

QString SqlTextLiteral(const QString& text) {
    QString s = text;
    s.replace(u'\'', QStringLiteral("''"));
    // Removing one mark may join two halves into a new one.
    while (s.contains(QLatin1String("/*")) || s.contains(QLatin1String("*/"))) {
        s.remove(QStringLiteral("/*"));
        s.remove(QStringLiteral("*/"));
    }
    return s;
}

QString SqlTableFromStatement(const QString& statement) {
    bool nextLine = false;
    for (const QString& raw : statement.split(u'\n')) {
        const QString line = raw.trimmed().toUpper();
        qsizetype start = -1;
        if (nextLine) {
            start = 0;
        } else if (line == QLatin1String("FROM")) {
            nextLine = true;
            continue;
        } else {
            const qsizetype at = line.indexOf(QLatin1String("FROM "));
            if (at >= 0) start = at + 5;
        }
        if (start < 0) continue;
        qsizetype end = start;
        while (end < line.size() && line.at(end) != u' ' && line.at(end) != u',' && line.at(end) != u';') ++end;
        const QString name = line.mid(start, end - start);
        if (!name.isEmpty()) return name;
        if (nextLine) return {};
    }
    return {};
}

QString SqlTargetTable(const ExportSource& source, const QString& tableName) {
    if (!tableName.isEmpty()) return tableName;
    if (!source.isQuery()) return source.name();
    const QString fromStatement = SqlTableFromStatement(source.statementText());
    return fromStatement.isEmpty() ? source.name() : fromStatement;
}

bool ExportToSql(ExportSource& source, const QString& fileName, const QString& tableName, bool deleteFirst,
                 bool append) {
    if (!source.first()) return false;
    const QString name = fileName.isEmpty() ? AskFileName(QString(), 0) : fileName;
    if (name.isEmpty()) return false;
    const QString table = SqlTargetTable(source, tableName);

    // Written beside the target, an appended script too (after a copy of the
    // earlier one): the target changes only when the script is complete.
    WorkFile file(name);
    if (!file.open() || (append && QFile::exists(name) && !copyInto(name, file))) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(name));
        return false;
    }

    Cp1250Writer out(file);
    if (deleteFirst) {
        out.append(QStringLiteral("Delete From %1;").arg(table));
        out.endLine();
    }
    // What every row needs of its columns, made once.
    const QList<int> columns = source.visibleColumns();
    std::vector<ByteBuffer> separatedNames(size_t(columns.size()));  // ",NAME"
    QList<bool> quoted;
    for (qsizetype k = 0; k < columns.size(); ++k) {
        const ExportColumn& column = source.columns().at(columns.at(k));
        separatedNames[size_t(k)].put(',');
        AppendCp1250(separatedNames[size_t(k)], column.name);
        quoted << isQuotedType(column.typeName);
    }
    ByteBuffer start;
    AppendCp1250(start, QStringLiteral("Insert Into %1 (").arg(table));

    ByteBuffer statement, piece;
    QList<int> present;
    QList<QVariant> values(columns.size());
    std::vector<std::string_view> texts(size_t(columns.size()));
    std::vector<char> isText(size_t(columns.size()));
    // One INSERT, broken into lines before a name or value that would make
    // the line too long.
    const auto add = [&](const char* text, qsizetype size) {
        if (!statement.isEmpty() && statement.size() + size > kLineLength) {
            out.appendBytes(statement.data(), statement.size());
            out.endLine();
            statement.clear();
        }
        statement.put(text, size);
    };
    do {
        present.resize(0);
        for (qsizetype k = 0; k < columns.size(); ++k) {
            isText[size_t(k)] = quoted.at(k) && source.textUtf8(columns.at(k), texts[size_t(k)]);
            if (!isText[size_t(k)]) values[k] = source.value(columns.at(k));
            if (isText[size_t(k)] || !values.at(k).isNull()) present << int(k);
        }
        statement.clear();
        statement.put(start.data(), start.size());
        for (qsizetype p = 0; p < present.size(); ++p) {
            const ByteBuffer& name = separatedNames[size_t(present.at(p))];
            add(name.data() + (p == 0 ? 1 : 0), name.size() - (p == 0 ? 1 : 0));
        }
        for (qsizetype p = 0; p < present.size(); ++p) {
            piece.clear();
            if (p == 0)
                piece.put(") Values (", 10);
            else
                piece.put(',');
            const qsizetype k = present.at(p);
            if (isText[size_t(k)])
                appendQuoted(piece, texts[size_t(k)]);
            else
                appendLiteral(piece, quoted.at(k), values.at(k));
            if (p == present.size() - 1) piece.put(");", 2);
            add(piece.data(), piece.size());
        }
        if (present.isEmpty()) add(") Values ();", 12);
        out.appendBytes(statement.data(), statement.size());
        out.endLine();
    } while (source.next());
    out.flush();

    if (!file.commit()) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(name));
        return false;
    }
    return true;
}
