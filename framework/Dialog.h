#pragma once

#include "MessageMap.h"
#include "Wnd.h"

// A modal dialog from a template, with its own message loop.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog until EndDialog; returns its result, or -1 if the window
    // could not be created.
    virtual INT_PTR DoModal();

    // Called at WM_INITDIALOG: pushes the members. TRUE lets the dialog
    // manager place the focus.
    virtual BOOL OnInitDialog();
    // IDOK: pull, and end with IDOK if the pull succeeded.
    virtual void OnOK();
    // IDCANCEL (also Esc and WM_CLOSE): end with IDCANCEL.
    virtual void OnCancel();

    // Made in another language: from the layout nIDLayout (the template's
    // controls in a font for every script) with the words from string
    // nIDWords on (see AfxSetDlgWords). Without that layout, the template as
    // ever. Call before DoModal.
    void SetWords(UINT nIDLayout, UINT nIDWords);

    // Ends the modal loop once control returns to it; safe from a nested loop.
    void EndDialog(int nResult);
    bool IsEnded() const { return m_bEnded; }

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    UINT m_nIDLayout = 0;  // 0: the template's own language
    UINT m_nIDWords = 0;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    HWND Create(HWND hWndOwner);
    static void CentreOnOwnerIfUnplaced(HWND hWnd, const RECT& rcBefore);

    bool m_bEnded;
    INT_PTR m_nModalResult;
};
