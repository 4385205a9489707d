#include "WinApp.h"

#include "AfxProc.h"

#include <commctrl.h>

#include <cstring>

namespace {

CWinApp* g_pTheApp = nullptr;

// The program file's name without folder or extension, e.g. "shutdown".
void ModuleBaseName(char* pszName, DWORD cchName)
{
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        lstrcpynA(pszName, "", static_cast<int>(cchName));
        return;
    }
    const char* pStart = szPath;
    for (const char* p = szPath; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            pStart = p + 1;
    char* pDot = std::strrchr(const_cast<char*>(pStart), '.');
    if (pDot)
        *pDot = '\0';
    lstrcpynA(pszName, pStart, static_cast<int>(cchName));
}

// Keep the current directory out of the DLL search order, so that a library
// planted there is never loaded in place of the one beside the program. On
// Windows before 8 without KB2533623 the call does not exist; the older
// SetDllDirectory("") still helps there. (Wine 8 honours only the former.)
void HardenDllSearchOrder()
{
    ::SetDllDirectoryA("");
    typedef BOOL(WINAPI * PFN_SETDEFAULTDLLDIRECTORIES)(DWORD);
    auto pfn = AfxGetProc<PFN_SETDEFAULTDLLDIRECTORIES>(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (pfn)
        pfn(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(::GetModuleHandleA(nullptr)), m_pMainWnd(nullptr), m_pszAppName(lpszAppName)
{
    m_szAppName[0] = '\0';
    if (!m_pszAppName) {
        ModuleBaseName(m_szAppName, sizeof m_szAppName);
        m_pszAppName = m_szAppName;
    }
    if (!g_pTheApp)
        g_pTheApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pTheApp == this)
        g_pTheApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return 0;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

void CWinApp::OnHelp()
{
    // No help file ships with these programs; the command is accepted and
    // does nothing rather than complain about a missing file.
}

CWinApp* AfxGetApp()
{
    return g_pTheApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pTheApp ? g_pTheApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pTheApp ? g_pTheApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

LPCSTR AfxGetAppName()
{
    if (g_pTheApp)
        return g_pTheApp->m_pszAppName;
    static char s_szName[MAX_PATH];
    if (!s_szName[0])
        ModuleBaseName(s_szName, sizeof s_szName);
    return s_szName;
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    HardenDllSearchOrder();

    // Load the common controls, version 6 by the manifest, for visual styles.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
