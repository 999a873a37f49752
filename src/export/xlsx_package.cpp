#include "xlsx_package.h"

#include <QDateTime>

#include "workbook_styles.h"

namespace {

const QByteArray kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const QByteArray kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray kPackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";

QByteArray attribute(const QString& value) {
    QByteArray text;
    AppendXmlText(text, value);
    return text.replace('"', "&quot;");
}

QByteArray sheetPart(qsizetype index) { return "worksheets/sheet" + QByteArray::number(index + 1) + ".xml"; }

QByteArray contentTypes(qsizetype sheets, bool macroEnabled) {
    QByteArray xml = kXmlDeclaration
        + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
          "<Override PartName=\"/docProps/core.xml\" "
          "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
          "<Override PartName=\"/xl/workbook.xml\" ContentType=\"";
    xml += macroEnabled ? "application/vnd.ms-excel.sheet.macroEnabled.main+xml"
                        : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
    xml += "\"/><Override PartName=\"/xl/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    for (qsizetype k = 0; k < sheets; ++k)
        xml += "<Override PartName=\"/xl/" + sheetPart(k)
            + "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    xml += "</Types>";
    return xml;
}

QByteArray packageRelationships() {
    return kXmlDeclaration + "<Relationships xmlns=\"" + kPackageRelNs + "\">"
        + "<Relationship Id=\"rId1\" Type=\"" + kRelNs + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
        + "<Relationship Id=\"rId2\" Type=\"" + kPackageRelNs
        + "/metadata/core-properties\" Target=\"docProps/core.xml\"/></Relationships>";
}

QByteArray coreProperties() {
    const QByteArray now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
    return kXmlDeclaration
        + "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
          "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
          "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
          "<dcterms:created xsi:type=\"dcterms:W3CDTF\">"
        + now + "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + now
        + "</dcterms:modified></cp:coreProperties>";
}

}  // namespace

XlsxPackage::XlsxPackage(const QString& path) : m_path(path), m_rowsFile(path + QStringLiteral(".rows.XXXXXX")) {}

XlsxPackage::~XlsxPackage() {
    // Compressing threads stop before the work file goes.
    m_sheets.clear();
}

bool XlsxPackage::open() {
    QFile target(m_path);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = target.errorString();
        return false;
    }
    target.close();
    if (!m_rowsFile.open()) {
        m_error = m_rowsFile.errorString();
        return false;
    }
    return true;
}

void XlsxPackage::completeLast() {
    if (m_sheets.empty() || !m_sheets.back()->stream) return;
    Sheet& sheet = *m_sheets.back();
    sheet.xml->end();
    sheet.rows = sheet.stream->finish();
    sheet.stream.reset();
}

int XlsxPackage::addSheet(const QString& name) {
    completeLast();
    auto sheet = std::make_unique<Sheet>();
    sheet->name = name;
    m_rowsFile.seek(m_rowsFile.size());
    sheet->stream = std::make_unique<DeflateStream>(&m_rowsFile, true);
    sheet->xml = std::make_unique<SheetXml>(*sheet->stream);
    m_sheets.push_back(std::move(sheet));
    return int(m_sheets.size()) - 1;
}

bool XlsxPackage::close() {
    try {
        completeLast();
    } catch (const std::exception& error) {
        m_error = QString::fromStdString(error.what());
        return false;
    }
    if (!m_rowsFile.flush()) {
        m_error = m_rowsFile.errorString();
        return false;
    }
    ZipWriter zip(m_path);
    if (!zip.open()) {
        m_error = zip.errorString();
        return false;
    }
    const qsizetype count = qsizetype(m_sheets.size());
    zip.addFile("[Content_Types].xml", contentTypes(count, m_macroEnabled));
    zip.addFile("_rels/.rels", packageRelationships());
    zip.addFile("docProps/core.xml", coreProperties());

    QByteArray workbook = kXmlDeclaration + "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs
        + "\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>";
    QByteArray relationships = kXmlDeclaration + "<Relationships xmlns=\"" + kPackageRelNs + "\">";
    for (qsizetype k = 0; k < count; ++k) {
        const QByteArray id = "rId" + QByteArray::number(k + 1);
        workbook += "<sheet name=\"" + attribute(m_sheets.at(size_t(k))->name) + "\" sheetId=\""
            + QByteArray::number(k + 1) + "\" r:id=\"" + id + "\"/>";
        relationships += "<Relationship Id=\"" + id + "\" Type=\"" + kRelNs + "/worksheet\" Target=\"" + sheetPart(k)
            + "\"/>";
    }
    workbook += "</sheets></workbook>";
    relationships += "<Relationship Id=\"rId" + QByteArray::number(count + 1) + "\" Type=\"" + kRelNs
        + "/styles\" Target=\"styles.xml\"/></Relationships>";
    zip.addFile("xl/workbook.xml", workbook);
    zip.addFile("xl/_rels/workbook.xml.rels", relationships);
    zip.addFile("xl/styles.xml", StylesXml());

    for (qsizetype k = 0; k < count; ++k) {
        const Sheet& sheet = *m_sheets.at(size_t(k));
        zip.addDeflated("xl/" + sheetPart(k), {DeflateStream::piece(sheet.xml->head(sheet.columns, k == 0)),
                                               sheet.rows, DeflateStream::piece(sheet.xml->tail())});
    }
    if (!zip.close()) {
        m_error = zip.errorString();
        return false;
    }
    return true;
}
