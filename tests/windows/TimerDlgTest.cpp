#include "ModalRunner.h"
#include "ScopedCurrentFolder.h"
#include "TimerDlg.h"

#include "PowerEntryTable.h"
#include "../../shutdown/resource.h"

#include <windows.h>

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// --- Message boxes, answered without a user ----------------------------------

struct ShownBox {
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT type;
};

std::vector<ShownBox> g_boxes;
std::function<void(HWND hOwner)> g_onBox;
std::vector<std::string> g_bar;  // the taskbar button through the seam, and entry calls

int RecordBox(HWND hOwner, LPCSTR text, LPCSTR caption, UINT type)
{
    g_boxes.push_back({hOwner, text ? text : "", caption ? caption : "", type});
    if (g_onBox)
        g_onBox(hOwner);
    return IDOK;
}

// What the window shows at one moment.
struct Shown {
    std::string count, units;
    bool countEnabled, goEnabled;
};

Shown Snapshot(HWND hDlg)
{
    char count[32] = "", units[32] = "";
    ::GetDlgItemTextA(hDlg, IDC_COUNT, count, sizeof count);
    ::GetDlgItemTextA(hDlg, IDC_UNITS, units, sizeof units);
    return {count, units, ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_COUNT)) != FALSE,
            ::IsWindowEnabled(::GetDlgItem(hDlg, IDOK)) != FALSE};
}

// The timer dialog with the system's timer replaced: SetTimer is recorded and
// answers as the test wants, and no real timer ever ticks.
class CProbeTimerDlg : public CTimerDlg {
public:
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC) override
    {
        m_setTimers.push_back({nIDEvent, nElapse});
        return m_bRefuseTimer ? 0 : nIDEvent;
    }
    BOOL KillTimer(UINT_PTR nIDEvent) override
    {
        m_killedTimers.push_back(nIDEvent);
        return TRUE;
    }

    // "GO!" as clicked, then "Cancel", both handled once the window runs.
    void PostGoThenCancel()
    {
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDOK)));
        PostCancel();
    }
    void PostCancel()
    {
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDCANCEL)));
    }

    bool m_bRefuseTimer = false;
    std::vector<std::pair<UINT_PTR, UINT>> m_setTimers;  // id, period
    std::vector<UINT_PTR> m_killedTimers;
    std::function<void(CProbeTimerDlg&)> m_onOpened;
    Shown m_opened = {}, m_atCancel = {};

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CTimerDlg::OnInitDialog();
        m_opened = Snapshot(m_hWnd);
        if (m_onOpened)
            m_onOpened(*this);
        return bResult;
    }
    void OnCancel() override
    {
        m_atCancel = Snapshot(m_hWnd);
        CTimerDlg::OnCancel();
    }
    void ConnectTaskbar() override { g_bar.push_back("connect"); }
    void ShowOnTaskbar(TBPFLAG state, int nLeft, int nAtStart) override
    {
        const char* const names[] = {"none", "indeterminate", "", "", "error"};
        g_bar.push_back(state == TBPF_NORMAL ? std::to_string(nLeft) + "/" + std::to_string(nAtStart) : names[state]);
    }
};

// Each test runs in a fresh current folder, where the settings are read.
class TimerDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_boxes.clear();
        g_onBox = nullptr;
        AfxSetMessageBoxHook(RecordBox);
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(nullptr);
        g_onBox = nullptr;
        // Let go of a library loaded from the folder, so that it can be removed.
        if (g_PowerEntries.m_hPowerLib)
            ::FreeLibrary(static_cast<HMODULE>(g_PowerEntries.m_hPowerLib));
    }
    void WriteIni(const std::string& text) { m_folder.Write("shutdown.ini", text); }

    ScopedCurrentFolder m_folder{"timerdlg"};
};

// --- The start ----------------------------------------------------------------

TEST_F(TimerDlgTest, TheStartInstallsTimerOneWithThePeriodOfTheUnit)
{
    struct Case {
        const char* units;
        UINT periodMs;  // 0: no timer
        const char* label;
    } cases[] = {
        {"1", 1000, "Seconds"}, {"2", 60000, "Minutes"}, {"3", 3600000, "Hours"},
        {"0", 0, ""},           {"4", 0, ""},            {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Units=") + c.units);
        WriteIni(std::string("[Misc]\nUnits=") + c.units + "\n");
        CProbeTimerDlg dlg;
        dlg.m_onOpened = [](CProbeTimerDlg& d) { d.PostGoThenCancel(); };
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(c.label, dlg.m_opened.units);
        EXPECT_EQ(c.label, dlg.m_atCancel.units);
        typedef std::vector<std::pair<UINT_PTR, UINT>> Timers;
        Timers expected;
        if (c.periodMs)
            expected.push_back({1, c.periodMs});
        EXPECT_EQ(expected, dlg.m_setTimers);
        // Started for good, whatever the unit.
        EXPECT_FALSE(dlg.m_atCancel.goEnabled);
        EXPECT_FALSE(dlg.m_atCancel.countEnabled);
        EXPECT_EQ(std::vector<UINT_PTR>{1}, dlg.m_killedTimers);
        EXPECT_TRUE(g_boxes.empty());
    }
}

TEST_F(TimerDlgTest, ARefusedTimerAtGoLeavesOnlyCancel)
{
    WriteIni("[Misc]\nUnits=2\nDefaultTime=7\n");
    CProbeTimerDlg dlg;
    dlg.m_bRefuseTimer = true;
    Shown atBox = {};
    g_onBox = [&](HWND hOwner) { atBox = Snapshot(hOwner); };
    // The start reads the unit again.
    dlg.m_onOpened = [this](CProbeTimerDlg& d) {
        WriteIni("[Misc]\nUnits=1\n");
        d.PostGoThenCancel();
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("Minutes", dlg.m_opened.units);
    typedef std::vector<std::pair<UINT_PTR, UINT>> Timers;
    EXPECT_EQ((Timers{{1, 1000}}), dlg.m_setTimers);

    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("Cannot Install Timer", g_boxes[0].text);
    EXPECT_EQ("timerdlg_tests", g_boxes[0].caption);  // the program's name
    EXPECT_EQ(static_cast<UINT>(MB_OK), g_boxes[0].type);
    EXPECT_TRUE(g_boxes[0].hOwner != nullptr);
    // The label was set and shown before the message.
    EXPECT_EQ("Seconds", atBox.units);
    EXPECT_FALSE(atBox.goEnabled);
    EXPECT_FALSE(atBox.countEnabled);
    EXPECT_EQ("7", dlg.m_atCancel.count);
    EXPECT_FALSE(dlg.m_atCancel.goEnabled);
    EXPECT_FALSE(dlg.m_atCancel.countEnabled);
}

TEST_F(TimerDlgTest, ARefusedTimerAtAutoStartIsReportedBeforeTheLibraryIsBound)
{
    // A working library in the current folder, where this test program (which
    // does not harden its search order) finds it once the dialog binds it.
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dll = exe;
    dll = dll.substr(0, dll.find_last_of('\\')) + "\\recording\\Shutdown.dll";
    ASSERT_TRUE(::CopyFileA(dll.c_str(), (m_folder.Path() + "\\Shutdown.dll").c_str(), FALSE)) << dll;
    WriteIni("[Misc]\nAutoStart=1\nDefaultTime=4\n");

    CProbeTimerDlg dlg;
    dlg.m_bRefuseTimer = true;
    Shown atBox = {};
    bool visibleAtBox = true, libraryAtBox = true, iconAtBox = true;
    g_onBox = [&](HWND hOwner) {
        atBox = Snapshot(hOwner);
        visibleAtBox = ::IsWindowVisible(hOwner) != FALSE;
        libraryAtBox = ::GetModuleHandleA("Shutdown.dll") != nullptr || g_PowerEntries.m_hPowerLib != nullptr;
        iconAtBox = ::SendMessageA(hOwner, WM_GETICON, ICON_BIG, 0) != 0;
    };
    dlg.m_onOpened = [](CProbeTimerDlg& d) { d.PostCancel(); };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());

    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("Cannot Install Timer", g_boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), g_boxes[0].type);
    // While the window was still being opened.
    EXPECT_FALSE(visibleAtBox);
    EXPECT_FALSE(libraryAtBox);
    EXPECT_FALSE(iconAtBox);
    EXPECT_EQ("Minutes", atBox.units);
    EXPECT_FALSE(atBox.goEnabled);
    // The opening went on: library bound, and the window waits for Cancel.
    EXPECT_TRUE(g_PowerEntries.m_hPowerLib != nullptr);
    EXPECT_TRUE(g_PowerEntries.m_pfn[PE_REBOOT_FORCE] != nullptr);
    EXPECT_EQ("4", dlg.m_atCancel.count);
    EXPECT_FALSE(dlg.m_atCancel.goEnabled);
    EXPECT_FALSE(dlg.m_atCancel.countEnabled);
}

// --- The taskbar button ---------------------------------------------------------

TEST_F(TimerDlgTest, TheTaskbarBarFollowsTheCountdownAndComesBackOnANewButton)
{
    // One letter a message: B "TaskbarButtonCreated", G "GO!", T a tick, C "Cancel".
    struct Case {
        const char* settings;
        bool refuseTimer;
        const char* script;
        std::vector<std::string> bar;
    } cases[] = {
        {"DefaultTime=3", false, "BGTTC", {"connect", "none", "3/3", "2/3", "1/3", "none"}},
        {"DefaultTime=2", false, "GTT", {"2/2", "1/2", "entry", "none"}},
        // No action: red until Cancel, whatever comes after.
        {"DefaultTime=1\nDefaultMode=0", false, "GTTBC", {"1/1", "error", "connect", "error", "none"}},
        {"DefaultTime=3", true, "BGC", {"connect", "none", "none"}},
        {"DefaultTime=3\nUnits=0", false, "GTC", {"none"}},
        {"DefaultTime=0", false, "GTC", {"indeterminate", "indeterminate", "none"}},
        {"DefaultTime=-5\nAutoStart=1", false, "TBC", {"indeterminate", "indeterminate", "connect", "indeterminate", "none"}},
        {"DefaultTime=3", false, "BGTBTC", {"connect", "none", "3/3", "2/3", "connect", "2/3", "1/3", "none"}},
    };
    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.settings) + ", " + c.script);
        WriteIni(std::string("[Misc]\n") + c.settings + "\nUnits=1\n");  // the first key wins
        g_bar.clear();
        CProbeTimerDlg dlg;
        dlg.m_bRefuseTimer = c.refuseTimer;
        RunModal(dlg, [&](HWND hDlg) {
            for (PowerEntryFn& fn : g_PowerEntries.m_pfn)
                fn = [] { g_bar.push_back("entry"); };
            for (const char* p = c.script; *p; ++p)
                ::SendMessageA(hDlg, *p == 'B' ? nButtonCreated : *p == 'T' ? WM_TIMER : WM_COMMAND,
                               *p == 'G' ? IDOK : *p == 'C' ? IDCANCEL : 1, 0);
        });
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(c.bar, g_bar);
    }
}

} // namespace
