#include "LastMinute.h"

#include <uiautomationcore.h>

namespace {

// An entry of a DLL from System32 only, never the program's or the current
// folder. It stays loaded.
FARPROC SystemProc(LPCSTR pszDll, LPCSTR pszName)
{
    HMODULE hDll = ::LoadLibraryExA(pszDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return hDll ? ::GetProcAddress(hDll, pszName) : nullptr;
}

FARPROC WINAPI UiaProc(LPCSTR pszName)
{
    return SystemProc("UIAutomationCore.dll", pszName);
}

template <typename Fn>
Fn ProcAs(FARPROC pfn)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(pfn));
}

// uiautomationcore.h of mingw-w64 lacks the notification's values.
constexpr int kNotificationKindOther = 4;               // NotificationKind_Other
constexpr int kNotificationProcessingImportantAll = 0;  // NotificationProcessing_ImportantAll

// Raised on the window's host provider. The texts go as BSTRs, which only
// oleaut32 makes (UIAutomationCore has it loaded already).
void Say(HWND hWnd, LPCWSTR pwszSaid)
{
    const LastMinuteOs& os = g_lastMinuteOs;
    auto pfnHost = ProcAs<UiaHostProviderFn>(os.GetUiaProc("UiaHostProviderFromHwnd"));
    auto pfnRaise = ProcAs<UiaRaiseNotificationFn>(os.GetUiaProc("UiaRaiseNotificationEvent"));
    auto pfnAlloc = ProcAs<BSTR(WINAPI*)(LPCWSTR)>(SystemProc("oleaut32.dll", "SysAllocString"));
    auto pfnFree = ProcAs<void(WINAPI*)(BSTR)>(SystemProc("oleaut32.dll", "SysFreeString"));
    IRawElementProviderSimple* pProvider = nullptr;
    if (!pfnHost || !pfnRaise || !pfnAlloc || !pfnFree || FAILED(pfnHost(hWnd, &pProvider)) || !pProvider)
        return;
    BSTR bstrText = pfnAlloc(pwszSaid), bstrId = pfnAlloc(L"Vespiro.LastMinute");
    if (bstrText && bstrId)
        pfnRaise(pProvider, kNotificationKindOther, kNotificationProcessingImportantAll, bstrText, bstrId);
    pfnFree(bstrText);
    pfnFree(bstrId);
    pProvider->Release();
}

} // namespace

LastMinuteOs g_lastMinuteOs = {
    ::GetForegroundWindow, ::IsIconic, ::ShowWindow, ::SetWindowPos, ::FlashWindowEx, UiaProc,
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

void CLastMinute::Surface(HWND hWnd, LPCWSTR pwszSaid)
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
    if (pwszSaid)
        Say(hWnd, pwszSaid);
}
