#include "TimerDlg.h"

#include "Countdown.h"
#include "LanguageChoice.h"
#include "PluralRule.h"
#include "PluralText.h"
#include "PowerLibrary.h"
#include "SettingsReader.h"
#include "resource.h"
#include "../shell/resource.h"

#include <cstring>

namespace {

struct UnitInfo {
    UINT nPeriodMs;
    UINT nLabelID;  // the unit's word in the user's language, its forms separated by '|'
};

// Units 1, 2 and 3 of the settings file; any other value has no unit.
const UnitInfo* FindUnit(int nUnits)
{
    static const UnitInfo s_units[] = {
        {1000, IDS_SECONDS},
        {60000, IDS_MINUTES},
        {3600000, IDS_HOURS},
    };
    return (nUnits >= 1 && nUnits <= 3) ? &s_units[nUnits - 1] : nullptr;
}

// The unit whose label is shown, in any of its forms; 0 for none.
int ShownUnit(const CString& strLabel)
{
    for (int nUnits = 1; nUnits <= 3 && !strLabel.IsEmpty(); ++nUnits) {
        CString strForms;
        strForms.LoadString(FindUnit(nUnits)->nLabelID);
        for (int i = 0; i <= static_cast<int>(PluralCategory::Other); ++i) {
            int nLength = 0;
            const char* pForm = PluralForm(strForms, static_cast<PluralCategory>(i), nLength);
            if (nLength == strLabel.GetLength() && std::strncmp(pForm, strLabel, nLength) == 0)
                return nUnits;
        }
    }
    return 0;
}

} // namespace

CTimerDlg::CTimerDlg(CWnd* pParent) : CCountdownDlg(IDD_MAIN, pParent, IDD_MAIN_LAYOUT), CountdownState()
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    m_bEndOnTaskbar = true;
}

void CTimerDlg::UseLanguage()
{
    char szTag[35];
    ReadLanguage(szTag, sizeof szTag);
    UseUiLanguage(szTag);
}

BEGIN_MESSAGE_MAP(CTimerDlg, CCountdownDlg)
    ON_WM_TIMER()
    ON_EN_CHANGE(IDC_COUNT, OnChangeCount)
    ON_BN_CLICKED(IDC_FORCE, OnForce)
    ON_BN_CLICKED(IDC_SUSPEND, OnSuspend)
    ON_BN_CLICKED(IDC_HIBERNATE, OnHibernate)
    ON_BN_CLICKED(IDC_SHUTDOWN, OnShutdown)
    ON_BN_CLICKED(IDC_LOGOFF, OnLogOff)
    ON_BN_CLICKED(IDC_REBOOT, OnReboot)
END_MESSAGE_MAP()

void CTimerDlg::DoDataExchange(CDataExchange* pDX)
{
    CCountdownDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 0, 1000);
    DDX_Check(pDX, IDC_FORCE, m_bForce);
    DDX_Check(pDX, IDC_SUSPEND, m_bSuspend);
    DDX_Check(pDX, IDC_HIBERNATE, m_bHibernate);
    DDX_Check(pDX, IDC_SHUTDOWN, m_bShutdown);
    DDX_Check(pDX, IDC_LOGOFF, m_bLogOff);
    DDX_Check(pDX, IDC_REBOOT, m_bReboot);
    // Every push shows the unit in the form for the count it shows.
    if (!pDX->m_bSaveAndValidate)
        FitUnitToCount();
    DDX_Text(pDX, IDC_UNITS, m_strUnits);
}

void CTimerDlg::FitUnitToCount()
{
    if (const UnitInfo* pUnit = FindUnit(ShownUnit(m_strUnits)))
        m_strUnits = LoadPluralString(pUnit->nLabelID, m_nCount);
}

BOOL CTimerDlg::OnInitDialog()
{
    m_nCount = ReadDefaultTime();
    m_bForce = ReadDefaultForce();
    switch (ReadDefaultMode()) {
    case 1: m_bSuspend = 1; break;
    case 2: m_bHibernate = 1; break;
    case 3: m_bShutdown = 1; break;
    case 4: m_bLogOff = 1; break;
    case 5: m_bReboot = 1; break;
    default: break;
    }
    if (const UnitInfo* pUnit = FindUnit(ReadUnits()))
        m_strUnits = LoadPluralString(pUnit->nLabelID, m_nCount);
    m_nWarnSeconds = ReadWarnSeconds();
    UpdateData(FALSE);

    // The automatic start installs the timer before the library is bound; the
    // first tick cannot come before our message loop runs.
    if (ReadAutoStart() == 1)
        OnOK();

    CCountdownDlg::OnInitDialog();
    BindPowerLibrary(g_PowerEntries, kShutdownEntryCount);
    SetUpSystemMenuAndIcons();
    return TRUE;
}

void CTimerDlg::OnOK()
{
    // No pull and no base call: the count is whatever was last pulled or
    // loaded, and the dialog stays open. Once started, never enabled again.
    GetDlgItem(IDC_COUNT).EnableWindow(FALSE);
    GetDlgItem(IDOK).EnableWindow(FALSE);

    // Read again: the file may have changed since the window opened. While
    // another program keeps it locked, the unit shown stays: the defaults
    // would stand in unseen, and count sixty times too long or too short.
    int nUnits = 0;
    if (!RereadUnits(nUnits))
        nUnits = ShownUnit(m_strUnits);
    const UnitInfo* pUnit = FindUnit(nUnits);
    if (!pUnit)
        return;
    UINT_PTR nTimer = StartCountdownTimer(pUnit->nPeriodMs, m_nCount, SelectedAction(*this), m_nWarnSeconds);
    m_strUnits = LoadPluralString(pUnit->nLabelID, m_nCount);
    UpdateData(FALSE);
    UpdateAccessibleNames();
    if (!nTimer)
        ReportTimerRefused();
}

void CTimerDlg::OnCancel()
{
    StopCountdownTimer();
    CCountdownDlg::OnCancel();
}

PowerEntry CTimerDlg::EntryAtZero() const
{
    return ::EntryAtZero(static_cast<const CountdownState&>(*this));
}

void CTimerDlg::NameControls()
{
    // The unit's name, not the form for the count: the field's value says the
    // number, and the name stays as the count changes.
    const UnitInfo* pUnit = FindUnit(ShownUnit(m_strUnits));
    NameCountField(IDC_COUNT, pUnit ? LoadPluralName(pUnit->nLabelID) : CString());
    CString strName;
    strName.LoadString(IDS_UNIT_NAME);
    NameControl(IDC_UNITS, strName);
}

void CTimerDlg::OnTimer(UINT_PTR)
{
    if (IsSessionEnded())
        return;
    OnCountdownTimer(static_cast<CountdownState&>(*this), *this, g_PowerEntries);
    ShowCountdownProgress(m_nCount);
}

void CTimerDlg::OnChangeCount()
{
    UpdateData(TRUE);
    // The label alone: a push would put the count back under the caret.
    FitUnitToCount();
    GetDlgItem(IDC_UNITS).SetWindowText(m_strUnits);
}

void CTimerDlg::OnForce()
{
    UpdateData(TRUE);
    ShowEndOnTaskbar();  // a force value no entry matches becomes 0 or 1
}

void CTimerDlg::SelectAction(PowerAction action)
{
    int* const flags[] = {&m_bSuspend, &m_bHibernate, &m_bShutdown, &m_bLogOff, &m_bReboot};
    for (int i = 0; i < 5; ++i)
        *flags[i] = (i == action) ? 1 : 0;
    UpdateData(FALSE);
    UpdateData(TRUE);
    ShowEndOnTaskbar();
}
