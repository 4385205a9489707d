#pragma once

#include <windows.h>

#include <shobjidl.h>

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
