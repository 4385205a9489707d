#include "HibernateDlg.h"
#include "TimerApp.h"

// The one application object of drowsel.
CTimerApp theApp(&CTimerApp::RunMainDialog<CHibernateDlg>);
