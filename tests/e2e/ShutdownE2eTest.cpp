#include "DialogDriver.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

namespace {

const char kCaption[] = "Vespiro V1.3";
enum { IDC_COUNT = 1000, IDC_FORCE = 1003, IDC_SUSPEND = 1005, IDC_HIBERNATE = 1006, IDC_SHUTDOWN = 1007,
       IDC_LOGOFF = 1008, IDC_REBOOT = 1009, IDC_UNITS = 1010 };

TEST(ShutdownE2e, NoSettingsFileOpensWithDefaultsAndWaits)
{
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    ASSERT_TRUE(prog.Start(kCaption));
    DialogDriver dlg(prog.Window());
    EXPECT_EQ("90", dlg.Text(IDC_COUNT));
    EXPECT_EQ("Minutes", dlg.Text(IDC_UNITS));
    EXPECT_TRUE(dlg.Checked(IDC_FORCE));
    EXPECT_TRUE(dlg.Checked(IDC_HIBERNATE));
    for (int id : {IDC_SUSPEND, IDC_SHUTDOWN, IDC_LOGOFF, IDC_REBOOT})
        EXPECT_FALSE(dlg.Checked(id));
    EXPECT_TRUE(dlg.Enabled(IDOK));
    EXPECT_TRUE(dlg.Enabled(IDC_COUNT));
    dlg.Click(IDCANCEL);
    EXPECT_TRUE(prog.WaitForExit(5000));
    EXPECT_TRUE(prog.Calls().empty());
}

TEST(ShutdownE2e, AutoStartWithOneSecondStepsCallsTheEntryOnceAndEnds)
{
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    prog.WriteIni("[Misc]\nAutoStart=1\nUnits=1\nDefaultTime=3\nDefaultMode=3\nDefaultForce=0\n");
    DWORD start = ::GetTickCount();
    ASSERT_TRUE(prog.Start(kCaption));
    DialogDriver dlg(prog.Window());
    EXPECT_FALSE(dlg.Enabled(IDOK));
    EXPECT_FALSE(dlg.Enabled(IDC_COUNT));
    EXPECT_EQ("Seconds", dlg.Text(IDC_UNITS));
    EXPECT_TRUE(DialogDriver::WaitUntil([&] { return dlg.Text(IDC_COUNT) == "2"; }, 3000));
    ASSERT_TRUE(prog.WaitForExit(10000));
    DWORD elapsed = ::GetTickCount() - start;
    EXPECT_EQ(std::vector<std::string>{"Shutdown"}, prog.Calls());
    // Three one-second steps, then the one-second end tone (silent under Wine).
    EXPECT_GE(elapsed, 2900u);
    EXPECT_LE(elapsed, 8000u);
}

} // namespace
