#pragma once

// shutdown's window as the black-box tests see it: its caption, its controls,
// and a few waits on it while it runs.
#include "DialogDriver.h"
#include "ProgramUnderTest.h"

#include <cstdlib>
#include <string>

namespace shutdown_window {

const char kCaption[] = "Vespiro V1.3";
enum { IDC_COUNT = 1000, IDC_FORCE = 1003, IDC_SUSPEND = 1005, IDC_HIBERNATE = 1006, IDC_SHUTDOWN = 1007,
       IDC_LOGOFF = 1008, IDC_REBOOT = 1009, IDC_UNITS = 1010 };
enum { IDM_ABOUTBOX = 0x0010 };
const int kActionBoxes[] = {IDC_SUSPEND, IDC_HIBERNATE, IDC_SHUTDOWN, IDC_LOGOFF, IDC_REBOOT};

// The process answers a sent message within the time (its thread is not hung,
// whichever message loop it is in).
inline bool Responsive(HWND hWnd, UINT timeoutMs = 5000)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &result) != 0;
}

// Clicks "GO!" and waits until the start has disabled it.
inline bool PressGo(const DialogDriver& dlg)
{
    dlg.Click(IDOK);
    return WaitUntil([&] { return !dlg.Enabled(IDOK); });
}

// Waits until the count field shows at most the target, or the program ends.
inline bool WaitCountAtMost(const ProgramUnderTest& prog, const DialogDriver& dlg, long target)
{
    return WaitUntil([&] {
        std::string text = dlg.Text(IDC_COUNT);
        return (!text.empty() && std::atol(text.c_str()) <= target) || !prog.IsRunning();
    });
}

} // namespace shutdown_window
