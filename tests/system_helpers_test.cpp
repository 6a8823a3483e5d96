// Ending processes by image name, the shell folder setting and the live wait.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "platform/Error.h"
#include "system/Delay.h"
#include "system/KillTask.h"
#include "system/ShellFolder.h"

namespace pellinor {
namespace {

using Ids = std::vector<uint32_t>;

TEST(KillTask, EndsEveryProcessOfTheNameWhateverItsCaseOrFolder) {
    FakeProcesses processes;
    processes.running = {
        {10, "TESSARON.EXE"},
        {11, "notepad.exe"},
        {12, "C:\\Hotel\\Lock\\tessaron.exe"},
        {13, "D:\\Other:Tessaron.Exe"},        // the name also ends at a ":"
        {14, "C:\\Tessaron.Exe\\helper.exe"},  // the folder's name does not count
        {15, "Tessaron.Exe.bak"},
        {16, "tessaron.exe"},
    };
    processes.refuse = {12};  // one that will not end does not stop the walk

    KillTask(processes, "Tessaron.Exe");
    EXPECT_EQ(processes.terminated, (Ids{10, 13, 16}));

    processes.terminated.clear();
    processes.refuse.clear();
    KillTask(processes, "tessaron.exe");
    EXPECT_EQ(processes.terminated, (Ids{10, 12, 13, 16}));
}

TEST(KillTask, MatchesAWholePathAndNothingElse) {
    FakeProcesses processes;
    processes.running = {{20, "C:\\Hotel\\Lock\\Tessaron.Exe"}, {21, "C:\\Other\\Tessaron.Exe"}};

    KillTask(processes, "c:\\hotel\\lock\\TESSARON.exe");
    EXPECT_EQ(processes.terminated, Ids{20});

    processes.terminated.clear();
    KillTask(processes, "Setup.exe");
    KillTask(processes, "");
    EXPECT_TRUE(processes.terminated.empty());
}

TEST(KillTask, UpperCasesOnlyAsciiLetters) {
    FakeProcesses processes;
    // "é" in UTF-8 is C3 A9; an upper-casing beyond ASCII would make it "É" (C3 89).
    processes.running = {{30, "CAFÉ.EXE"}, {31, "café.exe"}};
    KillTask(processes, "café.exe");
    EXPECT_EQ(processes.terminated, Ids{31});
}

TEST(GetShellFolder, ReadsTheValueOrGivesEmptyText) {
    FakeRegistry registry;
    registry.values["Desktop"] = {true, "C:\\Users\\alice\\Desktop"};
    EXPECT_EQ(GetShellFolder(registry, "desktop"), "C:\\Users\\alice\\Desktop");
    EXPECT_EQ(GetShellFolder(registry, "Personal"), "");

    registry.keyExists = false;
    EXPECT_EQ(GetShellFolder(registry, "desktop"), "");
}

TEST(GetShellFolder, AValueThatIsNoTextRaisesTheRegistryError) {
    FakeRegistry registry;
    registry.values["desktop"] = {false, ""};
    try {
        GetShellFolder(registry, "desktop");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'desktop'");
    }
}

// The fake clock moves only when the program waits or a nested event runs,
// as a real one would from the program's point of view.
struct DelayRig {
    FakeWindow window;
    FakeSystemInfo system;
    std::vector<uint32_t> waits;  // the timeouts asked for
    uint32_t lastRead() const { return system.ticks - system.ticksPerRead; }
};

TEST(Delay, PumpsWhileWaitingAndReturnsOnlyWhenTheTimeIsUp) {
    DelayRig rig;
    rig.system.ticks = 5000;
    // Every wait is cut short after 40 ms by a message.
    rig.window.onWaitForMessage = [&](uint32_t timeout) {
        rig.waits.push_back(timeout);
        rig.system.ticks += std::min<uint32_t>(timeout, 40);
    };
    Delay(rig.window, rig.system, 1000);

    EXPECT_GE(rig.lastRead() - 5000u, 1000u);
    EXPECT_LT(rig.lastRead() - 5000u, 1040u);
    EXPECT_GE(rig.window.processMessagesCalls, 25);
    for (uint32_t timeout : rig.waits) EXPECT_LE(timeout, 1000u);
}

TEST(Delay, WaitsExactlyTheRestWhenNoMessageComes) {
    DelayRig rig;
    rig.system.ticks = 100;
    rig.window.onProcessMessages = [&] { rig.system.ticks += 300; };  // a slow nested event
    rig.window.onWaitForMessage = [&](uint32_t timeout) {
        rig.waits.push_back(timeout);
        rig.system.ticks += timeout;
    };
    Delay(rig.window, rig.system, 1000);
    EXPECT_EQ(rig.waits, (std::vector<uint32_t>{700}));
    EXPECT_EQ(rig.lastRead(), 1100u);
    EXPECT_EQ(rig.window.processMessagesCalls, 1);
}

TEST(Delay, ZeroReturnsAtOnceWithoutPumping) {
    DelayRig rig;
    bool waited = false;
    rig.window.onWaitForMessage = [&](uint32_t) { waited = true; };
    Delay(rig.window, rig.system, 0);
    EXPECT_EQ(rig.window.processMessagesCalls, 0);
    EXPECT_FALSE(waited);
}

TEST(Delay, SurvivesTheTickCounterWrapping) {
    DelayRig rig;
    const uint32_t start = 0xFFFFFFF0u;
    rig.system.ticks = start;
    rig.system.ticksPerRead = 7;
    Delay(rig.window, rig.system, 100);
    // The last reading lies past the wrap, at least 100 ms on.
    EXPECT_LT(rig.lastRead(), start);
    EXPECT_GE(static_cast<uint32_t>(rig.lastRead() - start), 100u);
    EXPECT_GT(rig.window.processMessagesCalls, 1);
}

}  // namespace
}  // namespace pellinor
