#include "TimerApp.h"
#include "TimerDlg.h"

// The one application object of shutdown.
CTimerApp theApp(&CTimerApp::RunMainDialog<CTimerDlg>);
