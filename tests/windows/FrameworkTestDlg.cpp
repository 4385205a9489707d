#include "FrameworkTestDlg.h"

#include "ModalRunner.h"

#include <algorithm>

CFwTestDlg::CFwTestDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BEGIN_MESSAGE_MAP(CFwTestDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_EN_CHANGE(IDC_FW_COUNT, OnChangeCount)
    ON_EN_CHANGE(IDC_FW_TEXT, OnChangeText)
    ON_BN_CLICKED(IDC_FW_FIRST, OnClickFirst)
    ON_BN_CLICKED(IDC_FW_SECOND, OnClickSecond)
    ON_MESSAGE(WM_FWTEST_RUN, OnRun)
END_MESSAGE_MAP()

int CFwTestDlg::Count(const std::string& call) const
{
    return static_cast<int>(std::count(m_calls.begin(), m_calls.end(), call));
}

INT_PTR CFwTestDlg::DoModal()
{
    ModalWatchdog watchdog(*this);
    INT_PTR nResult = CDialog::DoModal();
    m_bWatchdogFired = watchdog.Fired();
    return nResult;
}

BOOL CFwTestDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PostMessage(WM_FWTEST_RUN);
    return TRUE;
}

void CFwTestDlg::DoDataExchange(CDataExchange* pDX)
{
    auto during = [&](int i) {
        if (m_duringExchange)
            m_duringExchange(*this, i);
    };
    DDX_Check(pDX, IDC_FW_FIRST, m_bFirst);
    during(0);
    DDX_Text(pDX, IDC_FW_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 0, 1000);
    during(1);
    DDX_Check(pDX, IDC_FW_SECOND, m_bSecond);
    during(2);
    DDX_Check(pDX, IDC_FW_THIRD, m_bThird);
    during(3);
    DDX_Text(pDX, IDC_FW_TEXT, m_strText);
    during(4);
}

void CFwTestDlg::OnOK()
{
    m_calls.push_back("OnOK");
    if (m_bBaseOK)
        CDialog::OnOK();
}

void CFwTestDlg::OnCancel()
{
    m_calls.push_back("OnCancel");
    if (m_bBaseCancel)
        CDialog::OnCancel();
}

void CFwTestDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_onTimer)
        m_onTimer(*this, nIDEvent);
    if (m_onTickInBox) {
        std::vector<HWND> boxes = ThreadBoxes(m_hWnd);
        if (!boxes.empty())
            m_onTickInBox(*this, boxes.front());
    }
}

void CFwTestDlg::OnSysCommand(UINT nID, LPARAM)
{
    m_calls.push_back("SYSCOMMAND " + std::to_string(nID));
    // One command of our own; the rest go on to the system.
    if ((nID & 0xFFF0) != 0x0010)
        Default();
}

HCURSOR CFwTestDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hDragIcon);
}

LRESULT CFwTestDlg::OnRun(WPARAM, LPARAM)
{
    if (m_onRunning)
        m_onRunning(*this);
    return 0;
}
