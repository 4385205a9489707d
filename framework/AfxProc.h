#pragma once

#include <windows.h>

// An entry of a DLL looked up at run time, as the function type it has: for a
// call a program must not import (newer than the oldest system it runs on, or
// in a DLL it loads only when needed). Null when the entry is not there.
template <typename Fn>
Fn AfxGetProc(HMODULE hModule, LPCSTR pszName)
{
    // Through void(*)(), the one cast the compiler accepts between function types.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(hModule, pszName)));
}
