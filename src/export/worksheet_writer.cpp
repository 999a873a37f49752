#include "worksheet_writer.h"

#include <QDateTime>

#include <cmath>

#include "db/altproc.h"
#include "excel_columns.h"
#include "export_progress.h"
#include "export_source.h"
#include "sheet_xml.h"
#include "xlsx_package.h"

namespace {

constexpr int kMaxSheetName = 31;
constexpr int kMaxCellText = 32767;
constexpr double kMaxColumnWidth = 255;
constexpr double kDefaultColumnWidth = 8.43;
const QString kMarker = QStringLiteral("összesen");

bool inLabels(const QStringList& labels, const QString& label) {
    return labels.contains(label.trimmed(), Qt::CaseInsensitive);
}

// The value as a number: numbers as they are, texts when they read as one.
bool numberOf(const QVariant& value, double& x) {
    if (IsNumberValue(value)) {
        x = value.toDouble();
        return true;
    }
    if (value.metaType().id() != QMetaType::QString) return false;
    bool ok = false;
    x = QString(value.toString()).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok;
}

double roundedToThousandths(double x) {
    try {
        return double(RoundHalfAway(x * 1000.0)) / 1000.0;  // RoundDec(3, x), without its pow()
    } catch (const HelperError&) {
        return x;  // too large to have thousandths
    }
}

int integerDigits(double x) {
    double a = std::floor(std::fabs(x));
    int digits = 1;
    while (a >= 10 && digits < 400) {
        a /= 10;
        ++digits;
    }
    return digits;
}

// Characters a number takes in its column, for the column's width.
int numberWidth(double x, NumberStyle style) {
    const int sign = x < 0 ? 1 : 0;
    switch (style) {
    case NumberStyle::Whole:
    case NumberStyle::Decimal: {
        const int digits = integerDigits(x);
        return sign + digits + (digits - 1) / 3 + (style == NumberStyle::Decimal ? 3 : 0);
    }
    case NumberStyle::Date: return 10;
    case NumberStyle::DateTime: return 19;
    case NumberStyle::Time: return 8;
    case NumberStyle::General: break;
    }
    // General: whole numbers in full, others with their decimals, at most 11.
    const int whole = sign + integerDigits(x);
    return x == std::floor(x) ? qMin(whole, 11) : qMin(whole + 4, 11);
}

QString sheetNameFrom(const QString& wanted) {
    QString name = wanted;
    for (QChar& c : name)
        if (QStringView(u"[]:*?/\\").contains(c)) c = u'_';
    while (name.startsWith(u'\'')) name.remove(0, 1);
    while (name.endsWith(u'\'')) name.chop(1);
    return name.left(kMaxSheetName);
}

// Days since the spreadsheet's epoch, as it counts them (with its 29
// February 1900); -1 for a date before 1900, which it cannot show.
double dateSerial(const QDate& date) {
    static const QDate epoch(1899, 12, 30);
    if (date < QDate(1900, 1, 1)) return -1;
    const qint64 days = epoch.daysTo(date);
    return double(date < QDate(1900, 3, 1) ? days - 1 : days);
}

double timeSerial(const QTime& time) { return time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0; }

}  // namespace

QStringList FieldLabels(const QString& list) {
    QStringList labels;
    for (const QString& part : list.split(u',')) {
        const QString label = part.trimmed();
        if (!label.isEmpty()) labels << label;
    }
    return labels;
}

QString SubtotalFormula(const QList<SheetRowRange>& ranges, int markerColumn, int sumColumn) {
    const QString marker = ExcelColumnName(markerColumn);
    const QString sum = ExcelColumnName(sumColumn);
    QStringList parts;
    for (const SheetRowRange& range : ranges) {
        if (range.first > range.last) continue;
        const QString sheet = range.sheet.isEmpty()
            ? QString()
            : u'\'' + QString(range.sheet).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'!");
        const QString first = QString::number(range.first);
        const QString last = QString::number(range.last);
        parts << QStringLiteral("SUMIF(%1%2%3:%2%4,\"<>%5\",%1%6%3:%6%4)")
                     .arg(sheet, marker, first, last, kMarker, sum);
    }
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(u'+');
}

WorksheetWriter::WorksheetWriter(XlsxPackage& workbook, QStringList& usedSheetNames, ExportSource& source,
                                 const TXLSParams& params, int rowsPerSheet, ExportProgress* progress)
    : m_workbook(workbook),
      m_usedNames(usedSheetNames),
      m_source(source),
      m_params(params),
      m_rowsPerSheet(rowsPerSheet),
      m_progress(progress) {}

void WorksheetWriter::prepareColumns() {
    const QList<int> visible = m_source.visibleColumns();
    const QStringList sumLabels = FieldLabels(m_params.SumFields);
    const QStringList integerLabels = FieldLabels(m_params.IntegerFields);
    const QStringList blankLabels = FieldLabels(m_params.BlankIfNullFields);
    const bool titlesFit = m_params.ColumnTitles.size() == m_source.columns().size();
    m_firstDataRow = m_params.ReportTitle.isEmpty() ? 2 : 3;
    m_marker = int(visible.size());

    for (int k = 0; k < visible.size(); ++k) {
        const int i = visible.at(k);
        const ExportColumn& column = m_source.columns().at(i);
        ColumnRule rule;
        rule.source = i;
        if (column.typeName == QLatin1String("VARCHAR") || column.typeName == QLatin1String("MEMO"))
            rule.kind = CellKind::Text;
        else if (column.typeName == QLatin1String("INTEGER"))
            rule.kind = CellKind::Integer;
        else if (column.typeName == QLatin1String("FLOAT"))
            rule.kind = CellKind::Float;
        rule.blankIfNull = inLabels(blankLabels, column.displayLabel);
        if (inLabels(sumLabels, column.displayLabel)) {
            rule.sumIndex = int(m_sumColumns.size());
            m_sumColumns << k;
            rule.style = inLabels(integerLabels, column.displayLabel) ? NumberStyle::Whole : NumberStyle::Decimal;
        }
        m_columns << rule;
        m_captions << (titlesFit ? m_params.ColumnTitles.at(i) : column.displayLabel);
    }

    for (const QString& label : FieldLabels(m_params.GroupFields)) {
        for (int k = 0; k < visible.size(); ++k) {
            if (m_source.columns().at(visible.at(k)).displayLabel.compare(label, Qt::CaseInsensitive) != 0) continue;
            TGroupSum group;
            group.fieldname = label;
            group.xlsColumn = k;
            group.sourceColumn = visible.at(k);
            group.fromrow = m_firstDataRow;
            group.sums = QList<double>(m_sumColumns.size(), 0.0);
            m_groups << group;
            break;
        }
    }
    m_groupValues = QStringList(m_groups.size());
    m_grandSums = QList<double>(m_sumColumns.size(), 0.0);
}

void WorksheetWriter::openSheet(const QString& wantedName) {
    QString base = sheetNameFrom(wantedName);
    if (base.isEmpty()) base = QStringLiteral("Munka%1").arg(m_usedNames.size() + 1);
    QString name = base;
    for (int n = 2; m_usedNames.contains(name, Qt::CaseInsensitive); ++n) {
        const QString suffix = QStringLiteral("_%1").arg(n);
        name = base.left(kMaxSheetName - suffix.size()) + suffix;
    }
    const int index = m_workbook.addSheet(name);
    m_usedNames << name;
    m_sheets << Sheet{index, name, QList<int>(m_marker + 1, 0)};
    m_sheet = &m_workbook.rows(index);
    m_widths = m_sheets.last().widths.data();
    m_openRow = 0;

    if (!m_params.ReportTitle.isEmpty()) {
        // The title row, merged up to the marker column.
        m_row = 1;
        row().text(0, m_params.ReportTitle, kTitleStyle);
        for (int k = 1; k <= m_marker; ++k) row().blank(k, kTitleStyle);
        if (m_marker > 0) m_sheet->merge(0, m_marker, 1);
    }
    m_row = m_firstDataRow - 1;
    for (int k = 0; k < m_captions.size(); ++k) writeText(k, m_captions.at(k), 0);
    m_row = m_firstDataRow;
}

SheetXml& WorksheetWriter::row() {
    if (m_openRow != m_row) {
        m_sheet->beginRow(m_row);
        m_openRow = m_row;
    }
    return *m_sheet;
}

void WorksheetWriter::ensureRoom() {
    if (m_row <= m_rowsPerSheet) return;
    // The sheet is full: what is open moves on to a continuation sheet,
    // and the totals take in the rows left behind by name.
    const QString full = m_sheets.last().name;
    for (TGroupSum& group : m_groups)
        group.earlier << SheetRowRange{full, group.fromrow, m_row - 1};
    m_grandEarlier << SheetRowRange{full, m_firstDataRow, m_row - 1};
    const QString suffix = QStringLiteral("_%1").arg(m_sheets.size());
    openSheet(m_sheets.first().name.left(kMaxSheetName - suffix.size()) + suffix);
    for (TGroupSum& group : m_groups) group.fromrow = m_firstDataRow;
}

void WorksheetWriter::widen(int column, int characters) {
    if (characters > m_widths[column]) m_widths[column] = characters;
}

void WorksheetWriter::writeText(int column, QStringView text, int style) {
    if (text.isEmpty() && style == 0) return;
    if (text.size() > kMaxCellText) text = text.left(kMaxCellText);
    row().text(column, text, style);
    widen(column, int(text.size()));
}

void WorksheetWriter::writeText(int column, std::string_view utf8, int style) {
    if (utf8.empty() && style == 0) return;
    qsizetype length = Utf8Length(utf8);
    if (length > kMaxCellText) {
        utf8 = Utf8Left(utf8, kMaxCellText);
        length = Utf8Length(utf8);
    }
    row().text(column, utf8, style);
    widen(column, int(length));
}

void WorksheetWriter::writeNumber(int column, double value, NumberStyle style, bool bold) {
    row().number(column, value, CellStyle(style, bold));
    widen(column, numberWidth(value, style));
}

void WorksheetWriter::writeSerial(int column, double serial, NumberStyle style) {
    row().number(column, serial, CellStyle(style, false));
    widen(column, numberWidth(0, style));
}

void WorksheetWriter::writeFormula(int column, const QString& formula, double value, NumberStyle style) {
    row().formula(column, formula.toUtf8(), value, CellStyle(style, true));
    widen(column, numberWidth(value, style));
}

void WorksheetWriter::writeOther(int k, const QVariant& value, double& summed) {
    const ColumnRule& rule = m_columns.at(k);
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        row().boolean(k, value.toBool(), 0);
        widen(k, 5);
        return;
    case QMetaType::QDate: {
        const double serial = dateSerial(value.toDate());
        if (serial < 0) break;
        return writeSerial(k, serial, NumberStyle::Date);
    }
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        const double serial = dateSerial(stamp.date());
        if (serial < 0) break;
        return writeSerial(k, serial + timeSerial(stamp.time()), NumberStyle::DateTime);
    }
    case QMetaType::QTime: return writeSerial(k, timeSerial(value.toTime()), NumberStyle::Time);
    default:
        if (IsNumberValue(value)) {
            const double x = value.toDouble();
            if (!std::isfinite(x)) return;
            summed = x;
            return writeNumber(k, x, rule.style, false);
        }
    }
    writeText(k, ExportValueText(value), CellStyle(rule.style, false));
}

void WorksheetWriter::writeDataRow() {
    ensureRoom();
    for (int k = 0; k < m_columns.size(); ++k) {
        const ColumnRule& rule = m_columns.at(k);
        std::string_view utf8;
        if (rule.kind == CellKind::Text && m_source.textUtf8(rule.source, utf8)) {
            // A text from the database goes on in UTF-8 as it came.
            writeText(k, utf8, CellStyle(rule.style, false));
            continue;
        }
        const QVariant value = m_source.value(rule.source);
        double summed = 0;
        if (value.isValid() && !value.isNull()) {
            double x = 0;
            switch (rule.kind) {
            case CellKind::Text:
                if (value.metaType().id() == QMetaType::QString)
                    writeText(k, *static_cast<const QString*>(value.constData()), CellStyle(rule.style, false));
                else
                    writeText(k, ExportValueText(value), CellStyle(rule.style, false));
                break;
            case CellKind::Integer:
            case CellKind::Float:
                if (!numberOf(value, x)) {
                    writeText(k, ExportValueText(value), 0);
                    break;
                }
                if (!std::isfinite(x)) break;
                if (rule.kind == CellKind::Float) x = roundedToThousandths(x);
                summed = x;
                if (!(rule.blankIfNull && x == 0)) writeNumber(k, x, rule.style, false);
                break;
            case CellKind::Other: writeOther(k, value, summed); break;
            }
        }
        if (rule.sumIndex >= 0) {
            for (TGroupSum& group : m_groups) group.sums[rule.sumIndex] += summed;
            m_grandSums[rule.sumIndex] += summed;
        }
    }
    ++m_row;
}

void WorksheetWriter::resetGroup(TGroupSum& group) {
    group.fromrow = m_row;
    group.earlier.clear();
    group.sums.fill(0.0);
}

void WorksheetWriter::writeSubtotal(TGroupSum& group) {
    ensureRoom();
    writeText(m_marker, kMarker, 0);
    writeText(group.xlsColumn, group.fieldvalue + u' ' + kMarker, CellStyle(NumberStyle::General, true));
    QList<SheetRowRange> ranges = group.earlier;
    ranges << SheetRowRange{QString(), group.fromrow, m_row - 1};
    for (int k : m_sumColumns) {
        const ColumnRule& rule = m_columns.at(k);
        writeFormula(k, SubtotalFormula(ranges, m_marker, k), group.sums.at(rule.sumIndex), rule.style);
    }
    ++m_row;
}

void WorksheetWriter::closeGroups(int first) {
    // Innermost first; each closed group, and every group inside it, starts
    // again below what was written.
    for (int i = int(m_groups.size()) - 1; i >= first; --i) {
        TGroupSum& group = m_groups[i];
        int span = m_row - group.fromrow;
        for (const SheetRowRange& range : group.earlier) span += range.last - range.first + 1;
        if (span >= 2) writeSubtotal(group);
        for (int j = i; j < m_groups.size(); ++j) resetGroup(m_groups[j]);
    }
}

void WorksheetWriter::writeGrandTotal() {
    ensureRoom();
    writeText(0, QStringLiteral("Mind összesen"), CellStyle(NumberStyle::General, true));
    writeText(m_marker, kMarker, 0);
    QList<SheetRowRange> ranges = m_grandEarlier;
    ranges << SheetRowRange{QString(), m_firstDataRow, m_row - 1};
    for (int k : m_sumColumns) {
        const ColumnRule& rule = m_columns.at(k);
        writeFormula(k, SubtotalFormula(ranges, m_marker, k), m_grandSums.at(rule.sumIndex), rule.style);
    }
    ++m_row;
}

void WorksheetWriter::write() {
    prepareColumns();
    openSheet(m_params.SheetName.isEmpty() ? m_source.name() : m_params.SheetName);
    if (!m_source.first()) return;
    if (m_progress) {
        const qint64 count = m_source.rowCount();
        m_progress->start(1, count > 0 && count <= INT_MAX ? int(count) : 0);
        m_progress->setPosition(1);
    }
    qint64 index = 0;
    do {
        for (int g = 0; g < m_groups.size(); ++g)
            m_groupValues[g] = ExportValueText(m_source.value(m_groups.at(g).sourceColumn));
        if (index > 0) {
            int changedAt = -1;
            for (int g = 0; g < m_groups.size(); ++g) {
                TGroupSum& group = m_groups[g];
                group.changed = m_groupValues.at(g) != group.fieldvalue;
                if (group.changed && changedAt < 0) changedAt = g;
            }
            if (changedAt >= 0) closeGroups(changedAt);
        }
        for (int g = 0; g < m_groups.size(); ++g) m_groups[g].fieldvalue = m_groupValues.at(g);
        writeDataRow();
        ++index;
        if (m_progress) {
            m_progress->setPosition(int(qMin<qint64>(index, INT_MAX)));
            if (index % 100 == 0) m_progress->processEvents();
        }
    } while (m_source.next());
    closeGroups(0);
    if (!m_params.NoTotal) writeGrandTotal();
}

void WorksheetWriter::finish() {
    for (const Sheet& sheet : m_sheets) {
        QList<SheetColumn> columns;
        for (int k = 0; k < m_marker; ++k) {
            const int characters = sheet.widths.at(k);
            const ColumnRule& rule = m_columns.at(k);
            SheetColumn column;
            column.width = characters > 0 ? qMin(kMaxColumnWidth, characters * 1.1 + 1.0) : kDefaultColumnWidth;
            column.style = rule.sumIndex >= 0 ? CellStyle(rule.style, false) : 0;
            columns << column;
        }
        // The marker column of the subtotal rows is there for the formulas only.
        SheetColumn marker;
        marker.hidden = true;
        columns << marker;
        if (columns.size() > SheetXml::kMaxColumns) columns.resize(SheetXml::kMaxColumns);
        m_workbook.setColumns(sheet.index, columns);
    }
}
