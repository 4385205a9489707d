#include "Platform.h"

bool RunningUnderWine()
{
    static const bool s_bWine =
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return s_bWine;
}

bool BeepPlaysTones()
{
    static const bool s_bPlays = [] {
        const DWORD start = ::GetTickCount();
        const BOOL bPlayed = ::Beep(2000, 200);
        return bPlayed && ::GetTickCount() - start >= 150;
    }();
    return s_bPlays;
}

std::string WinPath(const std::string& buildPath)
{
    std::string path = (RunningUnderWine() && !buildPath.empty() && buildPath[0] == '/') ? "Z:" + buildPath : buildPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start >= limitMs)
            return false;
        ::Sleep(10);
    }
}
