// Re-entrancy: the last tick arriving while a modal box of the program runs
// its own message loop, where timer messages are still delivered.
#include "HardeningCommon.h"

#include <gtest/gtest.h>

using namespace hardening;

namespace {

// The last tick has been posted while the box is open: the entry is called
// inside the box's loop, the box stays up and the program waits for it, and
// once it is answered the program ends cleanly with that one call.
void ExpectOneCallInsideTheBoxThenACleanEnd(ProgramUnderTest& prog, const DialogDriver& dlg, HWND hBox,
                                            DWORD callTimeoutMs)
{
    ASSERT_TRUE(DialogDriver::WaitUntil([&] { return !prog.Calls().empty(); }, callTimeoutMs))
        << dlg.Text(IDC_COUNT);
    ::Sleep(300);
    EXPECT_TRUE(prog.IsRunning());
    EXPECT_TRUE(::IsWindow(hBox) && ::IsWindowVisible(hBox));
    EXPECT_TRUE(Responsive(prog.Window()));

    DialogDriver::AnswerBox(hBox);
    ASSERT_TRUE(prog.WaitForExit(5000));
    EXPECT_EQ(0u, prog.ExitCode());
    EXPECT_EQ(std::vector<std::string>{"Hibernate_Force"}, prog.Calls());
}

// The count reaches 0 inside the validation prompt's loop. The prompt needs a
// count outside 0..1000 (a count in range passes the pull), so the settings
// give 1001 and "GO!" counts from there without pulling; "Force Close?" then
// pulls and brings up the range prompt, and all 1001 steps arrive while it is
// open. Hours, so that no real tick comes.
TEST(HardeningReentrancy, LastTickInsideTheValidationPromptCallsOnceAndEndsAfterTheAnswer)
{
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    prog.WriteIni("[Misc]\r\nDefaultTime=1001\r\nUnits=3\r\n");
    ASSERT_TRUE(prog.Start(kCaption));
    DialogDriver dlg(prog.Window());
    ASSERT_TRUE(PressGo(dlg));
    dlg.Click(IDC_FORCE);
    HWND hBox = dlg.WaitForBox();
    ASSERT_NE(nullptr, hBox);
    EXPECT_NE(std::string::npos, DialogDriver::BoxText(hBox).find("0 to 1000")) << DialogDriver::BoxText(hBox);

    for (int i = 0; i < 1001; ++i)
        dlg.PostTick();
    ExpectOneCallInsideTheBoxThenACleanEnd(prog, dlg, hBox, 30000);
}

// The same with the About box open (the posted system command 16, since the
// window has no system menu under Wine).
TEST(HardeningReentrancy, LastTickWhileTheAboutBoxIsOpenCallsOnceAndEndsAfterItCloses)
{
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    prog.WriteIni("[Misc]\r\nDefaultTime=1\r\nUnits=3\r\n");
    ASSERT_TRUE(prog.Start(kCaption));
    DialogDriver dlg(prog.Window());
    ASSERT_TRUE(PressGo(dlg));
    dlg.PostSysCommand(IDM_ABOUTBOX);
    HWND hBox = dlg.WaitForBox();
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("About Vespiro", DialogDriver::BoxCaption(hBox));

    dlg.PostTick();
    ExpectOneCallInsideTheBoxThenACleanEnd(prog, dlg, hBox, 5000);
}

} // namespace
