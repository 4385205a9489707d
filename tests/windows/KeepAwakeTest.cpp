// While shutdown counts down it keeps the machine from sleeping on its own, with
// a reason Windows can show, and lets it sleep again however the countdown
// stops. The timer is faked, so the test posts the ticks; the library's entries
// and the power-request calls are recorders.
#include "PowerEntryTable.h"
#include "PowerRequest.h"
#include "TimerDlg.h"
#include "../../shutdown/resource.h"

#include "BoxRecorder.h"
#include "FakeTimerDlg.h"
#include "ModalRunner.h"
#include "ScopedCurrentFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> g_log;  // requests, entry calls, boxes
bool g_bCreateFails = false;
HANDLE const kRequest = reinterpret_cast<HANDLE>(0x5150);

HANDLE WINAPI RecordCreate(PREASON_CONTEXT pContext)
{
    char szReason[128] = "";
    if (pContext->Version == POWER_REQUEST_CONTEXT_VERSION && pContext->Flags == POWER_REQUEST_CONTEXT_SIMPLE_STRING)
        ::WideCharToMultiByte(CP_ACP, 0, pContext->Reason.SimpleReasonString, -1, szReason, 128, nullptr, nullptr);
    g_log.push_back(std::string("create: ") + szReason);
    return g_bCreateFails ? INVALID_HANDLE_VALUE : kRequest;
}

BOOL Record(const char* what, bool rightHandle)
{
    g_log.push_back(rightHandle ? what : std::string(what) + ": wrong request");
    return TRUE;
}
BOOL WINAPI RecordSet(HANDLE h, POWER_REQUEST_TYPE t) { return Record("set", h == kRequest && t == PowerRequestSystemRequired); }
BOOL WINAPI RecordClear(HANDLE h, POWER_REQUEST_TYPE t) { return Record("clear", h == kRequest && t == PowerRequestSystemRequired); }
BOOL WINAPI RecordClose(HANDLE h) { return Record("close", h == kRequest); }

EXECUTION_STATE WINAPI RecordState(EXECUTION_STATE es)
{
    g_log.push_back(es == (ES_CONTINUOUS | ES_SYSTEM_REQUIRED) ? "state: awake"
                    : es == ES_CONTINUOUS                       ? "state: released"
                                                                : "state: " + std::to_string(es));
    return ES_CONTINUOUS;
}

const PowerRequestOs kRecordingOs = {RecordCreate, RecordSet, RecordClear, RecordClose, RecordState};

typedef CFakeTimerDlg<CTimerDlg> CAwakeTimerDlg;

void RecordEntry()
{
    g_log.push_back("entry");
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

// Each test in a fresh current folder: no shutdown.ini, so the defaults
// (Hibernate, forced, minutes, no automatic start) apply.
class KeepAwakeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        g_bCreateFails = false;
        m_savedOs = g_powerRequestOs;
        g_powerRequestOs = kRecordingOs;
        m_boxes.m_onBox = [](const BoxRecord& box) { g_log.push_back("box: " + box.text); };
    }
    void TearDown() override { g_powerRequestOs = m_savedOs; }

    PowerRequestOs m_savedOs = {};
    ScopedCurrentFolder m_folder{"awake"};
    ScopedMessageBoxRecorder m_boxes;
};

const std::vector<std::string> kRequested = {"create: Vespiro: counting down to Hibernate", "set"};
const std::vector<std::string> kReleased = {"clear", "close"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// However the countdown stops, the request is withdrawn once, before the
// action; with no power request to be had, the execution state stands in.
TEST_F(KeepAwakeTest, RequestedWhileCountingAndWithdrawnHoweverItStops)
{
    enum End { kAction, kNoAction, kCancel };
    struct Case {
        const char* name;
        bool createFails;
        bool missing;
        End end;
        std::vector<std::string> log;
        int nActionBox = 0;  // clicked before GO!: the reason names it
    };
    const std::vector<std::string> kFallback = {"state: awake"};
    const Case cases[] = {
        {"action", false, false, kAction, kRequested + kReleased + std::vector<std::string>{"entry"}},
        {"ended without action", false, false, kNoAction, kRequested + kReleased},
        {"cancel", false, false, kCancel, kRequested + kReleased},
        {"create fails", true, false, kAction,
         std::vector<std::string>{"create: Vespiro: counting down to Hibernate", "state: awake", "state: released",
                                  "entry"}},
        {"no power requests", false, true, kCancel, kFallback + std::vector<std::string>{"state: released"}},
        {"reboot chosen", false, false, kCancel,
         std::vector<std::string>{"create: Vespiro: counting down to Reboot", "set"} + kReleased, IDC_REBOOT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        g_bCreateFails = c.createFails;
        if (c.missing)
            g_powerRequestOs.PowerCreateRequest = nullptr;
        CAwakeTimerDlg dlg;
        INT_PTR result = RunModal(dlg, [&](HWND hDlg) {
            ReplaceEntries();
            EXPECT_TRUE(g_log.empty());
            if (c.nActionBox)
                ::SendMessageA(::GetDlgItem(hDlg, c.nActionBox), BM_CLICK, 0, 0);
            Go(hDlg);
            ::SendMessageA(hDlg, WM_TIMER, 1, 0);  // an ordinary tick changes nothing
            size_t requested = g_log.size();
            Go(hDlg);                              // nor does a second GO!
            EXPECT_EQ(requested, g_log.size());
            if (c.end == kNoAction)
                dlg.m_bHibernate = 0;
            if (c.end == kCancel)
                Cancel(hDlg);
            else
                LastTick(dlg, hDlg);
            if (c.end == kNoAction) {
                EXPECT_FALSE(dlg.IsEnded());
                Cancel(hDlg);  // asks for nothing more
            }
        });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_EQ(c.log, g_log);
        g_powerRequestOs = kRecordingOs;
    }
}

// The real calls, once: the request is made and withdrawn, and the fallback
// leaves the thread's state as it found it.
TEST_F(KeepAwakeTest, TheRealCallsReleaseWhatTheyAskFor)
{
    g_powerRequestOs = m_savedOs;
    {
        CPowerRequest request;
        request.Set("Shut Down");
        EXPECT_TRUE(request.IsSet());
        request.Clear();
        EXPECT_FALSE(request.IsSet());
    }
    g_powerRequestOs.PowerCreateRequest = nullptr;
    CPowerRequest fallback;
    fallback.Set(nullptr);
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED), ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    fallback.Clear();
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS), ::SetThreadExecutionState(ES_CONTINUOUS));
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
