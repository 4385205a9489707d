// shutdown's taskbar button bar through the dialog's seam (no COM), with the
// system timer faked and the entries recording.
#include "PowerEntryTable.h"
#include "TimerDlg.h"

#include "ModalRunner.h"
#include "ScopedCurrentFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;  // bar states, "connect", "entry", "box"

class CWatchedTimerDlg : public CTimerDlg {
public:
    bool m_bRefuseTimer = false;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT, TIMERPROC) override { return m_bRefuseTimer ? 0 : nIDEvent; }
    BOOL KillTimer(UINT_PTR) override { return TRUE; }

protected:
    void KeepSystemAwake(BOOL) override {}
    void ConnectTaskbar() override { g_log.push_back("connect"); }
    void ShowOnTaskbar(TBPFLAG state, int nLeft, int nAtStart) override
    {
        const char* const names[] = {"none", "indeterminate", "", "", "error"};
        g_log.push_back(state == TBPF_NORMAL ? std::to_string(nLeft) + "/" + std::to_string(nAtStart) : names[state]);
    }
};

TEST(TaskbarProgressTest, TheBarFollowsTheCountdownAndComesBackOnANewButton)
{
    // One letter a message: B "TaskbarButtonCreated", G "GO!", T a tick, C "Cancel".
    struct Case {
        const char* settings;
        bool refuseTimer;
        const char* script;
        std::vector<std::string> log;
    } cases[] = {
        {"DefaultTime=3", false, "BGTTC", {"connect", "none", "3/3", "2/3", "1/3", "none"}},
        {"DefaultTime=2", false, "GTT", {"2/2", "1/2", "entry", "none"}},
        // No action: red until Cancel, whatever comes after.
        {"DefaultTime=1\nDefaultMode=0", false, "GTTBC", {"1/1", "error", "connect", "error", "none"}},
        {"DefaultTime=3", true, "BGC", {"connect", "none", "box", "none"}},
        {"DefaultTime=3\nUnits=0", false, "GTC", {"none"}},
        {"DefaultTime=0", false, "GTC", {"indeterminate", "indeterminate", "none"}},
        {"DefaultTime=-5\nAutoStart=1", false, "TBC", {"indeterminate", "indeterminate", "connect", "indeterminate", "none"}},
        {"DefaultTime=3", false, "BGTBTC", {"connect", "none", "3/3", "2/3", "connect", "2/3", "1/3", "none"}},
    };
    const UINT nButtonCreated = ::RegisterWindowMessageA("TaskbarButtonCreated");
    AFX_MSGBOX_HOOK pfnOldHook = AfxSetMessageBoxHook([](HWND, LPCSTR, LPCSTR, UINT) {
        g_log.push_back("box");
        return IDOK;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.settings) + ", " + c.script);
        ScopedCurrentFolder folder("taskbar");
        folder.Write("shutdown.ini", std::string("[Misc]\n") + c.settings + "\nUnits=1\n");  // the first key wins
        g_log.clear();
        CWatchedTimerDlg dlg;
        dlg.m_bRefuseTimer = c.refuseTimer;
        RunModal(dlg, [&](HWND hDlg) {
            for (PowerEntryFn& fn : g_PowerEntries.m_pfn)
                fn = [] { g_log.push_back("entry"); };
            for (const char* p = c.script; *p; ++p)
                ::SendMessageA(hDlg, *p == 'B' ? nButtonCreated : *p == 'T' ? WM_TIMER : WM_COMMAND,
                               *p == 'G' ? IDOK : *p == 'C' ? IDCANCEL : 1, 0);
        });
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(c.log, g_log);
    }
    AfxSetMessageBoxHook(pfnOldHook);
}

} // namespace
