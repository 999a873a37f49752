#pragma once
// Workbooks written part by part for the reader's tests: the sheet may be a
// generated stream (rows made one at a time, or a bomb of blanks), packed
// by libzip as it is produced, so the test never holds it unpacked.
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <zip.h>

// head, then piece(0) .. piece(count - 1), then tail.
struct GeneratedPart {
    QByteArray head;
    std::function<QByteArray(qint64)> piece;
    qint64 count = 0;
    QByteArray tail;
};

namespace xlsx_package_detail {

struct Stream {
    GeneratedPart part;
    qint64 next = 0;  // the next piece; -1 before the head, count: the tail
    QByteArray pending;
    qsizetype at = 0;
    bool tailDone = false;
    zip_error_t error;

    bool refill() {
        if (tailDone) return false;
        if (next < 0) {
            pending = part.head;
            next = 0;
        } else if (next < part.count) {
            pending = part.piece(next++);
        } else {
            pending = part.tail;
            tailDone = true;
        }
        at = 0;
        return true;
    }
};

inline zip_int64_t callback(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* s = static_cast<Stream*>(user);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        s->next = -1;
        s->pending.clear();
        s->at = 0;
        s->tailDone = false;
        return 0;
    case ZIP_SOURCE_READ: {
        zip_uint64_t done = 0;
        auto* out = static_cast<char*>(data);
        while (done < length) {
            if (s->at >= s->pending.size() && !s->refill()) break;
            const zip_uint64_t n = std::min<zip_uint64_t>(length - done, zip_uint64_t(s->pending.size() - s->at));
            std::memcpy(out + done, s->pending.constData() + s->at, n);
            s->at += qsizetype(n);
            done += n;
        }
        return zip_int64_t(done);
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, length);
    case ZIP_SOURCE_FREE:
        delete s;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE;
    default:
        zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

inline void add(zip_t* zip, const char* name, zip_source_t* source) {
    ASSERT_NE(source, nullptr);
    const zip_int64_t index = zip_file_add(zip, name, source, ZIP_FL_OVERWRITE);
    ASSERT_GE(index, 0) << zip_strerror(zip);
    zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
}

inline void addBytes(zip_t* zip, const char* name, const QByteArray& bytes) {
    // libzip reads the buffer when the package is closed, and frees it then.
    void* copy = std::malloc(size_t(bytes.size()));
    std::memcpy(copy, bytes.constData(), size_t(bytes.size()));
    add(zip, name, zip_source_buffer(zip, copy, zip_uint64_t(bytes.size()), 1));
}

}  // namespace xlsx_package_detail

inline QByteArray SheetHead() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
}
inline QByteArray SheetTail() { return "</sheetData></worksheet>"; }

// A workbook of one sheet "Munka1" whose part is `sheet`, with the shared
// texts `shared` (none when empty).
inline void WriteWorkbook(const QString& path, const GeneratedPart& sheet, const QByteArray& shared = {}) {
    using namespace xlsx_package_detail;
    int error = 0;
    zip_t* zip = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr) << error;
    addBytes(zip, "[Content_Types].xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
             "</Types>");
    addBytes(zip, "xl/workbook.xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
             "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
             "<sheet name=\"Munka1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    addBytes(zip, "xl/_rels/workbook.xml.rels",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
             "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
             "Target=\"worksheets/sheet1.xml\"/></Relationships>");
    if (!shared.isEmpty()) addBytes(zip, "xl/sharedStrings.xml", shared);
    auto* stream = new Stream{sheet, -1, {}, 0, false, {}};
    zip_error_init(&stream->error);
    add(zip, "xl/worksheets/sheet1.xml", zip_source_function(zip, callback, stream));
    ASSERT_EQ(zip_close(zip), 0) << zip_strerror(zip);
}

// A workbook whose sheet data is `rows` as written.
inline void WriteWorkbook(const QString& path, const QByteArray& rows, const QByteArray& shared = {}) {
    WriteWorkbook(path, GeneratedPart{SheetHead() + rows, nullptr, 0, SheetTail()}, shared);
}
