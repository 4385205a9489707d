#pragma once

// The start values of shutdown, read from .\shutdown.ini, section [Misc].
// Every call reads the file afresh; nothing is cached and nothing is written.
int ReadDefaultTime();   // "DefaultTime", default 90
int ReadDefaultForce();  // "DefaultForce", default 1
int ReadDefaultMode();   // "DefaultMode", default 2 (1..5 = Suspend..Reboot)
int ReadAutoStart();     // "AutoStart", default 0 (exactly 1 starts at once)
int ReadUnits();         // "Units", default 2 (1 s, 2 min, 3 h)
int ReadWarnSeconds();   // "WarnSeconds", default 60 (how long before the end the window surfaces; 0 never)

// "Language", default empty: the language tag that overrides Windows' choice
// (such as "de" or "pt-BR"), cut to fit.
void ReadLanguage(char* pszTag, unsigned cchTag);

// "Units" again, for the start. False, with nUnits untouched, when the file
// exists but another program has held it locked for about a second: the
// profile calls would then read it as absent, and the defaults would stand in
// for whatever the file says.
bool RereadUnits(int& nUnits);
