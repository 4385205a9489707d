#include "HibernateDlg.h"

#include "Countdown.h"
#include "PluralText.h"
#include "PowerLibrary.h"
#include "resource.h"
#include "../shell/resource.h"

namespace {
constexpr UINT kStepMs = 600;  // shown as "Seconds", but shorter on purpose
// The whole countdown lies within the last minute: it surfaces at once.
constexpr int kWarnSeconds = 60;
} // namespace

CHibernateDlg::CHibernateDlg(CWnd* pParent) : CCountdownDlg(IDD_MAIN, pParent, IDD_MAIN_LAYOUT), BasicCountdownState()
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

BEGIN_MESSAGE_MAP(CHibernateDlg, CCountdownDlg)
    ON_WM_TIMER()
    ON_EN_CHANGE(IDC_COUNT, OnPull)
    ON_BN_CLICKED(IDC_FORCE, OnPull)
    ON_BN_CLICKED(IDC_SUSPEND, OnSuspend)
    ON_BN_CLICKED(IDC_HIBERNATE, OnHibernate)
    ON_BN_CLICKED(IDC_SHUTDOWN, OnShutdown)
END_MESSAGE_MAP()

void CHibernateDlg::DoDataExchange(CDataExchange* pDX)
{
    CCountdownDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 0, 1000);
    DDX_Check(pDX, IDC_FORCE, m_bForce);
    DDX_Check(pDX, IDC_SUSPEND, m_bSuspend);
    DDX_Check(pDX, IDC_HIBERNATE, m_bHibernate);
    DDX_Check(pDX, IDC_SHUTDOWN, m_bShutdown);
    // The unit, a static text after the count field, in the form for the
    // count each push shows.
    if (!pDX->m_bSaveAndValidate) {
        CString strUnit = LoadPluralString(IDS_MAIN_SECONDS, m_nCount);
        if (!strUnit.IsEmpty())
            ::SetWindowTextA(::GetWindow(GetDlgItem(IDC_COUNT).m_hWnd, GW_HWNDNEXT), strUnit);
    }
}

BOOL CHibernateDlg::OnInitDialog()
{
    m_nCount = 10;
    m_bForce = 1;
    m_bSuspend = 0;
    m_bHibernate = 1;
    m_bShutdown = 0;
    UpdateData(FALSE);

    CCountdownDlg::OnInitDialog();
    BindPowerLibrary(g_PowerEntries, kDrowselEntryCount);
    GetDlgItem(IDC_COUNT).EnableWindow(FALSE);
    GetDlgItem(IDOK).EnableWindow(FALSE);
    if (!StartCountdownTimer(kStepMs, m_nCount, SelectedAction(static_cast<BasicCountdownState&>(*this)),
                             kWarnSeconds))
        ReportTimerRefused();
    SetUpSystemMenuAndIcons();
    return TRUE;
}

void CHibernateDlg::OnCancel()
{
    StopCountdownTimer();
    CCountdownDlg::OnCancel();
}

PowerEntry CHibernateDlg::EntryAtZero() const
{
    return ::EntryAtZero(static_cast<const BasicCountdownState&>(*this));
}

void CHibernateDlg::NameControls()
{
    // The unit's name, not the form for the count (see CTimerDlg's).
    NameCountField(IDC_COUNT, LoadPluralName(IDS_MAIN_SECONDS));
}

void CHibernateDlg::OnTimer(UINT_PTR)
{
    if (IsSessionEnded())
        return;
    OnCountdownTimer(static_cast<BasicCountdownState&>(*this), *this, g_PowerEntries);
    ShowCountdownProgress(m_nCount);
}

void CHibernateDlg::OnPull()
{
    UpdateData(TRUE);
}

void CHibernateDlg::SelectAction(PowerAction action)
{
    int* const flags[] = {&m_bSuspend, &m_bHibernate, &m_bShutdown};
    for (int i = 0; i < 3; ++i)
        *flags[i] = (i == action) ? 1 : 0;
    UpdateData(FALSE);
    UpdateData(TRUE);
}
