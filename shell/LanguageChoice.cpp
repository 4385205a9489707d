#include "LanguageChoice.h"

LanguageChoiceOs g_languageChoiceOs = {
    ::GetThreadUILanguage,
    ::GetThreadPreferredUILanguages,
    ::SetThreadPreferredUILanguages,
    ::SetThreadLocale,
};

namespace {

const UiLanguage* g_pChosen = nullptr;  // English until a choice is made

// The first language of the thread's preferred list (the system's fallbacks
// merged in, as the resource loader uses them) that we have.
const UiLanguage* FirstPreferred(const LanguageChoiceOs& os)
{
    WCHAR wszList[512];
    ULONG nLanguages = 0;
    ULONG cchList = ARRAYSIZE(wszList);
    if (!os.GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME | MUI_MERGE_USER_FALLBACK | MUI_MERGE_SYSTEM_FALLBACK,
                                          &nLanguages, wszList, &cchList))
        return nullptr;
    for (const WCHAR* p = wszList; p < wszList + ARRAYSIZE(wszList) && *p; p += ::lstrlenW(p) + 1) {
        // Names are ASCII; anything else is no name of ours.
        char szTag[LOCALE_NAME_MAX_LENGTH] = "";
        for (int i = 0; i < LOCALE_NAME_MAX_LENGTH - 1 && p[i]; ++i)
            szTag[i] = p[i] < 0x80 ? static_cast<char>(p[i]) : '?';
        if (const UiLanguage* pLanguage = FindUiLanguage(szTag))
            return pLanguage;
    }
    return nullptr;
}

} // namespace

const UiLanguage& UseUiLanguage(LPCSTR pszTag)
{
    const LanguageChoiceOs& os = g_languageChoiceOs;
    const UiLanguage* pLanguage = FindUiLanguage(pszTag);
    // Windows' choice. On Windows the thread's UI language heads its preferred
    // list; Wine 8 answers the list with en-US alone, whatever the user's
    // language, and only the first call knows it.
    if (!pLanguage)
        pLanguage = FindUiLanguage(os.GetThreadUILanguage());
    if (!pLanguage)
        pLanguage = FirstPreferred(os);
    // Said outright, since what the resource loader does when none of the
    // user's languages is in the module is not documented as English.
    if (!pLanguage)
        pLanguage = &g_uiLanguages[0];

    // Windows (Vista and later) picks resources by the thread's preferred UI
    // languages. Wine 8 ignores those and picks by the thread locale, which
    // Windows no longer uses for resources; so both.
    WCHAR wszList[LOCALE_NAME_MAX_LENGTH + 1] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, pLanguage->pszName, -1, wszList, LOCALE_NAME_MAX_LENGTH);
    ULONG nSet = 0;
    os.SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, wszList, &nSet);
    os.SetThreadLocale(MAKELCID(pLanguage->nLangId, SORT_DEFAULT));
    g_pChosen = pLanguage;
    return *pLanguage;
}

bool IsUiTranslated()
{
    return g_pChosen && g_pChosen != &g_uiLanguages[0];
}

LANGID UiLanguageId()
{
    return (g_pChosen ? g_pChosen : &g_uiLanguages[0])->nLangId;
}
