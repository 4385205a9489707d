#pragma once

#include <windows.h>

#include <wtypes.h>

struct IRawElementProviderSimple;

// The window calls behind CLastMinute, in one table so that a test can put
// recorders in their place. UI Automation's two calls are looked up by name
// in UIAutomationCore.dll, loaded from System32 at the first announcement;
// null where it or the call is missing (the notification came with Windows 10
// version 1709).
struct LastMinuteOs {
    HWND (WINAPI* GetForegroundWindow)();
    BOOL (WINAPI* IsIconic)(HWND hWnd);
    BOOL (WINAPI* ShowWindow)(HWND hWnd, int nCmdShow);
    BOOL (WINAPI* SetWindowPos)(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
    BOOL (WINAPI* FlashWindowEx)(PFLASHWINFO pfwi);
    FARPROC (WINAPI* GetUiaProc)(LPCSTR pszName);
};

// UiaHostProviderFromHwnd and UiaRaiseNotificationEvent, as GetUiaProc gives them.
typedef HRESULT (WINAPI* UiaHostProviderFn)(HWND hWnd, IRawElementProviderSimple** ppProvider);
typedef HRESULT (WINAPI* UiaRaiseNotificationFn)(IRawElementProviderSimple* pProvider, int nKind, int nProcessing,
                                                 BSTR bstrText, BSTR bstrActivityId);

// The real calls unless a test has replaced them.
extern LastMinuteOs g_lastMinuteOs;

// The warning shortly before the action: once the time left has fallen to the
// lead time, the window comes up where it is seen, without taking the keyboard
// from whatever the user is doing, and a screen reader says so. Once per run.
class CLastMinute {
public:
    // At the start: steps of nPeriodMs, warned nLeadSeconds before the end
    // (0 or less: never).
    void Arm(UINT nPeriodMs, int nLeadSeconds);

    // With nStepsLeft steps to go: 0 when the warning is due now; the
    // milliseconds until it is due when that falls within the next step;
    // INFINITE otherwise (not yet, already given, or never).
    DWORD DueIn(int nStepsLeft) const;
    // The time left when the warning is due between two ticks.
    ULONGLONG LeadMs() const { return static_cast<ULONGLONG>(m_nLeadMs); }

    // Restores the window if minimised and keeps it above other windows, both
    // without activating it; unless it is the foreground window, its taskbar
    // button flashes until the user brings it forward. pwszSaid (if any) goes
    // to screen readers as a UI Automation notification, which they read out
    // wherever the focus is.
    void Surface(HWND hWnd, LPCWSTR pwszSaid);

private:
    UINT m_nPeriodMs = 0;
    LONGLONG m_nLeadMs = 0;
    bool m_bSurfaced = false;
};
