// The programs' version resources, read back as Windows Explorer would, and
// their manifests.
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

// Reads a renamed copy: Wine answers for its own built-in shutdown.exe when
// asked about a file of that name.
VersionInfo ReadVersion(const char* program)
{
    std::string to = CopyOfProgram(program);
    VersionInfo info;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(to.c_str(), &handle);
    EXPECT_NE(0u, size) << "error " << ::GetLastError();
    if (size) {
        info.data.resize(size);
        if (!::GetFileVersionInfoA(to.c_str(), 0, size, info.data.data()))
            info.data.clear();
    }
    ::DeleteFileA(to.c_str());
    return info;
}

void ExpectCommonFlags(const VS_FIXEDFILEINFO& f)
{
    EXPECT_EQ(VS_FFI_SIGNATURE, f.dwSignature);
    EXPECT_EQ(static_cast<DWORD>(VS_FF_PRIVATEBUILD), f.dwFileFlags & f.dwFileFlagsMask);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), f.dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), f.dwFileType);
}

TEST(ShellVersion, ShutdownIs1300WithUkEnglishStrings)
{
    VersionInfo info = ReadVersion("shutdown");
    ASSERT_FALSE(info.data.empty());
    const VS_FIXEDFILEINFO* f = info.Fixed();
    ASSERT_NE(nullptr, f);
    EXPECT_EQ(MAKELONG(3, 1), f->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(0, 0), f->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(3, 1), f->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(0, 0), f->dwProductVersionLS);
    ExpectCommonFlags(*f);
    EXPECT_EQ(std::vector<std::string>{"080904b0"}, info.Blocks());
    EXPECT_EQ("1, 3, 0, 0", info.Value("080904b0", "FileVersion"));
    EXPECT_EQ("1, 3, 0, 0", info.Value("080904b0", "ProductVersion"));
}

TEST(ShellVersion, DrowselIs1001WithOlderTextsAndUsEnglishStrings)
{
    VersionInfo info = ReadVersion("drowsel");
    ASSERT_FALSE(info.data.empty());
    const VS_FIXEDFILEINFO* f = info.Fixed();
    ASSERT_NE(nullptr, f);
    EXPECT_EQ(MAKELONG(0, 1), f->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), f->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 1), f->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), f->dwProductVersionLS);
    ExpectCommonFlags(*f);
    EXPECT_EQ(std::vector<std::string>{"040904b0"}, info.Blocks());
    EXPECT_EQ("1, 1, 0, 0", info.Value("040904b0", "FileVersion"));
    EXPECT_EQ("1, 1, 0, 0", info.Value("040904b0", "ProductVersion"));
}

// The manifest the loader reads at start-up (resource 1 of RT_MANIFEST).
std::string Manifest(const char* program)
{
    std::string copy = CopyOfProgram(program);
    std::string text;
    HMODULE h = ::LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(nullptr, h);
    if (HRSRC r = h ? ::FindResourceA(h, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr) {
        const char* p = static_cast<const char*>(::LockResource(::LoadResource(h, r)));
        text.assign(p, ::SizeofResource(h, r));
    }
    if (h)
        ::FreeLibrary(h);
    ::DeleteFileA(copy.c_str());
    return text;
}

class ShellManifest : public ::testing::TestWithParam<const char*> {};

TEST_P(ShellManifest, AsksForVisualStylesAndPerMonitorDpi)
{
    std::string m = Manifest(GetParam());
    EXPECT_NE(std::string::npos, m.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"")) << m;
    EXPECT_NE(std::string::npos, m.find(">PerMonitorV2")) << m;
    EXPECT_NE(std::string::npos, m.find(">true/pm</dpiAware>")) << m;
}

INSTANTIATE_TEST_SUITE_P(Programs, ShellManifest, ::testing::Values("shutdown", "drowsel"));

#pragma pack(push, 2)
struct GroupIconEntry {  // one row of an RT_GROUP_ICON resource
    BYTE bWidth, bHeight, bColorCount, bReserved;
    WORD wPlanes, wBitCount;
    DWORD dwBytesInRes;
    WORD nId;
};
#pragma pack(pop)

class ShellIcon : public ::testing::TestWithParam<const char*> {};

TEST_P(ShellIcon, IsOneGroupOf32And16PixelsIn16Colours)
{
    std::string copy = CopyOfProgram(GetParam());
    HMODULE h = ::LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, h);
    int nGroups = 0;
    ::EnumResourceNamesA(
        h, MAKEINTRESOURCEA(14),
        [](HMODULE, LPCSTR, LPSTR, LONG_PTR l) -> BOOL {
            ++*reinterpret_cast<int*>(l);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&nGroups));
    EXPECT_EQ(1, nGroups);
    std::vector<std::string> images;
    if (HRSRC r = ::FindResourceA(h, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14))) {
        const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(h, r)));
        WORD n = reinterpret_cast<const WORD*>(p)[2];
        const auto* e = reinterpret_cast<const GroupIconEntry*>(p + 6);
        for (WORD i = 0; i < n; ++i)
            images.push_back(std::to_string(e[i].bWidth) + "x" + std::to_string(e[i].bHeight) + "x" +
                             std::to_string(e[i].wBitCount));
    }
    ::FreeLibrary(h);
    ::DeleteFileA(copy.c_str());
    EXPECT_EQ((std::vector<std::string>{"32x32x4", "16x16x4"}), images);
}

INSTANTIATE_TEST_SUITE_P(Programs, ShellIcon, ::testing::Values("shutdown", "drowsel"));

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
