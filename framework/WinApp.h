#pragma once

#include "MessageMap.h"
#include "Wnd.h"

// The application. Exactly one global object of a derived class exists; the
// entry point calls its InitInstance.
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the program at once, without a message loop.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    // Kept for old code; controls draw themselves in 3-D anyway.
    BOOL Enable3dControls() { return TRUE; }
    void OnHelp();

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;
    LPCSTR m_pszAppName;  // the program file's name without extension unless given

private:
    char m_szAppName[MAX_PATH];
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCSTR AfxGetAppName();
// Nothing to do: there are no hosted controls. Kept for the start-up sequence.
void AfxEnableControlContainer();

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
