#include "PluralRule.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

char Letter(PluralCategory category)
{
    return "ofmx"[static_cast<int>(category)];
}

std::string Form(const char* pszForms, PluralCategory category)
{
    int nLength = -1;
    const char* pForm = PluralForm(pszForms, category, nLength);
    return std::string(pForm, static_cast<size_t>(nLength));
}

} // namespace

TEST(PluralRule, EachLanguageHasItsCategoriesForWholeNumbers)
{
    // o one, f few, m many, x other; the last column is -21.
    const long long counts[] = {0, 1, 2, 5, 11, 21, 22, 101, 1000, -21};
    const struct {
        unsigned short langId;
        const char* expected;
    } rows[] = {
        {0x0409, "xoxxxxxxxx"}, {0x0809, "xoxxxxxxxx"}, {0x0407, "xoxxxxxxxx"}, {0x0413, "xoxxxxxxxx"},
        {0x041F, "xoxxxxxxxx"}, {0x0410, "xoxxxxxxxx"}, {0x0C0A, "xoxxxxxxxx"}, {0x040C, "ooxxxxxxxx"},
        {0x0416, "ooxxxxxxxx"}, {0x0415, "mofmmmfmmm"}, {0x0419, "mofmmofomo"}, {0x0422, "mofmmofomo"},
        {0x0411, "xxxxxxxxxx"}, {0x0412, "xxxxxxxxxx"}, {0x0804, "xxxxxxxxxx"}, {0x0404, "xxxxxxxxxx"},
    };
    for (const auto& row : rows) {
        std::string actual;
        for (long long n : counts)
            actual += Letter(CardinalCategory(row.langId, n));
        EXPECT_EQ(row.expected, actual) << std::hex << row.langId;
    }
    // Millions, and the counts whose absolute value a long long cannot hold.
    EXPECT_EQ(PluralCategory::Many, CardinalCategory(0x040C, 1000000));
    EXPECT_EQ(PluralCategory::Many, CardinalCategory(0x0C0A, -3000000));
    EXPECT_EQ(PluralCategory::Other, CardinalCategory(0x0409, 1000000));
    EXPECT_EQ(PluralCategory::Other, CardinalCategory(0x040C, LLONG_MIN));   // ...775808
    EXPECT_EQ(PluralCategory::Many, CardinalCategory(0x0419, LLONG_MIN));
    EXPECT_EQ(PluralCategory::Many, CardinalCategory(0x0422, INT_MIN));      // ...648
    EXPECT_EQ(PluralCategory::Few, CardinalCategory(0x0415, LLONG_MIN + 6)); // ...802
}

TEST(PluralRule, TheLastFormGivenStandsForTheRest)
{
    const PluralCategory all[] = {PluralCategory::One, PluralCategory::Few, PluralCategory::Many, PluralCategory::Other};
    const struct {
        const char* forms;
        const char* expected;  // one, few, many, other
    } rows[] = {
        {"Minutes", "Minutes/Minutes/Minutes/Minutes"},
        {"minute|minutes", "minute/minutes/minutes/minutes"},
        {"минута|минуты|минут", "минута/минуты/минут/минут"},
        {"a|b|c|d|e", "a/b/c/d"},
        {"a||c", "a//c/c"},
        {"", "///"},
        {nullptr, "///"},
    };
    for (const auto& row : rows) {
        std::string actual = Form(row.forms, all[0]);
        for (int i = 1; i < 4; ++i)
            actual += "/" + Form(row.forms, all[i]);
        EXPECT_EQ(row.expected, actual) << (row.forms ? row.forms : "(null)");
    }
}
