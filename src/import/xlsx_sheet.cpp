#include "xlsx_sheet.h"

#include <QIODevice>
#include <QStringList>
#include <QXmlStreamReader>
#include <cstring>
#include <memory>
#include <zip.h>

namespace {

QString sizeText(qint64 bytes) {
    return bytes >= (1 << 20) ? QStringLiteral("%1 MB").arg(bytes >> 20) : QStringLiteral("%1 kB").arg(bytes >> 10);
}

// One part of the package as a stream of unpacked bytes: libzip inflates a
// block at a time as the XML reader asks for it. The device refuses more
// than `limit` bytes, and a run of `gap` bytes without a '<' (a text or a
// tag that long is no cell; it is what a packed bomb of blanks unpacks into,
// and the XML reader would gather it whole).
class PartDevice : public QIODevice {
public:
    PartDevice(zip_file_t* file, QString label, qint64 limit, qint64 gap)
        : m_file(file), m_label(std::move(label)), m_limit(limit), m_gap(gap) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~PartDevice() override { zip_fclose(m_file); }
    bool isSequential() const override { return true; }
    // Why the part was not read to its end; empty when nothing went wrong.
    const QString& failure() const { return m_failure; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (!m_failure.isEmpty()) return -1;
        const zip_int64_t got = zip_fread(m_file, data, zip_uint64_t(maxSize));
        if (got < 0) {
            m_failure = m_label + QStringLiteral(" sérült, nem csomagolható ki.");
            return -1;
        }
        m_total += got;
        if (m_total > m_limit) {
            m_failure = m_label + QStringLiteral(" kicsomagolva túl nagy (legfeljebb %1 lehet).").arg(sizeText(m_limit));
            return -1;
        }
        const void* lastMark = got > 0 ? memrchr(data, '<', size_t(got)) : nullptr;
        m_sinceMark = lastMark ? data + got - static_cast<const char*>(lastMark) - 1 : m_sinceMark + got;
        if (m_sinceMark > m_gap) {
            m_failure = m_label + QStringLiteral(" sérült: több mint %1 szöveg vagy szóköz áll benne jelölés nélkül.")
                                      .arg(sizeText(m_gap));
            return -1;
        }
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* m_file;
    QString m_label;
    qint64 m_limit, m_gap;
    qint64 m_total = 0, m_sinceMark = 0;
    QString m_failure;
};

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
    bool contains(const QString& name) const { return zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0; }
    // The part as a stream; null when it is missing.
    std::unique_ptr<PartDevice> open(const QString& name, const QString& label, qint64 limit, qint64 gap) const {
        zip_file_t* file = zip_fopen(m_zip, name.toUtf8().constData(), 0);
        if (!file) return nullptr;
        return std::make_unique<PartDevice>(file, label, limit, gap);
    }

private:
    zip_t* m_zip = nullptr;
};

// The error of a part read to its end: the device's own refusal first, as
// the XML reader only sees the data stop.
QString readError(const QXmlStreamReader& xml, const PartDevice& device, const QString& label) {
    if (!device.failure().isEmpty()) return device.failure();
    if (xml.hasError()) return label + QStringLiteral(" nem olvasható: ") + xml.errorString();
    return {};
}

// The text of the current element (<si> or <is>): its <t> runs, the
// phonetic hints left out. False as soon as it grows beyond `maxChars`: a
// text no cell can hold is not gathered further.
bool elementText(QXmlStreamReader& xml, int maxChars, QString& text) {
    text.clear();
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("t")) {
                text += xml.readElementText();
                if (text.size() > maxChars) return false;
            } else if (xml.name() == QLatin1String("rPh")) {
                xml.skipCurrentElement();
            } else {
                ++depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return true;
}

// A positive decimal number of at most `max`; 0 for anything else (no
// digits, other characters, or more than `max`).
int boundedNumber(QStringView digits, int max) {
    if (digits.isEmpty()) return 0;
    qint64 value = 0;
    for (const QChar ch : digits) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return 0;
        value = value * 10 + (ch.unicode() - '0');
        if (value > max) return 0;
    }
    return int(value);
}

// Whether a text is only decimal digits.
bool allDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (const QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
    return true;
}

class SheetReader {
public:
    SheetReader(const Package& package, const SheetLimits& limits, QString& error)
        : m_package(package), m_limits(limits), m_error(error) {}

    bool read(const QString& sheetName, QList<SheetRow>& rows) {
        const QString part = sheetPart(sheetName);
        return !part.isEmpty() && readSharedStrings() && readRows(part, rows);
    }

private:
    bool fail(const QString& message) {
        m_error = message;
        return false;
    }

    std::unique_ptr<PartDevice> openPart(const QString& name, const QString& label, qint64 limit) const {
        return m_package.open(name, label, limit, m_limits.markupGap);
    }

    // The sheet part of the workbook's sheet with this name (first sheet for an empty name).
    QString sheetPart(const QString& sheetName) {
        const QString workbookLabel = QStringLiteral("A munkafüzet");
        QString relationId;
        {
            const auto device = openPart(QStringLiteral("xl/workbook.xml"), workbookLabel, m_limits.otherBytes);
            if (!device) {
                fail(QStringLiteral("A fájl nem Excel munkafüzet (.xlsx)."));
                return {};
            }
            QXmlStreamReader workbook(device.get());
            while (!workbook.atEnd()) {
                workbook.readNext();
                if (!workbook.isStartElement() || workbook.name() != QLatin1String("sheet") || !relationId.isEmpty()) continue;
                const QString name = workbook.attributes().value(QLatin1String("name")).toString();
                if (sheetName.isEmpty() || name.compare(sheetName, Qt::CaseInsensitive) == 0) {
                    for (const QXmlStreamAttribute& a : workbook.attributes())
                        if (a.name() == QLatin1String("id")) relationId = a.value().toString();
                }
            }
            const QString error = readError(workbook, *device, workbookLabel);
            if (!error.isEmpty()) {
                fail(error);
                return {};
            }
        }
        if (relationId.isEmpty()) {
            fail(sheetName.isEmpty() ? QStringLiteral("A munkafüzetben nincs munkalap.")
                                     : QStringLiteral("A munkafüzetben nincs ilyen munkalap: ") + sheetName);
            return {};
        }
        QString target;
        const auto device = openPart(QStringLiteral("xl/_rels/workbook.xml.rels"), workbookLabel, m_limits.otherBytes);
        if (device) {
            QXmlStreamReader rels(device.get());
            while (!rels.atEnd() && target.isEmpty()) {
                rels.readNext();
                if (!rels.isStartElement() || rels.name() != QLatin1String("Relationship")) continue;
                if (rels.attributes().value(QLatin1String("Id")) != relationId) continue;
                target = rels.attributes().value(QLatin1String("Target")).toString();
                target = target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
            }
        }
        if (target.isEmpty() || !m_package.contains(target)) {
            fail(QStringLiteral("A munkalap nem található a munkafüzetben."));
            return {};
        }
        return target;
    }

    bool readSharedStrings() {
        const QString label = QStringLiteral("A munkafüzet közös szövegeinek része");
        const auto device = openPart(QStringLiteral("xl/sharedStrings.xml"), label, m_limits.sharedBytes);
        if (!device) return true;
        QXmlStreamReader xml(device.get());
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement() || xml.name() != QLatin1String("si")) continue;
            if (m_strings.size() >= m_limits.cells)
                return fail(QStringLiteral("Túl sok közös szöveg a munkafüzetben (legfeljebb %1).").arg(m_limits.cells));
            QString text;
            if (!elementText(xml, m_limits.cellChars, text))
                return fail(QStringLiteral("A munkafüzet %1. közös szövege túl hosszú (egy cellában legfeljebb %2 karakter lehet).")
                                .arg(m_strings.size() + 1)
                                .arg(m_limits.cellChars));
            m_strings << text;
        }
        const QString error = readError(xml, *device, label);
        return error.isEmpty() || fail(error);
    }

    // "AB12": the column (0-based); false with the message when the
    // reference is malformed or out of the sheet.
    bool cellColumn(const QString& ref, int& column) {
        qsizetype letters = 0;
        qint64 index = 0;
        while (letters < ref.size() && ref.at(letters).isLetter()) {
            const QChar up = ref.at(letters).toUpper();
            if (up < QLatin1Char('A') || up > QLatin1Char('Z')) break;
            // Capped, so no length of letters overflows.
            if (index <= m_limits.columns) index = index * 26 + (up.unicode() - 'A' + 1);
            ++letters;
        }
        const QStringView digits = QStringView(ref).mid(letters);
        if (letters == 0 || !allDigits(digits))
            return fail(QStringLiteral("Hibás cellahivatkozás a munkalapon: ") + ref.left(40));
        if (index > m_limits.columns)
            return fail(QStringLiteral("A(z) %1 cella a munkalap utolsó oszlopán túl van (legfeljebb %2 oszlop lehet).")
                            .arg(ref.left(40))
                            .arg(m_limits.columns));
        if (boundedNumber(digits, m_limits.rows) == 0) return rowOutOfRange(digits.toString());
        column = int(index - 1);
        return true;
    }

    bool cellTooLong(const QString& ref, int row, int column) {
        const QString cell = ref.isEmpty() ? QStringLiteral("%1. sor %2. oszlopának").arg(row).arg(column + 1)
                                           : QStringLiteral("%1 cellájának").arg(ref.left(40));
        return fail(QStringLiteral("A munkalap %1 szövege túl hosszú (egy cellában legfeljebb %2 karakter lehet).")
                        .arg(cell)
                        .arg(m_limits.cellChars));
    }

    bool rowOutOfRange(const QString& number) {
        return fail(QStringLiteral("Hibás sorszám a munkalapon: %1 (1 és %2 között lehet).").arg(number.left(40)).arg(m_limits.rows));
    }

    bool readRows(const QString& part, QList<SheetRow>& rows) {
        const QString label = QStringLiteral("A munkalap");
        const auto device = openPart(part, label, m_limits.sheetBytes);
        if (!device) return fail(QStringLiteral("A munkalap nem található a munkafüzetben."));
        QXmlStreamReader xml(device.get());
        SheetRow row;
        qint64 lastRow = 0;  // 64 bits: the row after the last possible one is still a number
        int lastColumn = -1;
        qint64 cells = 0, textChars = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
                row = SheetRow();
                lastColumn = -1;
                const QString r = xml.attributes().value(QLatin1String("r")).toString();
                if (r.isEmpty()) {
                    if (lastRow + 1 > m_limits.rows) return rowOutOfRange(QString::number(lastRow + 1));
                    row.number = int(lastRow + 1);
                } else {
                    row.number = boundedNumber(r, m_limits.rows);
                    if (row.number == 0) return rowOutOfRange(r);
                }
                lastRow = row.number;
            } else if (xml.isEndElement() && xml.name() == QLatin1String("row")) {
                if (!row.cells.isEmpty()) rows << row;
            } else if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
                const QXmlStreamAttributes a = xml.attributes();
                const QString ref = a.value(QLatin1String("r")).toString();
                int column = lastColumn + 1;
                if (!ref.isEmpty() && !cellColumn(ref, column)) return false;
                if (column >= m_limits.columns)
                    return fail(QStringLiteral("Túl sok oszlop a munkalapon (legfeljebb %1 lehet).").arg(m_limits.columns));
                lastColumn = column;
                const QStringView type = a.value(QLatin1String("t"));
                const bool shared = type == QLatin1String("s");
                const bool number = type.isEmpty() || type == QLatin1String("n");
                QString value;
                bool fits = true;
                while (!xml.atEnd() && fits) {
                    xml.readNext();
                    if (xml.isEndElement() && xml.name() == QLatin1String("c")) break;
                    if (!xml.isStartElement()) continue;
                    if (xml.name() == QLatin1String("v")) {
                        value = xml.readElementText();
                        fits = value.size() <= m_limits.cellChars;
                    } else if (xml.name() == QLatin1String("is")) {
                        fits = elementText(xml, m_limits.cellChars, value);
                    }
                }
                if (!fits) return cellTooLong(ref, row.number, column);
                if (shared && !value.isEmpty()) {
                    bool ok = false;
                    const qsizetype index = value.toLongLong(&ok);
                    if (!ok || index < 0 || index >= m_strings.size())
                        return fail(QStringLiteral("Hibás közös szöveg hivatkozás a munkalapon: %1").arg(value.left(40)));
                    value = m_strings.at(index);
                }
                // A shared text counts in every cell it fills: each cell is
                // a text of its own for the rest of the import.
                textChars += value.size();
                if (textChars > m_limits.textChars)
                    return fail(QStringLiteral("Túl sok szöveg a munkalapon (legfeljebb %1 karakter).").arg(m_limits.textChars));
                if (value.isEmpty()) continue;
                if (++cells > m_limits.cells)
                    return fail(QStringLiteral("Túl sok kitöltött cella a munkalapon (legfeljebb %1).").arg(m_limits.cells));
                row.cells.set(column, value, number);
            }
        }
        const QString error = readError(xml, *device, label);
        return error.isEmpty() || fail(error);
    }

    const Package& m_package;
    const SheetLimits& m_limits;
    QString& m_error;
    QStringList m_strings;
};

}  // namespace

int ColumnIndex(const QString& letters) {
    if (letters.isEmpty() || letters.size() > 3) return -1;
    int index = 0;
    for (QChar ch : letters) {
        const QChar up = ch.toUpper();
        if (up < QLatin1Char('A') || up > QLatin1Char('Z')) return -1;
        index = index * 26 + (up.unicode() - 'A' + 1);
    }
    return index <= SheetLimits().columns ? index - 1 : -1;
}

bool ReadXlsxSheet(const QString& path, const QString& sheetName, QList<SheetRow>& rows, QString& error,
                   const SheetLimits& limits) {
    rows.clear();
    const Package package(path);
    if (!package.isOpen() || !package.contains(QStringLiteral("xl/workbook.xml"))) {
        error = QStringLiteral("A fájl nem Excel munkafüzet (.xlsx): ") + path;
        return false;
    }
    if (SheetReader(package, limits, error).read(sheetName, rows)) return true;
    rows.clear();
    return false;
}
