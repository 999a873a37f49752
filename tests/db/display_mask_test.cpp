#include <gtest/gtest.h>

#include "db/app_conventions.h"
#include "db/display_mask.h"

namespace {

class SeparatorScope {
public:
    explicit SeparatorScope(QChar separator) { SetDecimalSeparator(separator); }
    ~SeparatorScope() { SetDecimalSeparator(m_saved); }

private:
    QChar m_saved = DecimalSeparator();
};

TEST(DisplayMask, FormatsByTheMaskPicture) {
    struct Case { double value; const char* mask; QChar separator; const char* text; };
    const Case cases[] = {
        // amounts of grids and vouchers
        {1234567.891, "###,###,##0.##", u'.', "1 234 567.89"},
        {1234.5, "###,###,##0.##", u',', "1 234,5"},
        {1234, "###,###,##0.##", u'.', "1 234"},       // no decimals needed, no separator
        {0, "###,###,##0.##", u'.', "0"},
        {-0.004, "###,###,##0.##", u'.', "0"},          // rounds to zero: no minus
        {0.25, "###,###,##0.##", u'.', "0.25"},
        // fixed decimals
        {1.005, "#,##0.00", u'.', "1.01"},              // halves away from zero
        {-1234.567, "#,##0.00", u',', "-1 234,57"},
        {0, "#,##0.00", u'.', "0.00"},
        {999.995, "#,##0.00", u'.', "1 000.00"},
        {12345678901.25, "###,###,###,##0.00", u'.', "12 345 678 901.25"},
        {1234.5, "###,###,###,##0.###", u'.', "1 234.5"},
        // counts
        {1234567, "#####0", u'.', "1234567"},          // more digits than places: never cut
        {0, "#####0", u'.', "0"},
        {-0.5, "#####0", u'.', "-1"},
        {2.5, "#####0", u'.', "3"},
        // "#" places only: zero prints nothing
        {0, "###,###", u'.', ""},
        {0.4, "###,###", u'.', ""},
        {-0.4, "###,###,###,###", u'.', ""},
        {999.5, "###,###", u'.', "1 000"},
        {-1234567, "###,###", u'.', "-1 234 567"},
        {123456, "##,###,###", u'.', "123 456"},
        {0, "#", u'.', ""},
        {7.5, "#", u'.', "8"},
        // exchange rates
        {1, "#####.###", u'.', "1"},
        {385.12345, "#####.###", u',', "385,123"},
        {0.5, "#####.###", u'.', ".5"},                 // the "#" before the point is not needed
        // forced places
        {5, "000,000", u'.', "000 005"},
        {2, "0.0#", u'.', "2.0"},
        {2.567, "0.0#", u'.', "2.57"},
        {2.5, "0.0#", u',', "2,5"},
        // no mask: the number as it is
        {1.5, "", u',', "1,5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " \"" << c.mask << "\"");
        SeparatorScope scope(c.separator);
        EXPECT_EQ(FormatMask(c.value, QString::fromUtf8(c.mask)).toStdString(), c.text);
    }
}

}  // namespace
