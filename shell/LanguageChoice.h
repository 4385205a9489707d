#pragma once

#include "UiLanguages.h"

#include <windows.h>

// The calls behind the choice of language, in one table so that a test can
// watch them.
struct LanguageChoiceOs {
    LANGID (WINAPI* GetThreadUILanguage)();
    BOOL (WINAPI* GetThreadPreferredUILanguages)(DWORD dwFlags, PULONG pulNumLanguages, PZZWSTR pwszLanguages,
                                                 PULONG pcchLanguages);
    BOOL (WINAPI* SetThreadPreferredUILanguages)(DWORD dwFlags, PCZZWSTR pwszLanguages, PULONG pulNumLanguages);
    BOOL (WINAPI* SetThreadLocale)(LCID Locale);
};

// The real calls unless a test has replaced them.
extern LanguageChoiceOs g_languageChoiceOs;

// Makes this thread speak one of our languages, before any window opens: the
// tag's, if it is one of ours (shutdown's Language setting), else the first of
// the thread's UI languages that we have, else English. Everything loaded on
// this thread afterwards follows: our dialogs and texts, Shutdown.dll's, and
// the system's own buttons. Returns the language chosen.
const UiLanguage& UseUiLanguage(LPCSTR pszTag);

// The LANGID of the language chosen; English's until a choice is made.
LANGID UiLanguageId();

// The language is one of the translations rather than English, the
// resources' own: the dialogs are made from their layouts, with its words.
bool IsUiTranslated();
