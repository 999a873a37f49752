// The import of separated text files. The first bytes choose the format's
// separator, heading lines and code page; the rest is the file.
#include "fuzz_support.h"
#include "import/import_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const char separators[] = {';', ',', '\t', '|'};
    ImportFormat format;
    format.fileType = QStringLiteral("CSV");
    format.separator = QLatin1Char(separators[data[0] % 4]);
    format.encoding = (data[0] & 4) ? QStringLiteral("WINDOWS-1250") : QString();
    format.headingLines = data[1] % 4;
    const QString path = WriteFuzzFile(QStringLiteral("import.csv"), FuzzBytes(data + 2, size - 2));

    SourceTable table;
    QString error;
    // A text file is refused only as a whole, with a reason (an unclosed quote).
    if (!ReadImportSource(path, format, table, error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    for (const SourceLine& line : table.lines) FUZZ_CHECK(line.number >= 1);
    // Columns are found by heading text, letter or number.
    for (const SourceCell& heading : table.heading.cells()) FUZZ_CHECK(table.columnOf(heading.text) >= -1);
    table.columnOf(QStringLiteral("B"));
    table.columnOf(QStringLiteral("3"));
    return 0;
}
