#pragma once

#include <windows.h>

#include <shobjidl.h>

// The clock calls behind the end's clock time on the taskbar, in one table so
// that a test can set the time and the format.
struct TaskbarProgressOs {
    void (WINAPI* GetSystemTimeAsFileTime)(LPFILETIME pft);
    BOOL (WINAPI* SystemTimeToTzSpecificLocalTime)(const TIME_ZONE_INFORMATION* pZone, const SYSTEMTIME* pUniversal,
                                                   LPSYSTEMTIME pLocal);
    int (WINAPI* GetTimeFormatEx)(LPCWSTR pszLocale, DWORD dwFlags, const SYSTEMTIME* pTime, LPCWSTR pszFormat,
                                  LPWSTR pszTime, int cch);
};

// The real calls unless a test has replaced them.
extern TaskbarProgressOs g_taskbarProgressOs;

// The progress bar on the window's taskbar button (ITaskbarList3, Windows 7
// and later), and the tooltip of its thumbnail. Only a view of the countdown:
// before Connect has succeeded, and after any failure, Show does nothing and
// nothing is reported.
class CTaskbarProgress {
public:
    CTaskbarProgress() = default;
    ~CTaskbarProgress() { Disconnect(); }
    CTaskbarProgress(const CTaskbarProgress&) = delete;
    CTaskbarProgress& operator=(const CTaskbarProgress&) = delete;

    // When the taskbar has made the window's button (again, after Explorer
    // restarts): a fresh interface for it. COM comes up here, not at start-up.
    bool Connect(HWND hWnd);
    // The state; for TBPF_NORMAL and TBPF_ERROR also how much of the bar is filled.
    void Show(TBPFLAG state, ULONGLONG nCompleted, ULONGLONG nTotal);
    // The thumbnail's tooltip; null gives it back to the window's title.
    void ShowTip(LPCWSTR pwszTip);
    // Lets the interface go, and COM if Connect brought it up.
    void Disconnect();

private:
    HWND m_hWnd = nullptr;
    ITaskbarList3* m_pList = nullptr;
    bool m_bComUp = false;
};
