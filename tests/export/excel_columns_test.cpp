#include <gtest/gtest.h>

#include "export/excel_columns.h"
#include "export_test_support.h"

TEST(ExcelColumns, NamesOfColumns) {
    struct Case {
        int index;
        const char* name;
    };
    for (const Case& c : {Case{0, "A"}, Case{25, "Z"}, Case{26, "AA"}, Case{51, "AZ"}, Case{52, "BA"},
                          Case{701, "ZZ"}, Case{702, "AAA"}, Case{703, "AAB"}, Case{16383, "XFD"},
                          Case{16384, "NINCS"}, Case{-1, "NINCS"}}) {
        EXPECT_EQ(ExcelColumnName(c.index), QString::fromLatin1(c.name)) << c.index;
    }
}

TEST(ExcelColumns, IndexOfOneOrTwoLetters) {
    struct Case {
        const char* name;
        int index;
    };
    for (const Case& c : {Case{"A", 0}, Case{" z ", 25}, Case{"aa", 26}, Case{"ZZ", 701}, Case{"AAA", -1},
                          Case{"", -1}, Case{"A1", -1}, Case{"É", -1}}) {
        EXPECT_EQ(ExcelColumnIndex(QString::fromUtf8(c.name)), c.index) << c.name;
    }
    for (int i = 0; i < 702; ++i) ASSERT_EQ(ExcelColumnIndex(ExcelColumnName(i)), i);
}
