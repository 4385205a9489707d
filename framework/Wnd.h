#pragma once

#include "AfxString.h"
#include "CmdTarget.h"
#include "Menu.h"

#include <windows.h>

class CDataExchange;

// Shows a message box. Tests replace it to answer boxes without a user.
typedef int (*AFX_MSGBOX_HOOK)(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);

// Installs a replacement for ::MessageBoxA (null restores it); returns the old one.
AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook);

// Every message box of the framework goes through here. A null caption gives
// the application's name.
int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);

// A window. Copies are cheap, non-owning views of the same handle.
class CWnd : public CCmdTarget {
public:
    CWnd() : m_hWnd(nullptr) {}
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    CWnd(const CWnd& other) : CCmdTarget(), m_hWnd(other.m_hWnd) {}
    CWnd& operator=(const CWnd& other)
    {
        m_hWnd = other.m_hWnd;
        return *this;
    }

    HWND GetSafeHwnd() const { return m_hWnd; }

    CWnd GetDlgItem(int nID) const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCSTR lpszString);
    CString GetWindowText() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    HWND SetFocus();
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    CMenu GetSystemMenu(BOOL bRevert) const;

    // Overridable so that a test can have the system refuse a timer.
    virtual UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    virtual BOOL KillTimer(UINT_PTR nIDEvent);

    // Owned by this window; no caption means the application's name.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // FALSE pushes every member into its control; TRUE pulls and validates, and
    // stops at the first failure after prompting. No control notification
    // reaches this window's handlers meanwhile.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // True while a push or pull runs on this window, however deeply nested.
    bool IsNotifyLocked() const { return m_nNotifyLock > 0; }

    HWND m_hWnd;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // Asks for the default processing of the message being handled.
    LRESULT Default();

    // Routes a message through the message map. FALSE: not handled, or the
    // handler asked for default processing.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

private:
    friend class CNotifyLock;
    int m_nNotifyLock = 0;
    bool m_bDefaultWanted = false;
};

// Holds off control notifications for as long as it lives. Nests.
class CNotifyLock {
public:
    explicit CNotifyLock(CWnd& wnd) : m_wnd(wnd) { ++m_wnd.m_nNotifyLock; }
    ~CNotifyLock() { --m_wnd.m_nNotifyLock; }
    CNotifyLock(const CNotifyLock&) = delete;
    CNotifyLock& operator=(const CNotifyLock&) = delete;

private:
    CWnd& m_wnd;
};
