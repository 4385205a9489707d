// drowsel's window in this process: the timer it asks for, what it does when
// the system refuses one, and the inert "GO!". The system timer is faked, so
// nothing ticks unless a test posts WM_TIMER itself.
#include "HibernateDlg.h"

#include "BoxRecorder.h"
#include "Boxes.h"
#include "FakeTaskbarList.h"
#include "FakeTimerDlg.h"
#include "LanguageChoice.h"
#include "ModalRunner.h"
#include "../../drowsel/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CTestHibernateDlg : public CFakeTimerDlg<CHibernateDlg> {
public:
    std::vector<std::string> m_bar;    // the taskbar button through the seam: "left/start" or the state
    std::vector<std::string> m_names;  // the accessible names through theirs

protected:
    void ShowOnTaskbar(TBPFLAG state, int nLeft, int nAtStart) override
    {
        std::string bar = std::to_string(nLeft) + "/" + std::to_string(nAtStart);
        m_bar.push_back(state == TBPF_NORMAL ? bar : state == TBPF_ERROR ? "red " + bar : std::to_string(state));
    }
    void ShowTipOnTaskbar(LPCWSTR) override { m_bar.push_back("tip"); }  // none in drowsel
    void NameControl(int nID, LPCSTR pszName) override { m_names.push_back(std::to_string(nID) + ": " + pszName); }
};

std::string ItemText(HWND hDlg, int id)
{
    return WindowTextOf(::GetDlgItem(hDlg, id));
}

// A stand-in library ("recording", or "partial" without Hibernate_Force),
// loaded first so that the dialog's own load of the bare name finds it.
bool LoadStandIn(const char* variant)
{
    return ::LoadLibraryA((WinPath(VESPIRO_TEST_DIR) + "/" + variant + "/Shutdown.dll").c_str()) != nullptr;
}

class HibernateDlgTest : public ::testing::Test {
protected:
    ScopedMessageBoxRecorder m_recorder;
    const std::vector<BoxRecord>& Boxes() const { return m_recorder.Boxes(); }
};

// The OK command neither ends nor stops the countdown; Cancel does. The whole
// countdown is within the last minute: the window is on top from the start,
// and a screen reader says how long is left in real time.
TEST_F(HibernateDlgTest, OpensWithTimerOneAt600MsWhichOnlyCancelStops)
{
    ASSERT_TRUE(LoadStandIn("recording"));
    CTestHibernateDlg dlg;
    std::vector<std::string> said;
    const LastMinuteOs saved = g_lastMinuteOs;
    g_lastMinuteOs.GetUiaProc = FakeUiaProc;
    g_pUiaLog = &said;
    INT_PTR result = RunModal(dlg, [&](HWND hDlg) {
        EXPECT_EQ("10", ItemText(hDlg, IDC_COUNT));
        EXPECT_TRUE(::GetWindowLongA(hDlg, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(dlg.m_names.empty());
        ::SendMessageA(hDlg, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        EXPECT_EQ(std::vector<std::string>{"1000: Hibernate In: Seconds"}, dlg.m_names);
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ::SendMessageA(hDlg, WM_TIMER, 1, 0);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ("9", ItemText(hDlg, IDC_COUNT));
        EXPECT_TRUE(dlg.m_timersKilled.empty());
        EXPECT_EQ(1, dlg.m_bForce);
        EXPECT_EQ(1, dlg.m_bHibernate);
        PostButton(hDlg, IDCANCEL);
    });
    g_lastMinuteOs = saved;
    EXPECT_EQ((std::vector<std::string>{"said: Hibernate in 6 seconds. Press Cancel to stop it.", "provider released"}), said);
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ((std::vector<std::pair<UINT_PTR, UINT>>{{1, 600}}), dlg.m_timersSet);
    EXPECT_EQ(std::vector<UINT_PTR>{1}, dlg.m_timersKilled);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(HibernateDlgTest, RefusedTimerSaysSoKeepsTenAndLeavesOnlyCancel)
{
    CTestHibernateDlg dlg;
    dlg.m_bRefuseTimer = true;
    HWND hWndSeen = nullptr;
    INT_PTR result = RunModal(dlg, [&](HWND hDlg) {
        hWndSeen = hDlg;
        EXPECT_EQ("10", ItemText(hDlg, IDC_COUNT));
        EXPECT_EQ(10, dlg.m_nCount);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, IDC_COUNT)));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, IDOK)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hDlg, IDCANCEL)));
        // The opening went on after the box: the icons are set.
        EXPECT_NE(0, ::SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(0, ::SendMessageA(hDlg, WM_GETICON, ICON_SMALL, 0));
        // "GO!" does nothing, the dialog stays.
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ("10", ItemText(hDlg, IDC_COUNT));
        PostButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, Boxes().size());
    EXPECT_EQ("Cannot Install Timer", Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), Boxes()[0].nType);  // one OK button, no icon
    EXPECT_EQ(std::string(AfxGetAppName()), Boxes()[0].caption);
    EXPECT_FALSE(Boxes()[0].caption.empty());
    EXPECT_EQ(hWndSeen, Boxes()[0].hOwner);
    EXPECT_EQ(1u, dlg.m_timersSet.size());
}

// Reported at the opening, and again at the end. In a language with three
// forms the unit follows the count down; the count field's name keeps the
// unit's plural.
TEST_F(HibernateDlgTest, TenTicksShowNineToZeroThenTheMissingEntryIsReported)
{
    ASSERT_TRUE(LoadStandIn("partial"));
    UseUiLanguage("ru");
    CTestHibernateDlg dlg;
    std::vector<std::string> shown;
    HWND hWndSeen = nullptr;
    RunModal(dlg, [&](HWND hDlg) {
        hWndSeen = hDlg;
        ::SendMessageA(hDlg, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(1u, Boxes().size());
            ::SendMessageA(hDlg, WM_TIMER, 1, 0);
            shown.push_back(ItemText(hDlg, IDC_COUNT) + " " +
                            WindowTextOf(::GetWindow(::GetDlgItem(hDlg, IDC_COUNT), GW_HWNDNEXT)));
        }
        // Ended without action: the window stays with 0 and the timer stopped.
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(std::vector<UINT_PTR>{1}, dlg.m_timersKilled);
        PostButton(hDlg, IDCANCEL);
    });
    UseUiLanguage("en");
    EXPECT_EQ((std::vector<std::string>{u8"9 секунд", u8"8 секунд", u8"7 секунд", u8"6 секунд", u8"5 секунд",
                                        u8"4 секунды", u8"3 секунды", u8"2 секунды", u8"1 секунда", u8"0 секунд"}),
              shown);
    EXPECT_EQ(u8" секунды", dlg.m_names.at(0).substr(dlg.m_names.at(0).rfind(' ')));
    std::vector<std::string> bar;  // full at the opening, a tenth less a tick, all red until Cancel (0)
    for (int n = 10; n > 0; --n)
        bar.push_back(std::to_string(n) + "/10");
    bar.insert(bar.end(), {"red 10/10", "0"});
    EXPECT_EQ(bar, dlg.m_bar);
    ASSERT_EQ(2u, Boxes().size());
    EXPECT_EQ(Boxes()[0].text, Boxes()[1].text);
    EXPECT_EQ(Boxes()[0].nType, Boxes()[1].nType);
    EXPECT_NE(std::string::npos, Boxes()[0].text.find("Shutdown.dll")) << Boxes()[0].text;
    EXPECT_NE(std::string::npos, Boxes()[0].text.find("Hibernate_Force")) << Boxes()[0].text;
    EXPECT_EQ(hWndSeen, Boxes()[0].hOwner);
    // The end comes while the user may be elsewhere: the box must be seen.
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST), Boxes()[0].nType);
}

// Once the session ends no tick counts: the last one would have reached the
// dispatch (here the missing entry's second box).
TEST_F(HibernateDlgTest, TheEndOfTheSessionStopsTheCountdownForGood)
{
    ASSERT_TRUE(LoadStandIn("partial"));
    CTestHibernateDlg dlg;
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                  for (int i = 0; i < 9; ++i)
                      ::SendMessageA(hDlg, WM_TIMER, 1, 0);
                  EXPECT_EQ(TRUE, ::SendMessageA(hDlg, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
                  ::SendMessageA(hDlg, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
                  ::SendMessageA(hDlg, WM_TIMER, 1, 0);
                  EXPECT_EQ("1", ItemText(hDlg, IDC_COUNT));
              }));
    EXPECT_EQ(1u, Boxes().size());  // the opening's
    EXPECT_EQ(std::vector<UINT_PTR>{1}, dlg.m_timersKilled);
    EXPECT_EQ("0", dlg.m_bar.back());  // the bar cleared
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(HibernateDlgTest, HiddenBoxesAreExchangedBothWays)
{
    CTestHibernateDlg dlg;
    RunModal(dlg, [&](HWND hDlg) {
        // The push reached the hidden boxes...
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hDlg, IDC_FORCE));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hDlg, IDC_HIBERNATE));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hDlg, IDC_SUSPEND));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hDlg, IDC_SHUTDOWN));
        // ...and a click on one is one of three, and pulled.
        ::SendMessageA(::GetDlgItem(hDlg, IDC_SHUTDOWN), BM_CLICK, 0, 0);
        EXPECT_EQ(1, dlg.m_bShutdown);
        EXPECT_EQ(0, dlg.m_bHibernate);
        EXPECT_EQ(0, dlg.m_bSuspend);
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hDlg, IDC_HIBERNATE));
        ::SendMessageA(::GetDlgItem(hDlg, IDC_FORCE), BM_CLICK, 0, 0);
        EXPECT_EQ(0, dlg.m_bForce);
        PostButton(hDlg, IDCANCEL);
    });
}

} // namespace
