#pragma once

#include <windows.h>

struct IAccPropServices;

// Names for controls that have no label a screen reader can find, given
// through Microsoft's dynamic annotation (IAccPropServices::SetHwndPropStr,
// PROPID_ACC_NAME on the control's client object; UI Automation reads it
// through its MSAA proxy). oleacc and COM come up at the first name, never at
// start-up. After any failure the controls keep the names the system gives.
class CAccessibleNames {
public:
    CAccessibleNames() = default;
    ~CAccessibleNames() { Release(); }
    CAccessibleNames(const CAccessibleNames&) = delete;
    CAccessibleNames& operator=(const CAccessibleNames&) = delete;

    // S_OK when the name is set; the annotation's own error otherwise.
    HRESULT SetName(HWND hCtl, LPCSTR pszName);
    // Takes the names back while the controls still exist, then lets go of
    // the interface and of COM.
    void Release();

private:
    bool Connect();

    IAccPropServices* m_pServices = nullptr;
    bool m_bComUp = false;
    bool m_bTried = false;  // one attempt to connect, however it went
    HWND m_named[4] = {};
    int m_nNamed = 0;
};
