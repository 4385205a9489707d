// While shutdown counts down it keeps the machine from sleeping on its own, and
// lets it sleep again however the countdown stops. The timer is faked, so the
// test posts the ticks; the library's entries are recorders.
#include "PowerEntryTable.h"
#include "TimerDlg.h"

#include "ModalRunner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> g_log;  // "awake", "asleep", entry calls, boxes

class CAwakeTimerDlg : public CTimerDlg {
public:
    bool m_bRefuseTimer = false;

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT, TIMERPROC) override { return m_bRefuseTimer ? 0 : nIDEvent; }
    BOOL KillTimer(UINT_PTR) override { return TRUE; }

protected:
    void KeepSystemAwake(BOOL bAwake) override { g_log.push_back(bAwake ? "awake" : "asleep"); }
};

void RecordEntry()
{
    g_log.push_back("entry");
}

int RecordBox(HWND, LPCSTR lpszText, LPCSTR, UINT)
{
    g_log.push_back(std::string("box: ") + lpszText);
    return IDOK;
}

// Every entry records, whatever the binding found.
void ReplaceEntries()
{
    for (PowerEntryFn& fn : g_PowerEntries.m_pfn)
        fn = RecordEntry;
}

void Go(HWND hDlg)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void Cancel(HWND hDlg)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// The last tick: the count goes from 1 to 0.
void LastTick(CAwakeTimerDlg& dlg, HWND hDlg)
{
    dlg.m_nCount = 1;
    ::SendMessageA(hDlg, WM_TIMER, 1, 0);
}

class KeepAwakeTest : public ::testing::Test {
protected:
    // A fresh current folder: no shutdown.ini, so the defaults (Hibernate,
    // forced, minutes, no automatic start) apply.
    void SetUp() override
    {
        g_log.clear();
        m_pfnOldHook = AfxSetMessageBoxHook(RecordBox);
        char tmp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tmp);
        m_folder = std::string(tmp) + "vespiro-awake-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        ::GetCurrentDirectoryA(MAX_PATH, m_old);
        ::SetCurrentDirectoryA(m_folder.c_str());
    }
    void TearDown() override
    {
        ::SetCurrentDirectoryA(m_old);
        ::RemoveDirectoryA(m_folder.c_str());
        AfxSetMessageBoxHook(m_pfnOldHook);
    }

    AFX_MSGBOX_HOOK m_pfnOldHook = nullptr;
    std::string m_folder;
    char m_old[MAX_PATH] = "";
};

TEST_F(KeepAwakeTest, RequestedWhileCountingAndReleasedBeforeTheAction)
{
    CAwakeTimerDlg dlg;
    INT_PTR result = RunModal(dlg, [&](HWND hDlg) {
        ReplaceEntries();
        EXPECT_TRUE(g_log.empty());
        Go(hDlg);
        EXPECT_EQ(std::vector<std::string>{"awake"}, g_log);
        ::SendMessageA(hDlg, WM_TIMER, 1, 0);  // an ordinary tick changes nothing
        EXPECT_EQ(std::vector<std::string>{"awake"}, g_log);
        LastTick(dlg, hDlg);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ((std::vector<std::string>{"awake", "asleep", "entry"}), g_log);
}

TEST_F(KeepAwakeTest, ReleasedWhenTheCountEndsWithoutAnAction)
{
    CAwakeTimerDlg dlg;
    INT_PTR result = RunModal(dlg, [&](HWND hDlg) {
        ReplaceEntries();
        Go(hDlg);
        dlg.m_bHibernate = 0;  // no action selected
        LastTick(dlg, hDlg);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ((std::vector<std::string>{"awake", "asleep"}), g_log);
        Cancel(hDlg);
    });
    EXPECT_EQ(IDCANCEL, result);
    // Cancel after the end asks for nothing more.
    EXPECT_EQ((std::vector<std::string>{"awake", "asleep"}), g_log);
}

TEST_F(KeepAwakeTest, ReleasedOnCancel)
{
    CAwakeTimerDlg dlg;
    INT_PTR result = RunModal(dlg, [&](HWND hDlg) {
        ReplaceEntries();
        Go(hDlg);
        Cancel(hDlg);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ((std::vector<std::string>{"awake", "asleep"}), g_log);
}

TEST_F(KeepAwakeTest, NothingRequestedWhenTheTimerIsRefusedOrNeverStarted)
{
    CAwakeTimerDlg refused;
    refused.m_bRefuseTimer = true;
    RunModal(refused, [&](HWND hDlg) {
        Go(hDlg);
        Cancel(hDlg);
    });
    EXPECT_EQ(std::vector<std::string>{"box: Cannot Install Timer"}, g_log);

    g_log.clear();
    CAwakeTimerDlg idle;
    RunModal(idle, [&](HWND hDlg) { Cancel(hDlg); });
    EXPECT_TRUE(g_log.empty());
}

} // namespace
