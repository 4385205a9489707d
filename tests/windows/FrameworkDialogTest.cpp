// The modal loop: routing of OK and Cancel, ending from nested loops, timers
// and WM_QUIT inside them, the default caption, and the message map's
// default processing.
#include "FrameworkTestDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct Route : NamedRow {
    void (*send)(HWND hDlg);
    const char* handler;
    INT_PTR result;
};

void PostKeyToField(HWND hDlg, UINT vk)
{
    // Into the focused field, as typing would; the loop's IsDialogMessage
    // turns it into a command.
    HWND hField = ::GetDlgItem(hDlg, IDC_FW_COUNT);
    ::SetFocus(hField);
    ::PostMessageA(hField, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hField, WM_KEYUP, vk, 0xC0000001);
}

const Route kRoutes[] = {
    {"IdokCommand", [](HWND h) { PostButton(h, IDOK); }, "OnOK", IDOK},
    {"ClickOnOK", [](HWND h) { ::PostMessageA(::GetDlgItem(h, IDOK), BM_CLICK, 0, 0); }, "OnOK", IDOK},
    {"Enter", [](HWND h) { PostKeyToField(h, VK_RETURN); }, "OnOK", IDOK},
    {"IdcancelCommand", [](HWND h) { PostButton(h, IDCANCEL); }, "OnCancel", IDCANCEL},
    {"ClickOnCancel", [](HWND h) { ::PostMessageA(::GetDlgItem(h, IDCANCEL), BM_CLICK, 0, 0); }, "OnCancel", IDCANCEL},
    {"Escape", [](HWND h) { PostKeyToField(h, VK_ESCAPE); }, "OnCancel", IDCANCEL},
    {"Close", [](HWND h) { ::PostMessageA(h, WM_CLOSE, 0, 0); }, "OnCancel", IDCANCEL},
    {"CloseCommand", [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, "OnCancel", IDCANCEL},
};

class FrameworkDialogRouting : public ::testing::TestWithParam<Route> {};

TEST_P(FrameworkDialogRouting, ReachesTheVirtualHandlerWhichEndsTheDialog)
{
    const Route route = GetParam();
    CFwTestDlg dlg;
    dlg.m_nCount = 5;
    HWND hWnd = nullptr;
    dlg.m_onRunning = [&](CFwTestDlg& d) {
        hWnd = d.m_hWnd;
        route.send(d.m_hWnd);
    };
    EXPECT_EQ(route.result, dlg.DoModal());
    ASSERT_FALSE(dlg.m_bWatchdogFired);
    dlg.m_calls.erase(std::remove_if(dlg.m_calls.begin(), dlg.m_calls.end(),
                                     [](const std::string& c) { return c.rfind("SYSCOMMAND", 0) == 0; }),
                      dlg.m_calls.end());
    EXPECT_EQ(std::vector<std::string>{route.handler}, dlg.m_calls);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

INSTANTIATE_TEST_SUITE_P(Routes, FrameworkDialogRouting, ::testing::ValuesIn(kRoutes), ByName());

TEST(FrameworkDialog, OverridesThatSkipTheBaseKeepTheDialogOpen)
{
    CFwTestDlg dlg;
    dlg.m_bBaseOK = false;
    dlg.m_bBaseCancel = false;
    dlg.m_onRunning = [](CFwTestDlg& d) {
        PostButton(d.m_hWnd, IDOK);
        PostButton(d.m_hWnd, IDCANCEL);
        ::PostMessageA(d.m_hWnd, WM_CLOSE, 0, 0);
        d.SetTimer(1, 200, nullptr);
    };
    dlg.m_onTimer = [](CFwTestDlg& d, UINT_PTR) {
        EXPECT_FALSE(d.IsEnded());
        EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
        d.EndDialog(1234);
    };
    EXPECT_EQ(1234, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{"OnOK", "OnCancel", "OnCancel"}), dlg.m_calls);
}

TEST(FrameworkDialog, OkWithAFailedPullPromptsAndStaysOpen)
{
    CFwTestDlg dlg;
    ScopedMessageBoxRecorder boxes;
    dlg.m_onRunning = [](CFwTestDlg& d) {
        ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FW_COUNT), "abc");
        d.m_calls.clear();
        PostButton(d.m_hWnd, IDOK);
        d.SetTimer(1, 100, nullptr);
    };
    dlg.m_onTimer = [](CFwTestDlg& d, UINT_PTR) {
        d.KillTimer(1);
        EXPECT_FALSE(d.IsEnded());
        PostButton(d.m_hWnd, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{"OnOK", "OnCancel"}), dlg.m_calls);
    EXPECT_EQ(1u, boxes.Boxes().size());
}

TEST(FrameworkDialog, MissingTemplateGivesMinusOne)
{
    CFwTestDlg dlg(4321);
    EXPECT_EQ(-1, dlg.DoModal());
}

// A real message box opened by a handler: ticks keep coming inside its loop,
// and a tick that ends the dialog there takes effect once the box is closed.
TEST(FrameworkDialog, EndedInsideAMessageBoxClosesOnceControlReturns)
{
    CFwTestDlg dlg;
    int nTicks = 0;
    std::string caption, text;
    HWND hDlg = nullptr;
    bool bAliveAfterBox = false, bEndedAfterBox = false;
    dlg.m_onTickInBox = [&](CFwTestDlg& d, HWND hBox) {
        ++nTicks;
        if (nTicks == 3)
            d.EndDialog(42);  // inside the box's loop
        if (nTicks == 5) {
            // Ended, but the box and the window are still there.
            EXPECT_TRUE(::IsWindow(d.m_hWnd));
            caption = WindowTextOf(hBox);
            text = MessageBoxText(hBox);
            d.KillTimer(1);
            PostButton(hBox);
        }
    };
    dlg.m_onRunning = [&](CFwTestDlg& d) {
        hDlg = d.m_hWnd;
        d.SetTimer(1, 30, nullptr);
        d.MessageBox("Hello from the test");  // no caption of its own
        bAliveAfterBox = ::IsWindow(hDlg) != FALSE;
        bEndedAfterBox = d.IsEnded();
    };
    EXPECT_EQ(42, dlg.DoModal());
    ASSERT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_EQ(5, nTicks);
    EXPECT_TRUE(bAliveAfterBox);
    EXPECT_TRUE(bEndedAfterBox);
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_EQ(kAppName, caption);
    EXPECT_EQ("Hello from the test", text);
}

// A nested modal dialog: the outer one is disabled meanwhile, its timer keeps
// ticking, and ending it from there takes effect once the inner one returns.
TEST(FrameworkDialog, EndedInsideANestedDialogClosesOnceControlReturns)
{
    CFwTestDlg outer;
    int nTicksDuringInner = 0;
    bool bOuterEnabledDuringInner = true;
    HWND hInnerOwner = nullptr, hOuter = nullptr, hInner = nullptr;
    bool bOuterAliveAfterInner = false, bOuterEnabledAfterInner = false;
    INT_PTR nInnerResult = 0;

    outer.m_onTickInBox = [&](CFwTestDlg& d, HWND hBox) {
        hInner = hBox;
        ++nTicksDuringInner;
        bOuterEnabledDuringInner = bOuterEnabledDuringInner && ::IsWindowEnabled(d.m_hWnd);
        hInnerOwner = ::GetWindow(hInner, GW_OWNER);
        if (nTicksDuringInner == 3)
            d.EndDialog(7);
        if (nTicksDuringInner == 5) {
            d.KillTimer(1);
            PostButton(hInner, IDCANCEL);
        }
    };
    outer.m_onRunning = [&](CFwTestDlg& d) {
        hOuter = d.m_hWnd;
        d.SetTimer(1, 30, nullptr);
        CFwTestDlg inner(IDD_FW_INNER, &d);
        nInnerResult = inner.DoModal();
        EXPECT_EQ(std::vector<std::string>{"OnCancel"}, inner.m_calls);
        bOuterAliveAfterInner = ::IsWindow(hOuter) != FALSE;
        bOuterEnabledAfterInner = ::IsWindowEnabled(hOuter) != FALSE;
    };
    EXPECT_EQ(7, outer.DoModal());
    ASSERT_FALSE(outer.m_bWatchdogFired);
    EXPECT_EQ(IDCANCEL, nInnerResult);
    EXPECT_EQ(5, nTicksDuringInner);
    EXPECT_FALSE(bOuterEnabledDuringInner);
    EXPECT_EQ(hOuter, hInnerOwner);
    EXPECT_TRUE(bOuterAliveAfterInner);
    EXPECT_TRUE(bOuterEnabledAfterInner);
    EXPECT_FALSE(::IsWindow(hOuter));
    EXPECT_FALSE(::IsWindow(hInner));
}

// WM_QUIT belongs to the outermost loop: each modal loop that sees it ends
// and hands it on.
TEST(FrameworkDialog, QuitInsideANestedLoopIsHandedOutwards)
{
    CFwTestDlg outer;
    HWND hOuter = nullptr, hInner = nullptr;
    outer.m_onRunning = [&](CFwTestDlg& d) {
        hOuter = d.m_hWnd;
        CFwTestDlg inner(IDD_FW_INNER, &d);
        inner.m_onRunning = [&](CFwTestDlg& i) {
            hInner = i.m_hWnd;
            ::PostQuitMessage(5);
        };
        inner.DoModal();
        EXPECT_FALSE(::IsWindow(hInner));
        EXPECT_TRUE(::IsWindow(hOuter));
    };
    outer.DoModal();
    ASSERT_FALSE(outer.m_bWatchdogFired);
    EXPECT_FALSE(::IsWindow(hOuter));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, msg.wParam);
}

// Left to the dialog manager, an owned box would open at its owner's corner.
// When it ends, activation goes back to the owner, which it can only if the
// owner is enabled again before the box is destroyed.
TEST(FrameworkDialog, OwnedDialogOpensCentredOnItsOwnerAndHandsActivationBack)
{
    CFwTestDlg outer;
    RECT rcOuter = {}, rcInner = {};
    HWND hOuter = nullptr, hActiveAfterInner = nullptr;
    outer.m_onRunning = [&](CFwTestDlg& d) {
        ::SetWindowPos(d.m_hWnd, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::GetWindowRect(d.m_hWnd, &rcOuter);
        CFwTestDlg inner(IDD_FW_INNER, &d);
        inner.m_onRunning = [&](CFwTestDlg& i) {
            ::GetWindowRect(i.m_hWnd, &rcInner);
            i.EndDialog(IDOK);
        };
        inner.DoModal();
        hOuter = d.m_hWnd;
        hActiveAfterInner = ::GetActiveWindow();
        d.EndDialog(IDOK);
    };
    outer.DoModal();
    EXPECT_EQ(hOuter, hActiveAfterInner);
    ASSERT_LT(rcInner.right - rcInner.left, rcOuter.right - rcOuter.left);
    EXPECT_NEAR((rcOuter.left + rcOuter.right) / 2, (rcInner.left + rcInner.right) / 2, 1);
    EXPECT_NEAR((rcOuter.top + rcOuter.bottom) / 2, (rcInner.top + rcInner.bottom) / 2, 1);
}

TEST(FrameworkDialog, MessageBoxWithoutCaptionUsesTheProgramName)
{
    CFwTestDlg dlg;
    ScopedMessageBoxRecorder boxes(IDCANCEL);
    dlg.m_onRunning = [](CFwTestDlg& d) {
        EXPECT_EQ(IDCANCEL, d.MessageBox("one"));
        d.MessageBox("two", "Own caption", MB_OKCANCEL);
        AfxShowMessageBox(nullptr, "three", nullptr, MB_OK);
        d.EndDialog(IDOK);
    };
    dlg.DoModal();
    ASSERT_EQ(3u, boxes.Boxes().size());
    EXPECT_EQ(kAppName, boxes.Boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Boxes()[0].nType);
    EXPECT_EQ("Own caption", boxes.Boxes()[1].caption);
    EXPECT_EQ(kAppName, boxes.Boxes()[2].caption);
    EXPECT_STREQ(kAppName, AfxGetAppName());
}

// WM_QUERYDRAGICON reaches the handler; unhandled system commands reach
// default processing.
TEST(FrameworkMessageMap, HandledAndUnhandledMessagesGoTheirWays)
{
    CFwTestDlg dlg;
    dlg.m_hDragIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    ASSERT_NE(nullptr, dlg.m_hDragIcon);
    LRESULT dragIcon = 0;
    bool bIconic = false, bIconicAfterOwn = false, bRestored = false;
    dlg.m_onRunning = [&](CFwTestDlg& d) {
        dragIcon = d.SendMessage(WM_QUERYDRAGICON);
        d.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        bIconic = d.IsIconic() != FALSE;
        d.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
        bRestored = !d.IsIconic();
        // Our own command (low bits are the system's) goes nowhere else.
        d.SendMessage(WM_SYSCOMMAND, 0x0013);
        bIconicAfterOwn = d.IsIconic() != FALSE;
        d.PostMessage(WM_SYSCOMMAND, SC_CLOSE);  // default: WM_CLOSE, then IDCANCEL
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bIconic);
    EXPECT_TRUE(bRestored);
    EXPECT_FALSE(bIconicAfterOwn);
    EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hDragIcon), dragIcon);
    const std::string kSys = "SYSCOMMAND ";
    EXPECT_EQ((std::vector<std::string>{kSys + std::to_string(SC_MINIMIZE), kSys + std::to_string(SC_RESTORE),
                                        kSys + std::to_string(0x13), kSys + std::to_string(SC_CLOSE), "OnCancel"}),
              dlg.m_calls);
}

} // namespace
