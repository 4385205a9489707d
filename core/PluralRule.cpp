#include "PluralRule.h"

namespace {

// Primary language ids (the low ten bits of a LANGID).
enum : unsigned short {
    kChinese = 0x04,
    kGerman = 0x07,
    kEnglish = 0x09,
    kSpanish = 0x0A,
    kFrench = 0x0C,
    kItalian = 0x10,
    kJapanese = 0x11,
    kKorean = 0x12,
    kDutch = 0x13,
    kPolish = 0x15,
    kPortuguese = 0x16,
    kRussian = 0x19,
    kTurkish = 0x1F,
    kUkrainian = 0x22,
};

} // namespace

PluralCategory CardinalCategory(unsigned short nLangId, long long n)
{
    // In unsigned arithmetic, so that LLONG_MIN has an absolute value too.
    const unsigned long long i = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    const unsigned long long i10 = i % 10;
    const unsigned long long i100 = i % 100;
    const bool bMillions = i != 0 && i % 1000000 == 0;
    switch (nLangId & 0x3FF) {
    case kChinese:
    case kJapanese:
    case kKorean:
        return PluralCategory::Other;
    case kFrench:
    case kPortuguese:  // Brazil's rule, the one our Portuguese follows
        return i <= 1 ? PluralCategory::One : bMillions ? PluralCategory::Many : PluralCategory::Other;
    case kSpanish:
    case kItalian:
        return i == 1 ? PluralCategory::One : bMillions ? PluralCategory::Many : PluralCategory::Other;
    case kPolish:
        if (i == 1)
            return PluralCategory::One;
        return (i10 >= 2 && i10 <= 4 && (i100 < 12 || i100 > 14)) ? PluralCategory::Few : PluralCategory::Many;
    case kRussian:
    case kUkrainian:
        if (i10 == 1 && i100 != 11)
            return PluralCategory::One;
        return (i10 >= 2 && i10 <= 4 && (i100 < 12 || i100 > 14)) ? PluralCategory::Few : PluralCategory::Many;
    case kGerman:
    case kEnglish:
    case kDutch:
    case kTurkish:
    default:
        return i == 1 ? PluralCategory::One : PluralCategory::Other;
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
