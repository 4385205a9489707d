#include "DataExchange.h"

#include "Wnd.h"
#include "afxres.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A prompt of the framework: the program's own text if it carries one.
CString PromptText(UINT nID, LPCSTR pszEnglish)
{
    CString text;
    if (!text.LoadString(nID))
        text = pszEnglish;
    return text;
}

} // namespace

BOOL AfxParseInt(LPCSTR psz, int* pValue)
{
    while (IsBlank(*psz))
        ++psz;
    bool negative = false;
    if (*psz == '+' || *psz == '-')
        negative = *psz++ == '-';
    if (*psz < '0' || *psz > '9')
        return FALSE;
    long long value = 0;
    for (; *psz >= '0' && *psz <= '9'; ++psz) {
        value = value * 10 + (*psz - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return FALSE;
    }
    while (IsBlank(*psz))
        ++psz;
    if (*psz != '\0')
        return FALSE;
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return FALSE;
    *pValue = static_cast<int>(value);
    return TRUE;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr),
      m_bEditLastControl(FALSE), m_bFailed(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail(LPCSTR lpszPrompt)
{
    m_bFailed = TRUE;
    // The prompt runs its own loop, and the dialog may be ended inside it; only
    // touch the control if it is still there afterwards.
    HWND hWndControl = m_hWndLastControl;
    m_pDlgWnd->MessageBox(lpszPrompt, nullptr, MB_OK | MB_ICONEXCLAMATION);
    if (hWndControl && ::IsWindow(hWndControl)) {
        ::SetFocus(hWndControl);
        if (m_bEditLastControl)
            ::SendMessageA(hWndControl, EM_SETSEL, 0, -1);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text = CWnd(hWnd).GetWindowText();
        if (!AfxParseInt(text, &value))
            pDX->Fail(PromptText(AFX_IDP_PARSE_INT, "Please enter a whole number."));
    } else {
        char sz[16];
        ::wsprintfA(sz, "%d", value);
        ::SetWindowTextA(hWnd, sz);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = CWnd(hWnd).GetWindowText();
    else
        ::SetWindowTextA(hWnd, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    } else {
        // A flag is set only when it is exactly 1; the member itself is left
        // as it is, whatever the box shows.
        ::SendMessageA(hWnd, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal) {
        // Translations keep English's two %d, in order; a check over the
        // built programs holds them to it.
        char sz[1024];  // wsprintf writes at most 1024 bytes
        ::wsprintfA(sz, PromptText(AFX_IDP_PARSE_INT_RANGE, "Please enter a number from %d to %d."), minVal, maxVal);
        pDX->Fail(sz);
    }
}
