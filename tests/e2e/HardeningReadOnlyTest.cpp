// Nothing is written: shutdown run from a read-only folder with a
// shutdown.ini in it leaves the folder and the file exactly as they were.
#include "ShutdownWindow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using namespace shutdown_window;

namespace {

struct Entry {
    DWORD attributes;
    ULONGLONG size;
    ULONGLONG written;
    ULONGLONG created;
    bool operator==(const Entry& o) const
    {
        return attributes == o.attributes && size == o.size && written == o.written && created == o.created;
    }
};

ULONGLONG Value(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

// Every name in the folder with its attributes, size and times, and the
// folder itself as ".".
std::map<std::string, Entry> Listing(const std::string& folder)
{
    std::map<std::string, Entry> listing;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return listing;
    do {
        if (lstrcmpA(fd.cFileName, "..") == 0)
            continue;
        listing[fd.cFileName] = {fd.dwFileAttributes, (static_cast<ULONGLONG>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                                 Value(fd.ftLastWriteTime), Value(fd.ftCreationTime)};
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return listing;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Read-only. For the file, the Windows attribute, which Wine maps to the Unix
// write bits (chmod a-w). For a folder the attribute stops no write, so the
// folder gets a command too. Under Wine: chmod from the Linux side, after
// which Wine reports the attribute; Wine starts a Unix program through
// CreateProcess but does not wait for it, hence the poll. On Windows: the
// attribute, and icacls denying everyone to add files or folders. Either way
// a root user's or an administrator's writes might still go through, which
// is why the test compares everything afterwards.
bool SetReadOnly(const std::string& path, bool readOnly)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const bool bFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!bFolder || !RunningUnderWine()) {
        attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
        ::SetFileAttributesA(path.c_str(), attributes);
    }
    if (bFolder) {
        std::string cmd;
        if (RunningUnderWine()) {
            std::string unixPath = path.substr(2);  // "Z:\..." is the Unix root
            for (char& c : unixPath)
                if (c == '\\')
                    c = '/';
            cmd = std::string("/bin/chmod ") + (readOnly ? "a-w " : "u+w ") + unixPath;
        } else {
            cmd = "icacls \"" + path + "\" " + (readOnly ? "/deny *S-1-1-0:(WD,AD)" : "/remove:d *S-1-1-0");
        }
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            if (!RunningUnderWine())
                ::WaitForSingleObject(pi.hProcess, kWaitLimitMs);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
    }
    return WaitUntil([&] {
        DWORD now = ::GetFileAttributesA(path.c_str());
        return now != INVALID_FILE_ATTRIBUTES && ((now & FILE_ATTRIBUTE_READONLY) != 0) == readOnly;
    });
}

TEST(HardeningReadOnly, CountdownAndCancelInAReadOnlyFolderWriteNothingAndShowNoError)
{
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    const std::string ini = prog.Folder() + "\\shutdown.ini";
    prog.WriteIni("[Misc]\r\nDefaultTime=5\r\nUnits=1\r\nDefaultMode=3\r\nDefaultForce=0\r\n");
    ASSERT_TRUE(SetReadOnly(ini, true));
    ASSERT_TRUE(SetReadOnly(prog.Folder(), true));
    struct Restore {
        std::string ini, folder;
        ~Restore()
        {
            SetReadOnly(ini, false);
            SetReadOnly(folder, false);
        }
    } restore{ini, prog.Folder()};
    ASSERT_NE(0u, ::GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(0u, ::GetFileAttributesA(prog.Folder().c_str()) & FILE_ATTRIBUTE_READONLY);
    // Apart in time from what the program might write.
    ::Sleep(1100);
    const auto listingBefore = Listing(prog.Folder());
    const std::string bytesBefore = Bytes(ini);
    ASSERT_FALSE(bytesBefore.empty());

    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    EXPECT_EQ("5", dlg.Text(IDC_COUNT));
    dlg.Click(IDOK);
    // One real step, then Cancel.
    EXPECT_TRUE(WaitUntil([&] { return dlg.Text(IDC_COUNT) == "4"; }));
    EXPECT_EQ(nullptr, dlg.WaitForBox(500));
    dlg.Click(IDCANCEL);
    ASSERT_TRUE(prog.WaitForExit());
    EXPECT_EQ(0u, prog.ExitCode());

    const auto listingAfter = Listing(prog.Folder());
    EXPECT_EQ(bytesBefore, Bytes(ini));
    ASSERT_EQ(listingBefore.size(), listingAfter.size());
    for (const auto& item : listingBefore) {
        auto it = listingAfter.find(item.first);
        ASSERT_NE(listingAfter.end(), it) << item.first << " is gone";
        EXPECT_TRUE(item.second == it->second) << item.first << " changed";
    }
    EXPECT_TRUE(prog.Calls().empty());
}

} // namespace
