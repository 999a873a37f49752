#include "support/xlsx_reader.h"

#include <QXmlStreamReader>

#include <zip.h>

namespace {

QMap<QString, QByteArray> readZip(const QString& path, bool& ok) {
    QMap<QString, QByteArray> parts;
    int error = 0;
    zip_t* archive = zip_open(path.toUtf8().constData(), ZIP_RDONLY, &error);
    ok = archive != nullptr;
    if (!archive) return parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0) continue;
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file) {
            ok = false;
            continue;
        }
        QByteArray data(qsizetype(stat.size), '\0');
        if (zip_fread(file, data.data(), stat.size) != zip_int64_t(stat.size)) ok = false;
        zip_fclose(file);
        parts.insert(QString::fromUtf8(stat.name), data);
    }
    zip_close(archive);
    return parts;
}

// The text of the element the reader stands on, including the text of its
// children (<is><t>..</t></is>, <si><r><t>..</t></r></si>).
QString innerText(QXmlStreamReader& xml) {
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) ++depth;
        else if (xml.isEndElement()) --depth;
        else if (xml.isCharacters()) text += xml.text();
    }
    return text;
}

QStringList sharedStrings(const QByteArray& data) {
    QStringList strings;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) strings << innerText(xml);
    }
    return strings;
}

int rowOf(const QString& ref) {
    qsizetype i = 0;
    while (i < ref.size() && ref.at(i).isLetter()) ++i;
    return ref.mid(i).toInt();
}

}  // namespace

XlsxColumn XlsxSheet::column(int index) const {
    for (const XlsxColumn& c : columns)
        if (index >= c.min && index <= c.max) return c;
    return {};
}

XlsxWorkbook::XlsxWorkbook(const QString& path) { m_parts = readZip(path, m_open); }

QString XlsxWorkbook::xmlError(const QString& name) const {
    if (!m_parts.contains(name)) return QStringLiteral("no part ") + name;
    QXmlStreamReader xml(m_parts.value(name));
    while (!xml.atEnd()) xml.readNext();
    return xml.hasError() ? xml.errorString() : QString();
}

QString XlsxWorkbook::workbookContentType() const {
    QXmlStreamReader xml(part(QStringLiteral("[Content_Types].xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Override")
            && xml.attributes().value(QLatin1String("PartName")) == QLatin1String("/xl/workbook.xml"))
            return xml.attributes().value(QLatin1String("ContentType")).toString();
    }
    return {};
}

QStringList XlsxWorkbook::sheetNames() const {
    QStringList names;
    QXmlStreamReader xml(part(QStringLiteral("xl/workbook.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet"))
            names << xml.attributes().value(QLatin1String("name")).toString();
    }
    return names;
}

XlsxSheet XlsxWorkbook::sheet(const QString& name) const {
    // The sheet's relationship id, then its part.
    QString id;
    {
        QXmlStreamReader xml(part(QStringLiteral("xl/workbook.xml")));
        while (!xml.atEnd() && id.isEmpty()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("sheet")
                && xml.attributes().value(QLatin1String("name")) == name)
                for (const QXmlStreamAttribute& a : xml.attributes())
                    if (a.name() == QLatin1String("id")) id = a.value().toString();
        }
    }
    QString target;
    {
        QXmlStreamReader xml(part(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!xml.atEnd() && target.isEmpty()) {
            xml.readNext();
            if (xml.isStartElement() && xml.attributes().value(QLatin1String("Id")) == id)
                target = xml.attributes().value(QLatin1String("Target")).toString();
        }
    }
    if (target.startsWith(u'/')) target = target.mid(1);
    else target = QStringLiteral("xl/") + target;

    const QStringList strings = sharedStrings(part(QStringLiteral("xl/sharedStrings.xml")));
    XlsxSheet sheet;
    QXmlStreamReader xml(part(target));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("col")) {
            XlsxColumn c;
            c.min = a.value(QLatin1String("min")).toInt();
            c.max = a.value(QLatin1String("max")).toInt();
            c.width = a.value(QLatin1String("width")).toDouble();
            c.hidden = a.value(QLatin1String("hidden")) == QLatin1String("1");
            c.style = a.value(QLatin1String("style")).toInt();
            sheet.columns << c;
        } else if (xml.name() == QLatin1String("mergeCell")) {
            sheet.merges << a.value(QLatin1String("ref")).toString();
        } else if (xml.name() == QLatin1String("c")) {
            const QString ref = a.value(QLatin1String("r")).toString();
            XlsxCell cell;
            cell.type = a.value(QLatin1String("t")).toString();
            cell.style = a.value(QLatin1String("s")).toInt();
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement()) {
                    --depth;
                } else if (xml.isStartElement()) {
                    if (xml.name() == QLatin1String("f")) cell.formula = xml.readElementText();
                    else if (xml.name() == QLatin1String("v")) cell.value = xml.readElementText();
                    else if (xml.name() == QLatin1String("is")) cell.value = innerText(xml);
                    else ++depth;
                }
            }
            if (cell.type == QLatin1String("s")) cell.value = strings.value(cell.value.toInt());
            sheet.cells.insert(ref, cell);
            sheet.lastRow = qMax(sheet.lastRow, rowOf(ref));
        }
    }
    return sheet;
}

XlsxStyle XlsxWorkbook::style(int index) const {
    QMap<int, QString> formats;
    QList<bool> boldFonts;
    QList<QPair<int, int>> xfs;  // numFmtId, fontId
    QXmlStreamReader xml(part(QStringLiteral("xl/styles.xml")));
    bool inCellXfs = false;
    bool inFont = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("cellXfs")) inCellXfs = false;
            if (xml.name() == QLatin1String("font")) inFont = false;
            continue;
        }
        if (!xml.isStartElement()) continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("numFmt")) {
            formats.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
        } else if (xml.name() == QLatin1String("font")) {
            boldFonts << false;
            inFont = true;
        } else if (inFont && xml.name() == QLatin1String("b")) {
            boldFonts.last() = true;
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            xfs << qMakePair(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("fontId")).toInt());
        }
    }
    XlsxStyle style;
    if (index < 0 || index >= xfs.size()) return style;
    style.numberFormat = formats.value(xfs.at(index).first);
    style.bold = boldFonts.value(xfs.at(index).second);
    return style;
}
