#include "ModalRunner.h"

#include <utility>

namespace {

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

void CALLBACK GiveUp(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    if (g_pRunning)
        g_pRunning->EndDialog(-2);
}

} // namespace

INT_PTR RunModal(CDialog& dlg, std::function<void(HWND)> during, UINT giveUpMs)
{
    g_pRunning = &dlg;
    g_during = std::move(during);
    // Thread timers: they tick in the dialog's own loop, once it runs.
    UINT_PTR idDuring = ::SetTimer(nullptr, 0, 50, RunDuring);
    UINT_PTR idGiveUp = ::SetTimer(nullptr, 0, giveUpMs, GiveUp);
    INT_PTR result = dlg.DoModal();
    ::KillTimer(nullptr, idDuring);
    ::KillTimer(nullptr, idGiveUp);
    g_pRunning = nullptr;
    g_during = nullptr;
    return result;
}
