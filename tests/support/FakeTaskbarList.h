#pragma once

#include <windows.h>

#include <shobjidl.h>

#include <set>
#include <string>
#include <vector>

// An ITaskbarList3 that writes into a log what reaches it: "list init", the
// state ("none", "normal", "error", ...), the value ("3/3": completed/total)
// and its release, and which windows the calls named. Calls the programs
// never make fail.
class CFakeTaskbarList final : public ITaskbarList3 {
public:
    CFakeTaskbarList(std::vector<std::string>& log, std::set<HWND>& windows) : m_log(log), m_windows(windows) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_ITaskbarList && riid != IID_ITaskbarList2 && riid != IID_ITaskbarList3)
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
        m_log.push_back("list released");
        delete this;
        return 0;
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
    ~CFakeTaskbarList() = default;

    std::vector<std::string>& m_log;
    std::set<HWND>& m_windows;
    ULONG m_nRefs = 1;
};
