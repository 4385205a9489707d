#include "DialogTemplate.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// The fixed start of an extended template, and of each of its items.
#pragma pack(push, 1)
struct DlgHeaderEx {
    WORD dlgVer;
    WORD signature;  // 0xFFFF
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x, y, cx, cy;
};
struct DlgItemEx {
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
};
#pragma pack(pop)

constexpr short kStretchDlu = 20;

// Walks the variable parts of a template without leaving it.
class CReader {
public:
    CReader(BYTE* pData, DWORD cbData) : m_p(pData), m_pEnd(pData + cbData) {}
    BYTE* Here() const { return m_p; }
    bool Skip(DWORD cb)
    {
        if (cb > static_cast<DWORD>(m_pEnd - m_p))
            return false;
        m_p += cb;
        return true;
    }
    // A name or a number: empty (one 0), an ordinal (0xFFFF, n) or a string.
    bool SkipSzOrOrd()
    {
        WORD w;
        if (!Word(&w))
            return false;
        if (w == 0xFFFF)
            return Skip(sizeof(WORD));
        while (w != 0)
            if (!Word(&w))
                return false;
        return true;
    }
    bool SkipSz()
    {
        WORD w;
        do {
            if (!Word(&w))
                return false;
        } while (w != 0);
        return true;
    }
    bool Word(WORD* pw)
    {
        if (static_cast<DWORD>(m_pEnd - m_p) < sizeof(WORD))
            return false;
        std::memcpy(pw, m_p, sizeof(WORD));
        m_p += sizeof(WORD);
        return true;
    }
    bool AlignDword(const BYTE* pBase)
    {
        DWORD off = static_cast<DWORD>(m_p - pBase);
        return Skip(((off + 3) & ~3u) - off);
    }

private:
    BYTE* m_p;
    BYTE* m_pEnd;
};

} // namespace

CDialogTemplate::~CDialogTemplate()
{
    std::free(m_pData);
}

BOOL CDialogTemplate::Load(HINSTANCE hInst, UINT nIDTemplate)
{
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDTemplate), MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL hGlobal = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    const void* pRes = hGlobal ? ::LockResource(hGlobal) : nullptr;
    DWORD cb = hRes ? ::SizeofResource(hInst, hRes) : 0;
    if (!pRes || cb < sizeof(DlgHeaderEx))
        return FALSE;
    auto* pData = static_cast<BYTE*>(std::malloc(cb));
    if (!pData)
        return FALSE;
    std::memcpy(pData, pRes, cb);
    DlgHeaderEx head;
    std::memcpy(&head, pData, sizeof head);
    if (head.dlgVer != 1 || head.signature != 0xFFFF) {
        std::free(pData);
        return FALSE;
    }
    std::free(m_pData);
    m_pData = pData;
    m_cbData = cb;
    return TRUE;
}

void CDialogTemplate::SetWidth(int cxDlu)
{
    if (!m_pData || cxDlu <= 0 || cxDlu > SHRT_MAX)
        return;
    DlgHeaderEx head;
    std::memcpy(&head, m_pData, sizeof head);
    short dx = static_cast<short>(cxDlu - head.cx);
    if (dx == 0)
        return;
    CReader r(m_pData, m_cbData);
    // The header's menu, class, caption and, with DS_SETFONT, its font.
    if (!r.Skip(sizeof head) || !r.SkipSzOrOrd() || !r.SkipSzOrOrd() || !r.SkipSz())
        return;
    if ((head.style & DS_SETFONT) && (!r.Skip(2 * sizeof(WORD) + 2 * sizeof(BYTE)) || !r.SkipSz()))
        return;
    // Checked all through first, so that a template is changed whole or not at all.
    BYTE* apItems[64];
    if (head.cDlgItems > ARRAYSIZE(apItems))
        return;
    for (WORD i = 0; i < head.cDlgItems; ++i) {
        WORD cbExtra;
        if (!r.AlignDword(m_pData))
            return;
        apItems[i] = r.Here();
        if (!r.Skip(sizeof(DlgItemEx)) || !r.SkipSzOrOrd() || !r.SkipSzOrOrd() || !r.Word(&cbExtra) ||
            !r.Skip(cbExtra))
            return;
    }
    for (WORD i = 0; i < head.cDlgItems; ++i) {
        DlgItemEx item;
        std::memcpy(&item, apItems[i], sizeof item);
        if (item.x + item.cx >= head.cx - kStretchDlu) {
            item.cx = static_cast<short>(item.cx + dx);
            std::memcpy(apItems[i], &item, sizeof item);
        }
    }
    head.cx = static_cast<short>(cxDlu);
    std::memcpy(m_pData, &head, sizeof head);
}

namespace {

// A word; false when the string table has none.
bool LoadWord(HINSTANCE hInst, UINT nID, char (&szWord)[256])
{
    return ::LoadStringA(hInst, nID, szWord, sizeof szWord) > 0;
}

} // namespace

BOOL AfxLoadDlgLayout(CDialogTemplate& layout, HINSTANCE hInst, UINT nIDLayout, UINT nIDWords)
{
    if (!layout.Load(hInst, nIDLayout))
        return FALSE;
    char szWidth[256];
    if (LoadWord(hInst, nIDWords + AFX_WORDS_WIDTH, szWidth))
        layout.SetWidth(std::atoi(szWidth));
    return TRUE;
}

void AfxSetDlgWords(HWND hDlg, HINSTANCE hInst, UINT nIDWords)
{
    char szWord[256];
    UINT i = 0;
    for (HWND hCtl = ::GetWindow(hDlg, GW_CHILD); hCtl && i < AFX_WORDS_CAPTION;
         hCtl = ::GetWindow(hCtl, GW_HWNDNEXT), ++i)
        if (LoadWord(hInst, nIDWords + i, szWord))
            ::SetWindowTextA(hCtl, szWord);
    if (LoadWord(hInst, nIDWords + AFX_WORDS_CAPTION, szWord))
        ::SetWindowTextA(hDlg, szWord);
}
