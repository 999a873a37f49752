// The voucher file reader: any bytes, read as the text of a voucher file and
// split into records.
#include "fuzz_support.h"
#include "posting/delimited_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzFile(QStringLiteral("vouchers.csv"), FuzzBytes(data, size));
    QString text;
    FUZZ_CHECK(ReadTextFile(path, text));
    int previous = 0;
    for (const DelimitedLine& line : SplitDelimitedText(text, QLatin1Char(';'))) {
        // Error messages name these lines: they must point into the file, in order.
        FUZZ_CHECK(line.number > previous);
        FUZZ_CHECK(!line.fields.isEmpty());
        previous = line.number;
    }
    return 0;
}
