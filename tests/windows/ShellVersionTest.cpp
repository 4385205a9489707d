// The programs' compiled resources, read back as Windows Explorer and the
// loader would: version, manifest and icon.
#include "ProgramUnderTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

struct VersionInfo {
    std::vector<char> data;

    const VS_FIXEDFILEINFO* Fixed()
    {
        void* p = nullptr;
        UINT n = 0;
        if (!::VerQueryValueA(data.data(), "\\", &p, &n) || n < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(p);
    }
    // The string blocks named in the translation table, as "040904b0".
    std::vector<std::string> Blocks()
    {
        std::vector<std::string> blocks;
        void* p = nullptr;
        UINT n = 0;
        if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &p, &n))
            return blocks;
        const WORD* w = static_cast<const WORD*>(p);
        for (UINT i = 0; i + 1 < n / sizeof(WORD); i += 2) {
            char sz[16];
            wsprintfA(sz, "%04x%04x", w[i], w[i + 1]);
            blocks.push_back(sz);
        }
        return blocks;
    }
    std::string Value(const std::string& block, const char* name)
    {
        void* p = nullptr;
        UINT n = 0;
        std::string path = "\\StringFileInfo\\" + block + "\\" + name;
        if (!::VerQueryValueA(data.data(), path.c_str(), &p, &n) || !p)
            return "(missing)";
        return static_cast<const char*>(p);
    }
};

std::string CopyOfProgram(const char* program)
{
    std::string from = WinPath(VESPIRO_BIN_DIR) + "\\" + program + ".exe";
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    std::string to = std::string(tmp) + "vespiro-version-" + std::to_string(::GetCurrentProcessId()) + "-" +
                     program + ".exe";
    EXPECT_TRUE(::CopyFileA(from.c_str(), to.c_str(), FALSE)) << from;
    return to;
}

// Read from a renamed copy: Wine answers for its own built-in shutdown.exe
// when asked about a file of that name.
VersionInfo ReadVersion(const std::string& copy)
{
    VersionInfo info;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(copy.c_str(), &handle);
    EXPECT_NE(0u, size) << "error " << ::GetLastError();
    if (size) {
        info.data.resize(size);
        if (!::GetFileVersionInfoA(copy.c_str(), 0, size, info.data.data()))
            info.data.clear();
    }
    return info;
}

// The manifest the loader reads at start-up (resource 1 of RT_MANIFEST).
std::string Manifest(HMODULE h)
{
    HRSRC r = ::FindResourceA(h, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    return r ? std::string(static_cast<const char*>(::LockResource(::LoadResource(h, r))), ::SizeofResource(h, r))
             : std::string();
}

#pragma pack(push, 2)
struct GroupIconEntry {  // one row of an RT_GROUP_ICON resource
    BYTE bWidth, bHeight, bColorCount, bReserved;
    WORD wPlanes, wBitCount;
    DWORD dwBytesInRes;
    WORD nId;
};
#pragma pack(pop)

// The number of icon groups (RT_GROUP_ICON), then the images of group 128 as
// "width x height x bits".
std::vector<std::string> Icons(HMODULE h)
{
    int nGroups = 0;
    ::EnumResourceNamesA(
        h, MAKEINTRESOURCEA(14),
        [](HMODULE, LPCSTR, LPSTR, LONG_PTR l) -> BOOL {
            ++*reinterpret_cast<int*>(l);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&nGroups));
    std::vector<std::string> icons = {"groups: " + std::to_string(nGroups)};
    if (HRSRC r = ::FindResourceA(h, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14))) {
        const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(h, r)));
        WORD n = reinterpret_cast<const WORD*>(p)[2];
        const auto* e = reinterpret_cast<const GroupIconEntry*>(p + 6);
        for (WORD i = 0; i < n; ++i)
            icons.push_back(std::to_string(e[i].bWidth) + "x" + std::to_string(e[i].bHeight) + "x" +
                            std::to_string(e[i].wBitCount));
    }
    return icons;
}

// What each program's compiled resources must say, as Explorer and the
// loader read them.
struct ProgramResources : NamedRow {  // named after the program
    DWORD versionMS, versionLS;  // file and product version, fixed part
    const char* block;           // the one string block: language and code page
    const char* versionText;     // FileVersion and ProductVersion strings
};

class ShellResources : public ::testing::TestWithParam<ProgramResources> {};

TEST_P(ShellResources, VersionManifestAndIconAsCompiled)
{
    const ProgramResources& want = GetParam();
    const std::string copy = CopyOfProgram(want.name);
    VersionInfo info = ReadVersion(copy);
    HMODULE h = ::LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(nullptr, h);
    const std::string m = h ? Manifest(h) : std::string();
    const std::vector<std::string> icons = h ? Icons(h) : std::vector<std::string>();
    if (h)
        ::FreeLibrary(h);
    ::DeleteFileA(copy.c_str());

    const std::string identity = std::string("name=\"Vespiro.") + want.name + "\" version=\"" VESPIRO_FILE_VERSION "\"";
    EXPECT_NE(std::string::npos, m.find(identity)) << m;
    EXPECT_NE(std::string::npos, m.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"")) << m;
    EXPECT_NE(std::string::npos, m.find(">PerMonitorV2")) << m;
    EXPECT_NE(std::string::npos, m.find(">true/pm</dpiAware>")) << m;
    EXPECT_EQ((std::vector<std::string>{"groups: 1", "32x32x4", "16x16x4"}), icons);
    ASSERT_FALSE(info.data.empty());
    const VS_FIXEDFILEINFO* f = info.Fixed();
    ASSERT_NE(nullptr, f);
    EXPECT_EQ(want.versionMS, f->dwFileVersionMS);
    EXPECT_EQ(want.versionLS, f->dwFileVersionLS);
    EXPECT_EQ(want.versionMS, f->dwProductVersionMS);
    EXPECT_EQ(want.versionLS, f->dwProductVersionLS);
    EXPECT_EQ(VS_FFI_SIGNATURE, f->dwSignature);
    EXPECT_EQ(static_cast<DWORD>(VS_FF_PRIVATEBUILD), f->dwFileFlags & f->dwFileFlagsMask);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), f->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), f->dwFileType);
    EXPECT_EQ(std::vector<std::string>{want.block}, info.Blocks());
    EXPECT_EQ(want.versionText, info.Value(want.block, "FileVersion"));
    EXPECT_EQ(want.versionText, info.Value(want.block, "ProductVersion"));
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ShellResources,
    ::testing::Values(ProgramResources{"shutdown", MAKELONG(3, 1), MAKELONG(0, 0), "080904b0", "1, 3, 0, 0"},
                      ProgramResources{"drowsel", MAKELONG(0, 1), MAKELONG(1, 0), "040904b0", "1, 1, 0, 0"}), ByName());

// The library's version is the release's, in both parts, unlike the
// programs' fixed ones.
TEST(ShellLibraryVersion, IsTheReleaseVersion)
{
    VersionInfo info = ReadVersion(WinPath(VESPIRO_BIN_DIR) + "\\Shutdown.dll");
    const VS_FIXEDFILEINFO* f = info.data.empty() ? nullptr : info.Fixed();
    ASSERT_NE(nullptr, f);
    char numbers[64];
    wsprintfA(numbers, "%u.%u.%u.%u", HIWORD(f->dwFileVersionMS), LOWORD(f->dwFileVersionMS),
              HIWORD(f->dwFileVersionLS), LOWORD(f->dwFileVersionLS));
    EXPECT_STREQ(VESPIRO_FILE_VERSION, numbers);
    EXPECT_EQ(f->dwFileVersionMS, f->dwProductVersionMS);
    EXPECT_EQ(f->dwFileVersionLS, f->dwProductVersionLS);
    EXPECT_EQ(VESPIRO_FILE_VERSION, info.Value("040904b0", "FileVersion"));
    EXPECT_EQ(VESPIRO_FILE_VERSION, info.Value("040904b0", "ProductVersion"));
}

// This test program carries shutdown's manifest too: the loader honoured it
// and binds the common controls of version 6. (Wine's copy still answers
// 5.81 to DllGetVersion, and Wine makes every process per-monitor aware with
// or without a manifest, so neither tells anything here.)
TEST(ShellManifest, BindsCommonControls6InTheProcess)
{
    HMODULE hComCtl = ::LoadLibraryA("comctl32.dll");
    ASSERT_NE(nullptr, hComCtl);
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(hComCtl, path, MAX_PATH);
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(std::string::npos, lower.find("microsoft.windows.common-controls")) << path;
    EXPECT_NE(std::string::npos, lower.find("_6.0.")) << path;
}

} // namespace
