#pragma once

// The languages both programs and the library speak, and which of them a
// Windows language or a tag from the settings file comes to. No Windows
// headers: the matching is plain text and numbers.

struct UiLanguage {
    const char* pszName;     // Windows' name of the translation, e.g. "de-DE"
    unsigned short nLangId;  // the LANGUAGE of its resources (a LANGID)
};

// English first: the programs' original texts, and the fallback.
constexpr int kUiLanguageCount = 15;
extern const UiLanguage g_uiLanguages[kUiLanguageCount];

// The translation for a language tag such as "de", "pt-BR" or "zh-Hant_TW"
// (case does not matter, '_' counts as '-'): the same language in any region,
// Portuguese of Portugal included; Chinese goes by script or region (Hant, TW,
// HK, MO: Traditional; Hans, CN, SG: Simplified; plain "zh": neither). Null
// when we have none.
const UiLanguage* FindUiLanguage(const char* pszTag);

// The same for a Windows language id.
const UiLanguage* FindUiLanguage(unsigned short nLangId);
