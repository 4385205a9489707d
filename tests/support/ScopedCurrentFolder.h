#pragma once

#include <windows.h>

#include <fstream>
#include <string>

// A fresh folder that is the current directory for as long as this lives,
// where the programs' code looks for shutdown.ini. Afterwards the old current
// directory comes back and the folder goes, with whatever a test put in it.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string& tag)
    {
        char tmp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tmp);
        m_path = std::string(tmp) + "vespiro-" + tag + "-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_path.c_str(), nullptr);
        RemoveFiles();
        ::GetCurrentDirectoryA(MAX_PATH, m_old);
        ::SetCurrentDirectoryA(m_path.c_str());
    }
    ~ScopedCurrentFolder()
    {
        ::SetCurrentDirectoryA(m_old);
        RemoveFiles();
        ::RemoveDirectoryA(m_path.c_str());
    }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

    const std::string& Path() const { return m_path; }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_path + "\\" + name, std::ios::binary) << text;
    }

private:
    void RemoveFiles() const
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((m_path + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA((m_path + "\\" + fd.cFileName).c_str());
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }

    std::string m_path;
    char m_old[MAX_PATH] = "";
};
