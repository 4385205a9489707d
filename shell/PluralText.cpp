#include "PluralText.h"

#include "LanguageChoice.h"
#include "PluralRule.h"

CString LoadPluralString(UINT nID, long long nCount)
{
    CString strForms;
    strForms.LoadString(nID);
    int nLength = 0;
    const char* pForm = PluralForm(strForms, CardinalCategory(UiLanguageId(), nCount), nLength);
    return CString(pForm, nLength);
}
