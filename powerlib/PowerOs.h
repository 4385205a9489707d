#pragma once

#include <windows.h>
#include <powrprof.h>

// Every system call the library makes, in one table, so that a test in the
// same process can put recorders in place of the real calls (and never shut
// the machine down). Internal: nothing of it is exported from the DLL.
struct PowerOs {
    BOOL (WINAPI* OpenProcessToken)(HANDLE hProcess, DWORD dwAccess, PHANDLE phToken);
    BOOL (WINAPI* LookupPrivilegeValueA)(LPCSTR lpSystemName, LPCSTR lpName, PLUID pLuid);
    BOOL (WINAPI* AdjustTokenPrivileges)(HANDLE hToken, BOOL bDisableAll, PTOKEN_PRIVILEGES pNew,
                                         DWORD cbPrevious, PTOKEN_PRIVILEGES pPrevious, PDWORD pcbReturned);
    DWORD (WINAPI* GetLastError)();
    BOOL (WINAPI* CloseHandle)(HANDLE h);
    BOOL (WINAPI* ExitWindowsEx)(UINT uFlags, DWORD dwReason);
    BOOLEAN (WINAPI* GetPwrCapabilities)(PSYSTEM_POWER_CAPABILITIES pCaps);
    BOOLEAN (WINAPI* SetSuspendState)(BOOLEAN bHibernate, BOOLEAN bForce, BOOLEAN bWakeupEventsDisabled);
    HWND (WINAPI* GetActiveWindow)();
    int (WINAPI* MessageBoxA)(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
    DWORD (WINAPI* FormatMessageA)(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                                   LPSTR lpBuffer, DWORD nSize, va_list* pArguments);
    LRESULT (WINAPI* DefWindowProcA)(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    BOOL (WINAPI* PostMessageA)(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
};

// The calls the entries make; the real ones unless a test has replaced them.
extern PowerOs g_powerOs;

// The reason given with every ExitWindowsEx: planned, so that the event log
// does not record an unexpected shutdown.
constexpr DWORD kPlannedReason = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

// SYSTEM_POWER_CAPABILITIES fields that mingw-w64 still calls spare: AoAc is
// S0 low-power idle (Modern Standby), HiberFileType the kind of hibernation
// file on Windows 10 and later (0 before that).
inline BOOLEAN PowerCapsAoAc(const SYSTEM_POWER_CAPABILITIES& caps) { return caps.spare2[2]; }
inline BYTE PowerCapsHiberFileType(const SYSTEM_POWER_CAPABILITIES& caps) { return caps.spare3[0]; }
constexpr BYTE kHiberFileReduced = 1;  // Fast Startup only: hibernation fails
constexpr BYTE kHiberFileFull = 2;

// The ten exported entries, for a test that links the library's code.
extern "C" {
void Suspend();
void Suspend_Force();
void Hibernate();
void Hibernate_Force();
void Shutdown();
void Shutdown_Force();
void LogOff();
void LogOff_Force();
void Reboot();
void Reboot_Force();
}
