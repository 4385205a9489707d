#include "afxwin.h"

// The application object of a test program, so that the framework finds an
// app (its name is the test program's file name) and an icon loader.
CWinApp g_testApp;
