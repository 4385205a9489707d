#pragma once

#include "Platform.h"

#include <windows.h>

#include <string>
#include <vector>

// Where a test's copy of the power library comes from.
enum class PowerLib {
    None,       // no Shutdown.dll anywhere
    Recording,  // all ten entries, each appending its name to calls.log
    Partial,    // the same without Hibernate_Force
};

// One run of a built program in a fresh folder of its own: the program, the
// chosen power library beside it, and a shutdown.ini when the test writes one.
class ProgramUnderTest {
public:
    ProgramUnderTest(const char* exeName, PowerLib lib);
    ~ProgramUnderTest();  // ends the process if still running; removes the folder
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    const std::string& Folder() const { return m_folder; }
    void WriteIni(const std::string& text) const;  // shutdown.ini in the folder
    void WriteFile(const std::string& name, const std::string& text) const;

    // Starts the program with the given working folder (default: its own) and
    // waits for its window with this caption. False if none came; then
    // Failure() says why.
    bool Start(const char* caption, const std::string& workingFolder = std::string());
    const std::string& Failure() const { return m_failure; }

    HWND Window() const { return m_hWnd; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }  // for probes from outside (objects, memory)
    bool IsRunning() const;
    // True if the process ended within the time.
    bool WaitForExit(DWORD timeoutMs = kWaitLimitMs);
    DWORD ExitCode() const;

    // The entries the power library was asked for, in order.
    std::vector<std::string> Calls() const;

private:
    std::string m_exe;
    std::string m_folder;
    PROCESS_INFORMATION m_pi = {};
    HWND m_hWnd = nullptr;
    std::string m_failure;
};
