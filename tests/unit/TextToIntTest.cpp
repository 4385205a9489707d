#include "TextToInt.h"

#include <climits>
#include <gtest/gtest.h>

TEST(TextToInt, ReadsLikeAtoi)
{
    EXPECT_EQ(90, TextToInt("90"));
    EXPECT_EQ(-5, TextToInt("  -5abc"));
    EXPECT_EQ(2, TextToInt("2abc"));
    EXPECT_EQ(7, TextToInt("+7"));
    EXPECT_EQ(12, TextToInt("\t\n\v\f\r 12 34"));
    EXPECT_EQ(0, TextToInt("-0"));
    EXPECT_EQ(1, TextToInt("0001"));
}

TEST(TextToInt, NoDigitsGiveZero)
{
    EXPECT_EQ(0, TextToInt(""));
    EXPECT_EQ(0, TextToInt("abc"));
    EXPECT_EQ(0, TextToInt("-"));
    EXPECT_EQ(0, TextToInt("+-3"));
    EXPECT_EQ(0, TextToInt("- 3"));
    EXPECT_EQ(0, TextToInt("\xff\x80junk"));
    EXPECT_EQ(0, TextToInt(nullptr));
}

TEST(TextToInt, SaturatesOutsideIntRange)
{
    EXPECT_EQ(INT_MAX, TextToInt("2147483647"));
    EXPECT_EQ(INT_MAX, TextToInt("2147483648"));
    EXPECT_EQ(INT_MAX, TextToInt("99999999999"));
    EXPECT_EQ(INT_MIN, TextToInt("-2147483648"));
    EXPECT_EQ(INT_MIN, TextToInt("-2147483649"));
    EXPECT_EQ(INT_MIN, TextToInt("-99999999999999999999999999999999"));
    EXPECT_EQ(INT_MAX, TextToInt("0000000000000000000000002147483647"));
    EXPECT_EQ(INT_MAX, TextToInt("999999999999999999999999999999999999999x"));
}
