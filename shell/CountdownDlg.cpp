#include "CountdownDlg.h"

#include "AboutDlg.h"
#include "Countdown.h"
#include "LanguageChoice.h"
#include "PluralText.h"
#include "resource.h"

namespace {
UINT g_nTaskbarButtonCreated = 0;  // registered at the first OnInitDialog
// Its own id and a callback: the dialogs' WM_TIMER handlers tick on any id.
constexpr UINT_PTR kLastMinuteTimerId = 2;
constexpr UINT WM_REPORTMISSING = WM_APP;

// The text nID with FormatMessage's inserts filled in, %1 the name of the
// PowerAction and %2 the text given (a translation puts them where its
// grammar wants), in UTF-16 for the shell and UI Automation.
bool FormatForAction(UINT nID, int nAction, LPCWSTR pwsz2, LPWSTR pwszOut, int cch)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    WCHAR wszFormat[128], wszAction[64];
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(wszAction), reinterpret_cast<DWORD_PTR>(pwsz2)};
    return ::LoadStringW(hInst, IDS_ACTION_NAME + nAction, wszAction, ARRAYSIZE(wszAction)) &&
           ::LoadStringW(hInst, nID, wszFormat, ARRAYSIZE(wszFormat)) &&
           ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, wszFormat, 0, 0, pwszOut,
                            static_cast<DWORD>(cch), reinterpret_cast<va_list*>(args));
}

// The local clock time nMsFromNow ahead, in the user's format, with the
// seconds or without. False when it cannot be had, and a day or more ahead,
// where a time alone would name the wrong day.
bool FormatClockTime(ULONGLONG nMsFromNow, bool bSeconds, LPWSTR pwsz, int cch)
{
    if (nMsFromNow >= 24ULL * 3600 * 1000)
        return false;
    const TaskbarProgressOs& os = g_taskbarProgressOs;
    // Universal time plus what is left, then local time by the rules of that
    // moment, so that a change to or from summer time before the end counts.
    FILETIME ft;
    os.GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += nMsFromNow * 10000;  // in 100 ns
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME utc, local;
    return ::FileTimeToSystemTime(&ft, &utc) && os.SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) &&
           os.GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, bSeconds ? 0 : TIME_NOSECONDS, &local, nullptr, pwsz, cch) > 0;
}

} // namespace

CCountdownDlg::CCountdownDlg(UINT nIDTemplate, CWnd* pParentWnd, UINT nIDLayout) : CDialog(nIDTemplate, pParentWnd)
{
    if (nIDLayout && IsUiTranslated())
        SetWords(nIDLayout, IDS_MAIN_WORDS);
}

void CCountdownDlg::UseLanguage()
{
    UseUiLanguage(nullptr);
}

BEGIN_MESSAGE_MAP(CCountdownDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_REGISTERED_MESSAGE(g_nTaskbarButtonCreated, OnTaskbarButtonCreated)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_MESSAGE(WM_REPORTMISSING, OnReportMissingAtStart)
END_MESSAGE_MAP()

BOOL CCountdownDlg::OnInitDialog()
{
    // The taskbar sends this once the window shows and its button exists. From
    // the unelevated shell it would not reach a program run as administrator
    // unless let in.
    g_nTaskbarButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    if (g_nTaskbarButtonCreated)
        ::ChangeWindowMessageFilterEx(m_hWnd, g_nTaskbarButtonCreated, MSGFLT_ALLOW, nullptr);
    // Only then are oleacc and COM worth loading. Narrator does not set this
    // flag; it shows up by its WM_GETOBJECT instead.
    if (IsScreenReaderRunning()) {
        m_bNamesWanted = true;
        UpdateAccessibleNames();
    }
    return CDialog::OnInitDialog();
}

void CCountdownDlg::OnCancel()
{
    SetTaskbarState(TBPF_NOPROGRESS, 0);
    CDialog::OnCancel();
}

UINT_PTR CCountdownDlg::StartCountdownTimer(UINT nPeriodMs, int nSteps, int nAction, int nWarnSeconds)
{
    UINT_PTR nTimer = SetTimer(COUNTDOWN_TIMER_ID, nPeriodMs, nullptr);
    if (nTimer && !m_bRunning) {
        CString strReason;
        char szReason[1024];  // wsprintf writes at most 1024 bytes
        if (nAction == kNoAction) {
            strReason.LoadString(IDS_REASON_NONE);
            ::lstrcpynA(szReason, strReason, sizeof szReason);
        } else {
            CString strAction;
            strAction.LoadString(IDS_ACTION_NAME + nAction);
            strReason.LoadString(IDS_REASON_FORMAT);
            ::wsprintfA(szReason, strReason, static_cast<LPCSTR>(strAction));  // one %s in every language
        }
        m_awake.Set(szReason);
        m_bRunning = true;
        m_nStepsAtStart = nSteps;
        m_nPeriodMs = nPeriodMs;
        m_lastMinute.Arm(nPeriodMs, nWarnSeconds);
        ShowCountdownProgress(nSteps);
        PostMessage(WM_REPORTMISSING);
    }
    return nTimer;
}

LRESULT CCountdownDlg::OnReportMissingAtStart(WPARAM, LPARAM)
{
    if (m_bRunning)  // not once the session has ended meanwhile
        ReportMissingAtStart(*this, g_PowerEntries, EntryAtZero());
    return 0;
}

void CCountdownDlg::StopCountdownTimer()
{
    KillTimer(COUNTDOWN_TIMER_ID);
    if (m_bLastMinuteTimer) {
        KillTimer(kLastMinuteTimerId);
        m_bLastMinuteTimer = false;
    }
    if (m_bRunning) {
        m_awake.Clear();
        m_bRunning = false;
    }
}

int CCountdownDlg::ActionAtZero() const
{
    // Each action's plain entry is followed by its _Force twin.
    return WouldActAtZero() ? EntryAtZero() / 2 : kNoAction;
}

void CCountdownDlg::ShowCountdownProgress(int nStepsLeft)
{
    if (IsEnded())
        SetTaskbarState(TBPF_NOPROGRESS, 0);  // the action ran, the window closes
    else if (m_bRunning) {
        // A start at 0 or below never reaches 0: there is no share to show.
        SetTaskbarState(m_nStepsAtStart > 0 ? TBPF_NORMAL : TBPF_INDETERMINATE, nStepsLeft);
        DWORD nDueMs = m_lastMinute.DueIn(nStepsLeft);
        if (nDueMs == 0 && ActionAtZero() != kNoAction)
            SurfaceForLastMinute(static_cast<ULONGLONG>(nStepsLeft) * m_nPeriodMs);
        else if (nDueMs != 0 && nDueMs != INFINITE && !m_bLastMinuteTimer)
            m_bLastMinuteTimer = SetTimer(kLastMinuteTimerId, nDueMs, LastMinuteTimerProc) != 0;
    } else if (nStepsLeft == 0)
        // Ended without an action, until Cancel: the whole button red, since
        // the last value, a step's share, would be a sliver nobody sees.
        SetTaskbarState(TBPF_ERROR, m_nStepsAtStart);
}

void CALLBACK CCountdownDlg::LastMinuteTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    // Only our own windows set this timer.
    if (auto* pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER)))
        static_cast<CCountdownDlg*>(pDlg)->OnLastMinuteTimer();
}

void CCountdownDlg::OnLastMinuteTimer()
{
    if (!m_bLastMinuteTimer)
        return;
    KillTimer(kLastMinuteTimerId);
    m_bLastMinuteTimer = false;
    // Read again: the action or the force may have changed since.
    if (m_bRunning && ActionAtZero() != kNoAction)
        SurfaceForLastMinute(m_lastMinute.LeadMs());
}

void CCountdownDlg::SurfaceForLastMinute(ULONGLONG nMsLeft)
{
    // In real time, whatever the window calls its steps: drowsel's ten are six
    // seconds. Whole minutes are said as minutes.
    long long nLeft = static_cast<long long>((nMsLeft + 500) / 1000);
    UINT nUnitID = IDS_SECONDS_LEFT;
    if (nLeft >= 60 && nLeft % 60 == 0) {
        nLeft /= 60;
        nUnitID = IDS_MINUTES_LEFT;
    }
    char szLeft[96];
    ::wsprintfA(szLeft, "%d %s", static_cast<int>(nLeft), static_cast<LPCSTR>(LoadPluralString(nUnitID, nLeft)));
    WCHAR wszLeft[96], wszSaid[256];
    ::MultiByteToWideChar(CP_ACP, 0, szLeft, -1, wszLeft, ARRAYSIZE(wszLeft));
    m_lastMinute.Surface(m_hWnd, FormatForAction(IDS_LAST_MINUTE, ActionAtZero(), wszLeft, wszSaid, ARRAYSIZE(wszSaid))
                                     ? wszSaid
                                     : nullptr);
}

void CCountdownDlg::SetTaskbarState(TBPFLAG state, int nStepsLeft)
{
    m_taskbarState = state;
    m_nStepsLeft = nStepsLeft;
    ShowOnTaskbar(state, nStepsLeft, m_nStepsAtStart);
    if (m_bEndOnTaskbar)
        ShowEndOnTaskbar();
}

void CCountdownDlg::ShowEndOnTaskbar()
{
    // From what is left at this tick, so that a tick that comes late (after
    // the machine slept) leaves no stale time behind. Only a count under way
    // toward an action has an end to show: the bar is normal only while one
    // runs that will reach 0.
    int nAction = ActionAtZero();
    WCHAR wszTime[64], wszTip[192];
    bool bTip = m_taskbarState == TBPF_NORMAL && nAction != kNoAction &&
                FormatClockTime(static_cast<ULONGLONG>(m_nStepsLeft) * m_nPeriodMs, m_nPeriodMs < 60000, wszTime,
                                ARRAYSIZE(wszTime)) &&
                FormatForAction(IDS_END_AT, nAction, wszTime, wszTip, ARRAYSIZE(wszTip));
    // Cleared once, when there was one: before GO! nothing changes.
    if (bTip || m_bTipShown)
        ShowTipOnTaskbar(bTip ? wszTip : nullptr);
    m_bTipShown = bTip;
}

LRESULT CCountdownDlg::OnTaskbarButtonCreated(WPARAM, LPARAM)
{
    ConnectTaskbar();
    SetTaskbarState(m_taskbarState, m_nStepsLeft);
    return 0;
}

void CCountdownDlg::ConnectTaskbar()
{
    m_taskbar.Connect(m_hWnd);
}

void CCountdownDlg::ShowOnTaskbar(TBPFLAG state, int nStepsLeft, int nStepsAtStart)
{
    // TBPF_NORMAL comes only with 0 < nStepsLeft <= nStepsAtStart, TBPF_ERROR
    // with a full bar; the other states ignore the numbers.
    m_taskbar.Show(state, static_cast<ULONGLONG>(nStepsLeft), static_cast<ULONGLONG>(nStepsAtStart));
}

void CCountdownDlg::ShowTipOnTaskbar(LPCWSTR pwszTip)
{
    m_taskbar.ShowTip(pwszTip);
}

void CCountdownDlg::UpdateAccessibleNames()
{
    if (m_bNamesWanted)
        NameControls();
}

void CCountdownDlg::NameCountField(int nCountID, LPCSTR pszUnit)
{
    // UTF-8: up to three bytes a letter.
    char szName[256] = "";
    ::GetWindowTextA(::GetWindow(GetDlgItem(nCountID).m_hWnd, GW_HWNDPREV), szName, 160);
    if (pszUnit && *pszUnit) {
        ::lstrcatA(szName, " ");
        ::lstrcpynA(szName + ::lstrlenA(szName), pszUnit, 90);
    }
    NameControl(nCountID, szName);
}

bool CCountdownDlg::IsScreenReaderRunning() const
{
    BOOL bRunning = FALSE;
    return ::SystemParametersInfoA(SPI_GETSCREENREADER, 0, &bRunning, 0) && bRunning;
}

void CCountdownDlg::NameControl(int nID, LPCSTR pszName)
{
    m_names.SetName(GetDlgItem(nID).m_hWnd, pszName);
}

LRESULT CCountdownDlg::OnGetObject(WPARAM, LPARAM)
{
    // Sent only by MSAA and UI Automation, on behalf of a client: the names
    // are in place before the dialog manager answers it.
    if (!m_bNamesWanted) {
        m_bNamesWanted = true;
        UpdateAccessibleNames();
    }
    return Default();
}

LRESULT CCountdownDlg::OnDestroy(WPARAM, LPARAM)
{
    m_names.Release();
    return Default();
}

LRESULT CCountdownDlg::OnQueryEndSession(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CCountdownDlg::OnEndSession(WPARAM bEnding, LPARAM)
{
    if (!bEnding)
        return 0;  // the end was called off: the countdown goes on
    // Windows may end the process any time after this returns. Until then no
    // tick may call an entry into a session that is over.
    m_bSessionEnded = true;
    StopCountdownTimer();
    SetTaskbarState(TBPF_NOPROGRESS, 0);
    CDialog::OnCancel();
    // Also out of any box's loop (About, a prompt) that may be running.
    ::PostQuitMessage(0);
    return 0;
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
    CString strText;
    strText.LoadString(IDS_TIMER_REFUSED);
    MessageBox(strText, nullptr, MB_OK);
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
    CString strText;
    strText.LoadString(libraryLoaded ? IDS_ENTRY_MISSING : IDS_LIBRARY_MISSING);
    char szText[1024];  // wsprintf writes at most 1024 bytes
    if (libraryLoaded)
        ::wsprintfA(szText, strText, PowerEntryName(entry));  // one %s in every language
    else
        ::lstrcpynA(szText, strText, sizeof szText);
    // The count ran out while the user may be in another program or away: a
    // box behind other windows would go unseen all night.
    MessageBox(szText, nullptr, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

void CCountdownDlg::DefaultProcessing()
{
    Default();
}
