#include "LastMinute.h"

LastMinuteOs g_lastMinuteOs = {
    ::GetForegroundWindow, ::IsIconic, ::ShowWindow, ::SetWindowPos, ::FlashWindowEx,
};

void CLastMinute::Arm(UINT nPeriodMs, int nLeadSeconds)
{
    m_nPeriodMs = nPeriodMs;
    m_nLeadMs = nLeadSeconds > 0 ? static_cast<LONGLONG>(nLeadSeconds) * 1000 : 0;
}

DWORD CLastMinute::DueIn(int nStepsLeft) const
{
    // A count at 0 or below never reaches 0: no action, nothing to warn of.
    if (!m_nPeriodMs || m_nLeadMs <= 0 || m_bSurfaced || nStepsLeft <= 0)
        return INFINITE;
    LONGLONG nLeftMs = static_cast<LONGLONG>(nStepsLeft) * m_nPeriodMs;
    if (nLeftMs <= m_nLeadMs)
        return 0;
    // Minutes and hours: the moment falls between two ticks.
    if (nLeftMs - m_nPeriodMs < m_nLeadMs)
        return static_cast<DWORD>(nLeftMs - m_nLeadMs);
    return INFINITE;
}

void CLastMinute::Surface(HWND hWnd)
{
    const LastMinuteOs& os = g_lastMinuteOs;
    m_bSurfaced = true;
    if (os.IsIconic(hWnd))
        os.ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    // Topmost for the rest of the run, so that the next window the user opens
    // does not cover it again. Never SetForegroundWindow: the user may be typing.
    os.SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (os.GetForegroundWindow() != hWnd) {
        FLASHWINFO fi = {};
        fi.cbSize = sizeof fi;
        fi.hwnd = hWnd;
        fi.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
        os.FlashWindowEx(&fi);
    }
}
