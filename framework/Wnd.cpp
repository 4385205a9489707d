#include "Wnd.h"

#include "DataExchange.h"
#include "WinApp.h"

namespace {
AFX_MSGBOX_HOOK g_pfnMessageBoxHook = nullptr;
}

AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook)
{
    AFX_MSGBOX_HOOK pfnOld = g_pfnMessageBoxHook;
    g_pfnMessageBoxHook = pfnHook;
    return pfnOld;
}

int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    if (g_pfnMessageBoxHook)
        return g_pfnMessageBoxHook(hWndOwner, lpszText, lpszCaption, nType);
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

CWnd CWnd::GetDlgItem(int nID) const
{
    return CWnd(::GetDlgItem(m_hWnd, nID));
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

CString CWnd::GetWindowText() const
{
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    if (nLength <= 0)
        return CString();
    // Small enough for the stack in every dialog we have; fall back to the heap.
    char szSmall[256];
    char* pBuffer = nLength < static_cast<int>(sizeof szSmall)
                        ? szSmall
                        : static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, static_cast<SIZE_T>(nLength) + 1));
    if (!pBuffer)
        return CString();
    ::GetWindowTextA(m_hWnd, pBuffer, nLength + 1);
    CString text(pBuffer);
    if (pBuffer != szSmall)
        ::HeapFree(::GetProcessHeap(), 0, pBuffer);
    return text;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::SetFocus()
{
    return ::SetFocus(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

CMenu CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    // The push's own SetWindowText sends EN_CHANGE at once; the lock keeps it,
    // and every other notification, away from the handlers until we are done.
    CNotifyLock lock(*this);
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

LRESULT CWnd::Default()
{
    m_bDefaultWanted = true;
    return 0;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
    if (message == WM_COMMAND) {
        UINT nCode = HIWORD(wParam);
        UINT nID = LOWORD(wParam);
        // lParam names the control that sent a notification.
        if (lParam != 0 && IsNotifyLocked()) {
            *pResult = 0;
            return TRUE;
        }
        pEntry = FindMessageEntry(WM_COMMAND, nCode, nID);
        if (!pEntry) {
            // Commands nobody here handles go on to the application.
            CWinApp* pApp = AfxGetApp();
            const AFX_MSGMAP_ENTRY* pAppEntry = pApp ? pApp->FindMessageEntry(WM_COMMAND, nCode, nID) : nullptr;
            if (pAppEntry) {
                *pResult = pAppEntry->pfn(pApp, wParam, lParam);
                return TRUE;
            }
            return FALSE;
        }
    } else {
        pEntry = FindMessageEntry(message, 0, 0);
        if (!pEntry)
            return FALSE;
    }

    // Handlers nest (a tick inside a prompt's loop), so keep the outer state.
    bool bOuterDefaultWanted = m_bDefaultWanted;
    m_bDefaultWanted = false;
    *pResult = pEntry->pfn(this, wParam, lParam);
    bool bDefaultWanted = m_bDefaultWanted;
    m_bDefaultWanted = bOuterDefaultWanted;
    return !bDefaultWanted;
}
