#include "AccessibleNames.h"

#include "ComOs.h"

#include <oleacc.h>

bool CAccessibleNames::Connect()
{
    if (m_pServices || m_bTried)
        return m_pServices != nullptr;
    m_bTried = true;
    // Not imported, for the same reason as ole32 (ComOs.h). System32 only, and
    // before COM asks for it, so that the class COM loads is that copy.
    if (!::LoadLibraryExA("oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return false;
    const ComOs& os = g_comOs;
    // S_FALSE (already up on this thread) also counts and is balanced later;
    // a failure (another apartment kind) must not be.
    m_bComUp = SUCCEEDED(os.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_bComUp)
        return false;
    IAccPropServices* pServices = nullptr;
    if (FAILED(os.CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
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
        g_comOs.CoUninitialize();
        m_bComUp = false;
    }
}
