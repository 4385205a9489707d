#include "UiLanguages.h"

#include <gtest/gtest.h>

namespace {

const char* NameOf(const UiLanguage* pLanguage)
{
    return pLanguage ? pLanguage->pszName : "none";
}

} // namespace

TEST(UiLanguages, TagsComeToTheTranslationOfTheirLanguage)
{
    const struct {
        const char* tag;
        const char* expected;
    } rows[] = {
        {"en", "en-US"}, {"EN-gb", "en-US"}, {"de", "de-DE"}, {"de-AT", "de-DE"}, {"de_CH", "de-DE"},
        {"pt-BR", "pt-BR"}, {"pt-PT", "pt-BR"}, {"pt", "pt-BR"}, {"uk", "uk-UA"}, {"JA", "ja-JP"},
        {"zh-CN", "zh-CN"}, {"zh-sg", "zh-CN"}, {"zh-Hans", "zh-CN"}, {"zh-TW", "zh-TW"}, {"zh-HK", "zh-TW"},
        {"zh-Hant-HK", "zh-TW"}, {"zh_MO", "zh-TW"}, {"zh-Hans-HK", "zh-CN"},  // the script before the region
        // Not ours, or not a tag: Windows decides.
        {"zh", "none"}, {"sv", "none"}, {"", "none"}, {"d", "none"}, {"deu", "none"}, {"german", "none"},
        {"de-", "none"}, {"-de", "none"}, {"de--AT", "none"}, {"de AT", "none"}, {"de-ABCDEFGHI", "none"},
        {"\xc3\xa9n", "none"}, {nullptr, "none"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(row.expected, NameOf(FindUiLanguage(row.tag))) << (row.tag ? row.tag : "(null)");
}

TEST(UiLanguages, WindowsLanguagesComeToTheTranslationOfTheirLanguage)
{
    const struct {
        unsigned short langId;
        const char* expected;
    } rows[] = {
        {0x0409, "en-US"}, {0x0809, "en-US"}, {0x0C07, "de-DE"}, {0x0816, "pt-BR"}, {0x040A, "es-ES"},
        {0x080A, "es-ES"}, {0x0804, "zh-CN"}, {0x1004, "zh-CN"}, {0x0004, "zh-CN"}, {0x0C04, "zh-TW"},
        {0x1404, "zh-TW"}, {0x7C04, "zh-TW"}, {0x041D, "none"}, {0x0000, "none"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(row.expected, NameOf(FindUiLanguage(row.langId))) << std::hex << row.langId;
    // Every translation is found by its own name and its own LANGID.
    for (const UiLanguage& language : g_uiLanguages) {
        EXPECT_EQ(&language, FindUiLanguage(language.pszName));
        EXPECT_EQ(&language, FindUiLanguage(language.nLangId));
    }
}
