#include "AfxString.h"

#include "WinApp.h"

#include <cstdlib>
#include <cstring>

namespace {
char g_chEmpty[1] = {'\0'};
}

CString::CString() : m_pch(g_chEmpty) {}

CString::CString(LPCSTR psz) : m_pch(g_chEmpty)
{
    *this = psz;
}

CString::CString(LPCSTR pch, int nLength) : m_pch(g_chEmpty)
{
    Assign(pch, pch ? nLength : 0);
}

CString::CString(const CString& other) : m_pch(g_chEmpty)
{
    *this = other.m_pch;
}

CString::~CString()
{
    Empty();
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        *this = other.m_pch;
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    Assign(psz, psz ? static_cast<int>(std::strlen(psz)) : 0);
    return *this;
}

int CString::GetLength() const
{
    return static_cast<int>(std::strlen(m_pch));
}

void CString::Empty()
{
    if (m_pch != g_chEmpty)
        std::free(m_pch);
    m_pch = g_chEmpty;
}

bool CString::operator==(LPCSTR psz) const
{
    return std::strcmp(m_pch, psz ? psz : "") == 0;
}

void CString::Assign(LPCSTR psz, int nLength)
{
    char* pNew = g_chEmpty;
    if (nLength > 0) {
        pNew = static_cast<char*>(std::malloc(static_cast<size_t>(nLength) + 1));
        if (!pNew)
            return;  // out of memory: keep the old text rather than lose both
        std::memcpy(pNew, psz, static_cast<size_t>(nLength));
        pNew[nLength] = '\0';
    }
    Empty();
    m_pch = pNew;
}

BOOL CString::LoadString(UINT nID)
{
    // LoadStringA cannot say how long the text is; grow until it fits.
    for (int nSize = 256; nSize <= 65536; nSize *= 2) {
        char* pNew = static_cast<char*>(std::malloc(static_cast<size_t>(nSize)));
        if (!pNew)
            break;
        int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, pNew, nSize);
        if (nLength < nSize - 1) {
            Assign(pNew, nLength);
            std::free(pNew);
            return nLength > 0;
        }
        std::free(pNew);
    }
    Empty();
    return FALSE;
}
