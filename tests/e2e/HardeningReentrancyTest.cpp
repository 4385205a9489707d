// Re-entrancy: the last tick arriving while a modal box of the program runs
// its own message loop, where timer messages are still delivered.
#include "ShutdownWindow.h"

#include <gtest/gtest.h>

using namespace shutdown_window;

namespace {

// The last tick has been posted while the box is open: the entry is called
// inside the box's loop, the box stays up and the program waits for it, and
// once it is answered the program ends cleanly with that one call.
void ExpectOneCallInsideTheBoxThenACleanEnd(ProgramUnderTest& prog, const DialogDriver& dlg, HWND hBox)
{
    ASSERT_TRUE(WaitUntil([&] { return !prog.Calls().empty(); }))
        << dlg.Text(IDC_COUNT);
    ::Sleep(300);
    EXPECT_TRUE(prog.IsRunning());
    EXPECT_TRUE(::IsWindow(hBox) && ::IsWindowVisible(hBox));
    EXPECT_TRUE(Responsive(prog.Window()));

    DialogDriver::AnswerBox(hBox);
    ASSERT_TRUE(prog.WaitForExit());
    EXPECT_EQ(0u, prog.ExitCode());
    EXPECT_EQ(std::vector<std::string>{"Hibernate_Force"}, prog.Calls());
}

// A box the program opens while it counts, and the last tick inside it.
struct BoxAtTheEnd : NamedRow {
    const char* ini;  // hours, so that no real tick comes
    void (*open)(const DialogDriver& dlg);
    const char* caption;  // the box's, when it has one of its own
    const char* text;     // a part of its text
    int ticks;            // posted while it is open
};

// The validation prompt needs a count outside 0..1000 (a count in range
// passes the pull), so the settings give 1001 and "GO!" counts from there
// without pulling; "Force Close?" then pulls and brings up the range prompt,
// and all 1001 steps arrive while it is open. The About box comes by the
// posted system command 16 (Wine gives the window no system menu).
const BoxAtTheEnd kBoxes[] = {
    {"ValidationPrompt", "[Misc]\r\nDefaultTime=1001\r\nUnits=3\r\n",
     [](const DialogDriver& dlg) { dlg.Click(IDC_FORCE); }, nullptr, "0 to 1000", 1001},
    {"AboutBox", "[Misc]\r\nDefaultTime=1\r\nUnits=3\r\n",
     [](const DialogDriver& dlg) { dlg.PostSysCommand(IDM_ABOUTBOX); }, "About Vespiro", "Vespiro V1.3", 1},
};

class HardeningReentrancy : public ::testing::TestWithParam<BoxAtTheEnd> {};

TEST_P(HardeningReentrancy, LastTickInsideTheBoxCallsOnceAndEndsAfterTheAnswer)
{
    const BoxAtTheEnd& c = GetParam();
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    prog.WriteIni(c.ini);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    ASSERT_TRUE(PressGo(dlg));
    c.open(dlg);
    HWND hBox = dlg.WaitForBox();
    ASSERT_NE(nullptr, hBox);
    if (c.caption) {
        EXPECT_EQ(c.caption, DialogDriver::BoxCaption(hBox));
    }
    EXPECT_NE(std::string::npos, DialogDriver::BoxText(hBox).find(c.text)) << DialogDriver::BoxText(hBox);

    for (int i = 0; i < c.ticks; ++i)
        dlg.PostTick();
    ExpectOneCallInsideTheBoxThenACleanEnd(prog, dlg, hBox);
}

INSTANTIATE_TEST_SUITE_P(Boxes, HardeningReentrancy, ::testing::ValuesIn(kBoxes), ByName());

} // namespace
