// The installation and SDK commands: where they download, what they end and
// open, and that a stale file is never opened in place of a new one.
#include <gtest/gtest.h>

#include "fakes/CommandRig.h"

namespace pellinor {
namespace {

const std::string kSetup = ProgramBytes("newest setup");

struct Command : CommandRig {
    Command() {
        served = kSetup;
        fake.registry.values["Desktop"] = RegistryValue{true, "C:\\Users\\alice\\Desktop"};
        fake.files.AddFolder("C:\\Users\\alice\\Desktop");
    }
    bool AllCommandsDisabled() {
        return !window().Enabled(Control::BitBtn1) && !window().Enabled(Control::BitBtn2) &&
               !window().Enabled(Control::BitBtn3) && !window().Enabled(Control::cmdExit);
    }
};

TEST(Install, SetupLandsOnTheFirstPresentDriveAndIsStarted) {
    Command c;
    c.fake.files.AddFolder("C:\\");
    c.fake.files.AddFolder("D:\\");
    c.fake.files.AddFile("D:\\R7.35SetupEng.exe", "MZ stale setup");
    c.fake.processes.running = {{7, "R7.35SETUPENG.EXE"}, {8, "R7.35Setup.exe"}};
    InstallNewestVersion(c.site);

    ASSERT_EQ(c.window().boxes.size(), 1u);
    EXPECT_EQ(c.window().boxes[0].caption, "N9078");
    ASSERT_EQ(c.downloads.size(), 1u);
    EXPECT_EQ(c.downloads[0].first, DefaultDownloadBase() + "R7.35SetupEng.exe");
    EXPECT_EQ(c.downloads[0].second, "D:\\R7.35SetupEng.tmp");
    EXPECT_EQ(c.fake.processes.terminated, std::vector<uint32_t>{7})
        << "only the setup of this language";
    EXPECT_EQ(c.fake.files.Bytes("D:\\R7.35SetupEng.exe"), kSetup);
    EXPECT_EQ(c.fake.shell.opened, std::vector<std::string>{"D:\\R7.35SetupEng.exe"});
    EXPECT_TRUE(c.window().terminated);
    EXPECT_TRUE(c.AllCommandsDisabled());
    EXPECT_TRUE(c.fake.signatures.read.empty()) << "the install has nothing to pin against";
}

TEST(Install, ChineseNamesAndTheDesktopWhenNoDriveIsPresent) {
    Command c;
    c.SetChinese(true);
    InstallNewestVersion(c.site);
    ASSERT_EQ(c.downloads.size(), 1u);
    EXPECT_EQ(c.downloads[0].first, DefaultDownloadBase() + "R7.35Setup.exe");
    EXPECT_EQ(c.downloads[0].second, "C:\\Users\\alice\\Desktop\\R7.35Setup.tmp");
    EXPECT_EQ(c.fake.shell.opened,
              std::vector<std::string>{"C:\\Users\\alice\\Desktop\\R7.35Setup.exe"});
}

TEST(Install, NamesFollowTheLanguageOfTheMomentAfterTheConfirmation) {
    Command c;
    c.fake.files.AddFolder("C:\\");
    // The status bar is double-clicked while the confirmation is open.
    c.window().onBox = [&c](const ShownBox&) { c.SetChinese(true); };
    InstallNewestVersion(c.site);
    EXPECT_EQ(c.window().boxes[0].text, "Are you sure you want to install a new Tessaron-System?");
    ASSERT_EQ(c.downloads.size(), 1u);
    EXPECT_EQ(c.downloads[0].second, "C:\\R7.35Setup.tmp");
}

TEST(Install, CancelChangesNothingButThePicture) {
    Command c;
    c.fake.files.AddFolder("D:\\");
    c.fake.files.AddFile("D:\\R7.35SetupEng.exe", "MZ old");
    c.fake.processes.running = {{7, "R7.35SetupEng.exe"}};
    c.window().answers = {kAnswerCancel};
    InstallNewestVersion(c.site);
    EXPECT_FALSE(c.window().Visible(Control::Image2));
    EXPECT_TRUE(c.downloads.empty());
    EXPECT_TRUE(c.fake.processes.terminated.empty());
    EXPECT_EQ(c.fake.files.Bytes("D:\\R7.35SetupEng.exe"), "MZ old");
    EXPECT_TRUE(c.window().Enabled(Control::BitBtn2));
    EXPECT_TRUE(c.window().Enabled(Control::cmdExit));
}

TEST(Install, FailuresShowE0058AndNeverStartAStaleSetup) {
    Command failed;
    failed.fake.files.AddFolder("D:\\");
    failed.result = DownloadFailure(true, "HTTP/1.1 404 Not Found");
    InstallNewestVersion(failed.site);
    EXPECT_EQ(failed.Captions(),
              (std::vector<std::string>{"N9078", "E0059", "System Error E0058, -59"}));
    EXPECT_TRUE(failed.AllCommandsDisabled());
    EXPECT_TRUE(failed.fake.shell.opened.empty());

    Command inUse;  // the old setup is still held: it can be neither deleted nor replaced
    inUse.fake.files.AddFolder("D:\\");
    inUse.fake.files.AddFile("D:\\R7.35SetupEng.exe", "MZ stale setup");
    inUse.fake.files.undeletable = {"D:\\R7.35SETUPENG.EXE"};
    inUse.fake.files.replaceFailures = std::deque<uint32_t>(1000, 32);
    InstallNewestVersion(inUse.site);
    EXPECT_EQ(inUse.LastBox().text, "System Error E0058, -32");
    EXPECT_TRUE(inUse.fake.shell.opened.empty());
    EXPECT_EQ(inUse.fake.files.Bytes("D:\\R7.35SetupEng.tmp"), kSetup)
        << "the download stays as the temporary file";
    EXPECT_FALSE(inUse.window().terminated);

    Command page;
    page.fake.files.AddFolder("D:\\");
    page.served = "<html>captive portal</html>";
    InstallNewestVersion(page.site);
    EXPECT_EQ(page.LastBox().text, "System Error E0058, -1");
    EXPECT_FALSE(page.fake.files.FileExists("D:\\R7.35SetupEng.tmp"));
    EXPECT_TRUE(page.fake.shell.opened.empty());
}

TEST(Sdk, ArchiveReplacesTheFormerOneOnTheDesktopAndIsOpened) {
    for (bool chinese : {false, true}) {
        Command c;
        c.SetChinese(chinese);
        const std::string target = std::string("C:\\Users\\alice\\Desktop\\R7.35") +
                                   (chinese ? "接口函数.rar" : "_SDK.rar");
        c.fake.files.AddFile(target, "Rar! former archive");
        c.served = "Rar! newest archive";
        c.site.downloadBase = "http://typed.example/elsewhere/";
        DownloadSdk(c.site);

        EXPECT_TRUE(c.window().boxes.empty()) << "no confirmation";
        ASSERT_EQ(c.downloads.size(), 1u);
        EXPECT_EQ(c.downloads[0].first,
                  DefaultServerRoot() + (chinese ? "/Q38.rar" : "/Q38_Eng.rar"));
        EXPECT_EQ(c.downloads[0].second, std::string("C:\\Users\\alice\\Desktop\\R7.35") +
                                             (chinese ? "Q38.tmp" : "Q38_Eng.tmp"));
        EXPECT_EQ(c.fake.files.Bytes(target), "Rar! newest archive");
        EXPECT_EQ(c.fake.shell.opened, std::vector<std::string>{target});
        EXPECT_TRUE(c.fake.processes.terminated.empty());
        EXPECT_TRUE(c.window().terminated);
    }
}

TEST(Sdk, FailureShowsE0059AndLeavesTheButtonsOff) {
    Command c;
    c.result = DownloadFailure(false, "");
    DownloadSdk(c.site);
    EXPECT_EQ(c.Captions(), std::vector<std::string>{"System Error E0059, -1"});
    EXPECT_TRUE(c.AllCommandsDisabled());
    EXPECT_TRUE(c.fake.shell.opened.empty());
}

TEST(Sdk, MissingDesktopValueSendsTheArchiveToTheDriveRoot) {
    Command c;
    c.fake.registry.keyExists = false;
    c.fake.files.AddFolder("\\");
    DownloadSdk(c.site);
    ASSERT_EQ(c.downloads.size(), 1u);
    EXPECT_EQ(c.downloads[0].second, "\\R7.35Q38_Eng.tmp");
}

}  // namespace
}  // namespace pellinor
