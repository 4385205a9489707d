#include "TaskbarProgress.h"

#include "AfxProc.h"

namespace {

// Not in the import table: ole32 and what it pulls in would cost every
// start-up, also where no taskbar ever asks. System32 only, never the
// program's or the current folder. It stays loaded: unloading it under COM's
// feet gains nothing.
HMODULE g_hOle = nullptr;

template <typename Fn>
Fn Ole32Entry(LPCSTR pszName)
{
    if (!g_hOle)
        g_hOle = ::LoadLibraryExA("ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return g_hOle ? AfxGetProc<Fn>(g_hOle, pszName) : nullptr;
}

HRESULT WINAPI OleCoInitializeEx(LPVOID pvReserved, DWORD dwCoInit)
{
    auto pfn = Ole32Entry<decltype(TaskbarProgressOs::CoInitializeEx)>("CoInitializeEx");
    return pfn ? pfn(pvReserved, dwCoInit) : E_NOTIMPL;
}

HRESULT WINAPI OleCoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    *ppv = nullptr;
    auto pfn = Ole32Entry<decltype(TaskbarProgressOs::CoCreateInstance)>("CoCreateInstance");
    return pfn ? pfn(rclsid, pUnkOuter, dwClsContext, riid, ppv) : E_NOTIMPL;
}

void WINAPI OleCoUninitialize()
{
    if (auto pfn = Ole32Entry<decltype(TaskbarProgressOs::CoUninitialize)>("CoUninitialize"))
        pfn();
}

} // namespace

TaskbarProgressOs g_taskbarProgressOs = {OleCoInitializeEx, OleCoCreateInstance, OleCoUninitialize};

bool CTaskbarProgress::Connect(HWND hWnd)
{
    // The old interface belonged to the taskbar that went away.
    if (m_pList) {
        m_pList->Release();
        m_pList = nullptr;
    }
    const TaskbarProgressOs& os = g_taskbarProgressOs;
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

void CTaskbarProgress::Disconnect()
{
    if (m_pList) {
        m_pList->Release();
        m_pList = nullptr;
    }
    if (m_bComUp) {
        g_taskbarProgressOs.CoUninitialize();
        m_bComUp = false;
    }
}
