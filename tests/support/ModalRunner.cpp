#include "ModalRunner.h"

#include "Boxes.h"

#include <map>
#include <utility>

namespace {

std::map<UINT_PTR, ModalWatchdog*> g_watchdogs;  // by thread timer
std::function<void(HWND)> g_during;
CDialog* g_pRunning = nullptr;

void CALLBACK RunDuring(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    auto during = std::move(g_during);
    g_during = nullptr;
    if (during && g_pRunning)
        during(g_pRunning->GetSafeHwnd());
}

} // namespace

ModalWatchdog::ModalWatchdog(CDialog& dlg, UINT limitMs)
    : m_dlg(dlg), m_idTimer(::SetTimer(nullptr, 0, limitMs, OnTimer))
{
    g_watchdogs[m_idTimer] = this;
}

ModalWatchdog::~ModalWatchdog()
{
    ::KillTimer(nullptr, m_idTimer);
    g_watchdogs.erase(m_idTimer);
}

void CALLBACK ModalWatchdog::OnTimer(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    auto it = g_watchdogs.find(idEvent);
    if (it == g_watchdogs.end())
        return;
    ModalWatchdog& self = *it->second;
    self.m_bFired = true;
    for (HWND hBox : ThreadBoxes(self.m_dlg.GetSafeHwnd()))
        PostButton(hBox, IDCANCEL);
    self.m_dlg.EndDialog(-2);
}

INT_PTR RunModal(CDialog& dlg, std::function<void(HWND)> during, UINT limitMs)
{
    g_pRunning = &dlg;
    g_during = std::move(during);
    // A thread timer: it ticks in the dialog's own loop, once it runs.
    UINT_PTR idDuring = ::SetTimer(nullptr, 0, 50, RunDuring);
    ModalWatchdog watchdog(dlg, limitMs);
    INT_PTR result = dlg.DoModal();
    ::KillTimer(nullptr, idDuring);
    g_pRunning = nullptr;
    g_during = nullptr;
    return result;
}
