// The shell in a live main dialog run the way the programs run theirs: the
// About box through WM_SYSCOMMAND while a timer ticks, the system-menu entry,
// the icons, and the application object's start-up.
#include "AboutDlg.h"
#include "Boxes.h"
#include "CountdownDlg.h"
#include "LanguageChoice.h"
#include "ModalRunner.h"
#include "Platform.h"
#include "ShellTestRes.h"
#include "TimerApp.h"
#include "resource.h"  // shell's: IDD_ABOUTBOX, IDS_ABOUTBOX, IDM_ABOUTBOX, IDR_MAINFRAME

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kMainTemplate = 102;  // shutdown's main dialog: no system-menu style
constexpr UINT WM_SHELLTEST_RUN = WM_APP + 1;
constexpr UINT_PTR kTickTimer = 1;

class CShellTestDlg;

// What the next main dialog does; the dialog lives on the app's stack.
struct Scenario {
    UINT nTemplate = kMainTemplate;
    UINT nTickMs = 30;
    std::function<void(CShellTestDlg&)> beforeSetUp;  // in OnInitDialog
    std::function<void(CShellTestDlg&)> onRunning;    // first thing in the loop
    std::function<void(CShellTestDlg&)> onTick;
};
Scenario g_scenario;
bool g_bWatchdogFired = false;
std::vector<std::string> g_calls;

std::string ClassOf(HWND hWnd)
{
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    return cls;
}

class CShellTestDlg : public CCountdownDlg {
public:
    CShellTestDlg() : CCountdownDlg(g_scenario.nTemplate, nullptr)
    {
        m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    }

    HICON m_hIcon;
    int m_nTicks = 0;

    INT_PTR DoModal() override
    {
        ModalWatchdog watchdog(*this);
        INT_PTR nResult = CCountdownDlg::DoModal();
        g_bWatchdogFired = watchdog.Fired();
        return nResult;
    }

protected:
    BOOL OnInitDialog() override
    {
        CCountdownDlg::OnInitDialog();
        if (g_scenario.beforeSetUp)
            g_scenario.beforeSetUp(*this);
        SetUpSystemMenuAndIcons();
        SetTimer(kTickTimer, g_scenario.nTickMs, nullptr);
        PostMessage(WM_SHELLTEST_RUN);
        return TRUE;
    }
    void OnCancel() override
    {
        g_calls.push_back("OnCancel");
        CCountdownDlg::OnCancel();
    }
    HICON GetIcon() const override { return m_hIcon; }
    int ActionAtZero() const override { return -1; }  // none

    void OnTimer(UINT_PTR)
    {
        ++m_nTicks;
        if (g_scenario.onTick)
            g_scenario.onTick(*this);
    }
    LRESULT OnRun(WPARAM, LPARAM)
    {
        if (g_scenario.onRunning)
            g_scenario.onRunning(*this);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShellTestDlg, CCountdownDlg)
    ON_WM_TIMER()
    ON_MESSAGE(WM_SHELLTEST_RUN, OnRun)
END_MESSAGE_MAP()

} // namespace

// The test program's application object is the programs' own class.
CTimerApp theApp(&CTimerApp::RunMainDialog<CShellTestDlg>);

namespace {

// Runs a main dialog exactly as the programs do: through InitInstance.
void RunMainDialog(const Scenario& scenario)
{
    g_scenario = scenario;
    g_bWatchdogFired = false;
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(nullptr, AfxGetMainWnd());
    EXPECT_FALSE(g_bWatchdogFired);
    g_scenario = Scenario();
}

std::vector<std::string> MenuItems(HMENU hMenu)
{
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        char text[128] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof text;
        ::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &mii);
        items.push_back((mii.fType & MFT_SEPARATOR) ? std::string("-") : std::to_string(mii.wID) + " " + text);
    }
    return items;
}

struct AboutSeen {
    int nTicksWhileOpen = 0;
    std::string caption;
    std::string staticText;
    HWND hOwner = nullptr;
    bool bOwnerEnabled = true;
    UINT nDefaultId = 0;
    bool bClosed = false;
    SIZE textExtent = {0, 0};  // of the line, in its own font
    RECT textRect = {0, 0, 0, 0};
    RECT clientRect = {0, 0, 0, 0};
    RECT templateRect = {0, 0, 0, 0};  // the compiled template's size, in pixels
    RECT windowRect = {0, 0, 0, 0};
    RECT ownerRect = {0, 0, 0, 0};
    RECT workArea = {0, 0, 0, 0};
};

// Each parent tick: while the About box is up, count; at the fifth, read it
// and click its OK; once it has gone, end the parent.
void WatchAbout(CShellTestDlg& d, AboutSeen& seen)
{
    std::vector<HWND> boxes = ThreadBoxes(d.m_hWnd);
    if (boxes.empty()) {
        if (seen.nTicksWhileOpen > 0 && !seen.bClosed) {
            seen.bClosed = true;
            d.EndDialog(IDCANCEL);
        }
        return;
    }
    HWND hAbout = boxes.front();
    if (++seen.nTicksWhileOpen != 5)
        return;
    seen.caption = WindowTextOf(hAbout);
    for (HWND h = ::GetWindow(hAbout, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (ClassOf(h) != "Static")
            continue;
        seen.staticText = WindowTextOf(h);
        ::GetClientRect(h, &seen.textRect);
        HDC hDC = ::GetDC(h);
        HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(::SendMessageA(h, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32A(hDC, seen.staticText.c_str(), static_cast<int>(seen.staticText.size()),
                                &seen.textExtent);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(h, hDC);
    }
    ::GetClientRect(hAbout, &seen.clientRect);
    ::GetWindowRect(hAbout, &seen.windowRect);
    ::GetWindowRect(d.m_hWnd, &seen.ownerRect);
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromWindow(d.m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    seen.workArea = mi.rcWork;
    const auto* t = static_cast<const DLGTEMPLATE*>(::LockResource(
        ::LoadResource(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_ABOUTBOX), MAKEINTRESOURCEA(5)))));
    seen.templateRect = {0, 0, t->cx, t->cy};
    ::MapDialogRect(hAbout, &seen.templateRect);
    seen.hOwner = ::GetWindow(hAbout, GW_OWNER);
    seen.bOwnerEnabled = ::IsWindowEnabled(d.m_hWnd) != FALSE;
    seen.nDefaultId = LOWORD(::SendMessageA(hAbout, DM_GETDEFID, 0, 0));
    ::PostMessageA(::GetDlgItem(hAbout, IDOK), BM_CLICK, 0, 0);
}

void ExpectTheAboutBox(const AboutSeen& seen, HWND hMain)
{
    EXPECT_EQ(5, seen.nTicksWhileOpen);  // the parent's timer ran in the box's loop
    EXPECT_TRUE(seen.bClosed);
    EXPECT_EQ("About Vespiro", seen.caption);
    EXPECT_EQ(0u, seen.staticText.rfind("Vespiro V1.3", 0)) << seen.staticText;
    EXPECT_EQ(hMain, seen.hOwner);
    EXPECT_FALSE(seen.bOwnerEnabled);
    EXPECT_EQ(static_cast<UINT>(IDOK), seen.nDefaultId);
    EXPECT_EQ(seen.templateRect.right, seen.clientRect.right);
    EXPECT_EQ(seen.templateRect.bottom, seen.clientRect.bottom);
    // Centred on the main window (which is smaller), as far as the screen allows.
    const RECT& a = seen.windowRect;
    const RECT& o = seen.ownerRect;
    const RECT& w = seen.workArea;
    int x = std::max<int>(w.left, std::min<int>((o.left + o.right - (a.right - a.left)) / 2, w.right - (a.right - a.left)));
    int y = std::max<int>(w.top, std::min<int>((o.top + o.bottom - (a.bottom - a.top)) / 2, w.bottom - (a.bottom - a.top)));
    EXPECT_NEAR(x, a.left, 1);
    EXPECT_NEAR(y, a.top, 1);
    // The line is one line high: all of it must fit across.
    EXPECT_LE(seen.textExtent.cx, seen.textRect.right) << seen.staticText;
}

struct SysCommandWay : NamedRow {
    bool bPosted;
    WPARAM nID;
};

class ShellAboutBox : public ::testing::TestWithParam<SysCommandWay> {};

TEST_P(ShellAboutBox, OpensOnSysCommand16WhileTheParentsTimerTicks)
{
    const SysCommandWay way = GetParam();
    AboutSeen seen;
    HWND hMain = nullptr;
    bool bClosedWhenSendReturned = false;
    Scenario s;
    s.onRunning = [&](CShellTestDlg& d) {
        hMain = d.m_hWnd;
        if (way.bPosted) {
            d.PostMessage(WM_SYSCOMMAND, way.nID);
        } else {
            d.SendMessage(WM_SYSCOMMAND, way.nID);  // returns once the box is closed
            bClosedWhenSendReturned = seen.nTicksWhileOpen == 5 && ThreadBoxes(d.m_hWnd).empty();
        }
    };
    s.onTick = [&](CShellTestDlg& d) { WatchAbout(d, seen); };
    RunMainDialog(s);
    ExpectTheAboutBox(seen, hMain);
    if (!way.bPosted) {
        EXPECT_TRUE(bClosedWhenSendReturned);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, ShellAboutBox,
                         ::testing::Values(SysCommandWay{"Posted", true, 16}, SysCommandWay{"Sent", false, 16},
                                           SysCommandWay{"LowBitsIgnored", true, 16 | 0x7}), ByName());

// In the language chosen before the window opened, the box's own words too.
TEST(ShellAboutBox, SpeaksTheChosenLanguage)
{
    for (const char* tag : {"de", "ja", "en"}) {
        UseUiLanguage(tag);
        CAboutDlg dlg;
        std::string caption, ok;
        EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
                      caption = WindowTextOf(hDlg);
                      ok = WindowTextOf(::GetDlgItem(hDlg, IDOK));
                      ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
                  }));
        const bool bGerman = tag[0] == 'd', bJapanese = tag[0] == 'j';
        EXPECT_EQ(bGerman ? u8"Info über Vespiro" : bJapanese ? u8"Vespiro のバージョン情報" : "About Vespiro", caption);
        EXPECT_EQ("OK", ok);
    }
}

TEST(ShellAboutBox, OtherSystemCommandsReachDefaultProcessing)
{
    bool bIconic = false, bRestored = false, bAboutOnOtherIds = false;
    Scenario s;
    s.onRunning = [&](CShellTestDlg& d) {
        d.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        bIconic = d.IsIconic() != FALSE;
        // Minimized: the icon is painted by hand.
        ::RedrawWindow(d.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        d.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
        bRestored = !d.IsIconic();
        // Ids beside 16 (the mask keeps 0x20 and 0x30 apart) open nothing.
        d.PostMessage(WM_SYSCOMMAND, 0x20);
        d.PostMessage(WM_SYSCOMMAND, 0x30);
        d.PostMessage(WM_SYSCOMMAND, SC_CLOSE);  // WM_CLOSE, then IDCANCEL
    };
    s.onTick = [&](CShellTestDlg& d) {
        if (!ThreadBoxes(d.m_hWnd).empty()) {
            bAboutOnOtherIds = true;
            for (HWND h : ThreadBoxes(d.m_hWnd))
                ::PostMessageA(h, WM_COMMAND, IDOK, 0);
        }
    };
    g_calls.clear();
    RunMainDialog(s);
    EXPECT_EQ(std::vector<std::string>{"OnCancel"}, g_calls);
    EXPECT_TRUE(bIconic);
    EXPECT_TRUE(bRestored);
    EXPECT_FALSE(bAboutOnOtherIds);
}

// Run through InitInstance as the programs run it: the dialog is the main
// window while it runs, and InitInstance returns FALSE with none left.
TEST(ShellMainDialog, WithoutSystemMenuStyleGetsNoEntryButItsIconsAsTheMainWindow)
{
    CWnd* pMainDuring = nullptr;
    CShellTestDlg* pDlg = nullptr;
    HMENU hSysMenu = reinterpret_cast<HMENU>(1);
    std::vector<std::string> items;
    LRESULT bigIcon = 0, smallIcon = 0, dragIcon = 0;
    HICON hIcon = nullptr;
    LONG style = 0;
    Scenario s;
    s.onRunning = [&](CShellTestDlg& d) {
        pMainDuring = AfxGetMainWnd();
        pDlg = &d;
        style = ::GetWindowLongA(d.m_hWnd, GWL_STYLE);
        hSysMenu = ::GetSystemMenu(d.m_hWnd, FALSE);
        if (hSysMenu)
            items = MenuItems(hSysMenu);
        hIcon = d.m_hIcon;
        bigIcon = d.SendMessage(WM_GETICON, ICON_BIG);
        smallIcon = d.SendMessage(WM_GETICON, ICON_SMALL);
        dragIcon = d.SendMessage(WM_QUERYDRAGICON);
        d.EndDialog(IDOK);  // the others end with IDCANCEL
    };
    ASSERT_EQ(nullptr, AfxGetMainWnd());
    RunMainDialog(s);  // expects FALSE and no main window afterwards

    EXPECT_EQ(static_cast<CWnd*>(pDlg), pMainDuring);
    EXPECT_EQ(0, style & WS_SYSMENU);
    // Wine hands out no system menu for such a window, so there is no entry
    // and no way to the About box; Windows does, and the entry ends it.
    if (RunningUnderWine()) {
        EXPECT_EQ(nullptr, hSysMenu);
    } else {
        ASSERT_NE(nullptr, hSysMenu);
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ("-", items[items.size() - 2]);
        EXPECT_EQ("16 &About Emberlyn...", items.back());
    }
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), bigIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), smallIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), dragIcon);
}

TEST(ShellMainDialog, WithASystemMenuGetsSeparatorAndAboutEntryOnce)
{
    std::vector<std::string> items, defaultItems;
    AboutSeen seen;
    HWND hMain = nullptr;
    Scenario s;
    s.nTemplate = IDD_SHELL_SYSMENU;
    s.onRunning = [&](CShellTestDlg& d) {
        hMain = d.m_hWnd;
        items = MenuItems(::GetSystemMenu(d.m_hWnd, FALSE));
        // The entry works as a menu choice would send it.
        d.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
    };
    s.onTick = [&](CShellTestDlg& d) {
        WatchAbout(d, seen);
        if (seen.bClosed) {
            ::GetSystemMenu(d.m_hWnd, TRUE);  // back to the system's own
            defaultItems = MenuItems(::GetSystemMenu(d.m_hWnd, FALSE));
        }
    };
    RunMainDialog(s);

    ASSERT_EQ(defaultItems.size() + 2, items.size());
    for (size_t i = 0; i < defaultItems.size(); ++i)
        EXPECT_EQ(defaultItems[i], items[i]);
    EXPECT_EQ("-", items[items.size() - 2]);
    EXPECT_EQ("16 &About Emberlyn...", items.back());
    ExpectTheAboutBox(seen, hMain);
}

TEST(ShellMainDialog, EmptyAboutStringAddsNothing)
{
    // A module with no string 101 stands in for the program's resources
    // while the menu is set up.
    HMODULE hNoStrings = ::LoadLibraryExA("recording\\Shutdown.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hNoStrings);
    std::vector<std::string> items, defaultItems;
    Scenario s;
    s.nTemplate = IDD_SHELL_SYSMENU;
    HINSTANCE hOld = theApp.m_hInstance;
    s.beforeSetUp = [&](CShellTestDlg&) { theApp.m_hInstance = hNoStrings; };
    s.onRunning = [&](CShellTestDlg& d) {
        theApp.m_hInstance = hOld;
        items = MenuItems(::GetSystemMenu(d.m_hWnd, FALSE));
        ::GetSystemMenu(d.m_hWnd, TRUE);
        defaultItems = MenuItems(::GetSystemMenu(d.m_hWnd, FALSE));
        d.EndDialog(IDCANCEL);
    };
    RunMainDialog(s);
    theApp.m_hInstance = hOld;
    ::FreeLibrary(hNoStrings);
    EXPECT_FALSE(defaultItems.empty());
    EXPECT_EQ(defaultItems, items);
}

} // namespace
