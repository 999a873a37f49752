#include "sql_export.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <memory>

#include "ask_file_name.h"
#include "cp1250_writer.h"
#include "db/altproc.h"
#include "db/ui_hooks.h"
#include "export_source.h"

namespace {

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
void appendNumber(QString& out, double x) {
    double rounded = x;
    try {
        rounded = RoundDec(3, x);
    } catch (const HelperError&) {
        // Too large to have thousandths.
    }
    out += QString::number(rounded + 0.0, 'f', QLocale::FloatingPointShortest);  // +0.0: no "-0"
}

void appendQuoted(QString& out, const QString& text) {
    out += u'\'';
    // Most texts need no change.
    bool plain = true;
    for (QChar c : text)
        if (c == u'\'' || c == u'/' || c == u'*') {
            plain = false;
            break;
        }
    out += plain ? text : SqlTextLiteral(text);
    out += u'\'';
}

void appendLiteral(QString& out, const ExportColumn& column, const QVariant& value) {
    if (isQuotedType(column.typeName)) return appendQuoted(out, ExportValueText(value));
    const int type = value.metaType().id();
    if (IsWholeNumberValue(value)) {
        out += QString::number(value.toLongLong());  // whole numbers stay exact
        return;
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

    std::unique_ptr<QFileDevice> file;
    if (append && QFile::exists(name)) {
        file = std::make_unique<QFile>(name);
        if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) file.reset();
    } else {
        file = std::make_unique<QSaveFile>(name);
        if (!file->open(QIODevice::WriteOnly)) file.reset();
    }
    if (!file) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(name));
        return false;
    }

    Cp1250Writer out(*file);
    if (deleteFirst) {
        out.append(QStringLiteral("Delete From %1;").arg(table));
        out.endLine();
    }
    const QList<int> columns = source.visibleColumns();
    QStringList separatedNames;  // ",NAME"
    for (int i : columns) separatedNames << u',' + source.columns().at(i).name;
    const QString start = QStringLiteral("Insert Into %1 (").arg(table);

    QString statement, piece;
    QList<int> present;
    QVariantList values;
    // One INSERT, broken into lines before a name or value that would make
    // the line too long.
    const auto add = [&](const QString& text) {
        if (!statement.isEmpty() && statement.size() + text.size() > kLineLength) {
            out.append(statement);
            out.endLine();
            statement.clear();
        }
        statement += text;
    };
    do {
        present.clear();
        values.clear();
        for (qsizetype k = 0; k < columns.size(); ++k) {
            QVariant value = source.value(columns.at(k));
            if (value.isNull()) continue;
            present << int(k);
            values << std::move(value);
        }
        statement = start;
        for (qsizetype p = 0; p < present.size(); ++p) {
            const QString& name = separatedNames.at(present.at(p));
            add(p == 0 ? name.mid(1) : name);
        }
        for (qsizetype p = 0; p < present.size(); ++p) {
            piece = p == 0 ? QStringLiteral(") Values (") : QStringLiteral(",");
            appendLiteral(piece, source.columns().at(columns.at(present.at(p))), values.at(p));
            if (p == present.size() - 1) piece += QLatin1String(");");
            add(piece);
        }
        if (present.isEmpty()) add(QStringLiteral(") Values ();"));
        out.append(statement);
        out.endLine();
    } while (source.next());
    out.flush();

    auto* saveFile = dynamic_cast<QSaveFile*>(file.get());
    const bool written = saveFile ? saveFile->commit() : (file->flush() && file->error() == QFileDevice::NoError);
    if (!written) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(name));
        return false;
    }
    return true;
}
