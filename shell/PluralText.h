#pragma once

#include "AfxString.h"

// The string resource nID, a word's forms separated by '|' (one|few|many|other,
// see PluralRule.h), in the form for nCount in the language UseUiLanguage
// chose. A string of one form comes back whole, whatever the count.
CString LoadPluralString(UINT nID, long long nCount);

// The word alone, as a label names it: its second form, the plural (in
// Polish, Russian and Ukrainian few's, the nominative plural).
CString LoadPluralName(UINT nID);
