#include "PluralRule.h"

#include <algorithm>
#include <iterator>

namespace {

// How each of our languages counts, by its primary language id (the low ten
// bits of a LANGID); any other follows English.
enum Rule : unsigned char {
    kOneForOne,         // English, German, Dutch, Turkish
    kOther,             // Chinese, Japanese, Korean: one form
    kOneForZeroAndOne,  // French, Portuguese (Brazil's rule); many for millions
    kOneAndMillions,    // Spanish, Italian: one for 1, many for millions
    kPolish,
    kEastSlavic,        // Russian, Ukrainian
};

struct LanguageRule {
    unsigned char primary;
    Rule rule;
};

const LanguageRule kRules[] = {
    {0x04, kOther},   {0x11, kOther},   {0x12, kOther},   {0x0C, kOneForZeroAndOne}, {0x16, kOneForZeroAndOne},
    {0x0A, kOneAndMillions}, {0x10, kOneAndMillions}, {0x15, kPolish}, {0x19, kEastSlavic}, {0x22, kEastSlavic},
};

} // namespace

PluralCategory CardinalCategory(unsigned short nLangId, long long n)
{
    const LanguageRule* pEnd = std::end(kRules);
    const LanguageRule* pEntry = std::find_if(std::begin(kRules), pEnd, [nLangId](const LanguageRule& entry) {
        return entry.primary == (nLangId & 0x3FF);
    });
    const Rule rule = pEntry != pEnd ? pEntry->rule : kOneForOne;
    // In unsigned arithmetic, so that LLONG_MIN has an absolute value too.
    const unsigned long long i = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    const unsigned i10 = static_cast<unsigned>(i % 10), i100 = static_cast<unsigned>(i % 100);
    const bool bFew = i10 >= 2 && i10 <= 4 && (i100 < 12 || i100 > 14);
    switch (rule) {
    case kOther:
        return PluralCategory::Other;
    case kPolish:
        return i == 1 ? PluralCategory::One : bFew ? PluralCategory::Few : PluralCategory::Many;
    case kEastSlavic:
        return (i10 == 1 && i100 != 11) ? PluralCategory::One : bFew ? PluralCategory::Few : PluralCategory::Many;
    default:
        if (i == 1 || (i == 0 && rule == kOneForZeroAndOne))
            return PluralCategory::One;
        return (rule != kOneForOne && i != 0 && i % 1000000 == 0) ? PluralCategory::Many : PluralCategory::Other;
    }
}

const char* PluralForm(const char* pszForms, PluralCategory category, int& nLength)
{
    nLength = 0;
    if (!pszForms)
        return "";
    const char* pStart = pszForms;
    for (int nSkip = static_cast<int>(category); nSkip > 0; --nSkip) {
        const char* pBar = pStart;
        while (*pBar && *pBar != '|')
            ++pBar;
        if (!*pBar)
            break;  // no more forms: this one stands for the rest
        pStart = pBar + 1;
    }
    while (pStart[nLength] && pStart[nLength] != '|')
        ++nLength;
    return pStart;
}
