// The upgrade command, driven through fakes: which boxes it shows, what it
// ends, what it downloads where, and that the folder always keeps a working
// Tessaron.Exe.
#include <gtest/gtest.h>

#include "fakes/CommandRig.h"

namespace pellinor {
namespace {

const std::string kOld = "MZ old lock program";
const std::string kNew = ProgramBytes("new lock program, a little longer");

struct Upgrade : CommandRig {
    Upgrade() {
        served = kNew;
        fake.files.AddFolder("C:\\Lock\\");
        fake.files.AddFolder("D:\\Hotel\\Lock\\");
        fake.files.AddFile("C:\\Lock\\Tessaron.Exe", kOld);
        fake.files.AddFile("D:\\Hotel\\Lock\\Tessaron.Exe", kOld);
        fake.processes.running = {
            {10, "C:\\Lock\\Tessaron.Exe"}, {11, "tessaron.exe"}, {12, "explorer.exe"}};
    }
    void Run() { RunUpgrade(); }
    bool Unchanged(const std::string& folder) {
        return fake.files.Bytes(folder + "Tessaron.Exe") == kOld && downloads.empty() &&
               fake.processes.terminated.empty();
    }
};

TEST(Upgrade, NothingFoundShowsN9081AndChangesNothing) {
    Upgrade u;
    u.fake.AddShortcut("Mail.lnk", "C:\\Mail");  // a shortcut to another program
    u.Run();
    EXPECT_EQ(u.fake.shell.shortcutsRead.size(), 1u) << "the desktops were scanned";
    EXPECT_EQ(u.Captions(), std::vector<std::string>{"N9081, 0"});
    EXPECT_EQ(u.window().boxes[0].style, 48u);
    EXPECT_FALSE(u.window().Visible(Control::Image2));
    EXPECT_FALSE(u.window().Visible(Control::ListBox2));
    EXPECT_TRUE(u.Unchanged("C:\\Lock\\"));
}

TEST(Upgrade, SingleInstallationIsSelectedConfirmedAndReplaced) {
    Upgrade u;
    u.fake.AddShortcut("Lock.lnk", "C:\\Lock");
    u.Run();

    EXPECT_EQ(u.window().Items(), std::vector<std::string>{" C:\\Lock\\"});
    EXPECT_EQ(u.window().ListSelectedIndex(), 0);
    EXPECT_EQ(u.Captions(), (std::vector<std::string>{"N9079", "N9082"}));
    EXPECT_EQ(u.window().boxes[0].text,
              "Are you sure you want to update the Tessaron-System?\n\nC:\\Lock\\");
    EXPECT_EQ(u.window().boxes[1].text.substr(u.window().boxes[1].text.size() - 9), "\nC:\\Lock\\");
    EXPECT_EQ(u.fake.processes.terminated, (std::vector<uint32_t>{10, 11}));
    ASSERT_EQ(u.downloads.size(), 1u);
    EXPECT_EQ(u.downloads[0].first, DefaultDownloadBase() + "Tessaron.Exe");
    EXPECT_EQ(u.downloads[0].second, "C:\\Lock\\TessaronEng.tmp");
    EXPECT_EQ(u.window().Text(Control::Label3), "C:\\Lock\\TessaronEng.tmp");
    EXPECT_EQ(u.window().busyCursorChanges, 2) << "the hourglass for the download only";
    EXPECT_FALSE(u.window().busyCursor);
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kNew);
    EXPECT_FALSE(u.fake.files.FileExists("C:\\Lock\\TessaronEng.tmp"));
    EXPECT_TRUE(u.window().terminated);
    EXPECT_FALSE(u.window().Enabled(Control::BitBtn2));
    EXPECT_FALSE(u.window().Enabled(Control::cmdExit));
    EXPECT_TRUE(u.window().Enabled(Control::BitBtn3));
    EXPECT_GT(u.window().processMessagesCalls, 0)
        << "the pause after ending the program keeps the window alive";
}

TEST(Upgrade, LeftoversAreDeletedBeforeTheRunningProgramIsEnded) {
    Upgrade u;
    u.installations = {{"C:\\Lock\\", false}};
    u.fake.files.AddFile("C:\\Lock\\Tessaron_New.Exe", "stale");
    u.fake.files.AddFile("C:\\Lock\\TessaronEng.tmp", "stale");
    u.duringDownload = [&u] {
        EXPECT_FALSE(u.fake.files.FileExists("C:\\Lock\\Tessaron_New.Exe"));
        EXPECT_FALSE(u.fake.files.FileExists("C:\\Lock\\TessaronEng.tmp"));
        EXPECT_EQ(u.fake.processes.terminated.size(), 2u);
    };
    u.Run();
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kNew);
}

TEST(Upgrade, ChineseBranchUsesItsTemporaryNameAndKeepsItWhenTheFlagFlips) {
    Upgrade u;
    u.SetChinese(true);
    u.installations = {{"C:\\Lock\\", true}};
    u.duringDownload = [&u] { u.SetChinese(false); };  // the status bar double-clicked mid-download
    u.Run();
    ASSERT_EQ(u.downloads.size(), 1u);
    EXPECT_EQ(u.downloads[0].second, "C:\\Lock\\Tessaron.tmp");
    EXPECT_EQ(u.LastBox().text.rfind("恭喜！升级成功", 0), 0u);
}

TEST(Upgrade, SeveralInstallationsAskForASelectionThenUpgradeTheChosenOne) {
    Upgrade u;
    u.fake.AddShortcut("Lock.lnk", "C:\\Lock\\");
    u.fake.AddShortcut("Hotel lock.lnk", "D:\\Hotel\\Lock", false);
    u.Run();
    EXPECT_EQ(u.Captions(), std::vector<std::string>{"N9080, 2"});
    EXPECT_EQ(u.window().Items(), (std::vector<std::string>{" C:\\Lock\\", "D:\\Hotel\\Lock\\"}));
    EXPECT_TRUE(u.window().Visible(Control::ListBox2));
    EXPECT_TRUE(u.window().Visible(Control::Label2));
    EXPECT_TRUE(u.window().Enabled(Control::BitBtn2));
    EXPECT_TRUE(u.window().Enabled(Control::cmdExit));
    EXPECT_TRUE(u.Unchanged("C:\\Lock\\"));

    // A scan now would find C:\Lock\ alone.
    u.fake.files.Remove("C:\\Users\\public\\Desktop\\Hotel lock.lnk");
    u.window().ListSelect(1);
    u.Run();
    EXPECT_EQ(u.window().ListCount(), 2) << "the list of the first click is kept";
    EXPECT_EQ(u.fake.files.Bytes("D:\\Hotel\\Lock\\Tessaron.Exe"), kNew);
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kOld);
}

TEST(Upgrade, X86FolderWarnsAfterTheConfirmationAndCancelChangesNothing) {
    for (int cancelAt = 0; cancelAt < 2; ++cancelAt) {
        Upgrade u;
        u.fake.files.AddFolder("C:\\Program Files (x86)\\Lock\\");
        u.fake.files.AddFile("C:\\Program Files (x86)\\Lock\\Tessaron.Exe", kOld);
        u.installations = {{"C:\\Program Files (x86)\\Lock\\", false}};
        u.window().answers = cancelAt == 0 ? std::deque<int>{kAnswerCancel}
                                           : std::deque<int>{kAnswerOk, kAnswerCancel};
        u.Run();
        const std::vector<std::string> expected = cancelAt == 0
                                                      ? std::vector<std::string>{"N9079"}
                                                      : std::vector<std::string>{"N9079", "N9077"};
        EXPECT_EQ(u.Captions(), expected);
        EXPECT_TRUE(u.Unchanged("C:\\Program Files (x86)\\Lock\\"));
        EXPECT_TRUE(u.window().Enabled(Control::BitBtn2));
        EXPECT_TRUE(u.window().Enabled(Control::cmdExit));
    }
}

TEST(Upgrade, X86WarningNeedsTheSixthCharacterOrLater) {
    for (const auto& [folder, warns] :
         std::vector<std::pair<std::string, bool>>{{"C:\\x86\\Lock\\", false},
                                                   {"C:\\ab\\x86\\", true},
                                                   {"C:\\abX86\\", true},
                                                   {"C:\\aX86\\", false}}) {
        Upgrade u;
        u.fake.files.AddFolder(folder);
        u.installations = {{folder, false}};
        u.window().answers = {kAnswerOk, kAnswerCancel};
        u.Run();
        EXPECT_EQ(u.Captions().size() == 2 && u.Captions()[1] == "N9077", warns) << folder;
    }
}

TEST(Upgrade, FailedDownloadLeavesOnlyExitAndTheOldProgram) {
    const std::string refused = "Socket Error # 10061\r\nConnection refused.";
    const struct {
        StepResult result;
        std::vector<std::string> captions;
    } rows[] = {
        {DownloadFailure(true, refused), {"N9079", "E0059", "System Error E0056, -59"}},
        {DownloadFailure(false, ""), {"N9079", "System Error E0056, -1"}},
    };
    for (const auto& row : rows) {
        Upgrade u;
        u.installations = {{"C:\\Lock\\", true}};
        u.result = row.result;
        u.Run();
        EXPECT_EQ(u.Captions(), row.captions);
        if (row.result.clientError) {
            EXPECT_EQ(u.window().boxes[1].text, refused);
            EXPECT_EQ(u.window().boxes[1].style, static_cast<unsigned>(kStyleError));
        }
        EXPECT_TRUE(u.window().Enabled(Control::cmdExit));
        EXPECT_FALSE(u.window().Enabled(Control::BitBtn2));
        EXPECT_FALSE(u.window().Enabled(Control::BitBtn1));
        EXPECT_FALSE(u.window().busyCursor);
        EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kOld);
        EXPECT_FALSE(u.window().terminated);
    }
}

TEST(Upgrade, PageInsteadOfAProgramIsRefusedAndRemoved) {
    Upgrade u;
    u.installations = {{"C:\\Lock\\", true}};
    u.served = "<html><body>Please log in to the hotel network</body></html>";
    u.Run();
    EXPECT_EQ(u.LastBox().text, "System Error E0056, -1");
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kOld);
    EXPECT_FALSE(u.fake.files.FileExists("C:\\Lock\\TessaronEng.tmp"));
    EXPECT_TRUE(u.window().Enabled(Control::cmdExit));
}

TEST(Upgrade, ReadOnlyProgramIsNeverReportedAsUpgraded) {
    Upgrade u;
    u.installations = {{"C:\\Lock\\", true}};
    u.fake.files.AddFile("C:\\Lock\\Tessaron.Exe", kOld, true);
    u.Run();
    EXPECT_EQ(u.Captions(), (std::vector<std::string>{"N9079", "System Error E0056, -5"}));
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kOld);
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\TessaronEng.tmp"), kNew)
        << "the download stays beside it";
    EXPECT_EQ(u.fake.files.replaceCalls, 0);
    EXPECT_FALSE(u.window().terminated);
}

TEST(Upgrade, HeldProgramIsRetriedThenGivenUpWithItsCode) {
    Upgrade held;
    held.installations = {{"C:\\Lock\\", true}};
    held.fake.files.replaceFailures = {32, 32};
    held.Run();
    EXPECT_EQ(held.fake.files.replaceCalls, 3);
    EXPECT_EQ(held.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kNew);
    EXPECT_TRUE(held.window().terminated);

    Upgrade locked;
    locked.installations = {{"C:\\Lock\\", true}};
    locked.fake.files.replaceFailures = std::deque<uint32_t>(1000, 32);
    locked.Run();
    EXPECT_GT(locked.fake.files.replaceCalls, 1);
    EXPECT_LT(locked.fake.files.replaceCalls, 1000) << "gives up after a few seconds";
    EXPECT_EQ(locked.LastBox().text, "System Error E0056, -32");
    EXPECT_EQ(locked.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), kOld);
    EXPECT_FALSE(locked.window().terminated);

    Upgrade missing;  // an error that waiting cannot cure is not retried
    missing.installations = {{"C:\\Lock\\", true}};
    missing.fake.files.replaceFailures = {3};
    missing.Run();
    EXPECT_EQ(missing.fake.files.replaceCalls, 1);
    EXPECT_EQ(missing.LastBox().text, "System Error E0056, -3");
}

}  // namespace
}  // namespace pellinor
