#include "ProgramUnderTest.h"

#include "DialogDriver.h"

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& folder)
{
    // SHFileOperation wants a double-terminated list.
    std::string from = folder;
    from.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationA(&op);
}

} // namespace

ProgramUnderTest::ProgramUnderTest(const char* exeName, PowerLib lib) : m_exe(exeName)
{
    static int s_serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "\\run-%lu-%d", ::GetCurrentProcessId(), ++s_serial);
    std::string runs = WinPath(VESPIRO_TEST_DIR) + "\\runs";
    ::CreateDirectoryA(runs.c_str(), nullptr);
    m_folder = runs + name;
    RemoveTree(m_folder);
    ::CreateDirectoryA(m_folder.c_str(), nullptr);

    std::string bin = WinPath(VESPIRO_BIN_DIR);
    if (!::CopyFileA((bin + "\\" + m_exe).c_str(), (m_folder + "\\" + m_exe).c_str(), FALSE))
        m_failure = "copying " + m_exe + " failed with error " + std::to_string(::GetLastError()) + "; ";
    const char* variant = lib == PowerLib::Recording ? "recording" : lib == PowerLib::Partial ? "partial" : nullptr;
    if (variant) {
        std::string dll = WinPath(VESPIRO_TEST_DIR) + "\\" + variant + "\\Shutdown.dll";
        ::CopyFileA(dll.c_str(), (m_folder + "\\Shutdown.dll").c_str(), FALSE);
    }
}

ProgramUnderTest::~ProgramUnderTest()
{
    if (m_pi.hProcess) {
        if (IsRunning()) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
        }
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
    RemoveTree(m_folder);
}

void ProgramUnderTest::WriteIni(const std::string& text) const
{
    WriteFile("shutdown.ini", text);
}

void ProgramUnderTest::WriteFile(const std::string& name, const std::string& text) const
{
    std::ofstream out(m_folder + "\\" + name, std::ios::binary);
    out << text;
}

bool ProgramUnderTest::Start(const char* caption, const std::string& workingFolder)
{
    std::string exe = m_folder + "\\" + m_exe;
    std::string cmd = "\"" + exe + "\"";
    std::string cwd = workingFolder.empty() ? m_folder : workingFolder;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &m_pi)) {
        m_failure += "CreateProcess failed with error " + std::to_string(::GetLastError()) + " for " + exe;
        return false;
    }
    WaitUntil([&] {
        m_hWnd = FindTopWindowOf(m_pi.dwProcessId, [caption](HWND h) {
            char text[256] = "";
            ::GetWindowTextA(h, text, sizeof text);
            return lstrcmpA(text, caption) == 0;
        });
        return m_hWnd || !IsRunning();
    });
    if (!m_hWnd)
        m_failure = IsRunning() ? "no window within the wait limit"
                                : "the program ended with exit code " + std::to_string(ExitCode()) + " before its window opened";
    return m_hWnd != nullptr;
}

bool ProgramUnderTest::IsRunning() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramUnderTest::WaitForExit(DWORD timeoutMs)
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ProgramUnderTest::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_pi.hProcess)
        ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

std::vector<std::string> ProgramUnderTest::Calls() const
{
    std::vector<std::string> calls;
    std::ifstream in(m_folder + "\\calls.log");
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            calls.push_back(line);
    return calls;
}
