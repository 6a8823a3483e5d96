// Pellinor.exe /rollback under Wine: an upgrade's old program put back byte
// for byte with its running copy ended, and each refusal with its code.
#include <cstdio>
#include <functional>

#include "UnattendedRun.h"
#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

class RollbackTest : public UpgradeScenario {
  protected:
    void SetUp() override {
        UpgradeScenario::SetUp();
        RemoveTree(KeptFolder());
    }
    void TearDown() override {
        UpgradeScenario::TearDown();
        RemoveTree(KeptFolder());
    }
    static std::string KeptFolder() {
        const std::string log = LogPath();
        return log.substr(0, log.rfind('\\')) + "\\previous\\";
    }
    UnattendedRun Run(const std::vector<std::string>& arguments) {
        ClearLog();
        return WaitForRun(StartProgram(UiDriver::DefaultExePath(), arguments));
    }
    // An installation upgraded once by /upgrade, its old program kept.
    std::string Upgraded() {
        const std::string folder = Install("Lock");
        ServeNewProgram();
        const UnattendedRun run = Run({"/upgrade", "/base", server_.Url("/V9/02/")});
        EXPECT_EQ(run.exitCode, 0u) << run.Describe();
        EXPECT_TRUE(run.Logged("previous program kept")) << run.Describe();
        EXPECT_EQ(FilesIn(KeptFolder()).size(), 2u);
        return folder;
    }
    // The one kept file whose name ends so.
    static std::string Kept(const std::string& ending) {
        const std::vector<std::string> found = FilesIn(KeptFolder(), "*" + ending);
        return found.size() == 1 ? KeptFolder() + found[0] : std::string();
    }
};

TEST_F(RollbackTest, TheOldProgramComesBackByteForByteAndItsRunningCopyEnds) {
    const std::string folder = Upgraded();
    ASSERT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_);
    ChildProcess& running = StartProgram(folder + "Tessaron.Exe");
    ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindowsOf(running.Id()).empty(); }));

    const UnattendedRun run = Run({"/ROLLBACK"});
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_EQ(run.windowsSeen, 0);
    EXPECT_FALSE(running.Running()) << "the running copy was ended";
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == oldBytes_) << "not the old program";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    EXPECT_EQ(FilesIn(KeptFolder()), std::vector<std::string>{}) << "the record is forgotten";
    std::printf("%s\n", run.Describe().c_str());  // docs/support.md's sample

    const UnattendedRun again = Run({"/rollback", "/folder", folder});
    EXPECT_EQ(again.exitCode, 20u) << again.Describe();
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == oldBytes_);
}

// The record's reading and the lock are the native tests'; here what the
// real files do: a program changed on disk, a folder in the kept one's place.
TEST_F(RollbackTest, EachRefusalHasItsCodeAndChangesNothing) {
    const std::string folder = Upgraded();
    const std::string exe = folder + "Tessaron.Exe", program = Kept(".program");
    const auto put = [](const std::string& path, const std::string& bytes) {
        ::DeleteFileW(Widen(path).c_str());
        ::RemoveDirectoryW(Widen(path).c_str());
        ASSERT_TRUE(WriteBytes(path, bytes));
    };
    const struct {
        const char* what;
        std::function<void()> change, undo;
        DWORD code;
    } rows[] = {
        {"the installed program changed", [&] { put(exe, oldBytes_ + "x"); },
         [&] { put(exe, newBytes_); }, 22},
        {"the kept program changed", [&] { put(program, oldBytes_ + "x"); },
         [&] { put(program, oldBytes_); }, 23},
        {"a folder in the kept program's place",
         [&] {
             ::DeleteFileW(Widen(program).c_str());
             ::CreateDirectoryW(Widen(program).c_str(), nullptr);
         },
         [&] { put(program, oldBytes_); }, 23},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.change();
        const std::string installed = ReadBytes(exe);
        const UnattendedRun run = Run({"/rollback"});
        const bool unchanged = ReadBytes(exe) == installed;
        row.undo();
        EXPECT_EQ(run.exitCode, row.code) << run.Describe();
        EXPECT_TRUE(run.Logged("rollback refused: ")) << run.Describe();
        EXPECT_NE(run.log.back().find("exit " + std::to_string(row.code)), std::string::npos);
        EXPECT_TRUE(unchanged);
        EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    }
    EXPECT_EQ(Run({"/rollback"}).exitCode, 0u) << "every refusal left the rollback possible";
    EXPECT_TRUE(ReadBytes(exe) == oldBytes_);
}

}  // namespace
}  // namespace pellinor::e2e
