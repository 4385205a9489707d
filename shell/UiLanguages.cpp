#include "UiLanguages.h"

#include <algorithm>
#include <cstring>
#include <iterator>

const UiLanguage g_uiLanguages[kUiLanguageCount] = {
    {"en-US", 0x0409},
    {"de-DE", 0x0407},
    {"fr-FR", 0x040C},
    {"es-ES", 0x0C0A},
    {"it-IT", 0x0410},
    {"pt-BR", 0x0416},
    {"nl-NL", 0x0413},
    {"pl-PL", 0x0415},
    {"ru-RU", 0x0419},
    {"uk-UA", 0x0422},
    {"tr-TR", 0x041F},
    {"ja-JP", 0x0411},
    {"ko-KR", 0x0412},
    {"zh-CN", 0x0804},
    {"zh-TW", 0x0404},
};

namespace {

constexpr unsigned short kPrimaryChinese = 0x04;

// A row by its name, wherever it stands in the table.
const UiLanguage* Named(const char* pszName)
{
    for (const UiLanguage& language : g_uiLanguages)
        if (std::strcmp(language.pszName, pszName) == 0)
            return &language;
    return nullptr;
}

const UiLanguage* Simplified()
{
    return Named("zh-CN");
}

const UiLanguage* Traditional()
{
    return Named("zh-TW");
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAlnum(char c)
{
    c = Lower(c);
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The subtag at p (up to '-', '_' or the end) equals the lower-case word.
bool SubtagIs(const char* p, const char* word)
{
    while (*word && Lower(*p) == *word) {
        ++p;
        ++word;
    }
    return !*word && (*p == '\0' || *p == '-' || *p == '_');
}

} // namespace

const UiLanguage* FindUiLanguage(const char* pszTag)
{
    if (!pszTag)
        return nullptr;
    // Well formed: subtags of letters and digits, at most 8 long.
    int nRun = 0;
    for (const char* p = pszTag; *p; ++p) {
        if (*p == '-' || *p == '_') {
            if (nRun == 0)
                return nullptr;
            nRun = 0;
        } else if (!IsAlnum(*p) || ++nRun > 8) {
            return nullptr;
        }
    }
    if (nRun == 0)
        return nullptr;  // empty, or a tag that ends in a separator
    const char* pRest = pszTag;
    while (*pRest && *pRest != '-' && *pRest != '_')
        ++pRest;
    if (SubtagIs(pszTag, "zh")) {
        // The first subtag that says which script: "zh-Hant-HK" as well as "zh-TW".
        static const char* const s_traditional[] = {"hant", "tw", "hk", "mo"};
        static const char* const s_simplified[] = {"hans", "cn", "sg"};
        for (const char* p = pRest; *p; ++p) {
            auto isSubtag = [p](const char* word) { return SubtagIs(p + 1, word); };
            if (*p != '-' && *p != '_')
                continue;
            if (std::any_of(std::begin(s_traditional), std::end(s_traditional), isSubtag))
                return Traditional();
            if (std::any_of(std::begin(s_simplified), std::end(s_simplified), isSubtag))
                return Simplified();
        }
        return nullptr;
    }
    for (const UiLanguage& language : g_uiLanguages) {
        // The language subtag of our name: the two letters before its '-'.
        // (Chinese has gone by script above.)
        char szPrimary[3] = {language.pszName[0], language.pszName[1], '\0'};
        if (SubtagIs(pszTag, szPrimary))
            return &language;
    }
    return nullptr;
}

const UiLanguage* FindUiLanguage(unsigned short nLangId)
{
    unsigned short nPrimary = nLangId & 0x3FF;
    unsigned short nSub = nLangId >> 10;
    if (nPrimary == kPrimaryChinese) {
        // Traditional: Taiwan, Hong Kong, Macao and zh-Hant; the rest Simplified.
        switch (nSub) {
        case 0x01: case 0x03: case 0x05: case 0x1F:
            return Traditional();
        case 0x02: case 0x04: case 0x00:
            return Simplified();
        default:
            return nullptr;
        }
    }
    const UiLanguage* pEnd = g_uiLanguages + kUiLanguageCount;
    const UiLanguage* p = std::find_if(g_uiLanguages, pEnd, [nPrimary](const UiLanguage& language) {
        return (language.nLangId & 0x3FF) == nPrimary;
    });
    return p != pEnd ? p : nullptr;
}
