#include "TaskbarProgress.h"

#include "ComOs.h"

TaskbarProgressOs g_taskbarProgressOs = {
    ::GetSystemTimeAsFileTime,
    ::SystemTimeToTzSpecificLocalTime,
    ::GetTimeFormatEx,
};

bool CTaskbarProgress::Connect(HWND hWnd)
{
    // The old interface belonged to the taskbar that went away.
    if (m_pList) {
        m_pList->Release();
        m_pList = nullptr;
    }
    const ComOs& os = g_comOs;
    // S_FALSE (already up on this thread) also counts and is balanced later;
    // a failure (another apartment kind) must not be.
    if (!m_bComUp)
        m_bComUp = SUCCEEDED(os.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_bComUp)
        return false;
    ITaskbarList3* pList = nullptr;
    if (FAILED(os.CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                   reinterpret_cast<LPVOID*>(&pList))) ||
        !pList)
        return false;
    if (FAILED(pList->HrInit())) {
        pList->Release();
        return false;
    }
    m_pList = pList;
    m_hWnd = hWnd;
    return true;
}

void CTaskbarProgress::Show(TBPFLAG state, ULONGLONG nCompleted, ULONGLONG nTotal)
{
    if (!m_pList)
        return;
    m_pList->SetProgressState(m_hWnd, state);
    // In the error state a value keeps the red and sets how much of it shows.
    if (state == TBPF_NORMAL || state == TBPF_ERROR)
        m_pList->SetProgressValue(m_hWnd, nCompleted, nTotal);
}

void CTaskbarProgress::ShowTip(LPCWSTR pwszTip)
{
    if (m_pList)
        m_pList->SetThumbnailTooltip(m_hWnd, pwszTip);
}

void CTaskbarProgress::Disconnect()
{
    if (m_pList) {
        m_pList->Release();
        m_pList = nullptr;
    }
    if (m_bComUp) {
        g_comOs.CoUninitialize();
        m_bComUp = false;
    }
}
