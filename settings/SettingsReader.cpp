#include "SettingsReader.h"

#include "TextToInt.h"

#include <windows.h>

namespace {

// One buffer for all readers: 34 characters and the terminator, so a longer
// value is cut to its first 34 characters.
char g_szSettingsBuffer[35];

// ".\" makes the profile functions use the current directory, not the
// Windows directory.
const char kSettingsFile[] = ".\\shutdown.ini";

int ReadMisc(const char* key, const char* defaultText)
{
    ::GetPrivateProfileStringA("Misc", key, defaultText, g_szSettingsBuffer, sizeof g_szSettingsBuffer,
                               kSettingsFile);
    return TextToInt(g_szSettingsBuffer);
}

} // namespace

int ReadDefaultTime() { return ReadMisc("DefaultTime", "90"); }
int ReadDefaultForce() { return ReadMisc("DefaultForce", "1"); }
int ReadDefaultMode() { return ReadMisc("DefaultMode", "2"); }
int ReadAutoStart() { return ReadMisc("AutoStart", "0"); }
int ReadUnits() { return ReadMisc("Units", "2"); }
int ReadWarnSeconds() { return ReadMisc("WarnSeconds", "60"); }

void ReadLanguage(char* pszTag, unsigned cchTag)
{
    ::GetPrivateProfileStringA("Misc", "Language", "", pszTag, cchTag, kSettingsFile);
}

bool RereadUnits(int& nUnits)
{
    // An editor saving the file or a sync client may hold it for a moment.
    // Our own handle, kept open while the profile call reads, lets no one
    // lock it in between; it shares everything, so only a program that wants
    // the file to itself waits, for the moment of the read.
    for (int nTry = 0; nTry < 10; ++nTry) {
        if (nTry)
            ::Sleep(100);
        HANDLE hFile = ::CreateFileA(kSettingsFile, GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION)
            continue;
        // Opened, absent (the defaults, as ever) or unreadable for another reason.
        nUnits = ReadUnits();
        if (hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(hFile);
        return true;
    }
    return false;
}
