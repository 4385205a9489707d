#include "CountdownDlg.h"

#include "AboutDlg.h"
#include "Countdown.h"
#include "resource.h"

namespace {
UINT g_nTaskbarButtonCreated = 0;  // registered at the first OnInitDialog
}

CCountdownDlg::CCountdownDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

BEGIN_MESSAGE_MAP(CCountdownDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_REGISTERED_MESSAGE(g_nTaskbarButtonCreated, OnTaskbarButtonCreated)
END_MESSAGE_MAP()

BOOL CCountdownDlg::OnInitDialog()
{
    // The taskbar sends this once the window shows and its button exists. From
    // the unelevated shell it would not reach a program run as administrator
    // unless let in.
    g_nTaskbarButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    if (g_nTaskbarButtonCreated)
        ::ChangeWindowMessageFilterEx(m_hWnd, g_nTaskbarButtonCreated, MSGFLT_ALLOW, nullptr);
    return CDialog::OnInitDialog();
}

void CCountdownDlg::OnCancel()
{
    SetTaskbarState(TBPF_NOPROGRESS, 0);
    CDialog::OnCancel();
}

UINT_PTR CCountdownDlg::StartCountdownTimer(UINT nPeriodMs, int nSteps, LPCSTR pszAction)
{
    UINT_PTR nTimer = SetTimer(COUNTDOWN_TIMER_ID, nPeriodMs, nullptr);
    if (nTimer && !m_bRunning) {
        m_awake.Set(pszAction);
        m_bRunning = true;
        m_nStepsAtStart = nSteps;
        ShowCountdownProgress(nSteps);
    }
    return nTimer;
}

void CCountdownDlg::StopCountdownTimer()
{
    KillTimer(COUNTDOWN_TIMER_ID);
    if (m_bRunning) {
        m_awake.Clear();
        m_bRunning = false;
    }
}

void CCountdownDlg::ShowCountdownProgress(int nStepsLeft)
{
    if (IsEnded())
        SetTaskbarState(TBPF_NOPROGRESS, 0);  // the action ran, the window closes
    else if (m_bRunning)
        // A start at 0 or below never reaches 0: there is no share to show.
        SetTaskbarState(m_nStepsAtStart > 0 ? TBPF_NORMAL : TBPF_INDETERMINATE, nStepsLeft);
    else if (nStepsLeft == 0)
        SetTaskbarState(TBPF_ERROR, 0);  // ended without an action, until Cancel
}

void CCountdownDlg::SetTaskbarState(TBPFLAG state, int nStepsLeft)
{
    m_taskbarState = state;
    m_nStepsLeft = nStepsLeft;
    ShowOnTaskbar(state, nStepsLeft, m_nStepsAtStart);
}

LRESULT CCountdownDlg::OnTaskbarButtonCreated(WPARAM, LPARAM)
{
    ConnectTaskbar();
    ShowOnTaskbar(m_taskbarState, m_nStepsLeft, m_nStepsAtStart);
    return 0;
}

void CCountdownDlg::ConnectTaskbar()
{
    m_taskbar.Connect(m_hWnd);
}

void CCountdownDlg::ShowOnTaskbar(TBPFLAG state, int nStepsLeft, int nStepsAtStart)
{
    // TBPF_NORMAL comes only with 0 < nStepsLeft <= nStepsAtStart; the other
    // states ignore the numbers.
    m_taskbar.Show(state, static_cast<ULONGLONG>(nStepsLeft), static_cast<ULONGLONG>(nStepsAtStart));
}

void CCountdownDlg::SetUpSystemMenuAndIcons()
{
    // Windows without WS_SYSMENU (both our main dialogs) may get no system menu
    // at all: then there is simply no About entry.
    CMenu sysMenu = GetSystemMenu(FALSE);
    if (sysMenu.GetSafeHmenu()) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            sysMenu.AppendMenu(MF_SEPARATOR);
            sysMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    HICON hIcon = GetIcon();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

void CCountdownDlg::ReportTimerRefused()
{
    MessageBox("Cannot Install Timer", nullptr, MB_OK);
}

void CCountdownDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    Default();
}

void CCountdownDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    // Centre the icon in the client rectangle.
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, GetIcon());
}

HCURSOR CCountdownDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(GetIcon());
}

void CCountdownDlg::Beep(unsigned frequency, unsigned durationMs)
{
    ::Beep(frequency, durationMs);
}

void CCountdownDlg::Push()
{
    UpdateData(FALSE);
}

void CCountdownDlg::StopTimer()
{
    StopCountdownTimer();
}

void CCountdownDlg::CloseDialog()
{
    // The base class's cancel, not ours: the countdown has already stopped.
    CDialog::OnCancel();
}

void CCountdownDlg::ReportMissingEntry(PowerEntry entry, bool libraryLoaded)
{
    char szText[256];
    if (libraryLoaded)
        ::wsprintfA(szText, "Shutdown.dll has no entry named \"%s\", so nothing was done.", PowerEntryName(entry));
    else
        ::lstrcpyA(szText, "Shutdown.dll could not be loaded, so nothing was done.\n\n"
                           "It belongs in the same folder as this program.");
    // The count ran out while the user may be in another program or away: a
    // box behind other windows would go unseen all night.
    MessageBox(szText, nullptr, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

void CCountdownDlg::DefaultProcessing()
{
    Default();
}
