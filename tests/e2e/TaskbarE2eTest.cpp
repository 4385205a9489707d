// Both programs count down and act whatever the taskbar list does. Wine 8 never
// sends "TaskbarButtonCreated", so the test sends it, twice. Wine's own taskbar
// list (explorerframe.dll) is a stub whose calls all succeed; with that DLL
// disabled for the program (Wine's per-program DLL overrides in the registry;
// WINEDLLOVERRIDES does not reach a child started by CreateProcess), the class
// cannot be created at all.
#include "DialogDriver.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// explorerframe.dll disabled for programs of this name while it lives.
class ScopedNoTaskbarList {
public:
    explicit ScopedNoTaskbarList(const std::string& exe) : m_key("Software\\Wine\\AppDefaults\\" + exe)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, (m_key + "\\DllOverrides").c_str(), "explorerframe", REG_SZ, "", 1);
    }
    ~ScopedNoTaskbarList() { ::RegDeleteTreeA(HKEY_CURRENT_USER, m_key.c_str()); }

private:
    std::string m_key;
};

class TaskbarE2e : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(TaskbarE2e, CountsDownAndActsWhenTheButtonIsAnnounced)
{
    const std::string exe = std::get<0>(GetParam());
    std::unique_ptr<ScopedNoTaskbarList> noList(std::get<1>(GetParam()) ? new ScopedNoTaskbarList(exe) : nullptr);
    ProgramUnderTest prog(exe.c_str(), PowerLib::Recording);
    prog.WriteIni("[Misc]\nAutoStart=1\nUnits=2\nDefaultTime=3\n");  // drowsel reads none
    ASSERT_TRUE(prog.Start(exe == "drowsel.exe" ? "Drowsel 1.0" : "Vespiro V1.3"));

    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    DialogDriver dlg(prog.Window());
    ::PostMessageA(dlg.Window(), nButtonCreated, 0, 0);
    dlg.PostTick();
    ::PostMessageA(dlg.Window(), nButtonCreated, 0, 0);
    for (int i = 0; i < 9; ++i)  // drowsel's own ticks count as well
        dlg.PostTick();
    EXPECT_TRUE(prog.WaitForExit(10000));
    EXPECT_EQ(std::vector<std::string>{"Hibernate_Force"}, prog.Calls());
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, TaskbarE2e,
                         ::testing::Combine(::testing::Values(std::string("shutdown.exe"), std::string("drowsel.exe")),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<TaskbarE2e::ParamType>& info) {
                             std::string name = std::get<0>(info.param);
                             return name.substr(0, name.find('.')) + (std::get<1>(info.param) ? "_NoList" : "_WineStub");
                         });

} // namespace
