// Both programs count down and act with Wine's taskbar list (explorerframe.dll,
// a stub whose calls all succeed) and when none can be created: then that DLL
// is disabled for them by Wine's per-program DLL overrides (WINEDLLOVERRIDES
// does not reach a child started by CreateProcess). Wine never sends
// "TaskbarButtonCreated"; the test does.
#include "DialogDriver.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

class TaskbarE2e : public ::testing::TestWithParam<std::tuple<std::string, bool>> {
protected:
    // Wine looks the override up when the DLL is loaded, so it stays to the end.
    void SetUp() override
    {
        if (std::get<1>(GetParam()))
            ::RegSetKeyValueA(HKEY_CURRENT_USER, (m_key + "\\DllOverrides").c_str(), "explorerframe", REG_SZ, "", 1);
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, m_key.c_str()); }

    const std::string m_exe = std::get<0>(GetParam()), m_key = "Software\\Wine\\AppDefaults\\" + m_exe;
};

TEST_P(TaskbarE2e, CountsDownAndActsWhenTheButtonIsAnnounced)
{
    ProgramUnderTest prog(m_exe.c_str(), PowerLib::Recording);
    prog.WriteIni("[Misc]\nAutoStart=1\nUnits=2\nDefaultTime=3\n");  // drowsel reads none
    ASSERT_TRUE(prog.Start(m_exe == "drowsel.exe" ? "Drowsel 1.0" : "Vespiro V1.3"));
    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    DialogDriver dlg(prog.Window());
    for (int i = 0; i < 10; ++i) {  // the button twice; drowsel's own ticks count as well
        if (i < 2)
            ::PostMessageA(dlg.Window(), nButtonCreated, 0, 0);
        dlg.PostTick();
    }
    EXPECT_TRUE(prog.WaitForExit(10000));
    EXPECT_EQ(std::vector<std::string>{"Hibernate_Force"}, prog.Calls());
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, TaskbarE2e,
                         ::testing::Combine(::testing::Values("shutdown.exe", "drowsel.exe"), ::testing::Bool()));

} // namespace
