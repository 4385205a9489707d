#pragma once

#include <windows.h>

// The framework's 8-bit string: just enough for labels and resource strings.
// (Not String.h: on a case-insensitive disk that would shadow <string.h>.)
class CString {
public:
    CString();
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);  // the first nLength characters
    CString(const CString& other);
    ~CString();
    CString& operator=(const CString& other);
    CString& operator=(LPCSTR psz);

    operator LPCSTR() const { return m_pch; }
    int GetLength() const;
    BOOL IsEmpty() const { return m_pch[0] == '\0'; }
    void Empty();
    bool operator==(LPCSTR psz) const;

    // Loads a string resource of the application; FALSE and empty if none.
    BOOL LoadString(UINT nID);

private:
    void Assign(LPCSTR psz, int nLength);
    char* m_pch;  // never null; the shared empty text when empty
};
