#include "BoxRecorder.h"
#include "Boxes.h"
#include "FakeTaskbarList.h"
#include "FakeTimerDlg.h"
#include "ModalRunner.h"
#include "ScopedCurrentFolder.h"
#include "TimerDlg.h"

#include "AccessibleNames.h"
#include "ComOs.h"
#include "LanguageChoice.h"
#include "LastMinute.h"
#include "PowerEntryTable.h"
#include "PowerRequest.h"
#include "TaskbarProgress.h"
#include "../../shutdown/resource.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// The taskbar button, the power requests and the execution state, the
// surfacing and the accessible names through their seams, and entry calls.
std::vector<std::string> g_log;
bool g_bCreateFails = false;
bool g_bIconic = false, g_bScreenReader = false;
HWND g_hForeground = nullptr;
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

// COM through its seam: what CoInitializeEx and CoCreateInstance answer, and
// fake servers that log what reaches them.
std::vector<std::string> g_comLog;
std::set<HWND> g_listWindows;
HRESULT g_hrInit = S_OK, g_hrCreate = S_OK;

HRESULT WINAPI RecordCoInit(LPVOID, DWORD dwCoInit)
{
    g_comLog.push_back(dwCoInit == COINIT_APARTMENTTHREADED ? "co init" : "co init: wrong model");
    return g_hrInit;
}
// The taskbar list and the names' annotation service; any other class is
// refused, as COM refuses one it does not know.
HRESULT WINAPI RecordCoCreate(REFCLSID rclsid, LPUNKNOWN, DWORD, REFIID riid, LPVOID* ppv)
{
    *ppv = nullptr;
    bool bList = rclsid == CLSID_TaskbarList && riid == IID_ITaskbarList3;
    bool bNames = rclsid == CLSID_AccPropServices && riid == IID_IAccPropServices;
    g_comLog.push_back(bList ? "co create" : bNames ? "co create names" : "co create: unknown class");
    if (!bList && !bNames)
        return REGDB_E_CLASSNOTREG;
    if (SUCCEEDED(g_hrCreate))
        *ppv = bList ? static_cast<void*>(static_cast<ITaskbarList3*>(new CFakeTaskbarList(g_comLog, g_listWindows)))
                     : static_cast<void*>(static_cast<IAccPropServices*>(new CFakeAccPropServices(g_comLog)));
    return g_hrCreate;
}
void WINAPI RecordCoUninit() { g_comLog.push_back("co uninit"); }
HWND WINAPI RecordForeground() { return g_hForeground; }
BOOL WINAPI RecordIconic(HWND) { return g_bIconic; }
BOOL WINAPI RecordShow(HWND, int nCmdShow)
{
    g_log.push_back(nCmdShow == SW_SHOWNOACTIVATE ? "restore" : "show " + std::to_string(nCmdShow));
    return TRUE;
}
BOOL WINAPI RecordPos(HWND, HWND hAfter, int, int, int, int, UINT uFlags)
{
    g_log.push_back(hAfter == HWND_TOPMOST && uFlags == (SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) ? "topmost" : "pos?");
    return TRUE;
}
BOOL WINAPI RecordFlash(PFLASHWINFO p)
{
    g_log.push_back(p->cbSize == sizeof *p && p->dwFlags == (FLASHW_TRAY | FLASHW_TIMERNOFG) ? "flash" : "flash?");
    return TRUE;
}
const LastMinuteOs kRecordingWindowOs = {RecordForeground, RecordIconic, RecordShow, RecordPos, RecordFlash, FakeUiaProc};

// The clock: the time as set, in a zone without an offset, formatted "hh:mm"
// or "hh:mm:ss".
SYSTEMTIME g_now;
void WINAPI FakeUtcNow(LPFILETIME pft) { ::SystemTimeToFileTime(&g_now, pft); }
BOOL WINAPI FakeToLocal(const TIME_ZONE_INFORMATION* pZone, const SYSTEMTIME* pUtc, LPSYSTEMTIME pLocal)
{
    return *pLocal = *pUtc, pZone == nullptr;  // the zone Windows is set to
}
int WINAPI FakeTimeFormat(LPCWSTR pszLocale, DWORD dwFlags, const SYSTEMTIME* p, LPCWSTR pszFormat, LPWSTR pwsz, int)
{
    return pszLocale || pszFormat ? 0  // the user's locale and format only
                                  : ::wsprintfW(pwsz, dwFlags == TIME_NOSECONDS ? L"%02u:%02u" : L"%02u:%02u:%02u",
                                                p->wHour, p->wMinute, p->wSecond) + 1;
}
const SYSTEMTIME kTen = {2026, 1, 1, 5, 10, 0, 0, 0};

// The language through its seam: what Windows says the thread speaks, and
// what the choice then asks of the thread.
LANGID g_threadUiLanguage = 0x0409;
const WCHAR* g_pwszPreferred = L"en-US\0";

LANGID WINAPI FakeThreadUiLanguage() { return g_threadUiLanguage; }
BOOL WINAPI FakePreferred(DWORD, PULONG pnLanguages, PZZWSTR pwsz, PULONG pcch)
{
    ULONG cch = 1, n = 0;
    for (const WCHAR* p = g_pwszPreferred; *p; p += ::lstrlenW(p) + 1, ++n)
        cch += ::lstrlenW(p) + 1;
    if (!pwsz || *pcch < cch)
        return FALSE;
    std::memcpy(pwsz, g_pwszPreferred, cch * sizeof(WCHAR));
    *pnLanguages = n;
    *pcch = cch;
    return TRUE;
}
BOOL WINAPI RecordPreferred(DWORD dwFlags, PCZZWSTR pwsz, PULONG)
{
    char sz[64] = "";
    ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, sz, sizeof sz, nullptr, nullptr);
    g_log.push_back(std::string(dwFlags == MUI_LANGUAGE_NAME ? "preferred " : "preferred? ") + sz + (pwsz[::lstrlenW(pwsz) + 1] ? " and more" : ""));
    return TRUE;
}
BOOL WINAPI RecordLocale(LCID lcid)
{
    char sz[16];
    ::wsprintfA(sz, "locale %04lx", lcid);
    g_log.push_back(sz);
    return TRUE;
}

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

// The thumbnail's tooltips in order, "title" for none: "A at 10:03|title".
std::string g_tips;

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
        const char* const names[] = {"none", "indeterminate", "", "", "error "};
        std::string bar = std::to_string(nLeft) + "/" + std::to_string(nAtStart);
        g_log.push_back(state == TBPF_NORMAL ? bar : state == TBPF_ERROR ? names[state] + bar : names[state]);
    }
    void ShowTipOnTaskbar(LPCWSTR pwszTip) override
    {
        char sz[192] = "";
        ::WideCharToMultiByte(CP_ACP, 0, pwszTip ? pwszTip : L"title", -1, sz, sizeof sz, nullptr, nullptr);
        g_tips += (g_tips.empty() ? "" : "|") + std::string(sz);
    }
    bool IsScreenReaderRunning() const override { return g_bScreenReader; }
    void NameControl(int nID, LPCSTR pszName) override
    {
        g_log.push_back("name " + std::to_string(nID) + ": " + pszName);
    }
    UINT_PTR SetTimer(UINT_PTR nID, UINT nElapse, TIMERPROC pfn) override
    {
        if (nID != 1)
            g_log.push_back("timer " + std::to_string(nID) + ": " + std::to_string(nElapse));
        return CFakeTimerDlg<CTimerDlg>::SetTimer(nID, nElapse, pfn);
    }
    BOOL KillTimer(UINT_PTR nID) override
    {
        if (nID != 1)
            g_log.push_back("kill " + std::to_string(nID));
        return CFakeTimerDlg<CTimerDlg>::KillTimer(nID);
    }

public:
    void FireLastMinuteTimer() { OnLastMinuteTimer(); }
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
        m_savedComOs = g_comOs;
        g_comOs = {RecordCoInit, RecordCoCreate, RecordCoUninit};
        m_savedWindowOs = g_lastMinuteOs;
        g_lastMinuteOs = kRecordingWindowOs;
        g_pUiaLog = &g_log;
        m_savedClockOs = g_taskbarProgressOs;
        g_taskbarProgressOs = {FakeUtcNow, FakeToLocal, FakeTimeFormat};
        g_now = kTen;
    }
    void TearDown() override
    {
        g_powerRequestOs = m_savedOs;
        g_comOs = m_savedComOs;
        g_lastMinuteOs = m_savedWindowOs;
        g_taskbarProgressOs = m_savedClockOs;
        // Let go of a library loaded from the folder, so that it can be removed.
        if (g_PowerEntries.m_hPowerLib)
            ::FreeLibrary(static_cast<HMODULE>(g_PowerEntries.m_hPowerLib));
    }
    void WriteIni(const std::string& text) { m_folder.Write("shutdown.ini", text); }

    PowerRequestOs m_savedOs = {};
    ComOs m_savedComOs = {};
    LastMinuteOs m_savedWindowOs = {};
    TaskbarProgressOs m_savedClockOs = {};
    ScopedCurrentFolder m_folder{"timerdlg"};
    ScopedMessageBoxRecorder m_boxes;
};

// --- The language --------------------------------------------------------------

TEST_F(TimerDlgTest, TheLanguageIsTheSettingsOnesIfOursElseWindowsFirstOfOursElseEnglish)
{
    const LanguageChoiceOs saved = g_languageChoiceOs;
    g_languageChoiceOs = {FakeThreadUiLanguage, FakePreferred, RecordPreferred, RecordLocale};
    const struct {
        const char* settings;
        LANGID thread;
        const WCHAR* preferred;
        const char* expected;
    } rows[] = {
        {"Language=en", 0x0407, L"de-DE\0", "en-US"},  // English back on a German system
        {"Language=DE", 0x0409, L"en-US\0", "de-DE"},  // case does not matter
        {"Language=pt-PT", 0x0409, L"en-US\0", "pt-BR"},
        {"Language=zh-HK", 0x0409, L"en-US\0", "zh-TW"},
        {"Language=xx", 0x0407, L"de-DE\0", "de-DE"},  // not ours: Windows' choice, and no word about it
        {"Language=", 0x0C07, L"de-AT\0", "de-DE"},    // German of Austria
        {"", 0x041D, L"sv-SE\0nb-NO\0fr-CH\0", "fr-FR"},  // the first of Windows' list that we have
        {"", 0x041D, L"sv-SE\0nb-NO\0", "en-US"},          // none: English
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("[Misc] ") + row.settings);
        WriteIni(std::string("[Misc]\n") + row.settings + "\n");
        g_threadUiLanguage = row.thread;
        g_pwszPreferred = row.preferred;
        g_log.clear();
        CTimerDlg::UseLanguage();
        char szLocale[16];
        ::wsprintfA(szLocale, "locale %04x", FindUiLanguage(row.expected)->nLangId);
        EXPECT_EQ((std::vector<std::string>{std::string("preferred ") + row.expected, szLocale}), g_log);
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
    UseUiLanguage("en");
    g_languageChoiceOs = saved;
}

TEST_F(TimerDlgTest, TheWindowOpensInTheChosenLanguage)
{
    const struct {
        const char* tag;
        const char *go, *group, *units, *unitAtOne, *unitName, *prompt, *reason, *tip, *said;
    } rows[] = {
        {"en", "GO!", "Shutdown In:", "Minutes", "Minutes", "Unit", "Please enter a number from 0 to 1000.",
         "Vespiro: counting down to Hibernate", "Hibernate at 10:01", "Hibernate in 1 minute. Press Cancel to stop it."},
        {"de", u8"Los!", u8"Herunterfahren in:", u8"Minuten", u8"Minute", u8"Einheit", u8"Geben Sie eine Zahl von 0 bis 1000 ein.",
         u8"Vespiro: Countdown (Ruhezustand)", u8"Ruhezustand um 10:01", u8"Ruhezustand in 1 Minute. Zum Anhalten „Abbrechen“ drücken."},
        {"ja", u8"開始", u8"シャットダウンまで：", u8"分", u8"分", u8"単位", u8"0 から 1000 までの数値を入力してください。",
         u8"Vespiro：カウントダウン中（休止状態）", u8"10:01 に休止状態", u8"休止状態まであと 1 分。[キャンセル] で止められます。"},
    };
    g_bScreenReader = true;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tag);
        WriteIni(std::string("[Misc]\nLanguage=") + row.tag + "\n");
        CTimerDlg::UseLanguage();
        g_log.clear();
        g_tips.clear();
        CProbeTimerDlg dlg;
        const size_t nBoxes = m_boxes.Boxes().size();
        std::string go, group;
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                      go = WindowTextOf(::GetDlgItem(hDlg, IDOK));
                      group = WindowTextOf(::GetWindow(::GetDlgItem(hDlg, IDC_COUNT), GW_HWNDPREV));
                      ::SetDlgItemTextA(hDlg, IDC_COUNT, "5000");  // out of range: the framework's prompt
                      ::SetDlgItemTextA(hDlg, IDC_COUNT, "1");     // a minute: the last one from the start
                      GoThenCancel(hDlg);
                  }));
        EXPECT_EQ(row.go, go);
        EXPECT_EQ(row.group, group);
        EXPECT_EQ(row.unitAtOne, dlg.m_atCancel.units);
        ASSERT_EQ(nBoxes + 1, m_boxes.Boxes().size());
        EXPECT_EQ(row.prompt, m_boxes.Boxes().back().text);
        // The accessible names follow the words, the first ones too (made as
        // the window opens), and so does the reason.
        EXPECT_NE(g_log.end(), std::find(g_log.begin(), g_log.end(), std::string("name 1010: ") + row.unitName));
        auto first = std::find_if(g_log.begin(), g_log.end(), [](const std::string& s) { return s.rfind("name 1000:", 0) == 0; });
        EXPECT_EQ("name 1000: " + std::string(row.group) + " " + row.units, first != g_log.end() ? *first : "none");
        EXPECT_NE(g_log.end(), std::find(g_log.begin(), g_log.end(), std::string("create: ") + row.reason));
        // So do the taskbar's tooltip and what a screen reader says.
        EXPECT_EQ(row.tip + std::string("|title"), g_tips);
        EXPECT_NE(g_log.end(), std::find(g_log.begin(), g_log.end(), std::string("said: ") + row.said));
    }
    g_bScreenReader = false;
    UseUiLanguage("en");
}

// --- The start ----------------------------------------------------------------

TEST_F(TimerDlgTest, TheStartInstallsTimerOneWithThePeriodOfTheUnit)
{
    struct Case {
        const char* units;
        UINT periodMs;  // 0: no timer
        const char* label;
        // Held with share mode 0 from the opening to the end: the start
        // keeps the unit shown instead of the defaults.
        bool locked = false;
    } cases[] = {
        {"1", 1000, "Seconds"}, {"2", 60000, "Minutes"}, {"3", 3600000, "Hours"},
        {"0", 0, ""},           {"4", 0, ""},            {"", 0, ""},
        {"1", 1000, "Seconds", true}, {"3", 3600000, "Hours", true}, {"0", 0, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Units=") + c.units + (c.locked ? ", locked" : ""));
        WriteIni(std::string("[Misc]\nUnits=") + c.units + "\n");
        CProbeTimerDlg dlg;
        const size_t nBoxes = m_boxes.Boxes().size();
        Shown opened = {};
        HANDLE hLock = INVALID_HANDLE_VALUE;
        DWORD goMs = 0;
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                      opened = Snapshot(hDlg);
                      if (c.locked)
                          hLock = ::CreateFileA("shutdown.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                      goMs = ::GetTickCount();
                      ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
                      goMs = ::GetTickCount() - goMs;
                      PostButton(hDlg, IDCANCEL);
                  }));
        if (hLock != INVALID_HANDLE_VALUE)
            ::CloseHandle(hLock);
        EXPECT_EQ(c.locked, hLock != INVALID_HANDLE_VALUE);
        // About a second of retries while locked, none otherwise.
        EXPECT_EQ(c.locked, goMs >= 800) << goMs << " ms";
        EXPECT_LT(goMs, 3000u);
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
        // No library here: only a start that installed a timer says so.
        EXPECT_EQ(c.periodMs ? 1u : 0u, m_boxes.Boxes().size() - nBoxes);
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
// power request to be had, the execution state stands in. The window surfaces
// once when the end is near and an action would follow; the end of the
// session stops everything; the fields get names once a screen reader shows up.
TEST_F(TimerDlgTest, TheTaskbarAndThePowerRequestFollowTheCountdown)
{
    // One letter a message: B "TaskbarButtonCreated", G "GO!", T a tick,
    // C "Cancel", R a click on Reboot, W the warning's own timer, M the window
    // minimised from now on, F the window in the foreground from now on,
    // O WM_GETOBJECT, Q WM_QUERYENDSESSION, E WM_ENDSESSION(TRUE), e the same
    // with FALSE, U the file changed to Units=3, L the clock three hours on
    // (as after sleep), X the library's entries gone.
    enum Os { kRecorded, kCreateFails, kNoPowerRequests, kScreenReader, kNoNotification };
    struct Case {
        const char* settings;
        bool refuseTimer;
        const char* script;
        std::vector<std::string> log;
        Os os = kRecorded;
        const char* tips = nullptr;  // the thumbnail's tooltips (g_tips), where checked
    } cases[] = {
        // A second GO! changes nothing.
        {"DefaultTime=3", false, "BGGTTC",
         {"connect", "none", "create: Vespiro: counting down to Hibernate", "set", "3/3", "2/3", "1/3", "clear", "close", "none"}},
        {"DefaultTime=2", false, "GTT",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "1/2", "clear", "close", "entry", "none"}},
        // No action: all red until Cancel, whatever comes after.
        {"DefaultTime=1\nDefaultMode=0", false, "GTTBC",
         {"create: Vespiro: counting down", "set", "1/1", "clear", "close", "error 1/1", "connect", "error 1/1", "none"},
         kRecorded, ""},
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
        // The last seconds: once, minimised or not; never when foreground;
        // said to screen readers, or not where Windows cannot say it.
        {"DefaultTime=4\nWarnSeconds=2", false, "GTMTTC",
         {"create: Vespiro: counting down to Hibernate", "set", "4/4", "3/4", "2/4", "restore", "topmost", "flash",
          "said: Hibernate in 2 seconds. Press Cancel to stop it.", "provider released", "1/4", "clear", "close", "none"}},
        {"DefaultTime=2\nWarnSeconds=2", false, "FGTC",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "topmost", "said: Hibernate in 2 seconds. Press Cancel to stop it.",
          "provider released", "1/2", "clear", "close", "none"}},
        {"DefaultTime=1\nWarnSeconds=5", false, "GC",
         {"create: Vespiro: counting down to Hibernate", "set", "1/1", "topmost", "flash", "clear", "close", "none"},
         kNoNotification},
        // Minutes and hours: a timer of its own, gone with the countdown.
        {"DefaultTime=2\nUnits=2\nWarnSeconds=90", false, "GWTC",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "timer 2: 30000", "kill 2", "topmost", "flash",
          "said: Hibernate in 90 seconds. Press Cancel to stop it.", "provider released", "1/2", "clear", "close", "none"}},
        // The tooltip: the action at the clock time of the end, from what is
        // left at each tick and whatever the clock did meanwhile; it follows
        // the action box, and goes with the end, a dead end included.
        {"DefaultTime=2\nUnits=2\nWarnSeconds=60", false, "GRTC",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "1/2", "topmost", "flash",
          "said: Reboot in 1 minute. Press Cancel to stop it.", "provider released", "clear", "close", "none"},
         kRecorded, "Hibernate at 10:02|Reboot at 10:02|Reboot at 10:01|title"},
        {"DefaultTime=5", false, "GTLTC",
         {"create: Vespiro: counting down to Hibernate", "set", "5/5", "4/5", "3/5", "clear", "close", "none"}, kRecorded,
         "Hibernate at 10:00:05|Hibernate at 10:00:04|Hibernate at 13:00:03|title"},
        {"DefaultTime=2", false, "GXTTC",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "1/2", "clear", "close", "error 2/2", "none"},
         kRecorded, "Hibernate at 10:00:02|Hibernate at 10:00:01|title"},
        {"DefaultTime=1\nUnits=3\nWarnSeconds=60", false, "GC",
         {"create: Vespiro: counting down to Hibernate", "set", "1/1", "timer 2: 3540000", "kill 2", "clear", "close",
          "none"}},
        // Nothing to warn of: no action, or a force value no entry matches;
        // on minutes, the warning's own timer finds nothing to warn of either.
        {"DefaultTime=2\nDefaultMode=0\nWarnSeconds=5", false, "GTTC",
         {"create: Vespiro: counting down", "set", "2/2", "1/2", "clear", "close", "error 2/2", "none"}},
        {"DefaultTime=2\nUnits=2\nDefaultMode=0\nWarnSeconds=90", false, "GWTC",
         {"create: Vespiro: counting down", "set", "2/2", "timer 2: 30000", "kill 2", "1/2", "clear", "close", "none"}},
        {"DefaultTime=2\nDefaultForce=2\nWarnSeconds=5", false, "GTC",
         {"create: Vespiro: counting down to Hibernate", "set", "2/2", "1/2", "clear", "close", "none"}},
        // The session: asked, called off, then ended; the tick after calls nothing.
        {"DefaultTime=3", false, "GTQeTET",
         {"create: Vespiro: counting down to Hibernate", "set", "3/3", "2/3", "query 1", "1/3", "clear", "close",
          "none"}},
        // Names at the first WM_GETOBJECT, again when the start changes the unit.
        {"DefaultTime=3\nUnits=2", false, "OOUGC",
         {"name 1000: Shutdown In: Minutes", "name 1010: Unit", "create: Vespiro: counting down to Hibernate", "set",
          "3/3", "name 1000: Shutdown In: Hours", "name 1010: Unit", "clear", "close", "none"}},
        {"DefaultTime=3\nUnits=0", false, "GC", {"name 1000: Shutdown In:", "name 1010: Unit", "none"}, kScreenReader},
    };
    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.settings) + ", " + c.script);
        WriteIni(std::string("[Misc]\n") + c.settings + "\nUnits=1\nWarnSeconds=0\n");  // the first key wins
        g_log.clear();
        g_powerRequestOs = kRecordingOs;
        g_bCreateFails = c.os == kCreateFails;
        g_bScreenReader = c.os == kScreenReader;
        g_bUiaSilent = c.os == kNoNotification;
        g_now = kTen;
        g_tips.clear();
        g_bIconic = false;
        g_hForeground = nullptr;
        if (c.os == kNoPowerRequests)
            g_powerRequestOs.PowerCreateRequest = nullptr;
        CProbeTimerDlg dlg;
        dlg.m_bRefuseTimer = c.refuseTimer;
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                      for (PowerEntryFn& fn : g_PowerEntries.m_pfn)
                          fn = [] { g_log.push_back("entry"); };
                      for (const char* p = c.script; *p; ++p) {
                          switch (*p) {
                          case 'R': ::SendMessageA(::GetDlgItem(hDlg, IDC_REBOOT), BM_CLICK, 0, 0); break;
                          case 'W': dlg.FireLastMinuteTimer(); break;
                          case 'M': g_bIconic = true; break;
                          case 'F': g_hForeground = hDlg; break;
                          case 'O': ::SendMessageA(hDlg, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)); break;
                          case 'Q': g_log.push_back("query " + std::to_string(::SendMessageA(hDlg, WM_QUERYENDSESSION, 0, 0))); break;
                          case 'E': case 'e': ::SendMessageA(hDlg, WM_ENDSESSION, *p == 'E', 0); break;
                          case 'U': WriteIni("[Misc]\nUnits=3\n"); break;
                          case 'L': g_now.wHour += 3; break;
                          case 'X': g_PowerEntries = {}; break;
                          default:
                              ::SendMessageA(hDlg, *p == 'B' ? nButtonCreated : *p == 'T' ? WM_TIMER : WM_COMMAND,
                                             *p == 'G' ? IDOK : *p == 'C' ? IDCANCEL : 1, 0);
                          }
                      }
                  }));
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(c.log, g_log);
        if (c.tips) {
            EXPECT_EQ(c.tips, g_tips);
        }
        if (std::strstr(c.settings, "DefaultMode=0") || std::strstr(c.settings, "DefaultForce=2")) {
            EXPECT_EQ(0, std::count(g_log.begin(), g_log.end(), "topmost"))
                << "the window surfaced before a countdown that ends in no action";
        }
        // The end of the session also ends every loop of the thread.
        MSG msg;
        EXPECT_EQ(std::strchr(c.script, 'E') != nullptr, ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE);
    }
    g_bCreateFails = g_bScreenReader = false;
}

// What reaches the taskbar list is the steps left out of the steps at the
// start, for this window; the names reach the annotation service and are
// taken back before the window goes. Both bring COM down once for each time
// they brought it up, an S_FALSE included, and never after a failed
// initialisation; the names try once.
TEST_F(TimerDlgTest, TheTaskbarListGetsStepsLeftAndComStaysBalanced)
{
    // B "TaskbarButtonCreated", O WM_GETOBJECT, G "GO!", T a tick, C "Cancel".
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
        {S_OK, S_OK, "OC",
         {"co init", "co create names", "name 1000: Shutdown In: Seconds", "name 1010: Unit", "unname 1000",
          "unname 1010", "names released", "co uninit"}},
        {S_FALSE, S_OK, "BOC",
         {"co init", "co create", "list init", "none", "co init", "co create names", "name 1000: Shutdown In: Seconds",
          "name 1010: Unit", "none", "unname 1000", "unname 1010", "names released", "co uninit", "list released",
          "co uninit"}},
        {RPC_E_CHANGED_MODE, S_OK, "OGC", {"co init"}},
        {S_OK, REGDB_E_CLASSNOTREG, "OGC", {"co init", "co create names", "co uninit"}},
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
                              ::SendMessageA(hDlg,
                                             *p == 'B'   ? nButtonCreated
                                             : *p == 'T' ? WM_TIMER
                                             : *p == 'O' ? WM_GETOBJECT
                                                         : WM_COMMAND,
                                             *p == 'G' ? IDOK : *p == 'C' ? IDCANCEL : 1,
                                             *p == 'O' ? static_cast<LPARAM>(OBJID_CLIENT) : 0);
                      }));
        }
        EXPECT_EQ(c.log, g_comLog);
        const auto times = [](const char* what) { return std::count(g_comLog.begin(), g_comLog.end(), what); };
        EXPECT_EQ(SUCCEEDED(c.hrInit) ? times("co init") : 0, times("co uninit"))
            << "CoUninitialize must match a CoInitializeEx that succeeded, one for one";
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

// The real names: nothing of oleacc until a client asks, then the copy in
// System32, even with another oleacc.dll beside the program and in the current
// folder, where a plain search would look first. The decoy is the recording
// library renamed, known by its entries. Wine does not implement the
// annotation itself (E_NOTIMPL).
TEST_F(TimerDlgTest, TheRealNamesLoadOleaccOnlyWhenAClientAsks)
{
    g_comOs = m_savedComOs;
    ASSERT_EQ(nullptr, ::GetModuleHandleA("oleacc.dll"));
    char szProgram[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
    std::string besideProgram = szProgram;
    besideProgram = besideProgram.substr(0, besideProgram.find_last_of('\\') + 1) + "oleacc.dll";
    struct Decoys {
        std::vector<std::string> paths;
        ~Decoys()
        {
            for (const std::string& path : paths)
                ::DeleteFileA(path.c_str());
        }
    } decoys;
    std::string recording = WinPath(VESPIRO_TEST_DIR "/recording/Shutdown.dll");
    for (const std::string& path : {besideProgram, m_folder.Path() + "\\oleacc.dll"}) {
        ASSERT_TRUE(::CopyFileA(recording.c_str(), path.c_str(), FALSE)) << path;
        decoys.paths.push_back(path);
    }

    CFakeTimerDlg<CTimerDlg> quiet;
    HMODULE hAtCancel = reinterpret_cast<HMODULE>(1);
    EXPECT_EQ(IDCANCEL, RunModal(quiet, [&](HWND hDlg) {
                  ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
                  hAtCancel = ::GetModuleHandleA("oleacc.dll");
                  PostButton(hDlg, IDCANCEL);
              }));
    EXPECT_EQ(nullptr, hAtCancel);

    CFakeTimerDlg<CTimerDlg> asked;
    HRESULT hr = E_FAIL;
    EXPECT_EQ(IDCANCEL, RunModal(asked, [&](HWND hDlg) {
                  ::SendMessageA(hDlg, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
                  CAccessibleNames names;
                  hr = names.SetName(::GetDlgItem(hDlg, IDC_COUNT), "Shutdown In: Minutes");
                  PostButton(hDlg, IDCANCEL);
              }));
    // Windows maps the decoy itself; Wine puts its built-in oleacc under the
    // decoy's name, so the path tells too.
    HMODULE hOleacc = ::GetModuleHandleA("oleacc.dll");
    char szPath[MAX_PATH] = "", szSystem[MAX_PATH] = "";
    ::GetModuleFileNameA(hOleacc, szPath, MAX_PATH);
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    for (const std::string& decoy : decoys.paths) {
        EXPECT_TRUE(::lstrcmpiA(decoy.c_str(), szPath) != 0 && !::GetProcAddress(hOleacc, "Hibernate"))
            << "the decoy oleacc.dll was loaded (" << szPath << "): oleacc must come from System32 only";
    }
    EXPECT_EQ(0, ::lstrcmpiA((std::string(szSystem) + "\\oleacc.dll").c_str(), szPath)) << szPath;
    EXPECT_EQ(RunningUnderWine() ? E_NOTIMPL : S_OK, hr);
}

} // namespace
