// The voucher file reader: any bytes, read as the text of a voucher file or
// refused with a reason, and split into records.
#include "fuzz_support.h"
#include "posting/delimited_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzFile(QStringLiteral("vouchers.csv"), FuzzBytes(data, size));
    QString text;
    QString error;
    // A file of uncertain encoding or with a control character is refused, with a reason.
    if (!ReadTextFile(path, text, {}, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    for (const QChar c : std::as_const(text))
        FUZZ_CHECK(c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'));
    int previous = 0;
    for (const DelimitedLine& line : SplitDelimitedText(text, QLatin1Char(';'))) {
        // Error messages name these lines: they must point into the file, in order.
        FUZZ_CHECK(line.number > previous);
        FUZZ_CHECK(!line.fields.isEmpty());
        previous = line.number;
    }
    return 0;
}
