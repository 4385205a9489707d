#include "PowerOs.h"

#include "LanguageChoice.h"

#include "Boxes.h"

#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The library's code linked into this test, with every system call replaced
// by a recorder: nothing here can shut down, sleep or log off the machine.
namespace {

struct Fake {
    std::vector<std::string> calls;
    DWORD lastError = 0;

    BOOL openOk = TRUE;
    DWORD openAccess = 0;
    BOOL lookupOk = TRUE;
    std::string lookupName;
    BOOL adjustOk = TRUE;
    DWORD adjustError = ERROR_SUCCESS;
    BOOL adjustDisableAll = TRUE;
    TOKEN_PRIVILEGES adjusted = {};
    HANDLE closed = nullptr;

    BOOL exitOk = TRUE;
    DWORD exitError = 0;
    UINT exitFlags = 0;
    DWORD exitReason = 0;

    SYSTEM_POWER_CAPABILITIES caps = {};
    BOOLEAN suspendOk = TRUE;
    DWORD suspendError = 0;
    std::vector<int> suspendArgs;
    std::vector<std::string> monitorOff;  // "def <hwnd>" or "post <hwnd>", lParam 2 checked

    BOOL formatOk = TRUE;
    HWND active = nullptr;
    std::vector<BoxRecord> boxes;
};

Fake* g_fake = nullptr;
HANDLE const kToken = reinterpret_cast<HANDLE>(0x4711);
const LUID kLuid = {19, 0};

BOOL WINAPI FakeOpenProcessToken(HANDLE, DWORD access, PHANDLE phToken)
{
    g_fake->calls.push_back("OpenProcessToken");
    g_fake->openAccess = access;
    g_fake->lastError = g_fake->openOk ? 0 : ERROR_ACCESS_DENIED;
    if (g_fake->openOk)
        *phToken = kToken;
    return g_fake->openOk;
}

BOOL WINAPI FakeLookupPrivilegeValueA(LPCSTR, LPCSTR name, PLUID pLuid)
{
    g_fake->calls.push_back("LookupPrivilegeValueA");
    g_fake->lookupName = name;
    *pLuid = kLuid;
    g_fake->lastError = g_fake->lookupOk ? 0 : ERROR_NO_SUCH_PRIVILEGE;
    return g_fake->lookupOk;
}

BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE, BOOL disableAll, PTOKEN_PRIVILEGES pNew, DWORD, PTOKEN_PRIVILEGES,
                                      PDWORD)
{
    g_fake->calls.push_back("AdjustTokenPrivileges");
    g_fake->adjustDisableAll = disableAll;
    g_fake->adjusted = *pNew;
    g_fake->lastError = g_fake->adjustError;
    return g_fake->adjustOk;
}

DWORD WINAPI FakeGetLastError()
{
    return g_fake->lastError;
}

BOOL WINAPI FakeCloseHandle(HANDLE h)
{
    g_fake->calls.push_back("CloseHandle");
    g_fake->closed = h;
    g_fake->lastError = 0;
    return TRUE;
}

BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason)
{
    g_fake->calls.push_back("ExitWindowsEx");
    g_fake->exitFlags = flags;
    g_fake->exitReason = reason;
    g_fake->lastError = g_fake->exitError;
    return g_fake->exitOk;
}

BOOLEAN WINAPI FakeGetPwrCapabilities(PSYSTEM_POWER_CAPABILITIES pCaps)
{
    g_fake->calls.push_back("GetPwrCapabilities");
    *pCaps = g_fake->caps;
    return TRUE;
}

BOOLEAN WINAPI FakeSetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeDisabled)
{
    g_fake->calls.push_back("SetSuspendState");
    g_fake->suspendArgs = {hibernate, force, wakeDisabled};
    g_fake->lastError = g_fake->suspendError;
    return g_fake->suspendOk;
}

HWND WINAPI FakeGetActiveWindow()
{
    return g_fake->active;
}

int WINAPI FakeMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    g_fake->calls.push_back("MessageBoxA");
    g_fake->boxes.push_back({owner, text, caption ? caption : "", type});
    return IDOK;
}

DWORD WINAPI FakeFormatMessageA(DWORD, LPCVOID, DWORD id, DWORD, LPSTR buffer, DWORD size, va_list*)
{
    if (!g_fake->formatOk)
        return 0;
    std::string text = "<system text " + std::to_string(id) + ">";
    lstrcpynA(buffer, text.c_str(), static_cast<int>(size));
    return static_cast<DWORD>(text.size());
}

// The display turned off, through a window's default processing or a post.
std::string MonitorOff(const char* how, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_fake->calls.push_back(how);
    bool off = msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MONITORPOWER && lParam == 2;
    return std::string(off ? "" : "not off: ") + how + " " + std::to_string(reinterpret_cast<UINT_PTR>(hWnd));
}

LRESULT WINAPI FakeDefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_fake->monitorOff.push_back(MonitorOff("DefWindowProcA", hWnd, msg, wParam, lParam));
    return 0;
}

BOOL WINAPI FakePostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_fake->monitorOff.push_back(MonitorOff("PostMessageA", hWnd, msg, wParam, lParam));
    return TRUE;
}

const PowerOs kFakeOs = {
    FakeOpenProcessToken, FakeLookupPrivilegeValueA, FakeAdjustTokenPrivileges, FakeGetLastError,
    FakeCloseHandle,      FakeExitWindowsEx,         FakeGetPwrCapabilities,    FakeSetSuspendState,
    FakeGetActiveWindow,  FakeMessageBoxA,           FakeFormatMessageA,        FakeDefWindowProcA,
    FakePostMessageA,
};

struct Entry {
    const char* name;
    void (*fn)();
};

// The entries that end the session, with the flags each must pass: a hung
// program never holds up a plain one, and a forced one asks nobody.
struct SessionEntry {
    Entry entry;
    UINT flags;
};
const SessionEntry kSessionEntries[] = {
    {{"Shutdown", Shutdown}, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG},
    {{"Shutdown_Force", Shutdown_Force}, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE},
    {{"LogOff", LogOff}, EWX_LOGOFF | EWX_FORCEIFHUNG},
    {{"LogOff_Force", LogOff_Force}, EWX_LOGOFF | EWX_FORCE},
    {{"Reboot", Reboot}, EWX_REBOOT | EWX_FORCEIFHUNG},
    {{"Reboot_Force", Reboot_Force}, EWX_REBOOT | EWX_FORCE},
};
// Every entry that needs the shutdown privilege: all but the two LogOffs.
const Entry kPrivilegedEntries[] = {
    {"Suspend", Suspend}, {"Suspend_Force", Suspend_Force},   {"Hibernate", Hibernate},
    {"Hibernate_Force", Hibernate_Force}, {"Shutdown", Shutdown}, {"Shutdown_Force", Shutdown_Force},
    {"Reboot", Reboot},   {"Reboot_Force", Reboot_Force},
};

const std::vector<std::string> kPrivilegeCalls = {"OpenProcessToken", "LookupPrivilegeValueA",
                                                  "AdjustTokenPrivileges", "CloseHandle"};

class PowerLibTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = g_powerOs;
        g_powerOs = kFakeOs;
        Reset();
    }
    void TearDown() override
    {
        g_powerOs = m_saved;
        g_fake = nullptr;
    }
    // A machine that can do everything and a token that grants everything.
    void Reset()
    {
        m_fake = Fake();
        m_fake.caps.SystemS3 = TRUE;
        m_fake.caps.SystemS4 = TRUE;
        m_fake.caps.HiberFilePresent = TRUE;
        g_fake = &m_fake;
    }
    // A failure: one box, and nothing called once it is shown.
    void ExpectOneMessageLast(const char* name)
    {
        SCOPED_TRACE(name);
        ASSERT_EQ(1u, m_fake.boxes.size());
        ASSERT_FALSE(m_fake.calls.empty());
        EXPECT_EQ("MessageBoxA", m_fake.calls.back());
        // Seen even when the user is in another program when the count ends;
        // modal to the caller's window, or to the whole task without one.
        const BoxRecord& box = m_fake.boxes[0];
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST |
                                    (box.hOwner ? 0 : MB_TASKMODAL)),
                  box.nType);
    }
    bool Called(const char* call) const
    {
        return std::find(m_fake.calls.begin(), m_fake.calls.end(), call) != m_fake.calls.end();
    }

    Fake m_fake;
    PowerOs m_saved = {};
};

TEST_F(PowerLibTest, SessionEntriesPassTheirFlagsAndAPlannedReason)
{
    const DWORD planned = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    for (const SessionEntry& e : kSessionEntries) {
        // Logging off needs no shutdown privilege: a refused one changes nothing.
        for (DWORD adjustError : {ERROR_SUCCESS, ERROR_NOT_ALL_ASSIGNED}) {
            if (adjustError && (e.flags & (EWX_SHUTDOWN | EWX_REBOOT)))
                continue;
            SCOPED_TRACE(std::string(e.entry.name) + ", error " + std::to_string(adjustError));
            Reset();
            m_fake.adjustError = adjustError;
            e.entry.fn();
            std::vector<std::string> expected = kPrivilegeCalls;
            expected.push_back("ExitWindowsEx");
            EXPECT_EQ(expected, m_fake.calls);
            EXPECT_EQ(e.flags, m_fake.exitFlags);
            EXPECT_EQ(planned, m_fake.exitReason);
            EXPECT_TRUE(m_fake.boxes.empty());
        }
    }
}

TEST_F(PowerLibTest, ThePrivilegeIsEnabledInTheProcessTokenWhichIsClosedAgain)
{
    Reboot();
    EXPECT_TRUE(m_fake.openAccess & TOKEN_ADJUST_PRIVILEGES);
    EXPECT_EQ(SE_SHUTDOWN_NAME, m_fake.lookupName);
    EXPECT_FALSE(m_fake.adjustDisableAll);
    ASSERT_EQ(1u, m_fake.adjusted.PrivilegeCount);
    EXPECT_EQ(static_cast<DWORD>(SE_PRIVILEGE_ENABLED), m_fake.adjusted.Privileges[0].Attributes);
    EXPECT_EQ(kLuid.LowPart, m_fake.adjusted.Privileges[0].Luid.LowPart);
    EXPECT_EQ(kToken, m_fake.closed);
}

TEST_F(PowerLibTest, ARefusedPrivilegeIsReportedAndNothingIsAttempted)
{
    // AdjustTokenPrivileges failing outright, and succeeding without granting.
    // Policy without the shutdown right is said in words a user understands.
    struct Refusal {
        const char* name;
        BOOL ok;
        DWORD error;
        const char* text;
    };
    const char* const kNotAllowed =
        "\n\nThis account is not allowed to shut down, restart, sleep or hibernate the computer.";
    const Refusal refusals[] = {{"failed", FALSE, ERROR_ACCESS_DENIED, "\n\n<system text 5>"},
                                {"not all assigned", TRUE, ERROR_NOT_ALL_ASSIGNED, kNotAllowed}};
    for (const Refusal& r : refusals) {
        for (const Entry& e : kPrivilegedEntries) {
            SCOPED_TRACE(std::string(e.name) + ", " + r.name);
            Reset();
            m_fake.adjustOk = r.ok;
            m_fake.adjustError = r.error;
            e.fn();
            ExpectOneMessageLast(e.name);
            EXPECT_NE(std::string::npos, m_fake.boxes[0].text.find(r.text));
            EXPECT_FALSE(Called("ExitWindowsEx"));
            EXPECT_FALSE(Called("SetSuspendState"));
            EXPECT_FALSE(Called("GetPwrCapabilities"));
            EXPECT_EQ(kToken, m_fake.closed);
        }
    }
}

// What the machine reports decides the path: S1 to S3 sleep through
// SetSuspendState, a Modern Standby machine only turns the display off, and
// hibernation wants S4 with a full (or, before Windows 10, untyped) file.
TEST_F(PowerLibTest, TheMachinesPowerStatesChooseThePath)
{
    const std::string kSuspend = "SetSuspendState";
    const std::string kNoSleep = "This computer cannot sleep.";
    const std::string kNoHibernation = "Hibernation is turned off on this computer.";
    const std::string kOwnWindow = "DefWindowProcA 4660", kBroadcast = "PostMessageA 65535";
    struct Case {
        const char* name;
        void (*fn)();
        BOOLEAN s1, s3, aoac, s4, file;
        BYTE fileType;
        HWND active;
        std::string result;  // the call made, the display turned off, or the box
    };
    HWND const kDlg = reinterpret_cast<HWND>(0x1234);
    const Case cases[] = {
        {"S3", Suspend, 0, 1, 0, 1, 1, 2, kDlg, kSuspend},
        {"S1 forced", Suspend_Force, 1, 0, 0, 1, 1, 2, kDlg, kSuspend},
        {"S3 and AoAc", Suspend, 0, 1, 1, 1, 1, 2, kDlg, kSuspend},
        {"AoAc only", Suspend, 0, 0, 1, 1, 1, 2, kDlg, kOwnWindow},
        {"AoAc only forced, no window", Suspend_Force, 0, 0, 1, 0, 0, 0, nullptr, kBroadcast},
        {"neither", Suspend, 0, 0, 0, 1, 1, 2, kDlg, kNoSleep},
        {"full file", Hibernate, 0, 0, 1, 1, 1, 2, kDlg, kSuspend},
        {"untyped file", Hibernate_Force, 0, 1, 0, 1, 1, 0, kDlg, kSuspend},
        {"reduced file", Hibernate, 0, 1, 0, 1, 1, 1, kDlg, kNoHibernation},
        {"reduced file forced", Hibernate_Force, 0, 0, 1, 1, 1, 1, kDlg, kNoHibernation},
        {"no file", Hibernate, 0, 1, 0, 1, 0, 0, kDlg, kNoHibernation},
        {"no S4", Hibernate_Force, 0, 1, 0, 0, 1, 2, kDlg, kNoHibernation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        m_fake.caps = {};
        m_fake.caps.SystemS1 = c.s1;
        m_fake.caps.SystemS3 = c.s3;
        m_fake.caps.spare2[2] = c.aoac;
        m_fake.caps.SystemS4 = c.s4;
        m_fake.caps.HiberFilePresent = c.file;
        m_fake.caps.spare3[0] = c.fileType;
        m_fake.active = c.active;
        c.fn();
        std::string result = m_fake.calls.back();
        if (!m_fake.monitorOff.empty())
            result = m_fake.monitorOff.back();
        if (!m_fake.boxes.empty())
            result = m_fake.boxes.back().text;
        EXPECT_EQ(c.result, result);
        if (c.result == kSuspend) {
            // The machine is asked first, and the force argument never passed on.
            std::vector<std::string> expected = kPrivilegeCalls;
            expected.insert(expected.end(), {"GetPwrCapabilities", kSuspend});
            EXPECT_EQ(expected, m_fake.calls);
            int hibernate = c.fn == Hibernate || c.fn == Hibernate_Force;
            EXPECT_EQ((std::vector<int>{hibernate, 0, 0}), m_fake.suspendArgs);
        }
        size_t actions = m_fake.boxes.size() + m_fake.monitorOff.size() +
                         std::count(m_fake.calls.begin(), m_fake.calls.end(), kSuspend);
        EXPECT_EQ(1u, actions);
    }
}

TEST_F(PowerLibTest, AFailingActionShowsTheSystemsText)
{
    for (const SessionEntry& e : kSessionEntries) {
        SCOPED_TRACE(e.entry.name);
        Reset();
        m_fake.exitOk = FALSE;
        m_fake.exitError = ERROR_SHUTDOWN_IN_PROGRESS;
        e.entry.fn();
        ExpectOneMessageLast(e.entry.name);
        EXPECT_NE(std::string::npos, m_fake.boxes[0].text.find("<system text 1115>"));
        EXPECT_EQ(1, std::count(m_fake.calls.begin(), m_fake.calls.end(), "ExitWindowsEx"));
    }
}

// One box, last, with the caption of the action and the whole text, owned by
// the caller's active window; the token, once opened, is closed again.
TEST_F(PowerLibTest, AFailureIsReportedInOneBoxOwnedByTheActiveWindow)
{
    auto calls = [](std::vector<std::string> more) {
        more.insert(more.begin(), kPrivilegeCalls.begin(), kPrivilegeCalls.end());
        more.push_back("MessageBoxA");
        return more;
    };
    struct Case {
        const char* name;
        void (*stage)(Fake&);
        void (*fn)();
        const char* caption;
        std::string text;
        std::vector<std::string> calls;
        HWND active = nullptr;
        const char* language = "en";  // as the program chose it
    };
    const std::string kNoHibernation = "Hibernation is turned off on this computer.";
    const Case cases[] = {
        {"token not opened", [](Fake& f) { f.openOk = FALSE; }, Shutdown_Force, "Shut Down",
         "The computer could not be shut down.\n\n<system text 5>", {"OpenProcessToken", "MessageBoxA"}},
        {"lookup failed", [](Fake& f) { f.lookupOk = FALSE; }, Reboot_Force, "Reboot",
         "The computer could not be restarted.\n\n<system text 1313>",
         {"OpenProcessToken", "LookupPrivilegeValueA", "CloseHandle", "MessageBoxA"}},
        {"hibernation failed", [](Fake& f) { f.suspendOk = FALSE, f.suspendError = ERROR_NOT_SUPPORTED; },
         Hibernate_Force, "Hibernate", "The computer could not be hibernated.\n\n<system text 50>",
         calls({"GetPwrCapabilities", "SetSuspendState"})},
        // A failure without an error code is never called success.
        {"no error code", [](Fake& f) { f.exitOk = FALSE, f.exitError = ERROR_SUCCESS; }, Reboot, "Reboot",
         "The computer could not be restarted.\n\nWindows gave no reason.", calls({"ExitWindowsEx"})},
        {"no system text", [](Fake& f) { f.exitOk = FALSE, f.exitError = 1115, f.formatOk = FALSE; }, Reboot,
         "Reboot", "The computer could not be restarted.\n\nError 1115.", calls({"ExitWindowsEx"})},
        {"active window", [](Fake& f) { f.caps.HiberFilePresent = FALSE; }, Hibernate, "Hibernate", kNoHibernation,
         calls({"GetPwrCapabilities"}), reinterpret_cast<HWND>(0x1234)},
        // No active window: the box is modal to the whole task instead.
        {"no active window", [](Fake& f) { f.caps.HiberFilePresent = FALSE; }, Hibernate, "Hibernate",
         kNoHibernation, calls({"GetPwrCapabilities"})},
        // In the language the program chose for its thread.
        {"German", [](Fake& f) { f.exitOk = FALSE, f.exitError = 1115, f.formatOk = FALSE; }, Reboot, u8"Neu starten",
         u8"Der Computer konnte nicht neu gestartet werden.\n\nFehler 1115.", calls({"ExitWindowsEx"}), nullptr, "de"},
        {"Japanese", [](Fake& f) { f.caps.HiberFilePresent = FALSE; }, Hibernate, u8"休止状態",
         u8"このコンピューターでは休止状態が無効になっています。", calls({"GetPwrCapabilities"}), nullptr, "ja"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        c.stage(m_fake);
        m_fake.active = c.active;
        UseUiLanguage(c.language);
        c.fn();
        ExpectOneMessageLast(c.name);
        EXPECT_EQ(c.calls, m_fake.calls);
        EXPECT_EQ(c.text, m_fake.boxes[0].text);
        EXPECT_EQ(c.caption, m_fake.boxes[0].caption);
        EXPECT_EQ(c.active, m_fake.boxes[0].hOwner);
        EXPECT_EQ(Called("CloseHandle") ? kToken : nullptr, m_fake.closed);
    }
    UseUiLanguage("en");
}

} // namespace
