#include "AboutDlg.h"

#include "LanguageChoice.h"
#include "afxres.h"
#include "resource.h"

namespace {

// The framework's prompts may be numbered into this box's block of words
// (CMakeLists.txt does), but only where neither the box nor the countdown's
// texts beside its words have one (resource.h): the resource
// compiler keeps one of two texts with the same id and says nothing.
constexpr bool ClearOfTheWords(unsigned nID)
{
    return nID / 16 != IDS_ABOUT_WORDS / 16 || (nID > IDS_MINUTES_LEFT && nID < IDS_ABOUT_CAPTION);
}
static_assert(ClearOfTheWords(AFX_IDP_PARSE_INT) && ClearOfTheWords(AFX_IDP_PARSE_INT_RANGE),
              "a framework prompt would replace one of the About box's words or texts");

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
    if (IsUiTranslated())
        SetWords(IDD_ABOUTBOX_LAYOUT, IDS_ABOUT_WORDS);
}
