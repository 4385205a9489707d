// Bad input through the real window: every troublesome settings value of the
// foundation issue, and a seeded monkey of clicks, keys and ticks.
#include "ShutdownWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using namespace shutdown_window;

namespace {

// What the window must show: literals, from what a user should see.
struct BadSettings : NamedRow {
    std::string file;   // empty: no file at all
    const char* count;  // the count field
    bool force;
    int action;         // the checked action box, 0 for none
    const char* units;  // the unit's label
};

std::string AllKeys(const std::string& value)
{
    std::string text = "[Misc]\r\n";
    for (const char* key : {"DefaultTime", "DefaultForce", "DefaultMode", "AutoStart", "Units"})
        text += std::string(key) + "=" + value + "\r\n";
    return text;
}

std::vector<BadSettings> AllBadSettings()
{
    std::string junk = "\x01\x02\xff\xfe\x80\x7f\x1b\t\xc3\xa9";
    // Defaults: 90 minutes, forced hibernation. A value is read as far as it
    // is a number; only 1 checks the force box, 1 to 5 pick an action, 1 to 3
    // a unit. At most 34 characters are read, and a number saturates.
    const int H = IDC_HIBERNATE;
    return {
        {"NoFile", "", "90", true, H, "Minutes"},
        {"MissingKeys", "[Misc]\r\nSomethingElse=5\r\n", "90", true, H, "Minutes"},
        {"MissingSection", "[Other]\r\nDefaultTime=5\r\nUnits=1\r\n", "90", true, H, "Minutes"},
        {"EmptyValues", AllKeys(""), "0", false, 0, ""},
        {"SpacesSignJunk", AllKeys("  -5abc"), "-5", false, 0, ""},
        {"TrailingJunk", AllKeys("2abc"), "2", false, H, "Minutes"},
        {"NoDigits", AllKeys("abc"), "0", false, 0, ""},
        {"FortyDigits", AllKeys("1234567890123456789012345678901234567890"), "2147483647", false, 0, ""},
        {"FortyCharactersCutTo34", AllKeys(std::string(33, '0') + "7" + std::string(6, '8')), "7", false, 0, ""},
        {"IntMaxPlusOne", AllKeys("2147483648"), "2147483647", false, 0, ""},
        {"HugePositive", AllKeys("99999999999"), "2147483647", false, 0, ""},
        {"HugeNegative", AllKeys("-99999999999"), "-2147483648", false, 0, ""},
        {"BinaryJunk", AllKeys(junk + "12" + junk), "0", false, 0, ""},
        {"BinaryJunkFile", std::string("\xff\xfe\x00\x01", 4) + junk + "\r\n[Misc]\r\nDefaultTime=" + junk + "\r\n", "90",
         true, H, "Minutes"},
        {"HundredKilobyteLine", "[Misc]\r\nDefaultTime=" + std::string(100 * 1024, '7') + "\r\nUnits=1\r\n", "2147483647",
         true, H, "Seconds"},
        {"HundredKilobyteJunkLineFirst", std::string(100 * 1024, 'x') + "\r\n[Misc]\r\nDefaultTime=42\r\n", "42", true, H,
         "Minutes"},
    };
}

class HardeningBadSettings : public ::testing::TestWithParam<BadSettings> {};

TEST_P(HardeningBadSettings, WindowOpensShowsTheValuesAndStaysResponsive)
{
    const BadSettings& bad = GetParam();
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    if (!bad.file.empty())
        prog.WriteIni(bad.file);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    EXPECT_TRUE(Responsive(prog.Window()));
    EXPECT_EQ(bad.count, dlg.Text(IDC_COUNT));
    EXPECT_EQ(bad.force, dlg.Checked(IDC_FORCE));
    for (int id : kActionBoxes) {
        EXPECT_EQ(id == bad.action, dlg.Checked(id)) << "box " << id;
    }
    EXPECT_EQ(bad.units, dlg.Text(IDC_UNITS));
    EXPECT_TRUE(dlg.Enabled(IDOK));  // no case starts on its own
    EXPECT_EQ(nullptr, dlg.WaitForBox(300));
    EXPECT_TRUE(Responsive(prog.Window()));

    dlg.Click(IDCANCEL);
    ASSERT_TRUE(prog.WaitForExit());
    EXPECT_EQ(0u, prog.ExitCode());
    EXPECT_TRUE(prog.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(IssueTwoList, HardeningBadSettings, ::testing::ValuesIn(AllBadSettings()), ByName());

// Dismisses every box of the process other than the main window (validation
// prompts, the missing-entry message, the About box), as a user would.
int AnswerBoxes(const DialogDriver& dlg)
{
    int answered = 0;
    for (int i = 0; i < 8; ++i) {
        HWND hBox = dlg.WaitForBox(0);
        if (!hBox)
            break;
        DialogDriver::AnswerBox(hBox, IDOK);
        ++answered;
        WaitUntil([&] { return !::IsWindowVisible(hBox); });
    }
    return answered;
}

// 2,000 events of a seeded monkey over as many runs as it takes: clicks on
// every control, digits, Backspace, Enter, Esc and posted ticks. After every
// event the program answers a sent message or has ended, and when it has
// ended it ended cleanly, having called at most one entry once.
TEST(HardeningMonkey, TwoThousandSeededEventsNeitherCrashNorHang)
{
    const unsigned seed = 20260801;
    std::printf("monkey seed %u\n", seed);
    RecordProperty("seed", static_cast<int>(seed));
    std::mt19937 rng(seed);
    const char* inis[] = {
        "",                                                  // defaults: 90 minutes
        "[Misc]\r\nUnits=1\r\nDefaultTime=20\r\n",           // short, real one-second steps
        "[Misc]\r\nUnits=1\r\nDefaultTime=5000\r\n",         // out of range: prompts on every pull
        "[Misc]\r\nUnits=3\r\nDefaultTime=3\r\nDefaultMode=0\r\n",  // no action: ends at 0 without one
        "[Misc]\r\nAutoStart=1\r\nUnits=1\r\nDefaultTime=8\r\nDefaultForce=0\r\n",
    };
    const int clickable[] = {IDOK, IDC_FORCE, IDC_SUSPEND, IDC_HIBERNATE, IDC_SHUTDOWN, IDC_LOGOFF, IDC_REBOOT};
    int events = 0, runs = 0, boxes = 0, actions = 0;
    while (events < 2000) {
        ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
        const char* ini = inis[rng() % 5];
        if (*ini)
            prog.WriteIni(ini);
        ASSERT_TRUE(prog.Start(kCaption)) << "run " << runs << ": " << prog.Failure();
        ++runs;
        DialogDriver dlg(prog.Window());
        HWND hWnd = prog.Window();
        while (events < 2000 && prog.IsRunning()) {
            const unsigned roll = rng() % 100;
            ++events;
            if (roll < 40) {
                int id = clickable[rng() % 7];
                if (dlg.Enabled(id))
                    dlg.Click(id);
            } else if (roll < 60) {
                if (dlg.Enabled(IDC_COUNT)) {
                    dlg.CaretToEnd(IDC_COUNT);
                    dlg.Type(IDC_COUNT, std::string(1, static_cast<char>('0' + rng() % 10)));
                }
            } else if (roll < 68) {
                if (dlg.Enabled(IDC_COUNT))
                    dlg.Type(IDC_COUNT, "\b");
            } else if (roll < 73) {
                ::PostMessageA(dlg.Item(IDC_COUNT), WM_KEYDOWN, VK_RETURN, 1);
                ::PostMessageA(dlg.Item(IDC_COUNT), WM_KEYUP, VK_RETURN, 0xC0000001);
            } else if (roll < 74) {
                ::PostMessageA(dlg.Item(IDC_COUNT), WM_KEYDOWN, VK_ESCAPE, 1);
                ::PostMessageA(dlg.Item(IDC_COUNT), WM_KEYUP, VK_ESCAPE, 0xC0000001);
            } else if (roll < 75) {
                dlg.Click(IDCANCEL);
            } else {
                dlg.PostTick();
            }
            boxes += AnswerBoxes(dlg);
            if (prog.IsRunning() && !Responsive(hWnd)) {
                // No answer: either the program is on its way out (its window
                // already gone), or it hangs.
                ASSERT_TRUE(prog.WaitForExit()) << "hung after event " << events << " (seed " << seed << ")";
            }
        }
        // Out of events: leave by Cancel, answering what is still open. The
        // last event may still raise a prompt, which disables the window: a
        // click that lands then is lost, as a user's would be, so click again
        // once the box is answered.
        WaitUntil([&] {
            AnswerBoxes(dlg);
            if (prog.IsRunning())
                dlg.Click(IDCANCEL);
            return prog.WaitForExit(500);
        });
        ASSERT_TRUE(prog.WaitForExit()) << "run " << runs << " would not end (seed " << seed << ")";
        EXPECT_EQ(0u, prog.ExitCode()) << "run " << runs << " after event " << events << " (seed " << seed << ")";
        const std::vector<std::string> calls = prog.Calls();
        EXPECT_LE(calls.size(), 1u) << "run " << runs << " (seed " << seed << ")";
        actions += static_cast<int>(calls.size());
    }
    std::printf("monkey: %d events over %d runs, %d boxes answered, %d actions\n", events, runs, boxes, actions);
}

} // namespace
