// A stand-in for Shutdown.dll that only writes down what it was asked to do:
// each entry appends its name and a newline to calls.log beside the DLL.
#include <windows.h>

namespace {

HMODULE g_hSelf = nullptr;

void Record(const char* name)
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(g_hSelf, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    char* slash = path;
    for (char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            slash = p + 1;
    lstrcpyA(slash, "calls.log");
    HANDLE h = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(h, name, lstrlenA(name), &written, nullptr);
    ::WriteFile(h, "\n", 1, &written, nullptr);
    ::CloseHandle(h);
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hSelf = hInstance;
    return TRUE;
}

#define RECORDING_ENTRY(name) \
    __declspec(dllexport) void name() { Record(#name); }

RECORDING_ENTRY(Suspend)
RECORDING_ENTRY(Suspend_Force)
RECORDING_ENTRY(Hibernate)
#ifndef OMIT_HIBERNATE_FORCE
RECORDING_ENTRY(Hibernate_Force)
#endif
RECORDING_ENTRY(Shutdown)
RECORDING_ENTRY(Shutdown_Force)
RECORDING_ENTRY(LogOff)
RECORDING_ENTRY(LogOff_Force)
RECORDING_ENTRY(Reboot)
RECORDING_ENTRY(Reboot_Force)

}
