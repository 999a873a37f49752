#include "workbook_styles.h"

namespace {

const char* numberFormat(NumberStyle style) {
    switch (style) {
    case NumberStyle::Whole: return "# ### ### ##0";
    case NumberStyle::Decimal: return "# ### ### ##0.00";
    case NumberStyle::Date: return "yyyy.mm.dd";
    case NumberStyle::DateTime: return "yyyy.mm.dd hh:mm:ss";
    case NumberStyle::Time: return "hh:mm:ss";
    case NumberStyle::General: break;
    }
    return nullptr;
}

constexpr NumberStyle kStyles[] = {NumberStyle::General, NumberStyle::Whole,    NumberStyle::Decimal,
                                   NumberStyle::Date,    NumberStyle::DateTime, NumberStyle::Time};

// Formats of our own are numbered from 164 on; lower numbers are built in.
int formatId(NumberStyle style) { return style == NumberStyle::General ? 0 : 163 + int(style); }

}  // namespace

QByteArray StylesXml() {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                     "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    xml += "<numFmts count=\"5\">";
    for (NumberStyle style : kStyles)
        if (const char* code = numberFormat(style))
            xml += "<numFmt numFmtId=\"" + QByteArray::number(formatId(style)) + "\" formatCode=\"" + code + "\"/>";
    xml += "</numFmts>"
           "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
           "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + QByteArray::number(kTitleStyle + 1) + "\">";
    for (NumberStyle style : kStyles) {
        for (int bold = 0; bold < 2; ++bold) {
            xml += "<xf numFmtId=\"" + QByteArray::number(formatId(style)) + "\" fontId=\"" + QByteArray::number(bold)
                + "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"";
            if (style != NumberStyle::General) xml += " applyNumberFormat=\"1\"";
            if (bold) xml += " applyFont=\"1\"";
            xml += "/>";
        }
    }
    xml += "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" "
           "applyAlignment=\"1\"><alignment horizontal=\"center\" vertical=\"center\"/></xf>"
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "<dxfs count=\"0\"/><tableStyles count=\"0\"/>"
           "</styleSheet>";
    return xml;
}
