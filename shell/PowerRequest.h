#pragma once

#include <windows.h>

// The system calls behind CPowerRequest, in one table so that a test can put
// recorders in their place. The three power-request functions are null where
// kernel32 does not have them.
struct PowerRequestOs {
    HANDLE (WINAPI* PowerCreateRequest)(PREASON_CONTEXT pContext);
    BOOL (WINAPI* PowerSetRequest)(HANDLE hRequest, POWER_REQUEST_TYPE type);
    BOOL (WINAPI* PowerClearRequest)(HANDLE hRequest, POWER_REQUEST_TYPE type);
    BOOL (WINAPI* CloseHandle)(HANDLE h);
    EXECUTION_STATE (WINAPI* SetThreadExecutionState)(EXECUTION_STATE esFlags);
};

// The real calls unless a test has replaced them.
extern PowerRequestOs g_powerRequestOs;

// Keeps the system from sleeping on its own while set, with a reason that
// "powercfg /requests" shows. Where a power request cannot be made, the
// thread's execution state does the same without a reason.
class CPowerRequest {
public:
    CPowerRequest() = default;
    CPowerRequest(const CPowerRequest&) = delete;
    CPowerRequest& operator=(const CPowerRequest&) = delete;
    ~CPowerRequest() { Clear(); }

    // pszReason says what the countdown ends in.
    void Set(LPCSTR pszReason);
    void Clear();
    bool IsSet() const { return m_hRequest != nullptr || m_bExecutionState; }

private:
    HANDLE m_hRequest = nullptr;
    bool m_bExecutionState = false;
};
