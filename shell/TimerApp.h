#pragma once

#include "afxwin.h"

// The application object of both programs: runs the main dialog modally, then
// ends the program.
class CTimerApp : public CWinApp {
public:
    // Constructs the program's main dialog on its own stack, makes it the main
    // window and runs it.
    typedef void (*PFN_RUNMAINDIALOG)(CTimerApp& app);

    explicit CTimerApp(PFN_RUNMAINDIALOG pfnRunMainDialog);
    BOOL InitInstance() override;

    template <class TDialog>
    static void RunMainDialog(CTimerApp& app)
    {
        // The dialog's template is loaded in the language chosen here.
        TDialog::UseLanguage();
        TDialog dlg;
        app.m_pMainWnd = &dlg;
        dlg.DoModal();
        app.m_pMainWnd = nullptr;
    }

private:
    PFN_RUNMAINDIALOG m_pfnRunMainDialog;

    DECLARE_MESSAGE_MAP()
};
