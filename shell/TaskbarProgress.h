#pragma once

#include <windows.h>

#include <shobjidl.h>

// The COM calls behind CTaskbarProgress, in one table so that a test can put
// recorders and a fake list in their place. The real ones forward to ole32,
// loaded from System32 at the first call; without it they fail.
struct TaskbarProgressOs {
    HRESULT (WINAPI* CoInitializeEx)(LPVOID pvReserved, DWORD dwCoInit);
    HRESULT (WINAPI* CoCreateInstance)(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                       LPVOID* ppv);
    void (WINAPI* CoUninitialize)();
};

// The real calls unless a test has replaced them.
extern TaskbarProgressOs g_taskbarProgressOs;

// The progress bar on the window's taskbar button (ITaskbarList3, Windows 7
// and later). Only a view of the countdown: before Connect has succeeded, and
// after any failure, Show does nothing and nothing is reported.
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
    // Lets the interface go, and COM if Connect brought it up.
    void Disconnect();

private:
    HWND m_hWnd = nullptr;
    ITaskbarList3* m_pList = nullptr;
    bool m_bComUp = false;
};
