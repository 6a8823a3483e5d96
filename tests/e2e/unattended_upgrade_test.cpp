// Pellinor.exe /upgrade under Wine: the upgrade without a window or a box,
// its exit code, what it leaves in the installation, and its support log.
#include <algorithm>
#include <cstdio>

#include "UnattendedRun.h"
#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

class UnattendedUpgradeTest : public UpgradeScenario {
  protected:
    // Runs Pellinor.exe with arguments and looks for its windows until it ends.
    UnattendedRun RunUnattended(const std::vector<std::string>& arguments) {
        ClearLog();
        return WaitForRun(StartProgram(UiDriver::DefaultExePath(), arguments));
    }
    std::vector<std::string> Upgrade(const std::string& folder = "") {
        std::vector<std::string> arguments{"/upgrade", "/base", server_.Url("/V9/02/")};
        if (!folder.empty()) arguments.insert(arguments.end(), {"/folder", folder});
        return arguments;
    }
    bool Old(const std::string& folder) { return ReadBytes(folder + "Tessaron.Exe") == oldBytes_; }
};

TEST_F(UnattendedUpgradeTest, OneInstallationIsUpgradedWithoutAWindowOrABox) {
    const std::string folder = Install("Hotel Lock");
    ServeNewProgram();
    const UnattendedRun run = RunUnattended({"/UPGRADE", "/base", server_.Url("/V9/02/")});
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_EQ(run.windowsSeen, 0);
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_) << "not the new program";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    ASSERT_FALSE(run.log.empty());
    EXPECT_NE(run.log.back().find("exit 0"), std::string::npos) << run.Describe();
    EXPECT_TRUE(run.Logged(folder)) << run.Describe();
    EXPECT_TRUE(run.Logged("HTTP/1.1 200 OK")) << run.Describe();
    std::printf("%s\n", run.Describe().c_str());  // docs/support.md's sample
}

TEST_F(UnattendedUpgradeTest, WhatCannotGoOnEndsWithItsCodeAndChangesNothing) {
    ServeNewProgram();
    const std::string a = Install("A", Desktop::User, "A.lnk");
    const std::string b = Install("B", Desktop::Public, "B.lnk");
    const struct {
        const char* what;
        std::vector<std::string> arguments;
        DWORD code;
    } rows[] = {
        {"two, none named", Upgrade(), 10},
        {"a folder that holds none", Upgrade(TempFolder() + "C"), 1605},
        {"a switch unknown", {"/upgrade", "/quiet"}, 1639},
        {"a folder whose last backslash took the quote", {"/upgrade", "/folder", a + "\""}, 1639},
        {"the window's switches without /upgrade", {"/folder", a}, 1639},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const UnattendedRun run = RunUnattended(row.arguments);
        ASSERT_TRUE(run.ended);
        EXPECT_EQ(run.exitCode, row.code) << run.Describe();
        EXPECT_EQ(run.windowsSeen, 0);
        EXPECT_TRUE(Old(a) && Old(b));
        EXPECT_EQ(FilesIn(a).size() + FilesIn(b).size(), 2u);
        ASSERT_FALSE(run.log.empty());
        EXPECT_NE(run.log.back().find("exit " + std::to_string(row.code)), std::string::npos)
            << run.Describe();
    }
    EXPECT_TRUE(server_.Requests().empty()) << "nothing was downloaded";

    // Another copy changing files on this PC (its machine-wide lock held
    // here): 1618, which deployment tools retry later.
    const HANDLE lock = ::CreateMutexW(nullptr, TRUE, L"Global\\Pellinor.ChangingFiles");
    ASSERT_NE(lock, nullptr);
    const UnattendedRun busy = RunUnattended(Upgrade(b));
    ::ReleaseMutex(lock);
    ::CloseHandle(lock);
    EXPECT_EQ(busy.exitCode, 1618u) << busy.Describe();
    EXPECT_TRUE(Old(a) && Old(b));
    EXPECT_TRUE(server_.Requests().empty()) << "nothing was downloaded";

    // Named, one of the two is upgraded and the other left alone.
    const UnattendedRun run = RunUnattended(Upgrade(b));
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_TRUE(ReadBytes(b + "Tessaron.Exe") == newBytes_);
    EXPECT_TRUE(Old(a));
}

TEST_F(UnattendedUpgradeTest, AFailedDownloadIsLoggedRequestByRequest) {
    const std::string folder = Install("Lock");
    Serve([] {
        return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 9"}) +
                             "not here"
                             "!");
    });
    const UnattendedRun run = RunUnattended(Upgrade());
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 11u) << run.Describe();
    EXPECT_EQ(run.windowsSeen, 0);
    EXPECT_TRUE(Old(folder));
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    EXPECT_TRUE(run.Logged(server_.Url("/V9/02/Tessaron.Exe"))) << run.Describe();
    EXPECT_TRUE(run.Logged("status=\"HTTP/1.1 404 Not Found\"")) << run.Describe();
    EXPECT_TRUE(run.Logged("framing=length announced=9 received=9 complete=yes")) << run.Describe();
    EXPECT_TRUE(run.Logged("whole=no error=\"HTTP/1.1 404 Not Found\"")) << run.Describe();
    EXPECT_NE(run.log.back().find("exit 11"), std::string::npos) << run.Describe();
    std::printf("%s\n", run.Describe().c_str());  // docs/support.md's sample
}

// Only a publisher's program replaces the publisher's program, also here:
// the signed programs ctest makes before these tests (tests/e2e/sign-fixtures).
class UnattendedSignedTest : public UnattendedUpgradeTest {
  protected:
    static std::string Signed(const std::string& name) {
        return ReadBytes(ExeFolder() + "signed\\" + name + ".exe");
    }
};

TEST_F(UnattendedSignedTest, AnotherPublishersProgramIsRefusedWithItsCode) {
    oldBytes_ = Signed("old-publisher");
    const std::string download = Signed("new-stranger");
    ASSERT_FALSE(oldBytes_.empty() || download.empty()) << "run the tests through ctest";
    const std::string folder = Install("Lock");
    Serve([download] {
        return ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(download.size())}) +
            download);
    });
    const UnattendedRun run = RunUnattended(Upgrade());
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 12u) << run.Describe();
    EXPECT_EQ(run.windowsSeen, 0);
    EXPECT_TRUE(Old(folder)) << "not the old program";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    EXPECT_TRUE(run.Logged("publisher installed: signature=intact")) << run.Describe();
    EXPECT_TRUE(run.Logged("subject=\"CN=Someone Else")) << run.Describe();
    EXPECT_TRUE(run.Logged("publisher check: refuse: another publisher")) << run.Describe();
    EXPECT_NE(run.log.back().find("exit 12"), std::string::npos) << run.Describe();
}

}  // namespace
}  // namespace pellinor::e2e
