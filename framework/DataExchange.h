#pragma once

#include "AfxString.h"

#include <windows.h>

class CWnd;

// One push or pull over a dialog's members. Failures do not throw: the first
// one prompts, puts the focus back into its control, and marks the exchange
// failed, after which every further DDX_/DDV_ call does nothing.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Prompts with the text, then returns focus and a full selection to the
    // last control.
    void Fail(LPCSTR lpszPrompt);

    BOOL m_bSaveAndValidate;  // TRUE: pull; FALSE: push
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
    BOOL m_bFailed;
};

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// The integer an edit field holds, as the pull reads it: optional white space
// and sign, then digits and nothing but white space. FALSE when it is not an
// int (empty, other characters, or out of range).
BOOL AfxParseInt(LPCSTR psz, int* pValue);
