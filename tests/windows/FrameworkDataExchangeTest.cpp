// Push and pull over a live dialog, the validation prompt, and the
// notification lockout (also across a prompt's nested loop).
#include "FrameworkTestDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kNotAnInteger[] = "Please enter a whole number.";
const char kOutOfRange[] = "Please enter a number from 0 to 1000.";

std::string Text(CFwTestDlg& dlg, int id)
{
    return WindowTextOf(::GetDlgItem(dlg.m_hWnd, id));
}

bool Checked(CFwTestDlg& dlg, int id)
{
    return ::SendMessageA(::GetDlgItem(dlg.m_hWnd, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Sets a box without any notification.
void SetCheck(CFwTestDlg& dlg, int id, bool bChecked)
{
    ::SendMessageA(::GetDlgItem(dlg.m_hWnd, id), BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Sets a field's text; its EN_CHANGE is forgotten again.
void SetText(CFwTestDlg& dlg, int id, const char* text)
{
    ::SetWindowTextA(::GetDlgItem(dlg.m_hWnd, id), text);
    dlg.m_calls.clear();
}

// Sets every member, in exchange order, and pushes them.
bool Push(CFwTestDlg& d, int first, int count, int second, int third, const char* text)
{
    d.m_bFirst = first;
    d.m_nCount = count;
    d.m_bSecond = second;
    d.m_bThird = third;
    d.m_strText = text;
    return d.UpdateData(FALSE) != FALSE;
}

// Runs the dialog with the body inside its modal loop; the body ends it.
INT_PTR RunDialog(CFwTestDlg& dlg, const std::function<void(CFwTestDlg&)>& body)
{
    dlg.m_onRunning = [body](CFwTestDlg& d) {
        body(d);
        d.EndDialog(IDOK);
    };
    return dlg.DoModal();
}

TEST(FrameworkDataExchange, PushWritesAndPullReadsEveryMemberAndTheyRoundTrip)
{
    CFwTestDlg dlg;
    RunDialog(dlg, [](CFwTestDlg& d) {
        EXPECT_TRUE(Push(d, 1, 537, 0, 1, "Minutes"));
        EXPECT_TRUE(Checked(d, IDC_FW_FIRST));
        EXPECT_EQ("537", Text(d, IDC_FW_COUNT));
        EXPECT_FALSE(Checked(d, IDC_FW_SECOND));
        EXPECT_TRUE(Checked(d, IDC_FW_THIRD));
        EXPECT_EQ("Minutes", Text(d, IDC_FW_TEXT));

        // Only exactly 1 shows as checked; the member keeps what it had. A
        // push does not range-check, and shows a negative count as it is.
        d.m_bFirst = 2;
        d.m_nCount = -3;
        d.m_strText = "";
        EXPECT_TRUE(d.UpdateData(FALSE));
        EXPECT_FALSE(Checked(d, IDC_FW_FIRST));
        EXPECT_EQ(2, d.m_bFirst);
        EXPECT_EQ("-3", Text(d, IDC_FW_COUNT));
        EXPECT_EQ("", Text(d, IDC_FW_TEXT));

        // A pull reads every control.
        SetCheck(d, IDC_FW_FIRST, true);
        SetText(d, IDC_FW_COUNT, "1000");
        SetCheck(d, IDC_FW_SECOND, true);
        SetCheck(d, IDC_FW_THIRD, false);
        SetText(d, IDC_FW_TEXT, "Hours");
        d.m_bThird = 7;
        ScopedMessageBoxRecorder boxes;
        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_EQ(1, d.m_bFirst);
        EXPECT_EQ(1000, d.m_nCount);
        EXPECT_EQ(1, d.m_bSecond);
        EXPECT_EQ(0, d.m_bThird);
        EXPECT_STREQ("Hours", d.m_strText);

        // 0 is the other end of the range; a push then a pull gives the same.
        d.m_nCount = 0;
        d.m_bFirst = 0;
        d.m_strText = "Seconds";
        ASSERT_TRUE(d.UpdateData(FALSE));
        d.m_nCount = 55;
        d.m_bSecond = 0;
        d.m_strText = "";
        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_EQ(0, d.m_bFirst);
        EXPECT_EQ(0, d.m_nCount);
        EXPECT_EQ(1, d.m_bSecond);
        EXPECT_STREQ("Seconds", d.m_strText);
        EXPECT_TRUE(boxes.Boxes().empty());
    });
}

struct BadCount : NamedRow {
    const char* text;
    const char* prompt;
};

class FrameworkFailedPull : public ::testing::TestWithParam<BadCount> {};

TEST_P(FrameworkFailedPull, PromptsOnceRefocusesAndStopsAtTheCount)
{
    const BadCount bad = GetParam();
    CFwTestDlg dlg;
    RunDialog(dlg, [&](CFwTestDlg& d) {
        ASSERT_TRUE(Push(d, 0, 90, 1, 0, "Minutes"));
        // The controls now differ from every member.
        SetCheck(d, IDC_FW_FIRST, true);
        SetText(d, IDC_FW_COUNT, bad.text);
        SetCheck(d, IDC_FW_SECOND, false);
        SetCheck(d, IDC_FW_THIRD, true);
        SetText(d, IDC_FW_TEXT, "Hours");
        ::SetFocus(::GetDlgItem(d.m_hWnd, IDC_FW_TEXT));

        ScopedMessageBoxRecorder boxes;
        EXPECT_FALSE(d.UpdateData(TRUE));

        ASSERT_EQ(1u, boxes.Boxes().size());
        const BoxRecord& box = boxes.Boxes()[0];
        EXPECT_EQ(bad.prompt, box.text);
        EXPECT_EQ(kAppName, box.caption);
        EXPECT_EQ(d.m_hWnd, box.hOwner);
        EXPECT_EQ(static_cast<UINT>(MB_OK), box.nType & MB_TYPEMASK);

        HWND hCount = ::GetDlgItem(d.m_hWnd, IDC_FW_COUNT);
        EXPECT_EQ(hCount, ::GetFocus());
        DWORD start = 1, end = 0;
        ::SendMessageA(hCount, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(static_cast<DWORD>(lstrlenA(bad.text)), end);

        // Before the count: pulled. After it: untouched.
        EXPECT_EQ(1, d.m_bFirst);
        EXPECT_EQ(1, d.m_bSecond);
        EXPECT_EQ(0, d.m_bThird);
        EXPECT_STREQ("Minutes", d.m_strText);
        if (bad.prompt == kNotAnInteger) {
            EXPECT_EQ(90, d.m_nCount);
        }
        // The field still shows what was typed.
        EXPECT_EQ(bad.text, Text(d, IDC_FW_COUNT));
    });
    EXPECT_FALSE(dlg.m_bWatchdogFired);
}

INSTANTIATE_TEST_SUITE_P(NotAnInteger, FrameworkFailedPull,
                         ::testing::Values(BadCount{"Empty", "", kNotAnInteger},
                                           BadCount{"Letters", "abc", kNotAnInteger},
                                           BadCount{"TrailingLetter", "12x", kNotAnInteger},
                                           BadCount{"TwoNumbers", "4 2", kNotAnInteger},
                                           BadCount{"BeyondInt", "99999999999", kNotAnInteger}), ByName());
INSTANTIATE_TEST_SUITE_P(OutOfRange, FrameworkFailedPull,
                         ::testing::Values(BadCount{"FiveThousand", "5000", kOutOfRange},
                                           BadCount{"JustAbove", "1001", kOutOfRange},
                                           BadCount{"Negative", "-1", kOutOfRange}), ByName());

// The handlers are wired: outside an exchange the same changes reach them.
void ExpectHandlersReachedOutsideExchange(CFwTestDlg& d)
{
    d.m_calls.clear();
    ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FW_COUNT), "12");
    ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FW_TEXT), "x");
    ::SendMessageA(::GetDlgItem(d.m_hWnd, IDC_FW_FIRST), BM_CLICK, 0, 0);
    EXPECT_EQ(1, d.Count("EN_CHANGE count"));
    EXPECT_EQ(1, d.Count("EN_CHANGE text"));
    EXPECT_EQ(1, d.Count("BN_CLICKED first"));
    d.m_calls.clear();
}

TEST(FrameworkNotificationLockout, NoHandlerRunsDuringAPushOrAPull)
{
    CFwTestDlg dlg;
    RunDialog(dlg, [](CFwTestDlg& d) {
        ExpectHandlersReachedOutsideExchange(d);
        bool bLockedInside = false;
        // Besides the push's own SetWindowText, provoke notifications from
        // inside the exchange: a click on a box and a change of a field.
        d.m_duringExchange = [&](CFwTestDlg& dd, int i) {
            if (i != 2)
                return;
            bLockedInside = dd.IsNotifyLocked();
            ::SendMessageA(::GetDlgItem(dd.m_hWnd, IDC_FW_SECOND), BM_CLICK, 0, 0);
            ::SetWindowTextA(::GetDlgItem(dd.m_hWnd, IDC_FW_COUNT), "321");
        };

        d.m_nCount = 444;
        d.m_strText = "pushed";
        EXPECT_TRUE(d.UpdateData(FALSE));
        EXPECT_TRUE(bLockedInside);
        EXPECT_TRUE(d.m_calls.empty()) << d.m_calls.front();
        EXPECT_EQ("pushed", Text(d, IDC_FW_TEXT));
        EXPECT_FALSE(d.IsNotifyLocked());

        bLockedInside = false;
        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_TRUE(bLockedInside);
        EXPECT_TRUE(d.m_calls.empty()) << d.m_calls.front();
        EXPECT_FALSE(d.IsNotifyLocked());

        d.m_duringExchange = nullptr;
        ExpectHandlersReachedOutsideExchange(d);
    });
}

// A tick that pushes while a failed pull's real prompt is up: the push is
// locked, and the pull around it is still locked once the push returns.
TEST(FrameworkNotificationLockout, SurvivesATickPushInsideTheFailedPullsPrompt)
{
    CFwTestDlg dlg;
    int nTicksWithBox = 0;
    bool bLockedBeforePush = false, bPushOk = false, bLockedAfterPush = false;
    std::vector<std::string> callsDuringBox;
    std::string boxCaption, boxText;
    HWND hBoxOwner = nullptr, hDlg = nullptr;

    dlg.m_onTickInBox = [&](CFwTestDlg& d, HWND hBox) {
        if (++nTicksWithBox < 3)
            return;
        boxCaption = WindowTextOf(hBox);
        boxText = MessageBoxText(hBox);
        hBoxOwner = ::GetWindow(hBox, GW_OWNER);
        hDlg = d.m_hWnd;
        d.m_calls.clear();
        bLockedBeforePush = d.IsNotifyLocked();
        d.m_nCount = 77;
        bPushOk = d.UpdateData(FALSE) != FALSE;  // its EN_CHANGE must not get through
        bLockedAfterPush = d.IsNotifyLocked();
        // Still inside the outer pull: nothing may get through.
        ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FW_TEXT), "changed");
        ::SendMessageA(::GetDlgItem(d.m_hWnd, IDC_FW_FIRST), BM_CLICK, 0, 0);
        callsDuringBox = d.m_calls;
        d.KillTimer(1);
        PostButton(hBox);
    };

    BOOL bPulled = TRUE;
    RunDialog(dlg, [&](CFwTestDlg& d) {
        SetText(d, IDC_FW_COUNT, "abc");
        d.SetTimer(1, 30, nullptr);
        bPulled = d.UpdateData(TRUE);  // a real box: answered by the tick above
        EXPECT_FALSE(d.IsNotifyLocked());
        ExpectHandlersReachedOutsideExchange(d);
    });

    ASSERT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_FALSE(bPulled);
    EXPECT_EQ(3, nTicksWithBox);
    EXPECT_TRUE(bLockedBeforePush);
    EXPECT_TRUE(bPushOk);
    EXPECT_TRUE(bLockedAfterPush);
    EXPECT_TRUE(callsDuringBox.empty()) << callsDuringBox.front();
    EXPECT_EQ(kAppName, boxCaption);
    EXPECT_EQ(kNotAnInteger, boxText);
    EXPECT_EQ(hDlg, hBoxOwner);
}

// The last tick can end the dialog while a failed pull's prompt is up: the
// pull still finishes on a live window, and the dialog closes afterwards.
TEST(FrameworkNotificationLockout, ATickThatEndsTheDialogInsideThePromptClosesItAfterThePull)
{
    CFwTestDlg dlg;
    HWND hDlg = nullptr;
    bool bEndedInPrompt = false, bAliveAfterPull = false;
    dlg.m_onTickInBox = [&](CFwTestDlg& d, HWND hBox) {
        d.KillTimer(1);
        d.EndDialog(IDCANCEL);
        bEndedInPrompt = d.IsEnded();
        PostButton(hBox);
    };
    dlg.m_onRunning = [&](CFwTestDlg& d) {
        hDlg = d.m_hWnd;
        ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FW_COUNT), "1234");
        d.SetTimer(1, 30, nullptr);
        EXPECT_FALSE(d.UpdateData(TRUE));
        bAliveAfterPull = ::IsWindow(hDlg) != FALSE;
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_TRUE(bEndedInPrompt);
    EXPECT_TRUE(bAliveAfterPull);
    EXPECT_FALSE(::IsWindow(hDlg));
}

// The same through the message-box seam, whose hook runs a loop of its own.
TEST(FrameworkNotificationLockout, SurvivesNestingThroughTheMessageBoxHook)
{
    CFwTestDlg dlg;
    int nTicks = 0;
    dlg.m_onTimer = [&](CFwTestDlg& d, UINT_PTR) {
        ++nTicks;
        d.m_nCount = 100 + nTicks;
        d.UpdateData(FALSE);
    };
    RunDialog(dlg, [&](CFwTestDlg& d) {
        ScopedMessageBoxRecorder boxes;
        boxes.m_onBox = [&](const BoxRecord&) {
            d.SetTimer(1, 20, nullptr);
            MSG msg;
            while (nTicks < 3 && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            d.KillTimer(1);
            EXPECT_TRUE(d.IsNotifyLocked());
            ::SetWindowTextA(::GetDlgItem(d.m_hWnd, IDC_FW_TEXT), "changed");
        };
        SetText(d, IDC_FW_COUNT, "5000");
        EXPECT_FALSE(d.UpdateData(TRUE));
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(kOutOfRange, boxes.Boxes()[0].text);
        EXPECT_EQ(3, nTicks);
        EXPECT_EQ("103", Text(d, IDC_FW_COUNT));
        EXPECT_TRUE(d.m_calls.empty()) << d.m_calls.front();
        EXPECT_FALSE(d.IsNotifyLocked());
    });
    EXPECT_FALSE(dlg.m_bWatchdogFired);
}

} // namespace
