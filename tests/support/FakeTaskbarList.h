#pragma once

#include <windows.h>

#include <oleacc.h>
#include <shobjidl.h>
#include <uiautomationcore.h>

#include <set>
#include <string>
#include <vector>

// The COM servers the programs ask for, faked: each writes into a log what
// reaches it. Calls the programs never make fail.

// What both fakes share: IUnknown for the interfaces a fake answers to, one
// reference to begin with, and a line in the log when the last one goes.
template <class Interface>
class CFakeUnknown : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (riid != IID_IUnknown && !AnswersTo(riid))
            return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        if (--m_nRefs)
            return m_nRefs;
        m_log.push_back(m_pszReleased);
        delete this;
        return 0;
    }

protected:
    CFakeUnknown(std::vector<std::string>& log, const char* pszReleased) : m_log(log), m_pszReleased(pszReleased) {}
    virtual ~CFakeUnknown() = default;
    virtual bool AnswersTo(REFIID riid) const = 0;

    std::vector<std::string>& m_log;

private:
    const char* m_pszReleased;
    ULONG m_nRefs = 1;
};

// An ITaskbarList3 that writes into a log what reaches it: "list init", the
// state ("none", "normal", "error", ...), the value ("3/3": completed/total)
// and its release, and which windows the calls named.
class CFakeTaskbarList final : public CFakeUnknown<ITaskbarList3> {
public:
    CFakeTaskbarList(std::vector<std::string>& log, std::set<HWND>& windows)
        : CFakeUnknown(log, "list released"), m_windows(windows)
    {
    }

    HRESULT STDMETHODCALLTYPE HrInit() override
    {
        m_log.push_back("list init");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND hWnd, ULONGLONG nCompleted, ULONGLONG nTotal) override
    {
        m_windows.insert(hWnd);
        m_log.push_back(std::to_string(nCompleted) + "/" + std::to_string(nTotal));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND hWnd, TBPFLAG state) override
    {
        m_windows.insert(hWnd);
        const char* const names[] = {"none", "indeterminate", "normal", "", "error", "", "", "", "paused"};
        m_log.push_back(static_cast<unsigned>(state) < 9 ? names[state] : "state " + std::to_string(state));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return E_NOTIMPL; }

private:
    bool AnswersTo(REFIID riid) const override
    {
        return riid == IID_ITaskbarList || riid == IID_ITaskbarList2 || riid == IID_ITaskbarList3;
    }

    std::set<HWND>& m_windows;
};

// An IAccPropServices that writes into a log the names set ("name 1000:
// Shutdown In: Minutes", by control id), the names taken back ("unname 1000")
// and its release. A name on anything but the control's client object itself
// is logged with a question mark.
class CFakeAccPropServices final : public CFakeUnknown<IAccPropServices> {
public:
    explicit CFakeAccPropServices(std::vector<std::string>& log) : CFakeUnknown(log, "names released") {}

    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp,
                                             LPCWSTR str) override
    {
        char szName[128] = "";
        ::WideCharToMultiByte(CP_ACP, 0, str, -1, szName, sizeof szName, nullptr, nullptr);
        m_log.push_back(std::string(IsClientName(idObject, idChild, idProp) ? "name " : "name? ") +
                        std::to_string(::GetDlgCtrlID(hwnd)) + ": " + szName);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND hwnd, DWORD idObject, DWORD idChild, const MSAAPROPID* paProps,
                                             int cProps) override
    {
        bool bName = cProps == 1 && IsClientName(idObject, idChild, paProps[0]);
        m_log.push_back((bName ? "unname " : "unname? ") + std::to_string(::GetDlgCtrlID(hwnd)));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                            AnnoScope) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                AnnoScope) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                 AnnoScope) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override
    {
        return E_NOTIMPL;
    }

private:
    bool AnswersTo(REFIID riid) const override { return riid == IID_IAccPropServices; }
    static bool IsClientName(DWORD idObject, DWORD idChild, MSAAPROPID idProp)
    {
        return idObject == static_cast<DWORD>(OBJID_CLIENT) && idChild == CHILDID_SELF && idProp == PROPID_ACC_NAME;
    }
};

// UI Automation by name, for LastMinuteOs::GetUiaProc: the window's host
// provider, whose release is logged ("provider released"), and the
// notification, said into *g_pUiaLog ("said: <text>"; "said? " unless of kind
// Other, processed ImportantAll, with an activity); missing while g_bUiaSilent.
class CFakeElementProvider final : public CFakeUnknown<IRawElementProviderSimple> {
public:
    explicit CFakeElementProvider(std::vector<std::string>& log) : CFakeUnknown(log, "provider released") {}
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple**) override { return E_NOTIMPL; }

private:
    bool AnswersTo(REFIID) const override { return false; }
};

inline std::vector<std::string>* g_pUiaLog = nullptr;
inline bool g_bUiaSilent = false;

inline HRESULT WINAPI FakeUiaHostProvider(HWND, IRawElementProviderSimple** pp)
{
    *pp = new CFakeElementProvider(*g_pUiaLog);
    return S_OK;
}
inline HRESULT WINAPI RecordUiaNotification(IRawElementProviderSimple*, int nKind, int nProcessing, BSTR bstrText,
                                            BSTR bstrId)
{
    char sz[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, bstrText, -1, sz, sizeof sz, nullptr, nullptr);
    g_pUiaLog->push_back((nKind == 4 && nProcessing == 0 && ::SysStringLen(bstrId) ? "said: " : "said? ") +
                         std::string(sz));
    return S_OK;
}
inline FARPROC WINAPI FakeUiaProc(LPCSTR pszName)
{
    void (*pfn)() = !::lstrcmpA(pszName, "UiaHostProviderFromHwnd") ? reinterpret_cast<void (*)()>(FakeUiaHostProvider)
                    : g_bUiaSilent                                  ? nullptr
                                                                    : reinterpret_cast<void (*)()>(RecordUiaNotification);
    return reinterpret_cast<FARPROC>(pfn);
}
