#include "sheet_xml.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "deflate_stream.h"
#include "excel_columns.h"

namespace {

const char kHex[] = "0123456789ABCDEF";

// Characters that XML cannot hold as they are: the markup characters and
// the control characters (apart from tab and line feed).
inline bool needsEscape(unsigned c) { return c == '&' || c == '<' || c == '>' || (c < 0x20 && c != '\t' && c != '\n'); }

char* escapeAscii(char* out, unsigned c) {
    switch (c) {
    case '&': return std::copy_n("&amp;", 5, out);
    case '<': return std::copy_n("&lt;", 4, out);
    case '>': return std::copy_n("&gt;", 4, out);
    default:
        out = std::copy_n("_x00", 4, out);
        *out++ = kHex[c >> 4];
        *out++ = kHex[c & 15];
        *out++ = '_';
        return out;
    }
}

bool hasOuterBlank(QStringView text) {
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

bool hasOuterBlank(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

}  // namespace

char* WriteXmlText(char* p, QStringView text) {
    const char16_t* s = text.utf16();
    const char16_t* end = s + text.size();
    while (s < end) {
        const unsigned c = *s++;
        if (c < 0x80) {
            if (needsEscape(c))
                p = escapeAscii(p, c);
            else
                *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && s < end && QChar::isLowSurrogate(*s)) {
            const char32_t u = QChar::surrogateToUcs4(char16_t(c), *s++);
            *p++ = char(0xF0 | (u >> 18));
            *p++ = char(0x80 | ((u >> 12) & 0x3F));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else {
            const unsigned u = QChar::isSurrogate(c) ? 0xFFFD : c;  // a lone half of a pair
            *p++ = char(0xE0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        }
    }
    return p;
}

char* WriteXmlText(char* p, std::string_view utf8) {
    for (const char ch : utf8) {
        const unsigned c = static_cast<unsigned char>(ch);
        if (c < 0x80 && needsEscape(c))
            p = escapeAscii(p, c);
        else
            *p++ = ch;
    }
    return p;
}

void AppendXmlText(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size() * 7);  // the longest form of one UTF-16 unit: _x001F_
    out.resize(WriteXmlText(out.data() + start, text) - out.constData());
}

void AppendXmlText(QByteArray& out, std::string_view utf8) {
    const qsizetype start = out.size();
    out.resize(start + qsizetype(utf8.size()) * 7);
    out.resize(WriteXmlText(out.data() + start, utf8) - out.constData());
}

void AppendNumber(QByteArray& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0);  // +0.0: no "-0"
    out.append(buffer, result.ptr - buffer);
}

SheetXml::SheetXml(DeflateStream& rows) : m_out(rows) { m_rowXml.room(64 * 1024); }

const QByteArray& SheetXml::columnName(int column) {
    if (column < 0 || column >= kMaxColumns)
        throw SheetGridError("a worksheet has " + std::to_string(kMaxColumns) + " columns");
    while (m_columnNames.size() <= column) m_columnNames << ExcelColumnName(int(m_columnNames.size())).toLatin1();
    return m_columnNames[column];
}

void SheetXml::beginRow(int row) {
    if (row > kMaxRows) throw SheetGridError("a worksheet has " + std::to_string(kMaxRows) + " rows");
    if (m_row != 0) endRow();
    m_row = row;
    m_rowTextSize = int(std::to_chars(m_rowText, m_rowText + sizeof m_rowText, row).ptr - m_rowText);
    m_sorted = true;
    m_cells.clear();
    if (m_firstRow == 0) m_firstRow = row;
    m_lastRow = row;
}

void SheetXml::openCell(int column, int style, const char* type) {
    const QByteArray& name = columnName(column);
    if (!m_cells.empty() && m_cells.back().column >= column) m_sorted = false;
    m_cells.push_back(CellSpan{column, m_rowXml.size(), 0});
    char* p = m_rowXml.room(64);
    p = std::copy_n("<c r=\"", 6, p);
    p = std::copy_n(name.constData(), name.size(), p);
    p = std::copy_n(m_rowText, m_rowTextSize, p);
    *p++ = '"';
    if (style != 0) {
        p = std::copy_n(" s=\"", 4, p);
        p = std::to_chars(p, p + 12, style).ptr;
        *p++ = '"';
    }
    if (type) {
        p = std::copy_n(" t=\"", 4, p);
        for (const char* t = type; *t; ++t) *p++ = *t;
        *p++ = '"';
    }
    m_rowXml.setEnd(p);
    if (m_firstColumn < 0 || column < m_firstColumn) m_firstColumn = column;
    if (column > m_lastColumn) m_lastColumn = column;
}

void SheetXml::closeCell() { m_cells.back().end = m_rowXml.size(); }

void SheetXml::text(int column, QStringView text, int style) {
    openCell(column, style, "inlineStr");
    char* p = m_rowXml.room(text.size() * 7 + 48);
    p = hasOuterBlank(text) ? std::copy_n("><is><t xml:space=\"preserve\">", 29, p) : std::copy_n("><is><t>", 8, p);
    p = WriteXmlText(p, text);
    m_rowXml.setEnd(std::copy_n("</t></is></c>", 13, p));
    closeCell();
}

void SheetXml::text(int column, std::string_view utf8, int style) {
    openCell(column, style, "inlineStr");
    char* p = m_rowXml.room(qsizetype(utf8.size()) * 7 + 48);
    p = hasOuterBlank(utf8) ? std::copy_n("><is><t xml:space=\"preserve\">", 29, p) : std::copy_n("><is><t>", 8, p);
    p = WriteXmlText(p, utf8);
    m_rowXml.setEnd(std::copy_n("</t></is></c>", 13, p));
    closeCell();
}

void SheetXml::number(int column, double value, int style) {
    openCell(column, style, nullptr);
    char* p = m_rowXml.room(48);
    p = std::copy_n("><v>", 4, p);
    p = std::to_chars(p, p + 32, value + 0.0).ptr;  // +0.0: no "-0"
    m_rowXml.setEnd(std::copy_n("</v></c>", 8, p));
    closeCell();
}

void SheetXml::boolean(int column, bool value, int style) {
    openCell(column, style, "b");
    m_rowXml.put(value ? "><v>1</v></c>" : "><v>0</v></c>", 13);
    closeCell();
}

void SheetXml::formula(int column, const QByteArray& formula, double value, int style) {
    openCell(column, style, nullptr);
    char* p = m_rowXml.room(formula.size() * 7 + 64);
    p = std::copy_n("><f>", 4, p);
    p = WriteXmlText(p, std::string_view(formula.constData(), size_t(formula.size())));
    p = std::copy_n("</f><v>", 7, p);
    p = std::to_chars(p, p + 32, value + 0.0).ptr;
    m_rowXml.setEnd(std::copy_n("</v></c>", 8, p));
    closeCell();
}

void SheetXml::blank(int column, int style) {
    openCell(column, style, nullptr);
    m_rowXml.put("/>", 2);
    closeCell();
}

void SheetXml::endRow() {
    char start[32] = "<row r=\"";
    char* p = std::copy_n(m_rowText, m_rowTextSize, start + 8);
    p = std::copy_n("\">", 2, p);
    m_out.write(start, p - start);
    if (m_sorted) {
        m_out.write(m_rowXml.data(), m_rowXml.size());
    } else {
        // Cells in column order; of two in one column the later one stays.
        std::stable_sort(m_cells.begin(), m_cells.end(),
                         [](const CellSpan& a, const CellSpan& b) { return a.column < b.column; });
        for (size_t i = 0; i < m_cells.size(); ++i) {
            if (i + 1 < m_cells.size() && m_cells[i + 1].column == m_cells[i].column) continue;
            const CellSpan& cell = m_cells[i];
            m_out.write(m_rowXml.data() + cell.start, cell.end - cell.start);
        }
    }
    m_out.write("</row>", 6);
    m_rowXml.clear();
    m_cells.clear();
    m_row = 0;
}

void SheetXml::end() {
    if (m_row != 0) endRow();
}

void SheetXml::merge(int firstColumn, int lastColumn, int row) {
    const QString r = QString::number(row);
    m_merges << ExcelColumnName(firstColumn) + r + u':' + ExcelColumnName(lastColumn) + r;
}

QByteArray SheetXml::head(const QList<SheetColumn>& columns, bool selected) const {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    xml += "<dimension ref=\"";
    if (m_firstRow == 0 || m_firstColumn < 0) {
        xml += "A1";
    } else {
        xml += ExcelColumnName(m_firstColumn).toLatin1() + QByteArray::number(m_firstRow);
        if (m_lastRow != m_firstRow || m_lastColumn != m_firstColumn)
            xml += ':' + ExcelColumnName(m_lastColumn).toLatin1() + QByteArray::number(m_lastRow);
    }
    xml += "\"/><sheetViews><sheetView ";
    if (selected) xml += "tabSelected=\"1\" ";
    xml += "workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!columns.isEmpty()) {
        xml += "<cols>";
        for (qsizetype k = 0; k < columns.size(); ++k) {
            const SheetColumn& column = columns.at(k);
            const QByteArray index = QByteArray::number(k + 1);
            xml += "<col min=\"" + index + "\" max=\"" + index + "\" width=\"";
            AppendNumber(xml, column.hidden ? 0.0 : std::round(column.width * 100) / 100);
            xml += '"';
            if (column.style != 0) xml += " style=\"" + QByteArray::number(column.style) + '"';
            if (column.hidden) xml += " hidden=\"1\"";
            xml += " customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }
    xml += "<sheetData>";
    return xml;
}

QByteArray SheetXml::tail() const {
    QByteArray xml = "</sheetData>";
    if (!m_merges.isEmpty()) {
        xml += "<mergeCells count=\"" + QByteArray::number(m_merges.size()) + "\">";
        for (const QString& ref : m_merges) xml += "<mergeCell ref=\"" + ref.toLatin1() + "\"/>";
        xml += "</mergeCells>";
    }
    xml += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
           "</worksheet>";
    return xml;
}
