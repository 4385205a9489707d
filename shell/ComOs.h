#pragma once

#include <windows.h>

#include <objbase.h>

// The COM calls behind the taskbar button's bar and the accessible names, in
// one table so that a test can put recorders and fake servers in their place.
// The real ones forward to ole32, loaded from System32 at the first call;
// without it they fail. Neither user imports ole32: it and what it pulls in
// would cost every start-up, also where nothing ever asks.
struct ComOs {
    HRESULT (WINAPI* CoInitializeEx)(LPVOID pvReserved, DWORD dwCoInit);
    HRESULT (WINAPI* CoCreateInstance)(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                       LPVOID* ppv);
    void (WINAPI* CoUninitialize)();
};

// The real calls unless a test has replaced them.
extern ComOs g_comOs;
