// libFuzzer target: TextToInt against a reference built on strtoll, which
// reads the same grammar (C-locale white space, optional sign, decimal digits)
// and saturates at the long long range; clamping that to int gives what
// TextToInt promises. Any difference aborts with the input.
#include "TextToInt.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int ReferenceAtoi(const char* text)
{
    // strtoll would also take "0x1F" in base 0; base 10 takes only decimal.
    errno = 0;
    long long value = std::strtoll(text, nullptr, 10);
    if (value < INT_MIN)
        return INT_MIN;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The readers hand over at most 34 characters and a terminator, but the
    // conversion takes any C string: cut at the first NUL as a C string would.
    std::string text(reinterpret_cast<const char*>(data), size);
    const char* s = text.c_str();
    int got = TextToInt(s);
    int want = ReferenceAtoi(s);
    if (got != want) {
        std::fprintf(stderr, "TextToInt(\"%s\") = %d, reference %d\n", s, got, want);
        std::abort();
    }
    return 0;
}
