#include "Dialog.h"

#include "DialogTemplate.h"
#include "WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bEnded(false), m_nModalResult(-1)
{
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::SetWords(UINT nIDLayout, UINT nIDWords)
{
    m_nIDLayout = nIDLayout;
    m_nIDWords = nIDWords;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    // Wake the loop in case we were called from outside any message.
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

// Left alone, the dialog manager puts an owned dialog at its template's x, y
// from the owner's top-left corner, so a box larger than its owner (the About
// box over a main window) hangs off it to the right and below. Like the
// framework we stand in for, centre an owned box that its own initialisation
// did not place; a template that asks for a placement of its own keeps it.
void CDialog::CentreOnOwnerIfUnplaced(HWND hWnd, const RECT& rcBefore)
{
    HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
    LONG style = ::GetWindowLongA(hWnd, GWL_STYLE);
    if (!hWndOwner || ::IsIconic(hWndOwner) || !::IsWindowVisible(hWndOwner) ||
        (style & (WS_CHILD | DS_CENTERMOUSE | DS_CENTER | DS_ABSALIGN)))
        return;
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    if (rc.left != rcBefore.left || rc.top != rcBefore.top)
        return;
    RECT rcOwner;
    ::GetWindowRect(hWndOwner, &rcOwner);
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoA(::MonitorFromWindow(hWndOwner, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    int x = (rcOwner.left + rcOwner.right - cx) / 2;
    int y = (rcOwner.top + rcOwner.bottom - cy) / 2;
    // Whole on the owner's monitor; its top-left corner wins if it cannot be.
    if (x + cx > mi.rcWork.right)
        x = mi.rcWork.right - cx;
    if (y + cy > mi.rcWork.bottom)
        y = mi.rcWork.bottom - cy;
    if (x < mi.rcWork.left)
        x = mi.rcWork.left;
    if (y < mi.rcWork.top)
        y = mi.rcWork.top;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CDialog::FindOwner() const
{
    // No parent given: the main window owns us, unless we are the main window.
    HWND hWndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hWndOwner) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this)
            hWndOwner = pMain->m_hWnd;
    }
    return hWndOwner ? ::GetAncestor(hWndOwner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = FindOwner();
    m_bEnded = false;
    m_nModalResult = -1;

    HWND hWnd = Create(hWndOwner);
    if (!hWnd)
        return -1;

    // The dialog manager's way: the owner is disabled for as long as we run.
    bool bOwnerDisabled = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, FALSE);
    if (!m_bEnded && !::IsWindowVisible(hWnd))
        ::ShowWindow(hWnd, SW_SHOWNORMAL);

    MSG msg;
    while (!m_bEnded) {
        BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == 0) {
            // WM_QUIT belongs to whoever runs the outermost loop; hand it on.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (bGot == -1)
            break;
        if (!::IsDialogMessageA(hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // Re-enable the owner before we go, so that activation returns to it
    // instead of some other application.
    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, TRUE);
    // Destroyed only now: a last tick may have ended us from inside a nested
    // box, whose handler was still running on our window.
    ::DestroyWindow(hWnd);
    return m_nModalResult;
}

HWND CDialog::Create(HWND hWndOwner)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    auto lParam = reinterpret_cast<LPARAM>(this);
    // As wide as it will be before it is made, so that the dialog manager
    // places it whole.
    CDialogTemplate layout;
    if (m_nIDLayout && AfxLoadDlgLayout(layout, hInst, m_nIDLayout, m_nIDWords))
        return ::CreateDialogIndirectParamA(hInst, layout.Get(), hWndOwner, DialogProc, lParam);
    return ::CreateDialogParamA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), hWndOwner, DialogProc, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* pDlg = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        pDlg->m_hWnd = hWnd;
        // The words before anything reads a control's text.
        if (pDlg->m_nIDLayout)
            AfxSetDlgWords(hWnd, AfxGetResourceHandle(), pDlg->m_nIDWords);
        RECT rcBefore;
        ::GetWindowRect(hWnd, &rcBefore);
        BOOL bResult = pDlg->OnInitDialog();
        CentreOnOwnerIfUnplaced(hWnd, rcBefore);
        return bResult;
    }

    // Messages before WM_INITDIALOG (WM_SETFONT and the like) find no object.
    auto* pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!pDlg)
        return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        pDlg->m_hWnd = nullptr;
        return FALSE;
    }

    LRESULT lResult = 0;
    if (!pDlg->OnWndMsg(message, wParam, lParam, &lResult))
        return FALSE;
    // A few messages return their answer directly instead of through DWLP_MSGRESULT.
    if (message == WM_QUERYDRAGICON)
        return static_cast<INT_PTR>(lResult);
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
