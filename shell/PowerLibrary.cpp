#include "PowerLibrary.h"

#include <windows.h>

void BindPowerLibrary(PowerEntryTable& table, int nEntries)
{
    // The bare name: the program's own folder comes first in the search order,
    // and the start-up has taken the current directory out of it.
    HMODULE hLib = ::LoadLibraryA("Shutdown.dll");
    table.m_hPowerLib = hLib;
    for (int i = 0; i < PE_COUNT; ++i) {
        table.m_pfn[i] = nullptr;
        // Without the library every slot stays empty; GetProcAddress(NULL, ...)
        // would search the program itself.
        if (hLib && i < nEntries) {
            FARPROC p = ::GetProcAddress(hLib, PowerEntryName(static_cast<PowerEntry>(i)));
            table.m_pfn[i] = reinterpret_cast<PowerEntryFn>(p);
        }
    }
}
