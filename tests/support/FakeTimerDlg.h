#pragma once

#include <windows.h>

#include <utility>
#include <vector>

// One of the programs' dialogs with the system's timer replaced: SetTimer and
// KillTimer are recorded, a refusal can be staged, and nothing ticks unless
// the test sends WM_TIMER itself.
template <class TDialog>
class CFakeTimerDlg : public TDialog {
public:
    typedef std::vector<std::pair<UINT_PTR, UINT>> Timers;  // id, period

    bool m_bRefuseTimer = false;
    Timers m_timersSet;
    std::vector<UINT_PTR> m_timersKilled;

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC) override
    {
        m_timersSet.emplace_back(nIDEvent, nElapse);
        return m_bRefuseTimer ? 0 : nIDEvent;
    }
    BOOL KillTimer(UINT_PTR nIDEvent) override
    {
        m_timersKilled.push_back(nIDEvent);
        return TRUE;
    }
};
