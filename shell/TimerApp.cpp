#include "TimerApp.h"

CTimerApp::CTimerApp(PFN_RUNMAINDIALOG pfnRunMainDialog) : m_pfnRunMainDialog(pfnRunMainDialog) {}

BEGIN_MESSAGE_MAP(CTimerApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CTimerApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();
    // The dialog lives on the stack of this call, so it is gone when it returns.
    m_pfnRunMainDialog(*this);
    // The dialog has closed: end the program without a message loop.
    return FALSE;
}
