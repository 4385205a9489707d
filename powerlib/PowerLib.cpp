#include "PowerOs.h"
#include "resource.h"

// Shutdown.dll: the ten power actions the programs call by name. The callers
// look at no result, so a failure is reported here, in a message box, and
// never passes for success.

PowerOs g_powerOs = {
    ::OpenProcessToken,
    ::LookupPrivilegeValueA,
    ::AdjustTokenPrivileges,
    ::GetLastError,
    ::CloseHandle,
    ::ExitWindowsEx,
    ::GetPwrCapabilities,
    ::SetSuspendState,
    ::GetActiveWindow,
    ::MessageBoxA,
    ::FormatMessageA,
    ::DefWindowProcA,
    ::PostMessageA,
};

namespace {

// What the user chose, as the box's caption, and what did not happen.
struct Action {
    UINT nCaptionID;
    UINT nFailedID;
};

const Action kSuspend = {IDS_SUSPEND, IDS_SUSPEND_FAILED};
const Action kHibernate = {IDS_HIBERNATE, IDS_HIBERNATE_FAILED};
const Action kShutdown = {IDS_SHUTDOWN, IDS_SHUTDOWN_FAILED};
const Action kLogOff = {IDS_LOGOFF, IDS_LOGOFF_FAILED};
const Action kReboot = {IDS_REBOOT, IDS_REBOOT_FAILED};

// One of our texts, in the language of the calling thread: the program that
// loaded us has chosen it before its window opened.
void LoadText(UINT nID, LPSTR pszText, int cchText)
{
    HMODULE hThis = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&LoadText), &hThis);
    if (::LoadStringA(hThis, nID, pszText, cchText) <= 0)
        pszText[0] = '\0';
}

constexpr LPARAM kMonitorOff = 2;  // SC_MONITORPOWER: the display is being shut off

void ShowMessage(const Action& action, LPCSTR pszText)
{
    char szCaption[128];
    LoadText(action.nCaptionID, szCaption, sizeof szCaption);
    // Owned by the caller's active window (its countdown dialog), so the box
    // is modal to it; without one, to the whole task. The countdown ends while
    // the user is elsewhere or away: a box behind other windows would only
    // flash a taskbar button, so it comes to the front and stays on top.
    HWND hOwner = g_powerOs.GetActiveWindow();
    UINT uType = MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST | (hOwner ? 0 : MB_TASKMODAL);
    g_powerOs.MessageBoxA(hOwner, pszText, szCaption, uType);
}

void ShowMessage(const Action& action, UINT nTextID)
{
    char szText[512];
    LoadText(nTextID, szText, sizeof szText);
    ShowMessage(action, szText);
}

// The failure in the system's own words under one line of ours.
void ReportError(const Action& action, DWORD dwError)
{
    char szSystem[512];
    if (dwError == ERROR_SUCCESS) {
        // A failed call that left no error: "completed successfully" would mislead.
        LoadText(IDS_NO_REASON, szSystem, sizeof szSystem);
    } else if (dwError == ERROR_NOT_ALL_ASSIGNED || dwError == ERROR_PRIVILEGE_NOT_HELD) {
        // Policy took the shutdown right away; the system's text ("Not all
        // privileges or groups referenced...") tells a user nothing.
        LoadText(IDS_NOT_ALLOWED, szSystem, sizeof szSystem);
    } else if (!g_powerOs.FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                         dwError, 0, szSystem, sizeof szSystem, nullptr)) {
        char szFormat[128];
        LoadText(IDS_ERROR_NUMBER, szFormat, sizeof szFormat);
        ::wsprintfA(szSystem, szFormat, dwError);  // one %lu in every language
    }
    char szFailed[512];
    LoadText(action.nFailedID, szFailed, sizeof szFailed);
    char szText[1024];  // wsprintf writes at most 1024 bytes
    ::wsprintfA(szText, "%s\n\n%s", szFailed, szSystem);
    ShowMessage(action, szText);
}

// Enables the shutdown privilege in the process token. AdjustTokenPrivileges
// says TRUE even when it granted nothing; only the last error tells.
bool EnableShutdownPrivilege(DWORD* pdwError)
{
    HANDLE hToken;
    if (!g_powerOs.OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken)) {
        *pdwError = g_powerOs.GetLastError();
        return false;
    }
    TOKEN_PRIVILEGES tp;
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool bOk = false;
    if (!g_powerOs.LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid)) {
        *pdwError = g_powerOs.GetLastError();
    } else {
        BOOL bAdjusted = g_powerOs.AdjustTokenPrivileges(hToken, FALSE, &tp, 0, nullptr, nullptr);
        *pdwError = g_powerOs.GetLastError();
        bOk = bAdjusted && *pdwError != ERROR_NOT_ALL_ASSIGNED;
    }
    g_powerOs.CloseHandle(hToken);
    return bOk;
}

void EndSession(const Action& action, UINT uFlags)
{
    DWORD dwError;
    // Logging off needs no privilege (EWX_LOGOFF is 0): a user who may not
    // shut down can still log off, so only the other actions stop here.
    if (!EnableShutdownPrivilege(&dwError) && (uFlags & ~(EWX_FORCE | EWX_FORCEIFHUNG)) != EWX_LOGOFF) {
        ReportError(action, dwError);
        return;
    }
    if (!g_powerOs.ExitWindowsEx(uFlags, kPlannedReason))
        ReportError(action, g_powerOs.GetLastError());
}

// Modern Standby as the Start menu's Sleep enters it: the display goes off and
// the console follows into standby. DefWindowProc of our own window does it in
// this thread; never a broadcast SendMessage, which waits on every hung window.
// With no active window of ours, a posted broadcast blocks nobody either.
void EnterModernStandby()
{
    if (HWND hWnd = g_powerOs.GetActiveWindow())
        g_powerOs.DefWindowProcA(hWnd, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
    else
        g_powerOs.PostMessageA(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
}

// Sleep or hibernation, once the machine says it can. The force argument of
// SetSuspendState has no effect on current Windows, so there is no forced form.
void SuspendOrHibernate(const Action& action, bool bHibernate)
{
    DWORD dwError;
    if (!EnableShutdownPrivilege(&dwError)) {
        ReportError(action, dwError);
        return;
    }
    SYSTEM_POWER_CAPABILITIES caps;
    if (!g_powerOs.GetPwrCapabilities(&caps)) {
        ReportError(action, g_powerOs.GetLastError());
        return;
    }
    if (bHibernate) {
        // A reduced file serves Fast Startup only; hibernating with it fails.
        if (!caps.SystemS4 || !caps.HiberFilePresent || PowerCapsHiberFileType(caps) == kHiberFileReduced) {
            ShowMessage(action, IDS_NO_HIBERNATION);
            return;
        }
    } else if (!caps.SystemS1 && !caps.SystemS2 && !caps.SystemS3) {
        // On an S0 low-power idle machine SetSuspendState hibernates, or does
        // nothing and says it worked.
        if (PowerCapsAoAc(caps))
            EnterModernStandby();
        else
            ShowMessage(action, IDS_CANNOT_SLEEP);
        return;
    }
    if (!g_powerOs.SetSuspendState(bHibernate, FALSE, FALSE))
        ReportError(action, g_powerOs.GetLastError());
}

} // namespace

extern "C" {

void Suspend() { SuspendOrHibernate(kSuspend, false); }
void Suspend_Force() { SuspendOrHibernate(kSuspend, false); }
void Hibernate() { SuspendOrHibernate(kHibernate, true); }
void Hibernate_Force() { SuspendOrHibernate(kHibernate, true); }
// EWX_SHUTDOWN alone leaves the machine on at "safe to turn off". The plain
// entries still let a program ask to save its work, but one that hangs is
// closed: our window is gone by then, and nobody would see the session stuck.
void Shutdown() { EndSession(kShutdown, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG); }
void Shutdown_Force() { EndSession(kShutdown, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE); }
void LogOff() { EndSession(kLogOff, EWX_LOGOFF | EWX_FORCEIFHUNG); }
void LogOff_Force() { EndSession(kLogOff, EWX_LOGOFF | EWX_FORCE); }
void Reboot() { EndSession(kReboot, EWX_REBOOT | EWX_FORCEIFHUNG); }
void Reboot_Force() { EndSession(kReboot, EWX_REBOOT | EWX_FORCE); }

}
