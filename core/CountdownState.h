#pragma once

// The countdown fields a main dialog exchanges with its controls. Every field is
// a plain int because the framework exchanges them as an integer (the count) and
// as check-box states (the flags). A flag counts as set only when it equals 1.

// drowsel's dialog holds only these five.
struct BasicCountdownState {
    int m_nCount;       // remaining steps, shown in the count field
    int m_bForce;       // 1: the _Force entries, 0: the plain ones
    int m_bSuspend;
    int m_bHibernate;
    int m_bShutdown;
};

// shutdown's dialog holds all seven, in this order.
struct CountdownState : BasicCountdownState {
    int m_bLogOff;
    int m_bReboot;
};
