// The import of .xlsx workbooks. Random bytes are almost never a zip
// package, so the input gives the package's parts, separated by NUL bytes:
// the sheet, the shared texts, the workbook and its relations. Missing
// parts are those of a workbook with one sheet.
#include <zip.h>

#include <QList>

#include "fuzz_support.h"
#include "import/import_source.h"

namespace {

const char* const kWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"http://schemas.openxmlformats.org/"
    "spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"Munka1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const char* const kRelations =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
    "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
    "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";

// Parts are stored uncompressed: the reader's side is what is under test.
void addPart(zip_t* zip, const char* name, const QByteArray& bytes) {
    zip_source_t* source = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    const zip_int64_t index = source ? zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
        zip_source_free(source);
        std::fprintf(stderr, "cannot add %s to the package\n", name);
        std::abort();
    }
    zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
}

QString writePackage(const QList<QByteArray>& parts) {
    const QString path = FuzzDir().filePath(QStringLiteral("import.xlsx"));
    QFile::remove(path);
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) std::abort();
    // The buffers must live until zip_close writes them.
    const QByteArray sheet = parts.value(0);
    const QByteArray strings = parts.value(1);
    const QByteArray workbook = parts.size() > 2 ? parts[2] : QByteArray(kWorkbook);
    const QByteArray relations = parts.size() > 3 ? parts[3] : QByteArray(kRelations);
    addPart(zip, "xl/worksheets/sheet1.xml", sheet);
    if (parts.size() > 1) addPart(zip, "xl/sharedStrings.xml", strings);
    addPart(zip, "xl/workbook.xml", workbook);
    addPart(zip, "xl/_rels/workbook.xml.rels", relations);
    if (zip_close(zip) != 0) std::abort();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = FuzzBytes(data, size).split('\0');
    ImportFormat format;
    format.fileType = QStringLiteral("XLSX");
    format.headingLines = 1;
    SourceTable table;
    QString error;
    if (!ReadImportSource(writePackage(parts), format, table, error)) FUZZ_CHECK(!error.isEmpty());
    return 0;
}
