#include "SettingsReader.h"

#include "TextToInt.h"

#include <windows.h>

namespace {

// One buffer for all readers: 34 characters and the terminator, so a longer
// value is cut to its first 34 characters.
char g_szSettingsBuffer[35];

int ReadMisc(const char* key, const char* defaultText)
{
    // ".\" makes the profile functions use the current directory, not the
    // Windows directory.
    ::GetPrivateProfileStringA("Misc", key, defaultText, g_szSettingsBuffer,
                               sizeof g_szSettingsBuffer, ".\\shutdown.ini");
    return TextToInt(g_szSettingsBuffer);
}

} // namespace

int ReadDefaultTime() { return ReadMisc("DefaultTime", "90"); }
int ReadDefaultForce() { return ReadMisc("DefaultForce", "1"); }
int ReadDefaultMode() { return ReadMisc("DefaultMode", "2"); }
int ReadAutoStart() { return ReadMisc("AutoStart", "0"); }
int ReadUnits() { return ReadMisc("Units", "2"); }
