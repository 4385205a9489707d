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
};

// The calls the entries make; the real ones unless a test has replaced them.
extern PowerOs g_powerOs;

// The reason given with every ExitWindowsEx: planned, so that the event log
// does not record an unexpected shutdown.
constexpr DWORD kPlannedReason = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

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
