#include "PowerRequest.h"

#include "AfxProc.h"

namespace {

template <typename Fn>
Fn KernelEntry(LPCSTR pszName)
{
    return AfxGetProc<Fn>(::GetModuleHandleA("kernel32.dll"), pszName);
}

} // namespace

// Looked up rather than imported, so that a system without power requests
// still starts the program and gets the older call instead.
PowerRequestOs g_powerRequestOs = {
    KernelEntry<decltype(PowerRequestOs::PowerCreateRequest)>("PowerCreateRequest"),
    KernelEntry<decltype(PowerRequestOs::PowerSetRequest)>("PowerSetRequest"),
    KernelEntry<decltype(PowerRequestOs::PowerClearRequest)>("PowerClearRequest"),
    ::CloseHandle,
    ::SetThreadExecutionState,
};

void CPowerRequest::Set(LPCSTR pszReason)
{
    if (IsSet())
        return;
    const PowerRequestOs& os = g_powerRequestOs;
    if (os.PowerCreateRequest && os.PowerSetRequest && os.PowerClearRequest) {
        WCHAR wszReason[128];
        if (!::MultiByteToWideChar(CP_ACP, 0, pszReason, -1, wszReason, ARRAYSIZE(wszReason)))
            wszReason[0] = L'\0';  // too long: no reason rather than a cut one
        REASON_CONTEXT context = {};
        context.Version = POWER_REQUEST_CONTEXT_VERSION;
        context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
        context.Reason.SimpleReasonString = wszReason;
        HANDLE hRequest = os.PowerCreateRequest(&context);
        if (hRequest && hRequest != INVALID_HANDLE_VALUE) {
            if (os.PowerSetRequest(hRequest, PowerRequestSystemRequired)) {
                m_hRequest = hRequest;
                return;
            }
            os.CloseHandle(hRequest);
        }
    }
    os.SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    m_bExecutionState = true;
}

void CPowerRequest::Clear()
{
    const PowerRequestOs& os = g_powerRequestOs;
    if (m_hRequest) {
        os.PowerClearRequest(m_hRequest, PowerRequestSystemRequired);
        os.CloseHandle(m_hRequest);
        m_hRequest = nullptr;
    }
    if (m_bExecutionState) {
        // ES_CONTINUOUS alone withdraws what the earlier call asked for.
        os.SetThreadExecutionState(ES_CONTINUOUS);
        m_bExecutionState = false;
    }
}
