#include "DialogTemplate.h"
#include "LanguageChoice.h"
#include "Platform.h"
#include "UiLanguages.h"
#include "../../powerlib/resource.h"
#include "../../shell/resource.h"
#include "../../shutdown/resource.h"

#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

// The translations as the built files carry them: every language has every
// text English has and no other, each dialog is English's in the shell font,
// and every text fits its control, at 96 and at 144 dpi.
namespace {

std::string Utf8(const std::wstring& text)
{
    std::string s(text.size() * 3 + 1, '\0');
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &s[0],
                                  static_cast<int>(s.size()), nullptr, nullptr);
    s.resize(n > 0 ? n : 0);
    return s;
}

// A built file, for its resources only. Read from a renamed copy: Wine
// answers for its own built-in shutdown.exe when asked for a file of that name.
class CBuiltModule {
public:
    explicit CBuiltModule(const char* file)
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_copy = std::string(szTemp) + "vespiro-lang-" + std::to_string(::GetCurrentProcessId()) + "-" + file;
        m_copy.replace(m_copy.rfind('.'), 1, "-");
        m_copy += ".bin";
        if (::CopyFileA((WinPath(VESPIRO_BIN_DIR) + "\\" + file).c_str(), m_copy.c_str(), FALSE))
            m_h = ::LoadLibraryExA(m_copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~CBuiltModule()
    {
        if (m_h)
            ::FreeLibrary(m_h);
        ::DeleteFileA(m_copy.c_str());
    }
    HMODULE Get() const { return m_h; }

private:
    std::string m_copy;
    HMODULE m_h = nullptr;
};

BOOL CALLBACK AddBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD lang, LONG_PTR param)
{
    reinterpret_cast<std::map<WORD, int>*>(param)->operator[](lang)++;
    return TRUE;
}

// Every string of one language: id to text.
std::map<UINT, std::wstring> Strings(HMODULE h, WORD lang)
{
    std::vector<UINT> blocks;
    ::EnumResourceNamesW(h, MAKEINTRESOURCEW(6), AddBlock, reinterpret_cast<LONG_PTR>(&blocks));
    std::map<UINT, std::wstring> texts;
    for (UINT block : blocks) {
        HRSRC hRes = ::FindResourceExW(h, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), lang);
        if (!hRes)
            continue;
        auto* p = static_cast<const WCHAR*>(::LockResource(::LoadResource(h, hRes)));
        for (UINT i = 0; i < 16; ++i) {
            UINT cch = *p++;
            if (cch)
                texts[(block - 1) * 16 + i] = std::wstring(p, cch);
            p += cch;
        }
    }
    return texts;
}

// The printf conversions of a text in order, such as "%d%d", then the
// FormatMessage inserts it takes (%1, %2!d!), each once and sorted: a
// translation puts those where its grammar wants. (No printf text of ours has
// a field width, which would read as an insert.)
std::string Conversions(const std::wstring& text)
{
    std::string conversions;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        size_t j = i + 1;
        if (text[i] != L'%' || (text[j] >= L'1' && text[j] <= L'9'))
            continue;  // an insert, below
        while (j < text.size() && wcschr(L"-+ #0123456789.lh", text[j]))
            ++j;
        if (j < text.size())
            conversions += Utf8(text.substr(i, j - i + 1));
        i = j;
    }
    static const std::regex kInsert("%[1-9][0-9]*(![^!]*!)?");
    const std::string utf8 = Utf8(text);
    std::set<std::string> inserts(std::sregex_token_iterator(utf8.begin(), utf8.end(), kInsert), {});
    for (const std::string& insert : inserts)
        conversions += insert;
    return conversions;
}

const char* const kModules[] = {"shutdown.exe", "drowsel.exe", "Shutdown.dll"};

} // namespace

TEST(Translations, EveryLanguageHasEnglishsTextsAndNoOthers)
{
    for (const char* file : kModules) {
        CBuiltModule module(file);
        ASSERT_TRUE(module.Get()) << file;
        const std::map<UINT, std::wstring> english = Strings(module.Get(), g_uiLanguages[0].nLangId);
        ASSERT_FALSE(english.empty()) << file;
        std::map<WORD, int> languages;
        std::vector<UINT> blocks;
        ::EnumResourceNamesW(module.Get(), MAKEINTRESOURCEW(6), AddBlock, reinterpret_cast<LONG_PTR>(&blocks));
        for (UINT block : blocks)
            ::EnumResourceLanguagesW(module.Get(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), AddLanguage,
                                     reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(static_cast<size_t>(kUiLanguageCount), languages.size()) << file << ": languages other than ours";
        for (const UiLanguage& language : g_uiLanguages) {
            const std::map<UINT, std::wstring> texts = Strings(module.Get(), language.nLangId);
            for (const auto& text : english) {
                auto it = texts.find(text.first);
                if (it == texts.end()) {
                    ADD_FAILURE() << file << ", " << language.pszName << ": lacks text " << text.first << " (\""
                                  << Utf8(text.second) << "\")";
                    continue;
                }
                EXPECT_EQ(Conversions(text.second), Conversions(it->second))
                    << file << ", " << language.pszName << ", text " << text.first << ": \"" << Utf8(it->second)
                    << "\" must take what English's takes";
            }
            for (const auto& text : texts)
                EXPECT_TRUE(english.count(text.first))
                    << file << ", " << language.pszName << ": has text " << text.first << ", which English has not";
        }
    }
}

namespace {

std::string g_boxText, g_boxCaption;

// Points every slot of the module's image that holds pfnOld at pfnNew: its
// imports, and any table it copied them into.
void Redirect(HMODULE h, FARPROC pfnOld, void* pfnNew)
{
    auto* pBase = reinterpret_cast<BYTE*>(h);
    auto* pNt = reinterpret_cast<IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<IMAGE_DOS_HEADER*>(h)->e_lfanew);
    for (DWORD off = 0; off + sizeof(void*) <= pNt->OptionalHeader.SizeOfImage; off += sizeof(void*)) {
        auto** ppSlot = reinterpret_cast<void**>(pBase + off);
        DWORD dwOld;
        if (*ppSlot == reinterpret_cast<void*>(pfnOld) &&
            ::VirtualProtect(ppSlot, sizeof(void*), PAGE_READWRITE, &dwOld)) {
            *ppSlot = pfnNew;
            ::VirtualProtect(ppSlot, sizeof(void*), dwOld, &dwOld);
        }
    }
}

} // namespace

// The built library loaded by a program that has none of its texts (this
// one): its boxes speak from its own module, in the language chosen.
TEST(Translations, TheLibrarysBoxesTakeItsOwnTexts)
{
    HMODULE h = ::LoadLibraryA((WinPath(VESPIRO_BIN_DIR) + "\\Shutdown.dll").c_str());
    ASSERT_TRUE(h);
    // Its box recorded, and a machine without hibernation, which it reports.
    int(WINAPI * pfnBox)(HWND, LPCSTR, LPCSTR, UINT) = [](HWND, LPCSTR pszText, LPCSTR pszCaption, UINT) {
        return g_boxText = pszText, g_boxCaption = pszCaption, IDOK;
    };
    BOOLEAN(WINAPI * pfnCaps)(PSYSTEM_POWER_CAPABILITIES) = [](PSYSTEM_POWER_CAPABILITIES p) -> BOOLEAN { return *p = {}, TRUE; };
    Redirect(h, ::GetProcAddress(::GetModuleHandleA("user32.dll"), "MessageBoxA"), reinterpret_cast<void*>(pfnBox));
    Redirect(h, ::GetProcAddress(::GetModuleHandleA("powrprof.dll"), "GetPwrCapabilities"), reinterpret_cast<void*>(pfnCaps));
    auto pfnHibernate = reinterpret_cast<void (*)()>(::GetProcAddress(h, "Hibernate"));
    ASSERT_TRUE(pfnHibernate);
    for (const UiLanguage& language : g_uiLanguages) {
        UseUiLanguage(language.pszName);
        g_boxText = g_boxCaption = "none";
        pfnHibernate();
        std::map<UINT, std::wstring> texts = Strings(h, language.nLangId);
        EXPECT_EQ(Utf8(texts[IDS_NO_HIBERNATION]), g_boxText) << language.pszName;
        EXPECT_EQ(Utf8(texts[IDS_HIBERNATE]), g_boxCaption) << language.pszName;
    }
    UseUiLanguage("en");
    ::FreeLibrary(h);
}

namespace {

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct DialogOfProgram {
    const char* file;
    UINT nIDTemplate;  // English's
    UINT nIDLayout;    // every translation's
    UINT nIDWords;
    const char* name;
    // The unit beside the count (shutdown's field, drowsel's static after
    // the count), which shows each form of these words as the count changes.
    std::vector<UINT> unitWords;
};

const DialogOfProgram kDialogs[] = {
    {"shutdown.exe", IDD_MAIN, IDD_MAIN_LAYOUT, IDS_MAIN_WORDS, "shutdown's window", {IDS_SECONDS, IDS_MINUTES, IDS_HOURS}},
    {"drowsel.exe", IDD_MAIN, IDD_MAIN_LAYOUT, IDS_MAIN_WORDS, "drowsel's window", {IDS_MAIN_WORDS + 4}},  // IDS_MAIN_SECONDS
    {"shutdown.exe", IDD_ABOUTBOX, IDD_ABOUTBOX_LAYOUT, IDS_ABOUT_WORDS, "the About box", {}},
};

// A template of the module, in English, made into a dialog of ours.
HWND MakeFromTemplate(HMODULE h, UINT nID)
{
    HRSRC hRes = ::FindResourceExW(h, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(nID), g_uiLanguages[0].nLangId);
    if (!hRes)
        return nullptr;
    auto* pTemplate = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(h, hRes)));
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), pTemplate, nullptr, NoDialogProc, 0);
}

// The dialog as the program opens it in the thread's language.
HWND MakeAsOpened(HMODULE h, const DialogOfProgram& dialog)
{
    if (!IsUiTranslated())
        return MakeFromTemplate(h, dialog.nIDTemplate);
    CDialogTemplate layout;
    if (!AfxLoadDlgLayout(layout, h, dialog.nIDLayout, dialog.nIDWords))
        return nullptr;
    HWND hDlg = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), layout.Get(), nullptr, NoDialogProc, 0);
    if (hDlg)
        AfxSetDlgWords(hDlg, h, dialog.nIDWords);
    return hDlg;
}

std::wstring TextOf(HWND hWnd)
{
    WCHAR wsz[512] = L"";
    ::GetWindowTextW(hWnd, wsz, ARRAYSIZE(wsz));
    return wsz;
}

std::string ClassOf(HWND hWnd)
{
    char sz[64] = "";
    ::GetClassNameA(hWnd, sz, sizeof sz);
    return sz;
}

std::vector<HWND> Children(HWND hDlg)
{
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

} // namespace

TEST(Translations, TheLayoutsAreTheEnglishDialogsInTheShellFont)
{
    UseUiLanguage("en");
    for (const DialogOfProgram& dialog : kDialogs) {
        SCOPED_TRACE(dialog.name);
        CBuiltModule module(dialog.file);
        HWND hEnglish = MakeFromTemplate(module.Get(), dialog.nIDTemplate);
        HWND hLayout = MakeFromTemplate(module.Get(), dialog.nIDLayout);
        ASSERT_TRUE(hEnglish && hLayout);
        EXPECT_EQ(::GetWindowLongW(hEnglish, GWL_STYLE) | DS_SHELLFONT, ::GetWindowLongW(hLayout, GWL_STYLE));
        EXPECT_EQ(::GetWindowLongW(hEnglish, GWL_EXSTYLE), ::GetWindowLongW(hLayout, GWL_EXSTYLE));
        EXPECT_EQ(TextOf(hEnglish), TextOf(hLayout));
        LOGFONTW font = {};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hLayout, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STRNE("MS Sans Serif", Utf8(font.lfFaceName).c_str());
        const std::map<UINT, std::wstring> words = Strings(module.Get(), g_uiLanguages[0].nLangId);
        std::vector<HWND> english = Children(hEnglish), layout = Children(hLayout);
        ASSERT_EQ(english.size(), layout.size());
        for (size_t i = 0; i < english.size(); ++i) {
            SCOPED_TRACE("control " + std::to_string(i) + " \"" + Utf8(TextOf(english[i])) + "\"");
            // A classic template's ids are 16 bits: IDC_STATIC comes back as 0xFFFF.
            EXPECT_EQ(static_cast<WORD>(::GetDlgCtrlID(english[i])), static_cast<WORD>(::GetDlgCtrlID(layout[i])));
            EXPECT_EQ(ClassOf(english[i]), ClassOf(layout[i]));
            EXPECT_EQ(::GetWindowLongW(english[i], GWL_STYLE), ::GetWindowLongW(layout[i], GWL_STYLE));
            EXPECT_EQ(::GetWindowLongW(english[i], GWL_EXSTYLE), ::GetWindowLongW(layout[i], GWL_EXSTYLE));
            EXPECT_EQ(TextOf(english[i]), TextOf(layout[i]));
            // English's words are the reference the translations follow.
            auto word = words.find(dialog.nIDWords + static_cast<UINT>(i));
            if (word != words.end()) {
                EXPECT_EQ(TextOf(english[i]), word->second);
            }
        }
        ::DestroyWindow(hEnglish);
        ::DestroyWindow(hLayout);
    }
}

namespace {

int Scale(int px, int dpi)
{
    return ::MulDiv(px, dpi, 96);
}

// The width a control has for its one line of text, in pixels: the check
// box's box and gap, the button's edges, the group box's indents taken off.
int RoomFor(HWND hCtl, int dpi)
{
    RECT rc;
    ::GetClientRect(hCtl, &rc);
    const std::string cls = ClassOf(hCtl);
    const LONG style = ::GetWindowLongW(hCtl, GWL_STYLE);
    if (cls == "Button") {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return rc.right - Scale(16, dpi);
        case BS_CHECKBOX: case BS_AUTOCHECKBOX:
            return rc.right - ::GetSystemMetrics(SM_CXMENUCHECK) - Scale(6, dpi);
        default:
            return rc.right - Scale(10, dpi);
        }
    }
    if (cls == "Edit") {
        DWORD margins = static_cast<DWORD>(::SendMessageW(hCtl, EM_GETMARGINS, 0, 0));
        return rc.right - LOWORD(margins) - HIWORD(margins);
    }
    return rc.right;
}

// The text as drawn: a single '&' marks the access key and takes no room.
std::wstring Drawn(HWND hCtl)
{
    std::wstring text = TextOf(hCtl);
    if (ClassOf(hCtl) == "Static" && (::GetWindowLongW(hCtl, GWL_STYLE) & SS_NOPREFIX))
        return text;
    std::wstring drawn;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != L'&' || (i + 1 < text.size() && text[i + 1] == L'&' && ++i))
            drawn += text[i];
    return drawn;
}

std::wstring RegistryText(HKEY hRoot, LPCWSTR pszKey, LPCWSTR pszValue)
{
    WCHAR wsz[2048] = L"";
    DWORD cb = sizeof wsz - sizeof(WCHAR);
    if (::RegGetValueW(hRoot, pszKey, pszValue, RRF_RT_REG_SZ | RRF_RT_REG_MULTI_SZ, nullptr, wsz, &cb) != ERROR_SUCCESS)
        return std::wstring();
    return std::wstring(wsz, cb / sizeof(WCHAR));
}

// The faces Windows draws a face's missing letters with: its font links,
// after the substitutes (MS Shell Dlg is Tahoma).
std::vector<std::wstring> LinkedFaces(std::wstring face)
{
    std::wstring substitute = RegistryText(
        HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", face.c_str());
    if (!substitute.empty())
        face = substitute.c_str();
    std::wstring links = RegistryText(HKEY_LOCAL_MACHINE,
                                      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink",
                                      face.c_str());
    std::vector<std::wstring> faces;
    for (size_t i = 0; i < links.size();) {
        std::wstring link = links.c_str() + i;  // "FILE.TTC,Face[,scale...]"
        i += link.size() + 1;
        size_t comma = link.find(L',');
        if (comma != std::wstring::npos)
            faces.push_back(link.substr(comma + 1, link.find(L',', comma + 1) - comma - 1));
    }
    return faces;
}

// The letters of the text that neither the font nor a font it links to has.
std::wstring Missing(HDC hdc, HFONT hFont, const std::wstring& text)
{
    std::wstring missing;
    LOGFONTW base = {};
    ::GetObjectW(hFont, sizeof base, &base);
    WCHAR wszFace[LF_FACESIZE] = L"";
    ::GetTextFaceW(hdc, LF_FACESIZE, wszFace);
    const std::vector<std::wstring> links = LinkedFaces(wszFace);
    for (WCHAR ch : text) {
        WORD glyph = 0;
        ::GetGlyphIndicesW(hdc, &ch, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
        for (size_t i = 0; glyph == 0xFFFF && i < links.size(); ++i) {
            LOGFONTW linked = base;
            lstrcpynW(linked.lfFaceName, links[i].c_str(), LF_FACESIZE);
            HFONT hLinked = ::CreateFontIndirectW(&linked);
            HGDIOBJ hOld = ::SelectObject(hdc, hLinked);
            ::GetGlyphIndicesW(hdc, &ch, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
            ::SelectObject(hdc, hOld);
            ::DeleteObject(hLinked);
        }
        if (glyph == 0xFFFF)
            missing += ch;
    }
    return missing;
}

// A translated text leaves a tenth of its width spare: the same Tahoma comes
// out a few pixels wider from another FreeType (Wine 10's against Wine 8's),
// and Windows' own renderer and hinting are a third.
constexpr int kSparePercent = 10;

// The control's text on one line, whole, in letters its font can draw; in a
// translation, with room to spare.
void ExpectFits(HWND hCtl, int dpi, const std::string& where, bool bSpare = false)
{
    const std::wstring text = Drawn(hCtl);
    if (text.empty() || !(::GetWindowLongW(hCtl, GWL_STYLE) & WS_VISIBLE))
        return;  // a hidden control shows nobody anything
    HDC hdc = ::GetDC(hCtl);
    HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageW(hCtl, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hdc, &tm);
    const std::wstring missing = Missing(hdc, static_cast<HFONT>(::GetCurrentObject(hdc, OBJ_FONT)), text);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(hCtl, hdc);
    RECT rc;
    ::GetClientRect(hCtl, &rc);
    const std::string what = where + ", control " + std::to_string(::GetDlgCtrlID(hCtl)) + " \"" + Utf8(text) + "\"";
    const int room = RoomFor(hCtl, dpi);
    const int needed = size.cx + (bSpare ? (size.cx * kSparePercent + 99) / 100 : 0);
    if (needed > room) {
        RECT rcBase = {0, 0, 4, 8};  // 4 dialog units across: one base unit
        ::MapDialogRect(::GetParent(hCtl), &rcBase);
        ADD_FAILURE() << what << ": " << size.cx << " px wide, " << needed << " with its spare tenth, in " << room
                      << " px; the window needs " << ((needed - room) * 4 + rcBase.right - 1) / rcBase.right
                      << " dialog units more";
    }
    if (ClassOf(hCtl) != "Button" || (::GetWindowLongW(hCtl, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) {
        EXPECT_LE(tm.tmHeight, rc.bottom) << what << ": " << tm.tmHeight << " px high";
    }
    EXPECT_TRUE(missing.empty()) << what << ": no letter for \"" << Utf8(missing) << "\"";
}

int ScreenDpi()
{
    HDC hdc = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdc);
    return dpi;
}

// Every dialog of both programs in every language, at the screen's dpi.
void ExpectEveryTextFits()
{
    const int dpi = ScreenDpi();
    for (const UiLanguage& language : g_uiLanguages) {
        UseUiLanguage(language.pszName);
        for (const DialogOfProgram& dialog : kDialogs) {
            CBuiltModule module(dialog.file);
            const std::string where = std::string(language.pszName) + ", " + dialog.name + " at " +
                                      std::to_string(dpi) + " dpi";
            HWND hDlg = MakeAsOpened(module.Get(), dialog);
            ASSERT_TRUE(hDlg) << where;
            const bool bSpare = IsUiTranslated();
            HWND hUnits = ::GetDlgItem(hDlg, IDC_UNITS);
            if (!hUnits && !dialog.unitWords.empty())
                hUnits = ::GetWindow(::GetDlgItem(hDlg, IDC_COUNT), GW_HWNDNEXT);
            for (HWND hCtl : Children(hDlg))
                if (hCtl != hUnits)
                    ExpectFits(hCtl, dpi, where, bSpare);
            // The unit shows every form of its words as the count changes.
            for (UINT nID : dialog.unitWords) {
                WCHAR wsz[256] = L"";
                ::LoadStringW(module.Get(), nID, wsz, ARRAYSIZE(wsz));
                std::wstring forms = wsz;
                for (size_t from = 0, bar = 0; from <= forms.size(); from = bar + 1) {
                    bar = std::min(forms.find(L'|', from), forms.size());
                    ::SetWindowTextW(hUnits, forms.substr(from, bar - from).c_str());
                    ExpectFits(hUnits, dpi, where, bSpare);
                }
            }
            ::DestroyWindow(hDlg);
        }
    }
    UseUiLanguage("en");
}

// Runs this test again in a process of its own with the screen at the dpi
// (Wine takes it from the registry when a program starts); its exit code.
DWORD RunAgainAt(int dpi, const char* testName)
{
    HKEY hKey;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS)
        return 1;
    DWORD dwOld = 0, cb = sizeof dwOld;
    bool bHadOld = ::RegQueryValueExW(hKey, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&dwOld), &cb) ==
                   ERROR_SUCCESS;
    DWORD dwNew = static_cast<DWORD>(dpi);
    ::RegSetValueExW(hKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwNew), sizeof dwNew);
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string cmd = std::string("\"") + szExe + "\" --gtest_filter=" + testName;
    // The run inside knows it is one and does not try again.
    ::SetEnvironmentVariableA("VESPIRO_RUN_AT_DPI", std::to_string(dpi).c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    DWORD dwExit = 1;
    if (::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        ::WaitForSingleObject(pi.hProcess, 110000);
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
        ::TerminateProcess(pi.hProcess, 1);  // only if it outlived the wait
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::SetEnvironmentVariableA("VESPIRO_RUN_AT_DPI", nullptr);
    if (bHadOld)
        ::RegSetValueExW(hKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwOld), sizeof dwOld);
    else
        ::RegDeleteValueW(hKey, L"LogPixels");
    ::RegCloseKey(hKey);
    return dwExit;
}

void ExpectEveryTextFitsAt(int dpi, const char* testName)
{
    char szAgain[16] = "";
    if (ScreenDpi() == dpi) {
        ExpectEveryTextFits();
    } else if (::GetEnvironmentVariableA("VESPIRO_RUN_AT_DPI", szAgain, sizeof szAgain)) {
        ADD_FAILURE() << "run again for " << szAgain << " dpi, the screen has " << ScreenDpi();
    } else if (RunningUnderWine()) {
        EXPECT_EQ(0u, RunAgainAt(dpi, testName)) << "at " << dpi << " dpi: see the run above";
    } else {
        GTEST_SKIP() << "Windows takes a new dpi only at the next sign-in; run this where the screen is at " << dpi;
    }
}

} // namespace

TEST(LanguageFit, EveryTextFitsItsControlAt96Dpi)
{
    ExpectEveryTextFitsAt(96, "LanguageFit.EveryTextFitsItsControlAt96Dpi");
}

TEST(LanguageFit, EveryTextFitsItsControlAt144Dpi)
{
    ExpectEveryTextFitsAt(144, "LanguageFit.EveryTextFitsItsControlAt144Dpi");
}
