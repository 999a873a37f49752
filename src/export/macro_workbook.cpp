#include "macro_workbook.h"

#include <QByteArray>

#include <zip.h>

namespace {

const char* const kContentTypes = "[Content_Types].xml";
const QByteArray kWorkbookType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
const QByteArray kMacroWorkbookType = "application/vnd.ms-excel.sheet.macroEnabled.main+xml";

QByteArray readEntry(zip_t* archive, zip_int64_t index) {
    zip_stat_t stat;
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0) return {};
    zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(index), 0);
    if (!file) return {};
    QByteArray data(qsizetype(stat.size), '\0');
    const zip_int64_t read = zip_fread(file, data.data(), stat.size);
    zip_fclose(file);
    return read == zip_int64_t(stat.size) ? data : QByteArray();
}

}  // namespace

bool MarkWorkbookMacroEnabled(const QString& path) {
    int error = 0;
    zip_t* archive = zip_open(path.toUtf8().constData(), 0, &error);
    if (!archive) return false;
    const zip_int64_t index = zip_name_locate(archive, kContentTypes, 0);
    QByteArray types = index >= 0 ? readEntry(archive, index) : QByteArray();
    if (!types.contains(kWorkbookType)) {
        zip_discard(archive);
        return false;
    }
    types.replace(kWorkbookType, kMacroWorkbookType);
    // The buffer must live until the archive is closed.
    zip_source_t* source = zip_source_buffer(archive, types.constData(), zip_uint64_t(types.size()), 0);
    if (!source || zip_file_replace(archive, zip_uint64_t(index), source, ZIP_FL_ENC_UTF_8) != 0) {
        if (source) zip_source_free(source);
        zip_discard(archive);
        return false;
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return false;
    }
    return true;
}
