#include "PluralRule.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

TEST(PluralRule, EachLanguageHasItsCategoriesForWholeNumbers)
{
    // o one, f few, m many, x other, at these counts:
    const long long counts[] = {0, 1, 2, 5, 11, 21, 22, 101, 1000, -21, 1000000, LLONG_MIN};
    const struct {
        unsigned short langId;
        const char* expected;
    } rows[] = {
        {0x0409, "xoxxxxxxxxxx"}, {0x0809, "xoxxxxxxxxxx"}, {0x0407, "xoxxxxxxxxxx"}, {0x0413, "xoxxxxxxxxxx"},
        {0x041F, "xoxxxxxxxxxx"}, {0x0410, "xoxxxxxxxxmx"}, {0x0C0A, "xoxxxxxxxxmx"}, {0x040C, "ooxxxxxxxxmx"},
        {0x0416, "ooxxxxxxxxmx"}, {0x0415, "mofmmmfmmmmm"}, {0x0419, "mofmmofomomm"}, {0x0422, "mofmmofomomm"},
        {0x0411, "xxxxxxxxxxxx"}, {0x0412, "xxxxxxxxxxxx"}, {0x0804, "xxxxxxxxxxxx"}, {0x0404, "xxxxxxxxxxxx"},
    };
    for (const auto& row : rows) {
        std::string actual;
        for (long long n : counts)
            actual += "ofmx"[static_cast<int>(CardinalCategory(row.langId, n))];
        EXPECT_EQ(row.expected, actual) << std::hex << row.langId;
    }
}
