#include "ProcessProbe.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

namespace {

// The layout Windows and Wine share for one entry of the GDI handle table.
struct GdiHandleEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
const SIZE_T kGdiTableEntries = 0x10000;
const SIZE_T kPebGdiSharedHandleTable = 0xF8;  // x64 PEB

using NtQueryInformationProcessFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

long CountGdiTableEntries(HANDLE hProcess)
{
    auto query = reinterpret_cast<NtQueryInformationProcessFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION pbi = {};
    ULONG len = 0;
    if (!query || query(hProcess, ProcessBasicInformation, &pbi, sizeof pbi, &len) != 0 || !pbi.PebBaseAddress)
        return -1;
    ULONGLONG table = 0;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(hProcess, reinterpret_cast<const char*>(pbi.PebBaseAddress) + kPebGdiSharedHandleTable,
                             &table, sizeof table, &read) || !table)
        return -1;
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    if (!::ReadProcessMemory(hProcess, reinterpret_cast<const void*>(table), entries.data(),
                             entries.size() * sizeof(GdiHandleEntry), &read))
        return -1;
    return static_cast<long>(
        std::count_if(entries.begin(), entries.end(), [](const GdiHandleEntry& e) { return e.type != 0; }));
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++reinterpret_cast<WindowCount*>(lParam)->count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hWnd, LPARAM lParam)
{
    auto* wc = reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == wc->pid) {
        ++wc->count;
        ::EnumChildWindows(hWnd, CountChild, lParam);
    }
    return TRUE;
}

struct WindowSearch {
    DWORD pid;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindTop(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != s->pid || !::IsWindowVisible(hWnd))
        return TRUE;
    if (s->caption) {
        char text[256] = "";
        ::GetWindowTextA(hWnd, text, sizeof text);
        if (lstrcmpA(text, s->caption) != 0)
            return TRUE;
    }
    s->found = hWnd;
    return FALSE;
}

} // namespace

GuiObjects CountGuiObjects(HANDLE hProcess)
{
    GuiObjects objects;
    ::SetLastError(0);
    DWORD gdi = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    DWORD user = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    if (gdi != 0 || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        objects.gdi = static_cast<long>(gdi);
        objects.user = static_cast<long>(user);
        objects.source = "GetGuiResources";
        return objects;
    }
    objects.gdi = CountGdiTableEntries(hProcess);
    WindowCount wc = {::GetProcessId(hProcess), 0};
    ::EnumWindows(CountTop, reinterpret_cast<LPARAM>(&wc));
    objects.user = wc.count;
    objects.source = "GDI table + windows";
    return objects;
}

GuiObjects CountGuiObjectsSettled(HANDLE hProcess)
{
    GuiObjects last;
    int same = 0;
    for (int i = 0; i < 30 && same < 3; ++i) {
        if (i)
            ::Sleep(100);
        GuiObjects now = CountGuiObjects(hProcess);
        if (!now.Measured())
            continue;
        same = (now.gdi == last.gdi && now.user == last.user) ? same + 1 : 1;
        last = now;
    }
    return last;
}

MemoryFigures ReadMemory(HANDLE hProcess)
{
    MemoryFigures figures;
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) {
        figures.peakWorkingSet = pmc.PeakWorkingSetSize;
        figures.privateBytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
    }
    return figures;
}

ULONGLONG CpuTime(HANDLE hProcess)
{
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(hProcess, &created, &exited, &kernel, &user))
        return 0;
    auto value = [](const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; };
    return value(kernel) + value(user);
}

HWND FindProcessWindow(DWORD pid, const char* caption)
{
    WindowSearch s = {pid, caption, nullptr};
    ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string ControlText(HWND hWnd)
{
    char text[256] = "";
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                               &result))
        return std::string();
    return text;
}
