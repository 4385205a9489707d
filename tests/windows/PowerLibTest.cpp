#include "PowerOs.h"

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

    BOOL formatOk = TRUE;
    HWND active = nullptr;
    std::vector<std::string> boxes;
    std::string caption;
    HWND boxOwner = nullptr;
    UINT boxType = 0;
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
    g_fake->lastError = 0;
    return TRUE;
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
    g_fake->boxes.push_back(text);
    g_fake->caption = caption ? caption : "";
    g_fake->boxOwner = owner;
    g_fake->boxType = type;
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

const PowerOs kFakeOs = {
    FakeOpenProcessToken, FakeLookupPrivilegeValueA, FakeAdjustTokenPrivileges, FakeGetLastError,
    FakeCloseHandle,      FakeExitWindowsEx,         FakeGetPwrCapabilities,    FakeSetSuspendState,
    FakeGetActiveWindow,  FakeMessageBoxA,           FakeFormatMessageA,
};

struct Entry {
    const char* name;
    void (*fn)();
};

// The entries that end the session, with the flags each must pass.
struct SessionEntry {
    Entry entry;
    UINT flags;
};
const SessionEntry kSessionEntries[] = {
    {{"Shutdown", Shutdown}, EWX_SHUTDOWN | EWX_POWEROFF},
    {{"Shutdown_Force", Shutdown_Force}, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE},
    {{"LogOff", LogOff}, EWX_LOGOFF},
    {{"LogOff_Force", LogOff_Force}, EWX_LOGOFF | EWX_FORCE},
    {{"Reboot", Reboot}, EWX_REBOOT},
    {{"Reboot_Force", Reboot_Force}, EWX_REBOOT | EWX_FORCE},
};
const Entry kSleepEntries[] = {{"Suspend", Suspend}, {"Suspend_Force", Suspend_Force}};
const Entry kHibernateEntries[] = {{"Hibernate", Hibernate}, {"Hibernate_Force", Hibernate_Force}};
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
        EXPECT_TRUE(m_fake.boxType & MB_ICONERROR);
    }
    bool Called(const char* call) const
    {
        for (const std::string& c : m_fake.calls)
            if (c == call)
                return true;
        return false;
    }

    Fake m_fake;
    PowerOs m_saved = {};
};

TEST_F(PowerLibTest, SessionEntriesPassTheirFlagsAndAPlannedReason)
{
    const DWORD planned = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    for (const SessionEntry& e : kSessionEntries) {
        SCOPED_TRACE(e.entry.name);
        Reset();
        e.entry.fn();
        std::vector<std::string> expected = kPrivilegeCalls;
        expected.push_back("ExitWindowsEx");
        EXPECT_EQ(expected, m_fake.calls);
        EXPECT_EQ(e.flags, m_fake.exitFlags);
        EXPECT_EQ(planned, m_fake.exitReason);
        EXPECT_NE(0u, m_fake.exitReason & SHTDN_REASON_FLAG_PLANNED);
        EXPECT_TRUE(m_fake.boxes.empty());
    }
}

TEST_F(PowerLibTest, SleepAndHibernationAskTheMachineFirstAndIgnoreForce)
{
    struct Case {
        Entry entry;
        int hibernate;
    };
    const Case cases[] = {{kSleepEntries[0], 0}, {kSleepEntries[1], 0}, {kHibernateEntries[0], 1},
                          {kHibernateEntries[1], 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.name);
        Reset();
        c.entry.fn();
        std::vector<std::string> expected = kPrivilegeCalls;
        expected.push_back("GetPwrCapabilities");
        expected.push_back("SetSuspendState");
        EXPECT_EQ(expected, m_fake.calls);
        EXPECT_EQ((std::vector<int>{c.hibernate, 0, 0}), m_fake.suspendArgs);
        EXPECT_TRUE(m_fake.boxes.empty());
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
    struct Refusal {
        const char* name;
        BOOL ok;
        DWORD error;
    };
    const Refusal refusals[] = {{"failed", FALSE, ERROR_ACCESS_DENIED}, {"not all assigned", TRUE, ERROR_NOT_ALL_ASSIGNED}};
    for (const Refusal& r : refusals) {
        for (const Entry& e : kPrivilegedEntries) {
            SCOPED_TRACE(std::string(e.name) + ", " + r.name);
            Reset();
            m_fake.adjustOk = r.ok;
            m_fake.adjustError = r.error;
            e.fn();
            ExpectOneMessageLast(e.name);
            EXPECT_NE(std::string::npos, m_fake.boxes[0].find("<system text " + std::to_string(r.error) + ">"));
            EXPECT_FALSE(Called("ExitWindowsEx"));
            EXPECT_FALSE(Called("SetSuspendState"));
            EXPECT_FALSE(Called("GetPwrCapabilities"));
            EXPECT_EQ(kToken, m_fake.closed);
        }
    }
}

TEST_F(PowerLibTest, AnUnopenableTokenIsReportedAndNotClosed)
{
    m_fake.openOk = FALSE;
    Shutdown_Force();
    ExpectOneMessageLast("Shutdown_Force");
    EXPECT_EQ((std::vector<std::string>{"OpenProcessToken", "MessageBoxA"}), m_fake.calls);
    EXPECT_NE(std::string::npos, m_fake.boxes[0].find("could not be shut down"));
}

TEST_F(PowerLibTest, LogOffNeedsNoShutdownPrivilege)
{
    for (const SessionEntry& e : kSessionEntries) {
        if (e.flags & (EWX_SHUTDOWN | EWX_REBOOT))
            continue;
        SCOPED_TRACE(e.entry.name);
        Reset();
        m_fake.adjustError = ERROR_NOT_ALL_ASSIGNED;
        e.entry.fn();
        EXPECT_TRUE(Called("ExitWindowsEx"));
        EXPECT_EQ(e.flags, m_fake.exitFlags);
        EXPECT_TRUE(m_fake.boxes.empty());
    }
}

TEST_F(PowerLibTest, HibernationTurnedOffIsSaidPlainly)
{
    // Both are needed: the S4 state and the hibernation file.
    for (int missing = 0; missing < 2; ++missing) {
        for (const Entry& e : kHibernateEntries) {
            SCOPED_TRACE(e.name);
            Reset();
            (missing == 0 ? m_fake.caps.SystemS4 : m_fake.caps.HiberFilePresent) = FALSE;
            e.fn();
            ExpectOneMessageLast(e.name);
            EXPECT_EQ("Hibernation is turned off on this computer.", m_fake.boxes[0]);
            EXPECT_FALSE(Called("SetSuspendState"));
        }
    }
}

TEST_F(PowerLibTest, AComputerThatCannotSleepIsSaidPlainly)
{
    for (const Entry& e : kSleepEntries) {
        SCOPED_TRACE(e.name);
        Reset();
        m_fake.caps = {};
        m_fake.caps.SystemS4 = TRUE;
        m_fake.caps.HiberFilePresent = TRUE;
        e.fn();
        ExpectOneMessageLast(e.name);
        EXPECT_EQ("This computer cannot sleep.", m_fake.boxes[0]);
        EXPECT_FALSE(Called("SetSuspendState"));
    }
}

TEST_F(PowerLibTest, AnySleepStateOrModernStandbyWillDo)
{
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        Reset();
        m_fake.caps = {};
        BOOLEAN* flags[] = {&m_fake.caps.SystemS1, &m_fake.caps.SystemS2, &m_fake.caps.SystemS3,
                            &m_fake.caps.spare2[2] /* AoAc */};
        *flags[state] = TRUE;
        Suspend();
        EXPECT_TRUE(Called("SetSuspendState"));
        EXPECT_TRUE(m_fake.boxes.empty());
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
        EXPECT_NE(std::string::npos, m_fake.boxes[0].find("<system text 1115>"));
        EXPECT_EQ(1, std::count(m_fake.calls.begin(), m_fake.calls.end(), "ExitWindowsEx"));
    }
    Reset();
    m_fake.suspendOk = FALSE;
    m_fake.suspendError = ERROR_NOT_SUPPORTED;
    Hibernate_Force();
    ExpectOneMessageLast("Hibernate_Force");
    EXPECT_EQ("The computer could not be hibernated.\n\n<system text 50>", m_fake.boxes[0]);
}

TEST_F(PowerLibTest, AFailureWithoutAnErrorCodeIsNeverCalledSuccess)
{
    m_fake.exitOk = FALSE;
    m_fake.exitError = ERROR_SUCCESS;
    Reboot();
    ExpectOneMessageLast("Reboot");
    EXPECT_EQ("The computer could not be restarted.\n\nWindows gave no reason.", m_fake.boxes[0]);

    Reset();
    m_fake.exitOk = FALSE;
    m_fake.exitError = 1115;
    m_fake.formatOk = FALSE;
    Reboot();
    ExpectOneMessageLast("Reboot");
    EXPECT_EQ("The computer could not be restarted.\n\nError 1115.", m_fake.boxes[0]);
}

TEST_F(PowerLibTest, TheBoxBelongsToTheCallersActiveWindow)
{
    m_fake.caps.HiberFilePresent = FALSE;
    m_fake.active = reinterpret_cast<HWND>(0x1234);
    Hibernate();
    EXPECT_EQ(m_fake.active, m_fake.boxOwner);
    EXPECT_EQ("Hibernate", m_fake.caption);
    EXPECT_FALSE(m_fake.boxType & MB_TASKMODAL);

    // No active window: the box is modal to the whole task instead.
    Reset();
    m_fake.caps.HiberFilePresent = FALSE;
    Hibernate();
    EXPECT_EQ(nullptr, m_fake.boxOwner);
    EXPECT_TRUE(m_fake.boxType & MB_TASKMODAL);
}

} // namespace
