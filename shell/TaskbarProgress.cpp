#include "TaskbarProgress.h"

#include "AfxProc.h"

namespace {

typedef HRESULT(WINAPI* PFN_COINITIALIZEEX)(LPVOID, DWORD);
typedef HRESULT(WINAPI* PFN_COCREATEINSTANCE)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
typedef void(WINAPI* PFN_COUNINITIALIZE)();

} // namespace

bool CTaskbarProgress::Connect(HWND hWnd)
{
    // The old interface belonged to the taskbar that went away.
    if (m_pList) {
        m_pList->Release();
        m_pList = nullptr;
    }
    // Not in the import table: ole32 and what it pulls in would cost every
    // start-up, also where no taskbar ever asks. System32 only, never the
    // program's or the current folder.
    if (!m_hOle)
        m_hOle = ::LoadLibraryExA("ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m_hOle)
        return false;
    auto pfnInit = AfxGetProc<PFN_COINITIALIZEEX>(m_hOle, "CoInitializeEx");
    auto pfnCreate = AfxGetProc<PFN_COCREATEINSTANCE>(m_hOle, "CoCreateInstance");
    if (!pfnInit || !pfnCreate)
        return false;
    // S_FALSE (already up on this thread) also counts and is balanced later.
    if (!m_bComUp)
        m_bComUp = SUCCEEDED(pfnInit(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_bComUp)
        return false;
    ITaskbarList3* pList = nullptr;
    if (FAILED(pfnCreate(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
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

void CTaskbarProgress::Disconnect()
{
    if (m_pList) {
        m_pList->Release();
        m_pList = nullptr;
    }
    if (m_bComUp) {
        if (auto pfnUninit = AfxGetProc<PFN_COUNINITIALIZE>(m_hOle, "CoUninitialize"))
            pfnUninit();
        m_bComUp = false;
    }
    // ole32 stays loaded: unloading it under COM's feet gains nothing.
}
