#include "AccessibleNames.h"

#include "AfxProc.h"

#include <oleacc.h>

namespace {

typedef HRESULT(WINAPI* PFN_COINITIALIZEEX)(LPVOID, DWORD);
typedef HRESULT(WINAPI* PFN_COCREATEINSTANCE)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
typedef void(WINAPI* PFN_COUNINITIALIZE)();

} // namespace

bool CAccessibleNames::Connect()
{
    if (m_pServices || m_bTried)
        return m_pServices != nullptr;
    m_bTried = true;
    // Neither is imported, for the same reason as with the taskbar list: they
    // would cost every start-up, also where no assistive technology ever asks.
    // System32 only. oleacc first, so that the class COM loads is that copy.
    if (!::LoadLibraryExA("oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return false;
    m_hOle = ::LoadLibraryExA("ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m_hOle)
        return false;
    auto pfnInit = AfxGetProc<PFN_COINITIALIZEEX>(m_hOle, "CoInitializeEx");
    auto pfnCreate = AfxGetProc<PFN_COCREATEINSTANCE>(m_hOle, "CoCreateInstance");
    if (!pfnInit || !pfnCreate)
        return false;
    // S_FALSE (already up on this thread) also counts and is balanced later.
    m_bComUp = SUCCEEDED(pfnInit(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_bComUp)
        return false;
    IAccPropServices* pServices = nullptr;
    if (FAILED(pfnCreate(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<LPVOID*>(&pServices))))
        return false;
    m_pServices = pServices;
    return m_pServices != nullptr;
}

HRESULT CAccessibleNames::SetName(HWND hCtl, LPCSTR pszName)
{
    if (!hCtl || !Connect())
        return E_FAIL;
    WCHAR wszName[256];
    if (!::MultiByteToWideChar(CP_ACP, 0, pszName, -1, wszName, ARRAYSIZE(wszName)))
        return E_INVALIDARG;
    HRESULT hr = m_pServices->SetHwndPropStr(hCtl, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                             PROPID_ACC_NAME, wszName);
    if (SUCCEEDED(hr)) {
        bool bKnown = false;
        for (int i = 0; i < m_nNamed; ++i)
            bKnown = bKnown || m_named[i] == hCtl;
        if (!bKnown && m_nNamed < static_cast<int>(ARRAYSIZE(m_named)))
            m_named[m_nNamed++] = hCtl;
    }
    return hr;
}

void CAccessibleNames::Release()
{
    if (m_pServices) {
        // Taken back while the controls still exist, so that nothing of ours
        // stays attached to windows that go.
        for (int i = 0; i < m_nNamed; ++i)
            m_pServices->ClearHwndProps(m_named[i], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                        &PROPID_ACC_NAME, 1);
        m_pServices->Release();
        m_pServices = nullptr;
    }
    m_nNamed = 0;
    if (m_bComUp) {
        if (auto pfnUninit = AfxGetProc<PFN_COUNINITIALIZE>(m_hOle, "CoUninitialize"))
            pfnUninit();
        m_bComUp = false;
    }
}
