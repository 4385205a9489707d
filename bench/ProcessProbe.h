#pragma once

#include <windows.h>

#include <string>

// What one process costs, read from outside it: used by the benchmark harness
// and by the hardening tests.

// GDI and USER objects of a process. Windows answers GetGuiResources; Wine 8
// only stubs it (0, ERROR_CALL_NOT_IMPLEMENTED), so there the counts come from
// the process's own GDI handle table (PEB.GdiSharedHandleTable, which Wine
// fills like Windows) and from its windows, top-level and child.
struct GuiObjects {
    long gdi = -1;
    long user = -1;
    const char* source = "";  // "GetGuiResources" or "GDI table + windows"
    // A process with a window owns some of each: anything else is a reading
    // that failed (the table not read, the windows not found), not a count.
    bool Measured() const { return gdi > 0 && user > 0; }
};
GuiObjects CountGuiObjects(HANDLE hProcess);
// The same once the counts hold still: a window repainting holds a DC and a
// region or two for a moment, which is not a leak. Three equal readings 100 ms
// apart, or the last of 30; a failed reading is taken again, and if none
// succeeds the result is a failed one.
GuiObjects CountGuiObjectsSettled(HANDLE hProcess);

// Peak working set and private bytes. Wine 8 leaves PrivateUsage at 0 and
// gives the same figure as PagefileUsage, which is what Windows reports too.
struct MemoryFigures {
    SIZE_T peakWorkingSet = 0;
    SIZE_T privateBytes = 0;
};
MemoryFigures ReadMemory(HANDLE hProcess);

// Kernel plus user time of the process in 100 ns units.
ULONGLONG CpuTime(HANDLE hProcess);

// The first visible top-level window of the process (with the caption when
// one is given); null if none.
HWND FindProcessWindow(DWORD pid, const char* caption = nullptr);

// A control's text through SendMessageTimeout; empty if the target hangs.
std::string ControlText(HWND hWnd);
