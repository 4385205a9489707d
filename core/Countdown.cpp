#include "Countdown.h"

#include <climits>

namespace {

// Both flags must equal exactly 1 or 0: any other force value matches no row.
bool Row(int force, int forceWanted, int action)
{
    return force == forceWanted && action == 1;
}

// Rows 1 to 4, shared by both dialogs. Every test reads the members afresh,
// because an entry may run a message loop in which the user clicks a box.
void DispatchFirstRows(const BasicCountdownState& s, CountdownHost& host, const PowerEntryTable& t)
{
    if (Row(s.m_bForce, 1, s.m_bShutdown))
        FinishWithAction(host, t, PE_SHUTDOWN_FORCE);
    if (Row(s.m_bForce, 0, s.m_bShutdown))
        FinishWithAction(host, t, PE_SHUTDOWN);
    if (Row(s.m_bForce, 0, s.m_bHibernate))
        FinishWithAction(host, t, PE_HIBERNATE);
    else if (Row(s.m_bForce, 1, s.m_bHibernate))
        FinishWithAction(host, t, PE_HIBERNATE_FORCE);
}

// Tick, step and show. True when the count has just reached 0, after the timer
// has been stopped and the end tone sounded.
bool Step(BasicCountdownState& s, CountdownHost& host)
{
    host.Beep(kTickHz, kTickMs);
    s.m_nCount = DecrementCount(s.m_nCount);
    host.Push();
    if (s.m_nCount != 0)
        return false;
    host.StopTimer();
    host.Beep(kEndHz, kEndMs);
    return true;
}

PowerEntry EntryFor(int action, int force)
{
    // Each action's plain entry, then its _Force twin, in PowerAction order.
    bool bMatches = action != kNoAction && (force == 0 || force == 1);
    return bMatches ? static_cast<PowerEntry>(2 * action + force) : PE_COUNT;
}

} // namespace

int DecrementCount(int count)
{
    return count == INT_MIN ? INT_MIN : count - 1;
}

void FinishWithAction(CountdownHost& host, const PowerEntryTable& table, PowerEntry entry)
{
    PowerEntryFn fn = table.m_pfn[entry];
    if (!fn) {
        host.ReportMissingEntry(entry, table.m_hPowerLib != nullptr);
        return;
    }
    fn();
    host.StopTimer();
    host.CloseDialog();
}

void OnCountdownTimer(CountdownState& s, CountdownHost& host, const PowerEntryTable& t)
{
    if (Step(s, host)) {
        DispatchFirstRows(s, host, t);
        if (Row(s.m_bForce, 0, s.m_bSuspend))
            FinishWithAction(host, t, PE_SUSPEND);
        if (Row(s.m_bForce, 0, s.m_bReboot))
            FinishWithAction(host, t, PE_REBOOT);
        if (Row(s.m_bForce, 1, s.m_bReboot))
            FinishWithAction(host, t, PE_REBOOT_FORCE);
        if (Row(s.m_bForce, 0, s.m_bLogOff))
            FinishWithAction(host, t, PE_LOGOFF);
        if (Row(s.m_bForce, 1, s.m_bLogOff))
            FinishWithAction(host, t, PE_LOGOFF_FORCE);
        else if (Row(s.m_bForce, 1, s.m_bSuspend))
            FinishWithAction(host, t, PE_SUSPEND_FORCE);
    }
    host.DefaultProcessing();
}

int SelectedAction(const BasicCountdownState& s)
{
    // The dispatch's order: Shutdown, Hibernate, Suspend.
    if (s.m_bShutdown == 1)
        return PA_SHUTDOWN;
    if (s.m_bHibernate == 1)
        return PA_HIBERNATE;
    return s.m_bSuspend == 1 ? PA_SUSPEND : kNoAction;
}

int SelectedAction(const CountdownState& s)
{
    int action = SelectedAction(static_cast<const BasicCountdownState&>(s));
    if (action != kNoAction)
        return action;
    if (s.m_bReboot == 1)
        return PA_REBOOT;
    return s.m_bLogOff == 1 ? PA_LOGOFF : kNoAction;
}

PowerEntry EntryAtZero(const BasicCountdownState& s)
{
    return EntryFor(SelectedAction(s), s.m_bForce);
}

PowerEntry EntryAtZero(const CountdownState& s)
{
    return EntryFor(SelectedAction(s), s.m_bForce);
}

void ReportMissingAtStart(CountdownHost& host, const PowerEntryTable& table, PowerEntry entry)
{
    if (!table.m_hPowerLib)
        host.ReportMissingEntry(entry, false);
    else if (entry != PE_COUNT && !table.m_pfn[entry])
        host.ReportMissingEntry(entry, true);
}

void OnCountdownTimer(BasicCountdownState& s, CountdownHost& host, const PowerEntryTable& t)
{
    if (Step(s, host)) {
        DispatchFirstRows(s, host, t);
        if (Row(s.m_bForce, 0, s.m_bSuspend))
            FinishWithAction(host, t, PE_SUSPEND);
        else if (Row(s.m_bForce, 1, s.m_bSuspend))
            FinishWithAction(host, t, PE_SUSPEND_FORCE);
    }
    host.DefaultProcessing();
}
