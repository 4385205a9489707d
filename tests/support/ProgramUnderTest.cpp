#include "ProgramUnderTest.h"

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

struct FindData {
    DWORD pid;
    const char* caption;
    HWND hWnd;
};

BOOL CALLBACK FindTopWindow(HWND hWnd, LPARAM lParam)
{
    auto* data = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    char text[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    if (pid == data->pid && ::IsWindowVisible(hWnd) && lstrcmpA(text, data->caption) == 0) {
        data->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

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

std::string WinPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

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
    ::CopyFileA((bin + "\\" + m_exe).c_str(), (m_folder + "\\" + m_exe).c_str(), FALSE);
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

bool ProgramUnderTest::Start(const char* caption, const std::string& workingFolder, DWORD timeoutMs)
{
    std::string exe = m_folder + "\\" + m_exe;
    std::string cmd = "\"" + exe + "\"";
    std::string cwd = workingFolder.empty() ? m_folder : workingFolder;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &m_pi))
        return false;
    ::WaitForInputIdle(m_pi.hProcess, timeoutMs);
    FindData data = {m_pi.dwProcessId, caption, nullptr};
    for (DWORD waited = 0; waited < timeoutMs && IsRunning(); waited += 20) {
        ::EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&data));
        if (data.hWnd)
            break;
        ::Sleep(20);
    }
    m_hWnd = data.hWnd;
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
