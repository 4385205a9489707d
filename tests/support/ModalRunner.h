#pragma once

#include "Platform.h"
#include "afxwin.h"

#include <functional>

// Ends a modal dialog still running when the limit has passed, with -2, after
// answering every other box of this thread with Cancel: a broken test then
// fails instead of hanging. It ticks in whichever loop of the thread runs.
class ModalWatchdog {
public:
    explicit ModalWatchdog(CDialog& dlg, UINT limitMs = kWaitLimitMs);
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

    bool Fired() const { return m_bFired; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR idEvent, DWORD);

    CDialog& m_dlg;
    UINT_PTR m_idTimer;
    bool m_bFired = false;
};

// Runs the dialog modally under a watchdog; once its loop runs, `during` gets
// the window and is expected to end it (a click on "Cancel", say).
INT_PTR RunModal(CDialog& dlg, std::function<void(HWND)> during, UINT limitMs = kWaitLimitMs);
