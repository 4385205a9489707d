#include "AboutDlg.h"

#include "LanguageChoice.h"
#include "resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
    if (IsUiTranslated())
        SetWords(IDD_ABOUTBOX_LAYOUT, IDS_ABOUT_WORDS);
}
