#include "BoxRecorder.h"
#include "Boxes.h"
#include "FakeTaskbarList.h"
#include "FakeTimerDlg.h"
#include "ModalRunner.h"
#include "ScopedCurrentFolder.h"
#include "TimerDlg.h"

#include "PowerEntryTable.h"
#include "PowerRequest.h"
#include "TaskbarProgress.h"
#include "../../shutdown/resource.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// The taskbar button, the power requests and the execution state through their
// seams, and entry calls.
std::vector<std::string> g_log;
bool g_bCreateFails = false;
HANDLE const kRequest = reinterpret_cast<HANDLE>(0x5150);

HANDLE WINAPI RecordCreate(PREASON_CONTEXT pContext)
{
    char szReason[128] = "";
    if (pContext->Version == POWER_REQUEST_CONTEXT_VERSION && pContext->Flags == POWER_REQUEST_CONTEXT_SIMPLE_STRING)
        ::WideCharToMultiByte(CP_ACP, 0, pContext->Reason.SimpleReasonString, -1, szReason, 128, nullptr, nullptr);
    g_log.push_back(std::string("create: ") + szReason);
    return g_bCreateFails ? INVALID_HANDLE_VALUE : kRequest;
}

BOOL Record(const char* what, bool rightHandle)
{
    g_log.push_back(rightHandle ? what : std::string(what) + ": wrong request");
    return TRUE;
}
BOOL WINAPI RecordSet(HANDLE h, POWER_REQUEST_TYPE t) { return Record("set", h == kRequest && t == PowerRequestSystemRequired); }
BOOL WINAPI RecordClear(HANDLE h, POWER_REQUEST_TYPE t) { return Record("clear", h == kRequest && t == PowerRequestSystemRequired); }
BOOL WINAPI RecordClose(HANDLE h) { return Record("close", h == kRequest); }

EXECUTION_STATE WINAPI RecordState(EXECUTION_STATE es)
{
    g_log.push_back(es == (ES_CONTINUOUS | ES_SYSTEM_REQUIRED) ? "state: awake"
                    : es == ES_CONTINUOUS                       ? "state: released"
                                                                : "state: " + std::to_string(es));
    return ES_CONTINUOUS;
}

const PowerRequestOs kRecordingOs = {RecordCreate, RecordSet, RecordClear, RecordClose, RecordState};

// COM through its seam: what CoInitializeEx and CoCreateInstance answer, and a
// fake list that logs what reaches it.
std::vector<std::string> g_comLog;
std::set<HWND> g_listWindows;
HRESULT g_hrInit = S_OK, g_hrCreate = S_OK;

HRESULT WINAPI RecordCoInit(LPVOID, DWORD dwCoInit)
{
    g_comLog.push_back(dwCoInit == COINIT_APARTMENTTHREADED ? "co init" : "co init: wrong model");
    return g_hrInit;
}
HRESULT WINAPI RecordCoCreate(REFCLSID rclsid, LPUNKNOWN, DWORD, REFIID riid, LPVOID* ppv)
{
    g_comLog.push_back(rclsid == CLSID_TaskbarList && riid == IID_ITaskbarList3 ? "co create" : "co create: wrong class");
    *ppv = SUCCEEDED(g_hrCreate) ? new CFakeTaskbarList(g_comLog, g_listWindows) : nullptr;
    return g_hrCreate;
}
void WINAPI RecordCoUninit() { g_comLog.push_back("co uninit"); }

// What the window shows at one moment.
struct Shown {
    std::string count, units;
    bool countEnabled, goEnabled;
};

Shown Snapshot(HWND hDlg)
{
    return {WindowTextOf(::GetDlgItem(hDlg, IDC_COUNT)), WindowTextOf(::GetDlgItem(hDlg, IDC_UNITS)),
            ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_COUNT)) != FALSE,
            ::IsWindowEnabled(::GetDlgItem(hDlg, IDOK)) != FALSE};
}

// shutdown's dialog on a fake timer, which shows what it showed at Cancel.
class CProbeTimerDlg : public CFakeTimerDlg<CTimerDlg> {
public:
    Shown m_atCancel = {};

protected:
    void OnCancel() override
    {
        m_atCancel = Snapshot(m_hWnd);
        CTimerDlg::OnCancel();
    }
    void ConnectTaskbar() override { g_log.push_back("connect"); }
    void ShowOnTaskbar(TBPFLAG state, int nLeft, int nAtStart) override
    {
        const char* const names[] = {"none", "indeterminate", "", "", "error"};
        g_log.push_back(state == TBPF_NORMAL ? std::to_string(nLeft) + "/" + std::to_string(nAtStart) : names[state]);
    }
};

// "GO!" as clicked, then "Cancel", both handled once the window runs.
void GoThenCancel(HWND hDlg)
{
    PostButton(hDlg, IDOK);
    PostButton(hDlg, IDCANCEL);
}

// Each test runs in a fresh current folder, where the settings are read, with
// the power requests recorded.
class TimerDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedOs = g_powerRequestOs;
        g_powerRequestOs = kRecordingOs;
        m_savedComOs = g_taskbarProgressOs;
        g_taskbarProgressOs = {RecordCoInit, RecordCoCreate, RecordCoUninit};
    }
    void TearDown() override
    {
        g_powerRequestOs = m_savedOs;
        g_taskbarProgressOs = m_savedComOs;
        // Let go of a library loaded from the folder, so that it can be removed.
        if (g_PowerEntries.m_hPowerLib)
            ::FreeLibrary(static_cast<HMODULE>(g_PowerEntries.m_hPowerLib));
    }
    void WriteIni(const std::string& text) { m_folder.Write("shutdown.ini", text); }

    PowerRequestOs m_savedOs = {};
    TaskbarProgressOs m_savedComOs = {};
    ScopedCurrentFolder m_folder{"timerdlg"};
    ScopedMessageBoxRecorder m_boxes;
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
        Shown opened = {};
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                      opened = Snapshot(hDlg);
                      GoThenCancel(hDlg);
                  }));
        EXPECT_EQ(c.label, opened.units);
        EXPECT_EQ(c.label, dlg.m_atCancel.units);
        CProbeTimerDlg::Timers expected;
        if (c.periodMs)
            expected.push_back({1, c.periodMs});
        EXPECT_EQ(expected, dlg.m_timersSet);
        // Started for good, whatever the unit.
        EXPECT_FALSE(dlg.m_atCancel.goEnabled);
        EXPECT_FALSE(dlg.m_atCancel.countEnabled);
        EXPECT_EQ(std::vector<UINT_PTR>{1}, dlg.m_timersKilled);
        EXPECT_TRUE(m_boxes.Boxes().empty());
    }
}

TEST_F(TimerDlgTest, ARefusedTimerAtGoLeavesOnlyCancel)
{
    WriteIni("[Misc]\nUnits=2\nDefaultTime=7\n");
    CProbeTimerDlg dlg;
    dlg.m_bRefuseTimer = true;
    Shown opened = {}, atBox = {};
    m_boxes.m_onBox = [&](const BoxRecord& box) { atBox = Snapshot(box.hOwner); };
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                  opened = Snapshot(hDlg);
                  WriteIni("[Misc]\nUnits=1\n");  // the start reads the unit again
                  GoThenCancel(hDlg);
              }));
    EXPECT_EQ("Minutes", opened.units);
    EXPECT_EQ((CProbeTimerDlg::Timers{{1, 1000}}), dlg.m_timersSet);

    const std::vector<BoxRecord>& boxes = m_boxes.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Cannot Install Timer", boxes[0].text);
    EXPECT_EQ("timerdlg_tests", boxes[0].caption);  // the program's name
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes[0].nType);
    EXPECT_TRUE(boxes[0].hOwner != nullptr);
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
    std::string dll = WinPath(VESPIRO_TEST_DIR "/recording/Shutdown.dll");
    ASSERT_TRUE(::CopyFileA(dll.c_str(), (m_folder.Path() + "\\Shutdown.dll").c_str(), FALSE)) << dll;
    WriteIni("[Misc]\nAutoStart=1\nDefaultTime=4\n");

    CProbeTimerDlg dlg;
    dlg.m_bRefuseTimer = true;
    Shown atBox = {};
    bool visibleAtBox = true, libraryAtBox = true, iconAtBox = true;
    m_boxes.m_onBox = [&](const BoxRecord& box) {
        HWND hOwner = box.hOwner;
        atBox = Snapshot(hOwner);
        visibleAtBox = ::IsWindowVisible(hOwner) != FALSE;
        libraryAtBox = ::GetModuleHandleA("Shutdown.dll") != nullptr || g_PowerEntries.m_hPowerLib != nullptr;
        iconAtBox = ::SendMessageA(hOwner, WM_GETICON, ICON_BIG, 0) != 0;
    };
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [](HWND hDlg) { PostButton(hDlg, IDCANCEL); }));

    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ("Cannot Install Timer", m_boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), m_boxes.Boxes()[0].nType);
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

// --- The taskbar button and keeping awake -------------------------------------

// The bar follows the countdown and comes back on a new button. The machine is
// kept awake, with a reason that names the action, from the start until the
// countdown stops, however it stops, and released before the action; with no
// power request to be had, the execution state stands in.
TEST_F(TimerDlgTest, TheTaskbarAndThePowerRequestFollowTheCountdown)
{
    // One letter a message: B "TaskbarButtonCreated", G "GO!", T a tick,
    // C "Cancel", R a click on Reboot.
    enum Os { kRecorded, kCreateFails, kNoPowerRequests };
    struct Case {
        const char* settings;
        bool refuseTimer;
        const char* script;
        std::vector<std::string> log;
        Os os = kRecorded;
    } cases[] = {
        // A second GO! changes nothing.
        {"DefaultTime=3", false, "BGGTTC",
         {"connect", "none", "create: Vespiro: counting down to Hibernate", "set", "3/3", "2/3", "1/3", "clear", "close", "none"}},
        {"DefaultTime=2", false, "GTT",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "1/2", "clear", "close", "entry", "none"}},
        // No action: red until Cancel, whatever comes after.
        {"DefaultTime=1\nDefaultMode=0", false, "GTTBC",
         {"create: Vespiro: counting down", "set", "1/1", "clear", "close", "error", "connect", "error", "none"}},
        {"DefaultTime=3", true, "BGC", {"connect", "none", "none"}},
        {"DefaultTime=3\nUnits=0", false, "GTC", {"none"}},
        {"DefaultTime=0", false, "GTC",
         {"create: Vespiro: counting down to Hibernate", "set", "indeterminate", "indeterminate", "clear", "close", "none"}},
        {"DefaultTime=-5\nAutoStart=1", false, "TBC",
         {"create: Vespiro: counting down to Hibernate", "set", "indeterminate", "indeterminate", "connect", "indeterminate",
          "clear", "close", "none"}},
        {"DefaultTime=3", false, "BGTBTC",
         {"connect", "none", "create: Vespiro: counting down to Hibernate", "set", "3/3", "2/3", "connect", "2/3", "1/3",
          "clear", "close", "none"}},
        {"DefaultTime=2", false, "RGC",
         {"create: Vespiro: counting down to Reboot", "set", "2/2", "clear", "close", "none"}},
        {"DefaultTime=2", false, "GTT",
         {"create: Vespiro: counting down to Hibernate", "state: awake", "2/2", "1/2", "state: released", "entry", "none"},
         kCreateFails},
        {"DefaultTime=2", false, "GC", {"state: awake", "2/2", "state: released", "none"}, kNoPowerRequests},
    };
    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.settings) + ", " + c.script);
        WriteIni(std::string("[Misc]\n") + c.settings + "\nUnits=1\n");  // the first key wins
        g_log.clear();
        g_powerRequestOs = kRecordingOs;
        g_bCreateFails = c.os == kCreateFails;
        if (c.os == kNoPowerRequests)
            g_powerRequestOs.PowerCreateRequest = nullptr;
        CProbeTimerDlg dlg;
        dlg.m_bRefuseTimer = c.refuseTimer;
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                      for (PowerEntryFn& fn : g_PowerEntries.m_pfn)
                          fn = [] { g_log.push_back("entry"); };
                      for (const char* p = c.script; *p; ++p) {
                          if (*p == 'R')
                              ::SendMessageA(::GetDlgItem(hDlg, IDC_REBOOT), BM_CLICK, 0, 0);
                          else
                              ::SendMessageA(hDlg, *p == 'B' ? nButtonCreated : *p == 'T' ? WM_TIMER : WM_COMMAND,
                                             *p == 'G' ? IDOK : *p == 'C' ? IDCANCEL : 1, 0);
                      }
                  }));
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(c.log, g_log);
    }
    g_bCreateFails = false;
}

// What reaches the taskbar list is the steps left out of the steps at the
// start, for this window. COM is brought down once for each time it came up,
// an S_FALSE included, and never after a failed initialisation.
TEST_F(TimerDlgTest, TheTaskbarListGetsStepsLeftAndComStaysBalanced)
{
    // B "TaskbarButtonCreated", G "GO!", T a tick, C "Cancel".
    struct Case {
        HRESULT hrInit, hrCreate;
        const char* script;
        std::vector<std::string> log;  // until the dialog object is gone
    } cases[] = {
        {S_OK, S_OK, "BGTTBC",
         {"co init", "co create", "list init", "none", "normal", "3/3", "normal", "2/3", "normal", "1/3",
          "list released", "co create", "list init", "normal", "1/3", "none", "list released", "co uninit"}},
        {S_FALSE, S_OK, "BBC",
         {"co init", "co create", "list init", "none", "list released", "co create", "list init", "none", "none",
          "list released", "co uninit"}},
        {RPC_E_CHANGED_MODE, S_OK, "BGBC", {"co init", "co init"}},
        {S_OK, REGDB_E_CLASSNOTREG, "BGBC", {"co init", "co create", "co create", "co uninit"}},
    };
    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    WriteIni("[Misc]\nDefaultTime=3\nUnits=1\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script + (" init " + std::to_string(c.hrInit) + ", create " + std::to_string(c.hrCreate)));
        g_comLog.clear();
        g_listWindows.clear();
        g_hrInit = c.hrInit;
        g_hrCreate = c.hrCreate;
        HWND hWnd = nullptr;
        {
            CFakeTimerDlg<CTimerDlg> dlg;
            EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                          hWnd = hDlg;
                          for (const char* p = c.script; *p; ++p)
                              ::SendMessageA(hDlg, *p == 'B' ? nButtonCreated : *p == 'T' ? WM_TIMER : WM_COMMAND,
                                             *p == 'G' ? IDOK : *p == 'C' ? IDCANCEL : 1, 0);
                      }));
        }
        EXPECT_EQ(c.log, g_comLog);
        if (!g_listWindows.empty()) {
            EXPECT_EQ(std::set<HWND>{hWnd}, g_listWindows);
        }
    }
    g_hrInit = g_hrCreate = S_OK;
}

// The real calls, once: the request is made and withdrawn, and the fallback
// leaves the thread's state as it found it.
TEST_F(TimerDlgTest, TheRealPowerCallsReleaseWhatTheyAskFor)
{
    g_powerRequestOs = m_savedOs;
    {
        CPowerRequest request;
        request.Set("Shut Down");
        EXPECT_TRUE(request.IsSet());
        request.Clear();
        EXPECT_FALSE(request.IsSet());
    }
    g_powerRequestOs.PowerCreateRequest = nullptr;
    CPowerRequest fallback;
    fallback.Set(nullptr);
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED), ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    fallback.Clear();
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS), ::SetThreadExecutionState(ES_CONTINUOUS));
}

} // namespace
