#pragma once

// Which form a word takes after a whole number, by CLDR's cardinal plural
// rules (the rules Qt's %n and gettext's ngettext follow). No Windows headers:
// a language is its LANGID, taken as a plain number.

enum class PluralCategory { One, Few, Many, Other };

// The category of the count n in the language of the LANGID (its primary
// language; a language we do not know follows English). A negative count is
// taken as its absolute value.
PluralCategory CardinalCategory(unsigned short nLangId, long long n);

// The form for the category in a text of forms separated by '|', in the order
// one|few|many|other. Forms may be left off at the end: the last one given
// stands for the rest, so a single form serves every count. Returns where the
// form starts and puts its length in nLength (null text: "" and 0).
const char* PluralForm(const char* pszForms, PluralCategory category, int& nLength);
