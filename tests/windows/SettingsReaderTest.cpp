#include "ScopedCurrentFolder.h"
#include "SettingsReader.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

// Each test runs in a fresh current folder, where the readers look.
class SettingsReaderTest : public ::testing::Test {
protected:
    void Write(const std::string& text) { m_folder.Write("shutdown.ini", text); }

    ScopedCurrentFolder m_folder{"settings"};
};

TEST_F(SettingsReaderTest, NoFileGivesTheDefaults)
{
    EXPECT_EQ(90, ReadDefaultTime());
    EXPECT_EQ(1, ReadDefaultForce());
    EXPECT_EQ(2, ReadDefaultMode());
    EXPECT_EQ(0, ReadAutoStart());
    EXPECT_EQ(2, ReadUnits());
    EXPECT_EQ(60, ReadWarnSeconds());
    char szTag[35] = "x";
    ReadLanguage(szTag, sizeof szTag);
    EXPECT_STREQ("", szTag);
    int nUnits = 0;
    EXPECT_TRUE(RereadUnits(nUnits));
    EXPECT_EQ(2, nUnits);
}

TEST_F(SettingsReaderTest, MissingKeysGiveDefaultsAndEmptyValuesGiveZero)
{
    Write("[Misc]\nDefaultTime=\nUnits=\n[Other]\nDefaultMode=5\n");
    EXPECT_EQ(0, ReadDefaultTime());
    EXPECT_EQ(0, ReadUnits());
    EXPECT_EQ(2, ReadDefaultMode());
    EXPECT_EQ(1, ReadDefaultForce());
}

TEST_F(SettingsReaderTest, ValuesAreReadLikeAtoiAndSaturate)
{
    Write("[Misc]\nDefaultTime=  -5abc\nDefaultForce=2abc\nDefaultMode=abc\nAutoStart=99999999999\n"
          "Units=-99999999999\nWarnSeconds=99999999999\nLanguage=  pt-BR  \n");
    EXPECT_EQ(-5, ReadDefaultTime());
    EXPECT_EQ(2, ReadDefaultForce());
    EXPECT_EQ(0, ReadDefaultMode());
    EXPECT_EQ(INT_MAX, ReadAutoStart());
    EXPECT_EQ(INT_MIN, ReadUnits());
    EXPECT_EQ(INT_MAX, ReadWarnSeconds());
    char szTag[35];
    ReadLanguage(szTag, sizeof szTag);
    EXPECT_STREQ("pt-BR", szTag);  // the text as it stands, without the blanks
}

// Held with share mode 0 by another program, the file reads as absent (Wine)
// or fails (Windows); the reread notices, waits about a second, and gives up
// without touching the value.
TEST_F(SettingsReaderTest, ALockedFileIsNotTakenForAnAbsentOne)
{
    Write("[Misc]\nUnits=3\n");
    int nUnits = 0;
    EXPECT_TRUE(RereadUnits(nUnits));
    EXPECT_EQ(3, nUnits);
    HANDLE hLock = ::CreateFileA("shutdown.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    nUnits = -7;
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(RereadUnits(nUnits));
    DWORD elapsed = ::GetTickCount() - start;
    ::CloseHandle(hLock);
    EXPECT_EQ(-7, nUnits);
    EXPECT_GE(elapsed, 800u);
    EXPECT_LT(elapsed, 3000u);
}

TEST_F(SettingsReaderTest, LongValuesAreCutTo34Characters)
{
    // 40 digits: the first 34 overflow int anyway, so put the cut inside a
    // short number padded with zeros.
    Write("[Misc]\nDefaultTime=" + std::string(32, '0') + "12345678\n");
    EXPECT_EQ(12, ReadDefaultTime());
}

TEST_F(SettingsReaderTest, EveryCallReadsTheFileAfresh)
{
    Write("[Misc]\nUnits=1\n");
    EXPECT_EQ(1, ReadUnits());
    Write("[Misc]\nUnits=3\n");
    EXPECT_EQ(3, ReadUnits());
}

TEST_F(SettingsReaderTest, JunkAndHugeLinesFallBackSafely)
{
    std::string junk("[Misc]\nDefaultTime=");
    for (int i = 1; i < 256; ++i)
        if (i != '\n' && i != '\r')
            junk.push_back(static_cast<char>(i));
    junk += "\nDefaultMode=" + std::string(100 * 1024, '7') + "\nUnits=3\nLanguage=" + std::string(100, 'x') + "\n";
    Write(junk);
    char szTag[35];
    ReadLanguage(szTag, sizeof szTag);
    EXPECT_EQ(34u, std::strlen(szTag));  // cut to fit, never past the buffer
    EXPECT_EQ(0, ReadDefaultTime());
    EXPECT_EQ(INT_MAX, ReadDefaultMode());
    EXPECT_EQ(3, ReadUnits());
}

} // namespace
