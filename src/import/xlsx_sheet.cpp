#include "xlsx_sheet.h"

#include <QByteArray>
#include <QHash>
#include <QXmlStreamReader>
#include <zip.h>

namespace {

// One package open for reading, closed when done.
class Package {
public:
    explicit Package(const QString& path) {
        int error = 0;
        m_zip = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY, &error);
    }
    ~Package() {
        if (m_zip) zip_close(m_zip);
    }
    bool isOpen() const { return m_zip != nullptr; }
    bool contains(const QString& name) const {
        return zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
    }
    // The part's bytes; empty when it is missing.
    QByteArray read(const QString& name) const {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(m_zip, name.toUtf8().constData(), 0, &st) != 0) return {};
        zip_file_t* file = zip_fopen(m_zip, name.toUtf8().constData(), 0);
        if (!file) return {};
        QByteArray bytes;
        bytes.resize(qsizetype(st.size));
        const zip_int64_t got = zip_fread(file, bytes.data(), st.size);
        zip_fclose(file);
        if (got < 0) return {};
        bytes.resize(qsizetype(got));
        return bytes;
    }

private:
    zip_t* m_zip = nullptr;
};

// The text of the current element (<si> or <is>): its <t> runs, the
// phonetic hints left out.
QString elementText(QXmlStreamReader& xml) {
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("t"))
                text += xml.readElementText();
            else if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else
                ++depth;
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return text;
}

QStringList sharedStrings(const QByteArray& bytes) {
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) strings << elementText(xml);
    }
    return strings;
}

// The sheet part of the workbook's sheet with this name (first sheet for an empty name).
QString sheetPart(const Package& package, const QString& sheetName, QString& error) {
    QString relationId;
    QStringList names;
    QXmlStreamReader workbook(package.read(QStringLiteral("xl/workbook.xml")));
    while (!workbook.atEnd()) {
        workbook.readNext();
        if (!workbook.isStartElement() || workbook.name() != QLatin1String("sheet")) continue;
        const QString name = workbook.attributes().value(QLatin1String("name")).toString();
        names << name;
        if (relationId.isEmpty() && (sheetName.isEmpty() || name.compare(sheetName, Qt::CaseInsensitive) == 0)) {
            for (const QXmlStreamAttribute& a : workbook.attributes())
                if (a.name() == QLatin1String("id")) relationId = a.value().toString();
        }
    }
    if (relationId.isEmpty()) {
        error = sheetName.isEmpty() ? QStringLiteral("A munkafüzetben nincs munkalap.")
                                    : QStringLiteral("A munkafüzetben nincs ilyen munkalap: ") + sheetName;
        return {};
    }
    QXmlStreamReader rels(package.read(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd()) {
        rels.readNext();
        if (!rels.isStartElement() || rels.name() != QLatin1String("Relationship")) continue;
        if (rels.attributes().value(QLatin1String("Id")) != relationId) continue;
        QString target = rels.attributes().value(QLatin1String("Target")).toString();
        if (target.startsWith(QLatin1Char('/'))) return target.mid(1);
        return QStringLiteral("xl/") + target;
    }
    error = QStringLiteral("A munkalap nem található a munkafüzetben.");
    return {};
}

}  // namespace

int ColumnIndex(const QString& letters) {
    if (letters.isEmpty() || letters.size() > 3) return -1;
    int index = 0;
    for (QChar ch : letters) {
        const QChar up = ch.toUpper();
        if (up < QLatin1Char('A') || up > QLatin1Char('Z')) return -1;
        index = index * 26 + (up.unicode() - 'A' + 1);
    }
    return index - 1;
}

bool ReadXlsxSheet(const QString& path, const QString& sheetName, QList<SheetRow>& rows, QString& error) {
    rows.clear();
    const Package package(path);
    if (!package.isOpen() || !package.contains(QStringLiteral("xl/workbook.xml"))) {
        error = QStringLiteral("A fájl nem Excel munkafüzet (.xlsx): ") + path;
        return false;
    }
    const QString part = sheetPart(package, sheetName, error);
    if (part.isEmpty()) return false;
    const QStringList strings = sharedStrings(package.read(QStringLiteral("xl/sharedStrings.xml")));

    QXmlStreamReader xml(package.read(part));
    SheetRow row;
    int nextRow = 1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
            row = SheetRow();
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            row.number = r.isEmpty() ? nextRow : r.toInt();
            nextRow = row.number + 1;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("row")) {
            bool any = false;
            for (const QString& cell : row.cells) any = any || !cell.isEmpty();
            if (any) rows << row;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            const QXmlStreamAttributes a = xml.attributes();
            const QString ref = a.value(QLatin1String("r")).toString();
            qsizetype letters = 0;
            while (letters < ref.size() && ref.at(letters).isLetter()) ++letters;
            int column = ref.isEmpty() ? int(row.cells.size()) : ColumnIndex(ref.left(letters));
            const QString type = a.value(QLatin1String("t")).toString();
            QString value;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == QLatin1String("c")) break;
                if (!xml.isStartElement()) continue;
                if (xml.name() == QLatin1String("v")) value = xml.readElementText();
                else if (xml.name() == QLatin1String("is")) value = elementText(xml);
            }
            if (type == QLatin1String("s")) {
                const int index = value.toInt();
                value = index >= 0 && index < strings.size() ? strings.at(index) : QString();
            }
            if (column < 0) continue;
            while (row.cells.size() <= column) row.cells << QString();
            row.cells[column] = value;
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("A munkalap nem olvasható: ") + xml.errorString();
        return false;
    }
    return true;
}
