#include "DialogDriver.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

const char kCaption[] = "Drowsel 1.0";
enum { IDC_COUNT = 1000, IDC_FORCE = 1003, IDC_SUSPEND = 1005, IDC_HIBERNATE = 1006, IDC_SHUTDOWN = 1007 };

// Ten 600 ms steps take 6 s; Wine on a busy machine may be slow to start the
// program and to deliver timer messages, never fast.
const DWORD kRunMinMs = 5000, kRunMaxMs = 12000;

// The controls without an id are found by their text.
HWND ChildWithText(HWND hDlg, const char* text)
{
    return ::FindWindowExA(hDlg, nullptr, nullptr, text);
}

RECT Rect(HWND hWnd)
{
    RECT r = {};
    ::GetWindowRect(hWnd, &r);
    return r;
}

// Waits for the program to end (the action closes it) and tells how long
// after `start` the power library was first called, or 0 for never. `watch`
// runs at each poll while it waits.
DWORD WaitForEndAndCall(ProgramUnderTest& prog, DWORD start, const std::function<void()>& watch = nullptr)
{
    DWORD called = 0;
    WaitUntil([&] {
        if (watch)
            watch();
        if (!called && !prog.Calls().empty())
            called = ::GetTickCount() - start;
        return !prog.IsRunning();
    });
    if (!called && !prog.Calls().empty())
        called = ::GetTickCount() - start;
    return called;
}

// Where a test is about a count or the end and not about the steps' timing
// (the real timer's steps are WhateverGoOrEnter's): the count is brought down
// to `last` by posted ticks, one at a time, each waited for, and the real
// timer takes the steps after. So no posted tick is ever left to arrive after
// the end, or to take a count away before a test has seen it.
void PostTicksDownTo(DialogDriver& dlg, int last)
{
    const auto count = [&] {
        std::string text = dlg.Text(IDC_COUNT);  // empty once the window is gone
        return text.empty() ? 0 : std::stoi(text);
    };
    for (int now = count(); now > last; now = count()) {
        dlg.PostTick();
        if (!WaitUntil([&] { return count() < now; }))
            return;
    }
}

TEST(DrowselE2e, WindowShowsTheCountAndOneLargeCancelOnly)
{
    ProgramUnderTest prog("drowsel.exe", PowerLib::Recording);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    HWND hGroup = ChildWithText(dlg.Window(), "Hibernate In:");
    HWND hSeconds = ChildWithText(dlg.Window(), "Seconds");
    ASSERT_NE(nullptr, hGroup);
    ASSERT_NE(nullptr, hSeconds);
    EXPECT_TRUE(::IsWindowVisible(hGroup));
    EXPECT_TRUE(::IsWindowVisible(hSeconds));
    EXPECT_TRUE(dlg.Visible(IDC_COUNT));
    EXPECT_FALSE(dlg.Enabled(IDC_COUNT));
    EXPECT_EQ("Cancel", dlg.Text(IDCANCEL));
    EXPECT_TRUE(dlg.Visible(IDCANCEL));
    EXPECT_TRUE(dlg.Enabled(IDCANCEL));
    EXPECT_EQ("GO!", dlg.Text(IDOK));
    EXPECT_FALSE(dlg.Visible(IDOK));
    EXPECT_FALSE(dlg.Enabled(IDOK));
    for (int id : {IDC_FORCE, IDC_SUSPEND, IDC_HIBERNATE, IDC_SHUTDOWN})
        EXPECT_FALSE(dlg.Visible(id)) << id;
    // Hidden, yet they hold the fixed choice: forced hibernation.
    EXPECT_TRUE(dlg.Checked(IDC_FORCE));
    EXPECT_TRUE(dlg.Checked(IDC_HIBERNATE));
    EXPECT_FALSE(dlg.Checked(IDC_SUSPEND));
    EXPECT_FALSE(dlg.Checked(IDC_SHUTDOWN));
    // "Cancel" is as wide as the group box and more than twice as tall.
    RECT group = Rect(hGroup), cancel = Rect(dlg.Item(IDCANCEL));
    EXPECT_EQ(group.right - group.left, cancel.right - cancel.left);
    EXPECT_GT(cancel.bottom - cancel.top, 2 * (group.bottom - group.top));
    EXPECT_GE(cancel.top, group.bottom);
    LONG style = ::GetWindowLongA(dlg.Window(), GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(::GetWindowLongA(dlg.Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    dlg.Click(IDCANCEL);
    EXPECT_TRUE(prog.WaitForExit());
    EXPECT_TRUE(prog.Calls().empty());
}

// The OK command, a click on the hidden "GO!" and Enter change nothing: the
// countdown goes on and hibernates, forced, once after ten ticks.
TEST(DrowselE2e, WhateverGoOrEnterSaysHibernatesForcedOnceAfterTenTicks)
{
    ProgramUnderTest prog("drowsel.exe", PowerLib::Recording);
    DWORD start = ::GetTickCount();
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    dlg.PostCommand(IDOK);
    dlg.Click(IDOK);
    ::PostMessageA(dlg.Window(), WM_KEYDOWN, VK_RETURN, 0);
    bool goOrCountEnabled = false;
    std::vector<int> shown;
    DWORD called = WaitForEndAndCall(prog, start, [&] {
        std::string text = dlg.Text(IDC_COUNT);  // empty once the window is gone
        if (!text.empty() && (shown.empty() || shown.back() != std::stoi(text)))
            shown.push_back(std::stoi(text));
        goOrCountEnabled = goOrCountEnabled || dlg.Enabled(IDOK) || dlg.Enabled(IDC_COUNT);
    });
    ASSERT_TRUE(prog.WaitForExit());
    DWORD ended = ::GetTickCount() - start;
    std::printf("drowsel: count seen %d..%d (%zu values), power call %lu ms and exit %lu ms after Start()\n",
                shown.empty() ? -1 : shown.front(), shown.empty() ? -1 : shown.back(), shown.size(),
                static_cast<unsigned long>(called), static_cast<unsigned long>(ended));

    EXPECT_EQ(std::vector<std::string>{"Hibernate_Force"}, prog.Calls());
    EXPECT_GE(called, kRunMinMs);
    EXPECT_LE(called, kRunMaxMs);
    EXPECT_FALSE(goOrCountEnabled);
    // The count only ever went down by one. 0 is shown by the same message
    // that closes the window, so from outside it is seldom seen.
    ASSERT_FALSE(shown.empty());
    EXPECT_GE(shown.front(), 9);
    EXPECT_LE(shown.front(), 10);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_EQ(shown[i - 1] - 1, shown[i]) << "after " << shown[i - 1];
    EXPECT_LE(shown.back(), 1);
    EXPECT_GE(shown.back(), 0);
}

class DrowselCancel : public ::testing::TestWithParam<const char*> {};

TEST_P(DrowselCancel, BeforeZeroCallsNothing)
{
    ProgramUnderTest prog("drowsel.exe", PowerLib::Recording);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    const std::string when = GetParam();
    if (when != "now") {
        PostTicksDownTo(dlg, std::stoi(when) + 1);
        ASSERT_TRUE(WaitUntil([&] { return dlg.Text(IDC_COUNT) == when; }));
    }
    dlg.Click(IDCANCEL);
    ASSERT_TRUE(prog.WaitForExit());
    EXPECT_TRUE(prog.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Drowsel, DrowselCancel, ::testing::Values("now", "7", "2"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string when = info.param;
                             return when == "now" ? std::string("RightAway") : "AtCount" + when;
                         });

// Wine gives a window without WS_SYSMENU no system menu, so the About entry is
// missing there; the command itself still reaches the dialog.
TEST(DrowselE2e, AboutBoxShowsItsVersionWhileTheCountGoesOn)
{
    ProgramUnderTest prog("drowsel.exe", PowerLib::Recording);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    dlg.PostSysCommand(16);
    HWND hBox = dlg.WaitForBox();
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("About Vespiro", DialogDriver::BoxCaption(hBox));
    EXPECT_EQ(0u, DialogDriver::BoxText(hBox).find("Vespiro V1.2")) << DialogDriver::BoxText(hBox);
    EXPECT_TRUE(WaitUntil([&] { return dlg.Text(IDC_COUNT) == "7"; }));
    DialogDriver::AnswerBox(hBox);
    dlg.Click(IDCANCEL);
    ASSERT_TRUE(prog.WaitForExit());
    EXPECT_TRUE(prog.Calls().empty());
}

struct HiddenClick : NamedRow {
    int id;
    const char* entry;  // what the end of the countdown calls afterwards
};

class DrowselHiddenBox : public ::testing::TestWithParam<HiddenClick> {};

// A posted click on a hidden box still toggles it and notifies the dialog.
TEST_P(DrowselHiddenBox, ClickStillChangesTheAction)
{
    ProgramUnderTest prog("drowsel.exe", PowerLib::Recording);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    int id = GetParam().id;
    dlg.Click(id);
    if (id == IDC_FORCE) {
        EXPECT_TRUE(WaitUntil([&] { return !dlg.Checked(IDC_FORCE); }));
        EXPECT_TRUE(dlg.Checked(IDC_HIBERNATE));
    } else {
        // One of three: a click on the checked one keeps it checked.
        EXPECT_TRUE(WaitUntil(
            [&] {
                return dlg.Checked(id) && dlg.Checked(IDC_SUSPEND) + dlg.Checked(IDC_HIBERNATE) +
                                                  dlg.Checked(IDC_SHUTDOWN) == 1;
            }));
        EXPECT_TRUE(dlg.Checked(IDC_FORCE));
    }
    PostTicksDownTo(dlg, 1);
    WaitForEndAndCall(prog, ::GetTickCount());
    ASSERT_FALSE(prog.IsRunning());
    EXPECT_EQ(std::vector<std::string>{GetParam().entry}, prog.Calls());
}

INSTANTIATE_TEST_SUITE_P(Drowsel, DrowselHiddenBox,
                         ::testing::Values(HiddenClick{"Suspend", IDC_SUSPEND, "Suspend_Force"},
                                           HiddenClick{"ShutDown", IDC_SHUTDOWN, "Shutdown_Force"},
                                           HiddenClick{"Hibernate", IDC_HIBERNATE, "Hibernate_Force"},
                                           HiddenClick{"ForceClose", IDC_FORCE, "Hibernate"}), ByName());

struct MissingCase : NamedRow {
    PowerLib lib;
    const char* entryNamed;  // null: the library itself is missing
};

class DrowselMissing : public ::testing::TestWithParam<MissingCase> {};

// Said as the window opens, and again at the end, which the real timer
// reaches after that box.
TEST_P(DrowselMissing, SaysWhatIsMissingCallsNothingAndWaitsForCancel)
{
    ProgramUnderTest prog("drowsel.exe", GetParam().lib);
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    HWND hBox = dlg.WaitForBox();
    ASSERT_NE(nullptr, hBox);
    const std::string early = DialogDriver::BoxText(hBox);
    DialogDriver::AnswerBox(hBox);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(hBox); }));
    PostTicksDownTo(dlg, 2);
    hBox = dlg.WaitForBox();
    ASSERT_NE(nullptr, hBox);
    std::string text = DialogDriver::BoxText(hBox);
    EXPECT_EQ(early, text);
    EXPECT_NE(std::string::npos, text.find("Shutdown.dll")) << text;
    if (GetParam().entryNamed) {
        EXPECT_NE(std::string::npos, text.find(GetParam().entryNamed)) << text;
    }
    EXPECT_EQ(dlg.Window(), ::GetWindow(hBox, GW_OWNER));
    EXPECT_EQ("0", dlg.Text(IDC_COUNT));
    DialogDriver::AnswerBox(hBox);

    // Ended without action: 0 stays, nothing ticks on, only Cancel is left.
    ::Sleep(1500);
    EXPECT_TRUE(prog.IsRunning());
    EXPECT_EQ("0", dlg.Text(IDC_COUNT));
    EXPECT_EQ(nullptr, dlg.WaitForBox(0));
    EXPECT_FALSE(dlg.Enabled(IDOK));
    EXPECT_FALSE(dlg.Enabled(IDC_COUNT));
    dlg.Click(IDCANCEL);
    ASSERT_TRUE(prog.WaitForExit());
    EXPECT_TRUE(prog.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Drowsel, DrowselMissing,
                         ::testing::Values(MissingCase{"Library", PowerLib::None, nullptr},
                                           MissingCase{"Entry", PowerLib::Partial, "Hibernate_Force"}), ByName());

} // namespace
