#include "DialogDriver.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The programs as a German Windows starts them: in German, unless shutdown's
// settings ask for another of its languages. This process reads the texts in
// UTF-8 (its manifest's code page), whatever the system's.
namespace {

enum { IDC_COUNT = 1000, IDC_UNITS = 1010 };

struct LanguageRow : NamedRow {
    const char* exe;
    const char* caption;
    const char* settings;  // shutdown.ini, none when empty
    std::vector<std::pair<int, std::string>> shown;  // control id, text
    // Then each key (a digit or '\b' typed in the count, the first over it; G
    // "GO!"; T a tick) and the unit it leaves.
    std::vector<std::pair<char, std::string>> keys;
};

const LanguageRow kRows[] = {
    {"GermanWindows", "shutdown.exe", "Vespiro V1.3", "",
     {{IDOK, u8"Los!"}, {IDCANCEL, u8"Abbrechen"}, {1003, u8"Schließen erzwingen?"}, {IDC_UNITS, u8"Minuten"}}, {}},
    {"EnglishSetting", "shutdown.exe", "Vespiro V1.3", "[Misc]\nLanguage=en\nDefaultTime=1\n",
     {{IDOK, "GO!"}, {IDCANCEL, "Cancel"}, {1003, "Force Close?"}, {IDC_UNITS, "Minutes"}}, {{'2', "Minutes"}}},
    // Cyrillic through the 8-bit calls on a system whose code page has none:
    // the programs' own code page is UTF-8.
    // The unit in the form for the count beside it, as it is typed (25: the
    // caret stayed) and as it counts down.
    {"RussianSetting", "shutdown.exe", "Vespiro V1.3", "[Misc]\nLanguage=ru\nUnits=3\nDefaultTime=1\nDefaultMode=0\n",
     {{IDOK, u8"Пуск!"}, {1009, u8"Перезагрузка?"}, {IDC_UNITS, u8"час"}},
     {{'2', u8"часа"}, {'5', u8"часов"}, {'\b', u8"часа"}, {'G', u8"часа"}, {'T', u8"час"}, {'T', u8"часов"}}},
    {"NoLanguageOfOurs", "shutdown.exe", "Vespiro V1.3", "[Misc]\nLanguage=sv\n", {{IDOK, u8"Los!"}}, {}},
    {"DrowselFollowsWindows", "drowsel.exe", "Drowsel 1.0", "[Misc]\nLanguage=en\n",
     {{IDCANCEL, u8"Abbrechen"}, {IDC_COUNT + 1, u8"Sekunden"}}, {}},
};

class LanguageE2e : public ::testing::TestWithParam<LanguageRow> {};

} // namespace

TEST_P(LanguageE2e, ShowsEveryTextInTheChosenLanguage)
{
    const LanguageRow& row = GetParam();
    ProgramUnderTest prog(row.exe, PowerLib::Recording);
    if (*row.settings)
        prog.WriteIni(row.settings);
    ASSERT_TRUE(prog.Start(row.caption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    for (const auto& shown : row.shown) {
        // drowsel's unit is the static after the count field, which has no id of its own.
        std::string text = shown.first == IDC_COUNT + 1
                               ? DialogDriver::TextOf(::GetWindow(dlg.Item(IDC_COUNT), GW_HWNDNEXT))
                               : dlg.Text(shown.first);
        EXPECT_EQ(shown.second, text) << "control " << shown.first;
    }
    if (!row.keys.empty())
        ::PostMessageA(dlg.Item(IDC_COUNT), EM_SETSEL, 0, -1);
    for (const auto& key : row.keys) {
        if (key.first == 'G')
            dlg.Click(IDOK);
        else if (key.first == 'T')
            dlg.PostTick();
        else
            dlg.Type(IDC_COUNT, std::string(1, key.first));
        EXPECT_TRUE(WaitUntil([&] { return dlg.Text(IDC_UNITS) == key.second; }))
            << key.first << ": " << dlg.Text(IDC_COUNT) << " " << dlg.Text(IDC_UNITS);
    }
    dlg.Click(IDCANCEL);
    EXPECT_TRUE(prog.WaitForExit());
    EXPECT_TRUE(prog.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(German, LanguageE2e, ::testing::ValuesIn(kRows), ByName());
