#include "PluralText.h"

#include "LanguageChoice.h"
#include "PluralRule.h"

namespace {

CString LoadForm(UINT nID, PluralCategory category)
{
    CString strForms;
    strForms.LoadString(nID);
    int nLength = 0;
    const char* pForm = PluralForm(strForms, category, nLength);
    return CString(pForm, nLength);
}

} // namespace

CString LoadPluralString(UINT nID, long long nCount)
{
    return LoadForm(nID, CardinalCategory(UiLanguageId(), nCount));
}

CString LoadPluralName(UINT nID)
{
    return LoadForm(nID, PluralCategory::Few);
}
