#pragma once

#include <windows.h>

// An extended dialog template (DIALOGEX) copied from the resources, so that it
// can be made wider before the dialog is made from it: a dialog in another
// language lays the same controls out, as wide as that language's words need.
class CDialogTemplate {
public:
    CDialogTemplate() = default;
    CDialogTemplate(const CDialogTemplate&) = delete;
    CDialogTemplate& operator=(const CDialogTemplate&) = delete;
    ~CDialogTemplate();

    // FALSE when there is no such template, it is not an extended one, or it
    // does not parse.
    BOOL Load(HINSTANCE hInst, UINT nIDTemplate);

    // The dialog cxDlu dialog units wide. Every control that reaches to within
    // 20 units of the right edge keeps its distance from it; the rest stay.
    void SetWidth(int cxDlu);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_pData); }

private:
    BYTE* m_pData = nullptr;
    DWORD m_cbData = 0;
};

// A dialog in another language is made from a layout (its template's
// controls, in a font for every script) and that language's words, from the
// string table: string nIDWords + i is the text of the i-th control (in
// template order), nIDWords + 14 the caption, nIDWords + 15 the width in
// dialog units. A word that is not there leaves the layout's own.
constexpr UINT AFX_WORDS_CAPTION = 14;
constexpr UINT AFX_WORDS_WIDTH = 15;

// The layout, as wide as the words ask; FALSE if it cannot be loaded.
BOOL AfxLoadDlgLayout(CDialogTemplate& layout, HINSTANCE hInst, UINT nIDLayout, UINT nIDWords);
// The words into the controls and the caption, once the dialog is made.
void AfxSetDlgWords(HWND hDlg, HINSTANCE hInst, UINT nIDWords);
