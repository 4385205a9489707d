#include "Countdown.h"
#include "PowerAction.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

typedef std::vector<std::string> Log;
Log* g_log = nullptr;

template <int N>
void RecordingEntry()
{
    g_log->push_back(std::string("call ") + PowerEntryName(static_cast<PowerEntry>(N)));
}

// A dialog as the countdown sees it, writing down everything asked of it.
class RecordingHost : public CountdownHost {
public:
    explicit RecordingHost(const BasicCountdownState& state) : m_state(state) {}
    void Beep(unsigned f, unsigned ms) override
    {
        log.push_back("beep " + std::to_string(f) + " " + std::to_string(ms));
    }
    void Push() override { log.push_back("push " + std::to_string(m_state.m_nCount)); }
    void StopTimer() override { log.push_back("kill"); }
    void CloseDialog() override { log.push_back("close"); }
    void ReportMissingEntry(PowerEntry e, bool loaded) override
    {
        log.push_back(std::string("missing ") + PowerEntryName(e) + (loaded ? " (no entry)" : " (no library)"));
    }
    void DefaultProcessing() override { log.push_back("default"); }

    Log log;

private:
    const BasicCountdownState& m_state;
};

class CountdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.m_hPowerLib = &table;
        RecordEveryEntry(std::make_integer_sequence<int, PE_COUNT>());
        g_log = &host.log;
    }
    void TearDown() override { g_log = nullptr; }
    template <int... N>
    void RecordEveryEntry(std::integer_sequence<int, N...>)
    {
        ((table.m_pfn[N] = RecordingEntry<N>), ...);
    }

    // The entries called during one final tick, in order.
    Log CallsOfFinalTick(int force, PowerAction action)
    {
        state = CountdownState();
        state.m_nCount = 1;
        state.m_bForce = force;
        int* flags[] = {&state.m_bSuspend, &state.m_bHibernate, &state.m_bShutdown, &state.m_bLogOff,
                        &state.m_bReboot};
        *flags[action] = 1;
        host.log.clear();
        OnCountdownTimer(state, host, table);
        Log calls;
        for (const std::string& s : host.log)
            if (s.rfind("call ", 0) == 0)
                calls.push_back(s.substr(5));
        return calls;
    }

    CountdownState state = CountdownState();
    RecordingHost host{state};
    PowerEntryTable table = PowerEntryTable();
};

TEST_F(CountdownTest, TickAboveZeroBeepsStepsPushesAndHandsOn)
{
    state.m_nCount = 5;
    state.m_bHibernate = 1;
    OnCountdownTimer(state, host, table);
    EXPECT_EQ(4, state.m_nCount);
    EXPECT_EQ((Log{"beep 1500 10", "push 4", "default"}), host.log);
}

TEST_F(CountdownTest, LastTickStopsBeepsLongThenCallsStopsAgainAndCloses)
{
    state.m_nCount = 1;
    state.m_bForce = 1;
    state.m_bHibernate = 1;
    OnCountdownTimer(state, host, table);
    EXPECT_EQ(0, state.m_nCount);
    EXPECT_EQ((Log{"beep 1500 10", "push 0", "kill", "beep 500 1000", "call Hibernate_Force", "kill", "close",
                   "default"}),
              host.log);
}

TEST_F(CountdownTest, EveryActionAndForceCallsItsOwnEntryOnce)
{
    struct Row {
        int force;
        PowerAction action;
        const char* entry;
    } rows[] = {
        {1, PA_SHUTDOWN, "Shutdown_Force"}, {0, PA_SHUTDOWN, "Shutdown"}, {0, PA_HIBERNATE, "Hibernate"},
        {1, PA_HIBERNATE, "Hibernate_Force"}, {0, PA_SUSPEND, "Suspend"}, {0, PA_REBOOT, "Reboot"},
        {1, PA_REBOOT, "Reboot_Force"}, {0, PA_LOGOFF, "LogOff"}, {1, PA_LOGOFF, "LogOff_Force"},
        {1, PA_SUSPEND, "Suspend_Force"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Log{r.entry}, CallsOfFinalTick(r.force, r.action)) << r.entry;
        EXPECT_STREQ(r.entry, PowerEntryName(EntryAtZero(state)));  // what the start checks
    }
}

// A force other than 0 or 1, or no action at all, ends with the tone only.
TEST_F(CountdownTest, AnEndWithoutActionOnlySoundsTheTone)
{
    const Log kToneOnly = {"beep 1500 10", "push 0", "kill", "beep 500 1000", "default"};
    for (int force : {2, -1}) {
        for (int a = PA_SUSPEND; a <= PA_REBOOT; ++a) {
            EXPECT_TRUE(CallsOfFinalTick(force, static_cast<PowerAction>(a)).empty());
            EXPECT_EQ(kToneOnly, host.log);
            EXPECT_EQ(PE_COUNT, EntryAtZero(state));
        }
    }
    state = CountdownState();  // no action chosen
    state.m_nCount = 1;
    state.m_bForce = 1;
    host.log.clear();
    OnCountdownTimer(state, host, table);
    EXPECT_EQ(kToneOnly, host.log);
}

TEST_F(CountdownTest, StartAtZeroOrBelowKeepsFallingAndCallsNothing)
{
    state.m_bHibernate = 1;
    state.m_bForce = 1;
    for (int expected : {-1, -2, -3}) {
        OnCountdownTimer(state, host, table);
        EXPECT_EQ(expected, state.m_nCount);
    }
    state.m_nCount = -50;
    OnCountdownTimer(state, host, table);
    EXPECT_EQ(-51, state.m_nCount);
    for (const std::string& s : host.log) {
        EXPECT_NE("kill", s);
        EXPECT_EQ(std::string::npos, s.find("call"));
    }
}

TEST_F(CountdownTest, CountStaysAtIntMinInsteadOfWrapping)
{
    state.m_nCount = INT_MIN + 1;
    OnCountdownTimer(state, host, table);
    EXPECT_EQ(INT_MIN, state.m_nCount);
    OnCountdownTimer(state, host, table);
    EXPECT_EQ(INT_MIN, state.m_nCount);
    EXPECT_EQ(INT_MAX - 1, DecrementCount(INT_MAX));
}

TEST_F(CountdownTest, MissingEntryIsReportedNotCalledAndDialogStaysOpen)
{
    table.m_pfn[PE_REBOOT_FORCE] = nullptr;
    EXPECT_TRUE(CallsOfFinalTick(1, PA_REBOOT).empty());
    EXPECT_EQ((Log{"beep 1500 10", "push 0", "kill", "beep 500 1000", "missing Reboot_Force (no entry)", "default"}),
              host.log);
    // The start says so too: an entry only if the end would call it.
    host.log.clear();
    for (PowerEntry e : {PE_REBOOT, PE_COUNT, PE_REBOOT_FORCE})
        ReportMissingAtStart(host, table, e);
    EXPECT_EQ(Log{"missing Reboot_Force (no entry)"}, host.log);

    PowerEntryTable empty = PowerEntryTable();
    table = empty;
    EXPECT_TRUE(CallsOfFinalTick(0, PA_SUSPEND).empty());
    EXPECT_EQ("missing Suspend (no library)", host.log[4]);
    ReportMissingAtStart(host, table, PE_COUNT);  // the library whatever the action
    EXPECT_EQ("missing  (no library)", host.log.back());
}

// An entry that pumps messages may let the user tick another box before the
// remaining rows are tested; they read the flags afresh.
CountdownState* g_liveState = nullptr;
void EntrySwitchingToLogOff()
{
    g_log->push_back("call Hibernate_Force");
    g_liveState->m_bHibernate = 0;
    g_liveState->m_bLogOff = 1;
}

TEST_F(CountdownTest, RowsAfterAMatchReadTheFlagsAfresh)
{
    table.m_pfn[PE_HIBERNATE_FORCE] = EntrySwitchingToLogOff;
    g_liveState = &state;
    state.m_nCount = 1;
    state.m_bForce = 1;
    state.m_bHibernate = 1;
    OnCountdownTimer(state, host, table);
    EXPECT_EQ((Log{"beep 1500 10", "push 0", "kill", "beep 500 1000", "call Hibernate_Force", "kill", "close",
                   "call LogOff_Force", "kill", "close", "default"}),
              host.log);
}

TEST_F(CountdownTest, TheSelectedActionIsTheDispatchsFirst)
{
    CountdownState s = CountdownState();
    EXPECT_EQ(kNoAction, SelectedAction(s));
    s.m_bLogOff = 1;
    EXPECT_EQ(PA_LOGOFF, SelectedAction(s));
    EXPECT_EQ(kNoAction, SelectedAction(static_cast<const BasicCountdownState&>(s)));  // drowsel has no Log Off
    s.m_bReboot = 1;
    EXPECT_EQ(PA_REBOOT, SelectedAction(s));
    s.m_bSuspend = 2;  // only 1 counts
    EXPECT_EQ(PA_REBOOT, SelectedAction(s));
    s.m_bSuspend = s.m_bHibernate = 1;
    EXPECT_EQ(PA_HIBERNATE, SelectedAction(s));
    s.m_bShutdown = 1;
    EXPECT_EQ(PA_SHUTDOWN, SelectedAction(s));
    EXPECT_TRUE(WouldAct(s));
    s.m_bForce = 2;  // matches no row of the dispatch
    EXPECT_FALSE(WouldAct(s));
    EXPECT_FALSE(WouldAct(static_cast<const BasicCountdownState&>(CountdownState())));
}

TEST_F(CountdownTest, DrowselKnowsOnlyThreeActions)
{
    BasicCountdownState small = BasicCountdownState();
    RecordingHost smallHost(small);
    g_log = &smallHost.log;
    struct Row {
        int force;
        int BasicCountdownState::*flag;
        const char* entry;
    } rows[] = {
        {1, &BasicCountdownState::m_bShutdown, "Shutdown_Force"},
        {0, &BasicCountdownState::m_bShutdown, "Shutdown"},
        {0, &BasicCountdownState::m_bHibernate, "Hibernate"},
        {1, &BasicCountdownState::m_bHibernate, "Hibernate_Force"},
        {0, &BasicCountdownState::m_bSuspend, "Suspend"},
        {1, &BasicCountdownState::m_bSuspend, "Suspend_Force"},
    };
    for (const Row& r : rows) {
        small = BasicCountdownState();
        small.m_nCount = 1;
        small.m_bForce = r.force;
        small.*r.flag = 1;
        smallHost.log.clear();
        EXPECT_TRUE(WouldAct(small));  // the last minute is announced only when an entry follows
        EXPECT_STREQ(r.entry, PowerEntryName(EntryAtZero(small)));
        OnCountdownTimer(small, smallHost, table);
        EXPECT_EQ((Log{"beep 1500 10", "push 0", "kill", "beep 500 1000", std::string("call ") + r.entry, "kill",
                       "close", "default"}),
                  smallHost.log);
    }
}

} // namespace
