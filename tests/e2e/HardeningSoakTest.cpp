// Soak: 10,000 ticks through the real window, with no leak of GDI or USER
// objects, and exactly one entry called once at the end.
#include "ShutdownWindow.h"
#include "ProcessProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace shutdown_window;

namespace {

TEST(HardeningSoak, TenThousandTicksLeaveObjectsLevelAndCallOneEntryOnce)
{
    ProgramUnderTest prog("shutdown.exe", PowerLib::Recording);
    // 10000 is outside 0..1000, but "GO!" does not pull: it counts from 10000.
    // Units=1: the real one-second timer runs beside the posted ticks.
    prog.WriteIni("[Misc]\r\nDefaultTime=10000\r\nUnits=1\r\n");
    ASSERT_TRUE(prog.Start(kCaption)) << prog.Failure();
    DialogDriver dlg(prog.Window());
    ASSERT_EQ("10000", dlg.Text(IDC_COUNT));
    ASSERT_TRUE(PressGo(dlg));

    long posted = 1;
    dlg.PostTick();
    ASSERT_TRUE(WaitCountAtMost(prog, dlg, 10000 - posted));
    const GuiObjects before = CountGuiObjectsSettled(prog.Process());
    const MemoryFigures memBefore = ReadMemory(prog.Process());

    // In batches, each waited for, until ten steps are left.
    while (posted < 9990 && prog.IsRunning()) {
        long batch = std::min(500L, 9990 - posted);
        for (long i = 0; i < batch; ++i)
            dlg.PostTick();
        posted += batch;
        ASSERT_TRUE(WaitCountAtMost(prog, dlg, 10000 - posted)) << "count stuck at " << dlg.Text(IDC_COUNT);
    }
    ASSERT_TRUE(prog.IsRunning()) << "ended early, count " << dlg.Text(IDC_COUNT);
    const GuiObjects after = CountGuiObjectsSettled(prog.Process());
    const MemoryFigures memAfter = ReadMemory(prog.Process());
    std::printf("objects (%s): GDI %ld -> %ld, USER %ld -> %ld; private bytes %zu -> %zu\n", before.source,
                before.gdi, after.gdi, before.user, after.user, memBefore.privateBytes, memAfter.privateBytes);
    if (before.Measured() && after.Measured()) {
        EXPECT_EQ(before.gdi, after.gdi);
        EXPECT_EQ(before.user, after.user);
    } else {
        ADD_FAILURE() << "the object count could not be measured (a failed reading, not a leak)";
    }
    // Heap growth would show a leak per tick (16 bytes a tick are 160 KB).
    EXPECT_LE(memAfter.privateBytes, memBefore.privateBytes + 64 * 1024);

    // The last steps one at a time: the count reaches 0, the entry is called
    // and the program ends. The real timer may have taken some of them.
    std::string lastSeen;
    while (prog.IsRunning() && posted < 10000) {
        lastSeen = dlg.Text(IDC_COUNT);
        dlg.PostTick();
        ++posted;
        WaitCountAtMost(prog, dlg, std::atol(lastSeen.c_str()) - 1);
    }
    ASSERT_TRUE(prog.WaitForExit()) << "still running at " << dlg.Text(IDC_COUNT);
    // An entry is called only on the tick that makes the count exactly 0.
    EXPECT_LE(std::atol(lastSeen.c_str()), 2) << lastSeen;
    EXPECT_EQ(0u, prog.ExitCode());
    EXPECT_EQ(std::vector<std::string>{"Hibernate_Force"}, prog.Calls());
}

} // namespace
