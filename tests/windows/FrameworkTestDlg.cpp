#include "FrameworkTestDlg.h"

#include <algorithm>

namespace {

struct BoxSearch {
    HWND hExclude;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<BoxSearch*>(lParam);
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (hWnd != s->hExclude && ::IsWindowVisible(hWnd) && lstrcmpA(cls, "#32770") == 0)
        s->found.push_back(hWnd);
    return TRUE;
}

ScopedMessageBoxRecorder* g_pRecorder = nullptr;
std::vector<MessageBoxRecord> g_boxes;
int g_nAnswer = IDOK;

int RecordingHook(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    MessageBoxRecord r = {hOwner, lpszText ? lpszText : "", lpszCaption ? lpszCaption : "(null)", nType};
    g_boxes.push_back(r);
    if (g_pRecorder && g_pRecorder->m_onBox)
        g_pRecorder->m_onBox(r);
    return g_nAnswer;
}

} // namespace

std::vector<HWND> ThreadBoxes(HWND hExclude)
{
    BoxSearch s = {hExclude, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectBox, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string WindowTextOf(HWND hWnd)
{
    char text[1024] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND hBox)
{
    // Windows gives the message's static control id 0xFFFF.
    std::string text = WindowTextOf(::GetDlgItem(hBox, 0xFFFF));
    if (text.empty()) {
        // Wine's box template numbers it differently: take the longest static.
        for (HWND h = ::GetWindow(hBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            char cls[32] = "";
            ::GetClassNameA(h, cls, sizeof cls);
            std::string t = WindowTextOf(h);
            if (lstrcmpiA(cls, "Static") == 0 && t.size() > text.size())
                text = t;
        }
    }
    return text;
}

void AnswerBox(HWND hBox, int nID)
{
    ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hBox, nID)));
}

CFwTestDlg::CFwTestDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BEGIN_MESSAGE_MAP(CFwTestDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_EN_CHANGE(IDC_FW_COUNT, OnChangeCount)
    ON_EN_CHANGE(IDC_FW_TEXT, OnChangeText)
    ON_BN_CLICKED(IDC_FW_FIRST, OnClickFirst)
    ON_BN_CLICKED(IDC_FW_SECOND, OnClickSecond)
    FWTEST_ON_MESSAGE(WM_FWTEST_RUN, OnRun)
END_MESSAGE_MAP()

int CFwTestDlg::Count(const std::string& call) const
{
    return static_cast<int>(std::count(m_calls.begin(), m_calls.end(), call));
}

BOOL CFwTestDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nWatchdogMs)
        SetTimer(kWatchdogTimer, m_nWatchdogMs, nullptr);
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
    if (nIDEvent == kWatchdogTimer) {
        KillTimer(kWatchdogTimer);
        m_bWatchdogFired = true;
        for (HWND hBox : ThreadBoxes(m_hWnd))
            AnswerBox(hBox, IDCANCEL);
        EndDialog(-2);
        return;
    }
    if (m_onTimer)
        m_onTimer(*this, nIDEvent);
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

ScopedMessageBoxRecorder::ScopedMessageBoxRecorder(int nAnswer)
{
    g_boxes.clear();
    g_nAnswer = nAnswer;
    g_pRecorder = this;
    m_pfnOld = AfxSetMessageBoxHook(RecordingHook);
}

ScopedMessageBoxRecorder::~ScopedMessageBoxRecorder()
{
    AfxSetMessageBoxHook(m_pfnOld);
    g_pRecorder = nullptr;
}

const std::vector<MessageBoxRecord>& ScopedMessageBoxRecorder::Boxes() const
{
    return g_boxes;
}
