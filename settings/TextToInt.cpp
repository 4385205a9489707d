#include "TextToInt.h"

#include <climits>

namespace {

// The C locale's white space, which is what atoi skips.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int TextToInt(const char* text)
{
    if (!text)
        return 0;
    while (IsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    // Accumulate as a negative number: its range is one wider than the positive one.
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 - (*text - '0');
        if (value < INT_MIN)
            return negative ? INT_MIN : INT_MAX;
    }
    if (negative)
        return static_cast<int>(value);
    return value < -INT_MAX ? INT_MAX : static_cast<int>(-value);
}
