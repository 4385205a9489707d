#pragma once

#include "CountdownHost.h"
#include "CountdownState.h"
#include "PowerAction.h"
#include "PowerEntryTable.h"

constexpr unsigned COUNTDOWN_TIMER_ID = 1;

constexpr unsigned kTickHz = 1500, kTickMs = 10;
constexpr unsigned kEndHz = 500, kEndMs = 1000;

// One step down, stopping at INT_MIN rather than wrapping.
int DecrementCount(int count);

// One timer message of shutdown's dialog: tick, count down, show; at 0 stop the
// timer, sound the end tone and dispatch over all ten entries.
void OnCountdownTimer(CountdownState& state, CountdownHost& host, const PowerEntryTable& table);

// The same for drowsel's dialog, which knows only Suspend, Hibernate and Shutdown.
void OnCountdownTimer(BasicCountdownState& state, CountdownHost& host, const PowerEntryTable& table);

// The action a final tick would try first (for the reason Windows shows while
// the machine is kept awake); kNoAction when none is set.
constexpr int kNoAction = -1;
int SelectedAction(const CountdownState& state);
int SelectedAction(const BasicCountdownState& state);

// The entry a final tick would call now; PE_COUNT when none: no action is
// set, or the force flag is neither 0 nor 1 (no row of the dispatch matches).
PowerEntry EntryAtZero(const CountdownState& state);
PowerEntry EntryAtZero(const BasicCountdownState& state);

// A final tick now would call an entry.
template <class State>
bool WouldAct(const State& state)
{
    return EntryAtZero(state) != PE_COUNT;
}

// At the start, what the end would find missing, while it can still be mended:
// the library whatever the action, else the given entry (from EntryAtZero).
void ReportMissingAtStart(CountdownHost& host, const PowerEntryTable& table, PowerEntry entry);

// Calls the entry, then stops the timer and closes the dialog. An empty slot is
// never called: it is reported and the dialog stays open.
void FinishWithAction(CountdownHost& host, const PowerEntryTable& table, PowerEntry entry);
