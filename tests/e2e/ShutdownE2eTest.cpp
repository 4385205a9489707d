#include "ShutdownWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace shutdown_window;

namespace {

typedef std::vector<std::string> Calls;

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One run of shutdown.exe in a fresh folder, driven as a user would.
class ShutdownE2e : public ::testing::Test {
protected:
    // Writes the settings (none when empty) and opens the window.
    void Open(const std::string& ini, PowerLib lib = PowerLib::Recording)
    {
        m_prog.reset(new ProgramUnderTest("shutdown.exe", lib));
        if (!ini.empty())
            m_prog->WriteIni(ini);
        StartIn(std::string());
    }
    // Without a window the rest of the test has nothing to drive: end it.
    void StartIn(const std::string& workingFolder)
    {
        if (!m_prog->Start(kCaption, workingFolder)) {
            ADD_FAILURE() << "the window did not open: " << m_prog->Failure();
            throw std::runtime_error("no window");
        }
        m_dlg.reset(new DialogDriver(m_prog->Window()));
    }

    ProgramUnderTest& Prog() { return *m_prog; }
    DialogDriver& Dlg() { return *m_dlg; }

    bool CountShows(const std::string& text)
    {
        return WaitUntil([&] { return m_dlg->Text(IDC_COUNT) == text; });
    }

    void Go() { ASSERT_TRUE(PressGo(*m_dlg)); }

    // Posts n ticks and waits until the count has taken all of them.
    void Ticks(int n, const std::string& expectedCount)
    {
        for (int i = 0; i < n; ++i)
            m_dlg->PostTick(i);  // any id will do
        EXPECT_TRUE(CountShows(expectedCount)) << "count shows " << m_dlg->Text(IDC_COUNT);
    }

    // Clicks the box and waits until it shows the given state.
    void ClickBox(int id, bool expectChecked)
    {
        m_dlg->Click(id);
        EXPECT_TRUE(WaitUntil([&] { return m_dlg->Checked(id) == expectChecked; }));
    }

    // The one action box that is checked, 0 for none, -1 for more than one.
    int CheckedAction() const
    {
        int found = 0;
        for (int id : kActionBoxes)
            if (m_dlg->Checked(id))
                found = found ? -1 : id;
        return found;
    }

    // Waits for a message box of the program, checks a part of its text, and
    // answers it with OK. Returns its text.
    std::string AnswerPrompt(const std::string& mustContain)
    {
        HWND hBox = m_dlg->WaitForBox();
        EXPECT_TRUE(hBox != nullptr) << "no box came";
        if (!hBox)
            return std::string();
        std::string text = DialogDriver::BoxText(hBox);
        EXPECT_NE(std::string::npos, text.find(mustContain)) << text;
        EXPECT_EQ(m_prog->Window(), ::GetWindow(hBox, GW_OWNER));
        DialogDriver::AnswerBox(hBox);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(hBox); }));
        return text;
    }

    // No box of the program comes up within a short while.
    bool NoBoxComes() const { return m_dlg->WaitForBox(300) == nullptr; }

    // "Cancel", and the program ends.
    void CancelAndExpectExit()
    {
        m_dlg->Click(IDCANCEL);
        EXPECT_TRUE(m_prog->WaitForExit());
    }

    // The run ends by itself after calling exactly these entries.
    void ExpectEndsCalling(const Calls& calls)
    {
        EXPECT_TRUE(m_prog->WaitForExit());
        EXPECT_EQ(calls, m_prog->Calls());
    }

    std::unique_ptr<ProgramUnderTest> m_prog;
    std::unique_ptr<DialogDriver> m_dlg;
};

// --- Opening and starting ---------------------------------------------------

TEST_F(ShutdownE2e, NoSettingsFileOpensWithDefaultsAndWaits)
{
    Open("");
    EXPECT_EQ("90", Dlg().Text(IDC_COUNT));
    EXPECT_EQ("Minutes", Dlg().Text(IDC_UNITS));
    EXPECT_TRUE(Dlg().Checked(IDC_FORCE));
    EXPECT_EQ(IDC_HIBERNATE, CheckedAction());
    EXPECT_TRUE(Dlg().Enabled(IDOK));
    EXPECT_TRUE(Dlg().Enabled(IDC_COUNT));
    // DS_CENTERMOUSE: Windows centres the window on the mouse pointer, inside
    // the work area; Wine puts its top left corner there.
    POINT at = {};
    ::GetCursorPos(&at);
    RECT r = {};
    ::GetWindowRect(Dlg().Window(), &r);
    if (!RunningUnderWine()) {
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoA(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &mi);
        at.x = std::max(mi.rcWork.left, std::min(at.x - (r.right - r.left) / 2, mi.rcWork.right - (r.right - r.left)));
        at.y = std::max(mi.rcWork.top, std::min(at.y - (r.bottom - r.top) / 2, mi.rcWork.bottom - (r.bottom - r.top)));
    }
    EXPECT_NEAR(at.x, r.left, 1);
    EXPECT_NEAR(at.y, r.top, 1);
    ::Sleep(300);
    EXPECT_EQ("90", Dlg().Text(IDC_COUNT));
    CancelAndExpectExit();
    EXPECT_TRUE(Prog().Calls().empty());
}

TEST_F(ShutdownE2e, AutoStartWithOneSecondStepsCallsTheEntryOnceAndEnds)
{
    m_prog.reset(new ProgramUnderTest("shutdown.exe", PowerLib::Recording));
    Prog().WriteIni("[Misc]\nAutoStart=1\nUnits=1\nDefaultTime=3\nDefaultMode=3\nDefaultForce=0\n");
    const bool bTonePlays = BeepPlaysTones();  // before the clock starts: it beeps
    DWORD start = ::GetTickCount();
    StartIn(std::string());
    EXPECT_FALSE(Dlg().Enabled(IDOK));
    EXPECT_FALSE(Dlg().Enabled(IDC_COUNT));
    EXPECT_EQ("Seconds", Dlg().Text(IDC_UNITS));
    EXPECT_TRUE(CountShows("2"));
    ASSERT_TRUE(Prog().WaitForExit());
    DWORD elapsed = ::GetTickCount() - start;
    EXPECT_EQ(Calls{"Shutdown"}, Prog().Calls());
    // Three one-second steps, then the one-second end tone before the call,
    // where this machine plays tones (Wine and a machine without sound do not).
    EXPECT_GE(elapsed, bTonePlays ? 3900u : 2900u);
    EXPECT_LE(elapsed, 8000u);
}

TEST_F(ShutdownE2e, SettingsOutsideTheUsualValuesAreShownAsGiven)
{
    // AutoStart 2 does not start; mode 7 selects nothing; 5000 is shown
    // although typing could not give it.
    Open("[Misc]\nDefaultTime=5000\nDefaultForce=0\nDefaultMode=7\nAutoStart=2\nUnits=3\n");
    EXPECT_EQ("5000", Dlg().Text(IDC_COUNT));
    EXPECT_EQ("Hours", Dlg().Text(IDC_UNITS));
    EXPECT_FALSE(Dlg().Checked(IDC_FORCE));
    EXPECT_EQ(0, CheckedAction());
    EXPECT_TRUE(Dlg().Enabled(IDOK));

    // "GO!" alone starts from 5000: no pull, so no range prompt.
    Go();
    EXPECT_TRUE(NoBoxComes());
    Ticks(1, "4999");
    // A click pulls, and the pull checks the range first.
    Dlg().Click(IDC_SUSPEND);
    AnswerPrompt("1000");
    EXPECT_EQ(IDC_SUSPEND, CheckedAction());
    CancelAndExpectExit();
    EXPECT_TRUE(Prog().Calls().empty());
}

TEST_F(ShutdownE2e, HoursAdvanceByTicksAndEndInTheForcedEntry)
{
    Open("[Misc]\nUnits=3\nDefaultTime=2\nDefaultMode=1\nDefaultForce=1\n");
    EXPECT_EQ("Hours", Dlg().Text(IDC_UNITS));
    Go();
    EXPECT_EQ("Hours", Dlg().Text(IDC_UNITS));
    Ticks(1, "1");
    EXPECT_TRUE(Prog().IsRunning());
    Dlg().PostTick(77);
    ExpectEndsCalling({"Suspend_Force"});
}

TEST_F(ShutdownE2e, UnitZeroShowsNoLabelAndGoStartsNothing)
{
    Open("[Misc]\nUnits=0\nDefaultTime=1\n");
    EXPECT_EQ("", Dlg().Text(IDC_UNITS));
    Go();
    EXPECT_FALSE(Dlg().Enabled(IDC_COUNT));
    EXPECT_EQ("", Dlg().Text(IDC_UNITS));
    // No timer: a one-second one would have ended the run by now.
    ::Sleep(1500);
    EXPECT_EQ("1", Dlg().Text(IDC_COUNT));
    EXPECT_TRUE(NoBoxComes());
    CancelAndExpectExit();
    EXPECT_TRUE(Prog().Calls().empty());
}

TEST_F(ShutdownE2e, TheStartReadsTheUnitAgain)
{
    Open("[Misc]\nUnits=2\nDefaultTime=1\nDefaultForce=0\n");
    EXPECT_EQ("Minutes", Dlg().Text(IDC_UNITS));
    Prog().WriteIni("[Misc]\nUnits=1\n");
    DWORD start = ::GetTickCount();
    Go();
    EXPECT_TRUE(WaitUntil([&] { return Dlg().Text(IDC_UNITS) == "Seconds"; }));
    // A real one-second step, not a minute.
    ASSERT_TRUE(Prog().WaitForExit());
    EXPECT_GE(::GetTickCount() - start, 900u);
    EXPECT_EQ(Calls{"Hibernate"}, Prog().Calls());
}

// --- Choosing the action and the force ---------------------------------------

TEST_F(ShutdownE2e, ActionBoxesAreAOneOfFiveChoice)
{
    Open("[Misc]\nDefaultTime=3\n");
    ASSERT_EQ(IDC_HIBERNATE, CheckedAction());
    ClickBox(IDC_REBOOT, true);
    EXPECT_TRUE(WaitUntil([&] { return CheckedAction() == IDC_REBOOT; }));
    // Clicking the checked box keeps it checked. The tick behind the click
    // shows when the click has been handled.
    Dlg().Click(IDC_REBOOT);
    Ticks(1, "2");
    EXPECT_EQ(IDC_REBOOT, CheckedAction());
    EXPECT_TRUE(Dlg().Checked(IDC_FORCE));
    EXPECT_TRUE(NoBoxComes());
    Go();
    Ticks(1, "1");
    Dlg().PostTick();
    ExpectEndsCalling({"Reboot_Force"});
}

TEST_F(ShutdownE2e, TheForceFlagOrAfterAPullTheForceBoxPicksTheEntry)
{
    // A pull replaces the file's 2 by what the box shows.
    struct Case {
        const char* settings;
        int click;
        const char* entry;
    } cases[] = {
        {"DefaultForce=0\nDefaultMode=4", 0, "LogOff"},
        {"DefaultForce=1\nDefaultMode=5", 0, "Reboot_Force"},
        {"DefaultForce=2\nDefaultMode=2", IDC_FORCE, "Hibernate_Force"},  // the click checks the box
        {"DefaultForce=2\nDefaultMode=2", IDC_SHUTDOWN, "Shutdown"},      // the force box stays unchecked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        Open(std::string("[Misc]\nDefaultTime=1\n") + c.settings + "\n");
        if (c.click)
            ClickBox(c.click, true);
        EXPECT_TRUE(NoBoxComes());
        Go();
        Dlg().PostTick();
        ExpectEndsCalling({c.entry});
    }
}

TEST_F(ShutdownE2e, ForceValueTwoEndsWithoutActionUntilCancel)
{
    Open("[Misc]\nDefaultTime=1\nDefaultForce=2\nDefaultMode=5\n");
    EXPECT_FALSE(Dlg().Checked(IDC_FORCE));
    Go();
    Ticks(1, "0");
    EXPECT_TRUE(NoBoxComes());
    ::Sleep(500);
    EXPECT_TRUE(Prog().IsRunning());
    EXPECT_EQ("0", Dlg().Text(IDC_COUNT));
    // Nothing enables them again, not even the end without an action.
    EXPECT_FALSE(Dlg().Enabled(IDOK));
    EXPECT_FALSE(Dlg().Enabled(IDC_COUNT));
    CancelAndExpectExit();
    EXPECT_TRUE(Prog().Calls().empty());
}

// --- The count ---------------------------------------------------------------

TEST_F(ShutdownE2e, StartValueZeroCountsBelowZeroWithoutACall)
{
    Open("[Misc]\nDefaultTime=0\n");
    Go();
    Ticks(1, "-1");
    Ticks(1, "-2");
    EXPECT_TRUE(NoBoxComes());
    EXPECT_TRUE(Prog().IsRunning());
    // The negative count was never typed; the next pull finds it.
    ClickBox(IDC_FORCE, false);
    AnswerPrompt("1000");
    // Cancel while running.
    CancelAndExpectExit();
    EXPECT_TRUE(Prog().Calls().empty());
}

TEST_F(ShutdownE2e, TypingPullsAtOnceAndTheTypedCountIsUsed)
{
    Open("[Misc]\nDefaultForce=0\nDefaultMode=1\n");
    Dlg().CaretToEnd(IDC_COUNT);
    Dlg().Type(IDC_COUNT, "0");
    EXPECT_TRUE(CountShows("900"));
    EXPECT_TRUE(NoBoxComes());
    // 9000 is out of range.
    Dlg().Type(IDC_COUNT, "0");
    std::string rangePrompt = AnswerPrompt("1000");
    // The prompt leaves the whole text selected: erasing it empties the field,
    // and an empty field is no integer.
    Dlg().Type(IDC_COUNT, "\b");
    std::string intPrompt = AnswerPrompt("");
    EXPECT_NE(rangePrompt, intPrompt);
    EXPECT_EQ("", Dlg().Text(IDC_COUNT));
    Dlg().Type(IDC_COUNT, "2");
    EXPECT_TRUE(CountShows("2"));
    EXPECT_TRUE(NoBoxComes());
    Go();
    Ticks(1, "1");
    Dlg().PostTick();
    ExpectEndsCalling({"Suspend"});
}

TEST_F(ShutdownE2e, AClickWhileTheCountIsOutOfRangeMovesTheActionButNotTheForce)
{
    Open("[Misc]\nDefaultTime=1001\nDefaultForce=1\nDefaultMode=2\n");
    // The action box's handler sets the flags before its push and pull.
    Dlg().Click(IDC_REBOOT);
    AnswerPrompt("1000");
    EXPECT_EQ(IDC_REBOOT, CheckedAction());
    // The force box's pull fails at the count: the flag stays 1 whatever the
    // box shows.
    ClickBox(IDC_FORCE, false);
    AnswerPrompt("1000");
    EXPECT_FALSE(Dlg().Checked(IDC_FORCE));
    Go();
    Ticks(1000, "1");
    Dlg().PostTick();
    ExpectEndsCalling({"Reboot_Force"});
}

// --- Cancel, the About box ---------------------------------------------------

TEST_F(ShutdownE2e, CancelWhileRunningCallsNothing)
{
    Open("[Misc]\nUnits=1\nDefaultTime=3\n");
    Go();
    EXPECT_TRUE(CountShows("2"));
    CancelAndExpectExit();
    EXPECT_TRUE(Prog().Calls().empty());
}

TEST_F(ShutdownE2e, TheCountdownGoesOnWhileTheAboutBoxIsOpen)
{
    Open("[Misc]\nDefaultTime=2\n");
    Go();
    // No system menu on this window, but the command still reaches the dialog.
    Dlg().PostSysCommand(16);
    HWND hAbout = Dlg().WaitForBox();
    ASSERT_TRUE(hAbout != nullptr);
    EXPECT_EQ("About Vespiro", DialogDriver::BoxCaption(hAbout));
    Ticks(1, "1");
    Dlg().PostTick();
    // The last tick calls the entry at once; the window closes when the box has.
    EXPECT_TRUE(WaitUntil([&] { return !Prog().Calls().empty(); }));
    EXPECT_TRUE(Prog().IsRunning());
    DialogDriver::AnswerBox(hAbout);
    ExpectEndsCalling({"Hibernate_Force"});
}

// --- A missing library or entry ----------------------------------------------

// Said at the start, whose countdown then goes on on its own timer, and again
// at the end.
TEST_F(ShutdownE2e, NoLibraryOrAMissingEntryIsReportedAndNothingCalledUntilCancel)
{
    struct Case {
        PowerLib lib;
        const char* named;  // besides the library
        bool autoStart;     // else GO!
    } cases[] = {
        {PowerLib::None, "Shutdown.dll could not be loaded", false},
        {PowerLib::Partial, "Hibernate_Force", false},
        {PowerLib::Partial, "Hibernate_Force", true},  // the start precedes the binding
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.named) + (c.autoStart ? " at the automatic start" : " at GO!"));
        Open(std::string("[Misc]\nUnits=1\nDefaultTime=2\nDefaultForce=1\nDefaultMode=2\n") +
                 (c.autoStart ? "AutoStart=1\n" : ""),
             c.lib);
        if (!c.autoStart) {
            EXPECT_TRUE(NoBoxComes());
            Go();
        }
        std::string early = AnswerPrompt(c.named);
        HWND hBox = Dlg().WaitForBox();
        ASSERT_TRUE(hBox != nullptr);
        EXPECT_EQ("shutdown", DialogDriver::BoxCaption(hBox));
        EXPECT_EQ("0", Dlg().Text(IDC_COUNT));
        std::string text = AnswerPrompt(c.named);
        EXPECT_EQ(early, text);
        EXPECT_NE(std::string::npos, text.find("Shutdown.dll")) << text;
        ::Sleep(300);
        EXPECT_TRUE(Prog().IsRunning());
        EXPECT_EQ("0", Dlg().Text(IDC_COUNT));
        EXPECT_FALSE(Dlg().Enabled(IDOK));
        CancelAndExpectExit();
        EXPECT_TRUE(Prog().Calls().empty());
    }
}

// --- While nobody watches ---------------------------------------------------

// Handles what other processes send to this thread's window while it waits.
bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = kWaitLimitMs)
{
    return WaitUntil([&] {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        return condition();
    }, limitMs);
}

// The last seconds bring a minimised window back on top while another window
// keeps the foreground; the end of the session (sent by hand: Wine's own ends
// every process of the prefix) stops the countdown and the program; a settings
// file locked at GO! leaves the unit shown.
TEST_F(ShutdownE2e, UnwatchedCountdownsSurfaceStopAndKeepTheirUnit)
{
    enum Scene { kLastSeconds, kSessionEnd, kLockedAtGo };
    struct Case {
        const char* name;
        Scene scene;
        const char* settings;
        int ticks = 0;  // posted once the window is minimised
    } cases[] = {
        // Minutes, so that only the posted tick counts; then the moment five
        // seconds after GO!, between two ticks, on the warning's own timer.
        {"last seconds", kLastSeconds, "DefaultTime=3\nUnits=2\nWarnSeconds=120", 1},
        {"between ticks", kLastSeconds, "DefaultTime=2\nUnits=2\nWarnSeconds=115"},
        {"session end", kSessionEnd, "DefaultTime=1\nUnits=2"},
        {"locked at GO!", kLockedAtGo, "DefaultTime=5\nUnits=1\nWarnSeconds=0"},
    };
    // One window of the user's for all rows: Wine hands the foreground on a
    // while after a foreground window goes.
    HWND hOurs = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(std::string("[Misc]\n") + c.settings + "\n");
        HWND hWnd = Dlg().Window();
        DWORD_PTR result = 0;
        switch (c.scene) {
        case kLastSeconds: {
            // GO! first: a click activates the window it lands on.
            Go();
            if (!hOurs)
                hOurs = ::CreateWindowExA(0, "STATIC", "the user's window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                          200, 100, nullptr, nullptr, nullptr, nullptr);
            ::ShowWindow(hWnd, SW_MINIMIZE);
            ::SetForegroundWindow(hOurs);
            EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(hWnd) && ::GetForegroundWindow() == hOurs; }));
            for (int i = 0; i < c.ticks; ++i)
                Dlg().PostTick();
            EXPECT_TRUE(PumpUntil([&] {
                return !::IsIconic(hWnd) && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
            })) << "minimised: " << ::IsIconic(hWnd);
            EXPECT_EQ("2", Dlg().Text(IDC_COUNT));
            // Never activated. Wine without a window manager sometimes hands
            // the foreground from the user's window to the desktop window a
            // moment after the restore (also when the restore is all the
            // program does), so "unchanged" cannot be asked of it here.
            EXPECT_NE(hWnd, ::GetForegroundWindow());
            PumpUntil([] { return false; }, 1000);
            EXPECT_NE(hWnd, ::GetForegroundWindow());
            CancelAndExpectExit();
            break;
        }
        case kSessionEnd:
            Go();
            EXPECT_NE(0, ::SendMessageTimeoutA(hWnd, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 1000, &result));
            EXPECT_EQ(static_cast<DWORD_PTR>(TRUE), result);
            ::SendMessageTimeoutA(hWnd, WM_ENDSESSION, FALSE, 0, SMTO_BLOCK, 1000, &result);
            EXPECT_TRUE(Responsive(hWnd));
            EXPECT_TRUE(Prog().IsRunning());
            ::SendMessageTimeoutA(hWnd, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 1000, &result);
            Dlg().PostTick();  // the last step, had the countdown gone on
            EXPECT_TRUE(Prog().WaitForExit(2000));
            break;
        case kLockedAtGo: {
            HANDLE hLock = ::CreateFileA((Prog().Folder() + "\\shutdown.ini").c_str(), GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr);
            EXPECT_NE(INVALID_HANDLE_VALUE, hLock);
            Go();
            // A step of a second, not the default minute.
            EXPECT_TRUE(WaitUntil([&] { return Dlg().Text(IDC_COUNT) == "4"; }, 5000));
            EXPECT_EQ("Seconds", Dlg().Text(IDC_UNITS));
            ::CloseHandle(hLock);
            CancelAndExpectExit();
            break;
        }
        }
        EXPECT_TRUE(Prog().Calls().empty());
    }
    if (hOurs)
        ::DestroyWindow(hOurs);
}

TEST_F(ShutdownE2e, ALibraryOnlyInTheCurrentFolderIsNotLoaded)
{
    m_prog.reset(new ProgramUnderTest("shutdown.exe", PowerLib::None));
    // The current folder holds the settings and a working library; the
    // program's own folder has none.
    std::string cwd = Prog().Folder() + "\\cwd";
    ASSERT_TRUE(::CreateDirectoryA(cwd.c_str(), nullptr));
    std::string dll = WinPath(VESPIRO_TEST_DIR) + "\\recording\\Shutdown.dll";
    ASSERT_TRUE(::CopyFileA(dll.c_str(), (cwd + "\\Shutdown.dll").c_str(), FALSE));
    Prog().WriteFile("cwd\\shutdown.ini", "[Misc]\nDefaultTime=1\nUnits=3\n");
    StartIn(cwd);
    EXPECT_EQ("Hours", Dlg().Text(IDC_UNITS));  // the settings were found there
    Go();
    AnswerPrompt("could not be loaded");
    Dlg().PostTick();
    AnswerPrompt("could not be loaded");
    CancelAndExpectExit();
    EXPECT_FALSE(FileExists(cwd + "\\calls.log"));
    EXPECT_FALSE(FileExists(Prog().Folder() + "\\calls.log"));
}

} // namespace
