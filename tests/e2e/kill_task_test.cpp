// KillTask on the real process list under Wine: every copy of the lock
// program ends, whatever the letter case of its name and its folder; other
// programs live on.
#include <algorithm>

#include "Fixture.h"
#include "platform/win32/Win32Processes.h"
#include "system/KillTask.h"
#include "text/TextRules.h"

namespace pellinor::e2e {
namespace {

constexpr uint32_t kEndTimeoutMs = 10000;

class KillTaskTest : public WineTest {
  protected:
    // The snapshot's entry for a process, or an empty one.
    ProcessEntry EntryOf(DWORD id) {
        for (const ProcessEntry& entry : processes_.Snapshot()) {
            if (entry.id == id) return entry;
        }
        return ProcessEntry{};
    }

    Win32Processes processes_;
};

TEST_F(KillTaskTest, SnapshotNamesTheRunningPrograms) {
    const ProcessEntry self = EntryOf(::GetCurrentProcessId());
    EXPECT_EQ(UpperAscii(ExtractFileName(self.exeFile)), "E2E_TESTS.EXE") << self.exeFile;

    ChildProcess& copy = StartProgram(CopyProgram("tessaron", MakeFolder("a") + "Tessaron.Exe"));
    ASSERT_TRUE(copy.Started());
    EXPECT_EQ(ExtractFileName(EntryOf(copy.Id()).exeFile), "Tessaron.Exe");
}

TEST_F(KillTaskTest, EndsEveryCopyWhateverItsCaseAndFolder) {
    ChildProcess& lower = StartProgram(CopyProgram("tessaron", MakeFolder("one") + "tessaron.exe"));
    ChildProcess& upper =
        StartProgram(CopyProgram("tessaron", MakeFolder("two\\deeper") + "TESSARON.EXE"));
    // A name that only begins like the lock program's is another program.
    ChildProcess& other =
        StartProgram(CopyProgram("tessaron", MakeFolder("three") + "Tessaron2.exe"));
    ASSERT_TRUE(lower.Started() && upper.Started() && other.Started());
    ASSERT_TRUE(WaitUntil([&] {
        return EntryOf(lower.Id()).id && EntryOf(upper.Id()).id && EntryOf(other.Id()).id;
    }));

    KillTask(processes_, "Tessaron.Exe");

    EXPECT_TRUE(lower.WaitForExit(kEndTimeoutMs));
    EXPECT_TRUE(upper.WaitForExit(kEndTimeoutMs));
    // Exit code 0 is KillTask's; the fixture would end them with 1.
    EXPECT_EQ(lower.ExitCode(), 0u);
    EXPECT_EQ(upper.ExitCode(), 0u);
    EXPECT_TRUE(other.Running());
}

TEST_F(KillTaskTest, NameThatNoProcessHasEndsNothing) {
    ChildProcess& copy = StartProgram(CopyProgram("tessaron", MakeFolder("a") + "Tessaron.Exe"));
    ASSERT_TRUE(copy.Started());

    KillTask(processes_, "NoSuchProgram.Exe");
    KillTask(processes_, "");

    // Given the time the copies above took to end, nothing ends here.
    EXPECT_FALSE(copy.WaitForExit(500));
    std::vector<uint32_t> after;
    for (const ProcessEntry& entry : processes_.Snapshot()) after.push_back(entry.id);
    for (uint32_t id :
         {static_cast<uint32_t>(::GetCurrentProcessId()), static_cast<uint32_t>(copy.Id())}) {
        EXPECT_NE(std::find(after.begin(), after.end(), id), after.end()) << id;
    }
}

}  // namespace
}  // namespace pellinor::e2e
