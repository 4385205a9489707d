#pragma once

#include <windows.h>

// The window calls behind CLastMinute, in one table so that a test can put
// recorders in their place.
struct LastMinuteOs {
    HWND (WINAPI* GetForegroundWindow)();
    BOOL (WINAPI* IsIconic)(HWND hWnd);
    BOOL (WINAPI* ShowWindow)(HWND hWnd, int nCmdShow);
    BOOL (WINAPI* SetWindowPos)(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
    BOOL (WINAPI* FlashWindowEx)(PFLASHWINFO pfwi);
};

// The real calls unless a test has replaced them.
extern LastMinuteOs g_lastMinuteOs;

// The warning shortly before the action: once the time left has fallen to the
// lead time, the window comes up where it is seen, without taking the keyboard
// from whatever the user is doing. Once per run.
class CLastMinute {
public:
    // At the start: steps of nPeriodMs, warned nLeadSeconds before the end
    // (0 or less: never).
    void Arm(UINT nPeriodMs, int nLeadSeconds);

    // With nStepsLeft steps to go: 0 when the warning is due now; the
    // milliseconds until it is due when that falls within the next step;
    // INFINITE otherwise (not yet, already given, or never).
    DWORD DueIn(int nStepsLeft) const;

    // Restores the window if minimised and keeps it above other windows, both
    // without activating it; unless it is the foreground window, its taskbar
    // button flashes until the user brings it forward.
    void Surface(HWND hWnd);

private:
    UINT m_nPeriodMs = 0;
    LONGLONG m_nLeadMs = 0;
    bool m_bSurfaced = false;
};
