// The parsers of amounts, numbers and dates typed by users or read from
// files, with the promises their callers rely on.
#include <QDate>
#include <cmath>

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/date_text.h"
#include "fuzz_support.h"
#include "import/import_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    double amount = 0;
    QString error;
    if (ParseAmount(text, amount, &error)) {
        FUZZ_CHECK(std::isfinite(amount) && std::fabs(amount) < kAmountLimit);
    } else {
        FUZZ_CHECK(!error.isEmpty());
    }
    for (const DecimalMark mark : {DecimalMark::Either, DecimalMark::Comma, DecimalMark::Point}) {
        QString why;
        if (ParseAmount(text, amount, &why, mark))
            FUZZ_CHECK(std::isfinite(amount) && std::fabs(amount) < kAmountLimit);
        else
            FUZZ_CHECK(!why.isEmpty());
    }
    CheckAmountInput(text);

    FloatFromText(text, 0);
    try {
        FloatFromTextStrict(text, 0);
    } catch (const HelperError&) {
    }

    try {
        FUZZ_CHECK(ParseDate(text).isValid());
    } catch (const HelperError&) {
    }
    DateValid(text, false);

    QString date;
    if (ReadDateText(text, date)) FUZZ_CHECK(IsStoredDate(date));
    if (ImportDate(text, date))
        FUZZ_CHECK(QDate::fromString(date, QStringLiteral("yyyy.MM.dd")).isValid());
    double number = 0;
    if (ImportNumber(text, number)) FUZZ_CHECK(std::isfinite(number));
    return 0;
}
