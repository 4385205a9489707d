#include "ComOs.h"

#include "AfxProc.h"

namespace {

// System32 only, never the program's or the current folder. It stays loaded:
// unloading it under COM's feet gains nothing.
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
    auto pfn = Ole32Entry<decltype(ComOs::CoInitializeEx)>("CoInitializeEx");
    return pfn ? pfn(pvReserved, dwCoInit) : E_NOTIMPL;
}

HRESULT WINAPI OleCoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    *ppv = nullptr;
    auto pfn = Ole32Entry<decltype(ComOs::CoCreateInstance)>("CoCreateInstance");
    return pfn ? pfn(rclsid, pUnkOuter, dwClsContext, riid, ppv) : E_NOTIMPL;
}

void WINAPI OleCoUninitialize()
{
    if (auto pfn = Ole32Entry<decltype(ComOs::CoUninitialize)>("CoUninitialize"))
        pfn();
}

} // namespace

ComOs g_comOs = {OleCoInitializeEx, OleCoCreateInstance, OleCoUninitialize};
