// The upgrade on the real Pellinor.exe: real shortcut files on the desktop, a
// real running copy of the lock program, a real HTTP server on 127.0.0.1.
// Whatever happens, the installation folder holds either the old program
// unchanged or the complete new one, and only the latter is called success.
#include "UpgradeScenario.h"
#include "platform/win32/Utf.h"
#include "text/Texts.h"

namespace pellinor::e2e {
namespace {

class UpgradeTest : public UpgradeScenario {};

TEST_F(UpgradeTest, SingleInstallationIsReplacedAndTheRunningCopyEnded) {
    const std::string folder = Install("Hotel\\Lock");
    ChildProcess& running = StartProgram(folder + "Tessaron.Exe");
    ASSERT_TRUE(running.Started());
    ServeNewProgram();
    UiDriver& ui = Start();

    ui.Click(Control::BitBtn2);
    const DialogInfo confirm = Answer(ui, "N9079");
    EXPECT_EQ(confirm.text, Tr(TextId::N9079, false) + folder);
    EXPECT_EQ(ui.ListItems(), std::vector<std::string>{" " + folder});
    EXPECT_EQ(ui.ListSelection(), 0);
    const DialogInfo done = Answer(ui, "N9082");
    EXPECT_EQ(done.text, Tr(TextId::N9082, false) + folder);

    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_TRUE(running.WaitForExit(1000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
    EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
    const std::vector<std::string> requests = server_.Requests();
    // No patch and no compressed file published: each a 404, then the program.
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestTarget(requests[1]), "/V9/02/Tessaron.Exe.zst");
    EXPECT_EQ(RequestTarget(requests[2]), "/V9/02/Tessaron.Exe");
}

TEST_F(UpgradeTest, TwoInstallationsNeedASelectionThenTheSecondIsUpgraded) {
    const std::string first = Install("One", Desktop::User, "First.lnk");
    const std::string second = Install("Two", Desktop::Public, "Second.lnk");
    ServeNewProgram();
    UiDriver& ui = Start();

    ui.Click(Control::BitBtn2);
    Answer(ui, "N9080, 2");
    EXPECT_TRUE(ui.Enabled(Control::BitBtn2));
    EXPECT_TRUE(ui.Enabled(Control::cmdExit));
    EXPECT_TRUE(ui.Visible(Control::ListBox2));
    EXPECT_EQ(ui.ListItems(), (std::vector<std::string>{" " + first, second}))
        << "the user's own desktop first, marked by a blank";

    ui.SelectListItem(1);
    ui.Click(Control::BitBtn2);
    EXPECT_EQ(Answer(ui, "N9079").text, Tr(TextId::N9079, false) + second);
    Answer(ui, "N9082");
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(second + "Tessaron.Exe"), newBytes_);
    EXPECT_EQ(ReadBytes(first + "Tessaron.Exe"), oldBytes_);
}

TEST_F(UpgradeTest, NoShortcutShowsN9081) {
    ServeNewProgram();
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    const DialogInfo box = Answer(ui, "N9081, 0");
    EXPECT_EQ(box.text, Tr(TextId::N9081, false));
    EXPECT_TRUE(ui.Enabled(Control::BitBtn2));
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(UpgradeTest, X86FolderWarnsAndCancelInEitherBoxChangesNothing) {
    const std::string folder = Install("Program Files (x86)\\Lock");
    ServeNewProgram();
    for (int cancelAt = 0; cancelAt < 2; ++cancelAt) {
        ChildProcess& running = StartProgram(folder + "Tessaron.Exe");
        UiDriver& ui = Start();
        ui.Click(Control::BitBtn2);
        if (cancelAt == 0) {
            Answer(ui, "N9079", IDCANCEL);
        } else {
            Answer(ui, "N9079");
            EXPECT_EQ(Answer(ui, "N9077", IDCANCEL).text, Tr(TextId::N9077, false));
        }
        EXPECT_TRUE(WaitUntil([&] { return ui.Enabled(Control::BitBtn2); }));
        EXPECT_TRUE(ui.Dialogs().empty());
        EXPECT_TRUE(running.Running());
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
        EXPECT_TRUE(server_.Requests().empty());
        ui.Click(Control::cmdExit);
        EXPECT_TRUE(ui.WaitForExit(5000));
        running.Terminate();
    }
}

TEST_F(UpgradeTest, MissingFileShowsTheServersAnswerThenE0056) {
    const std::string folder = Install("Lock");
    Serve([] {
        return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 9"}) +
                             "not here!");
    });
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    const DialogInfo error = Answer(ui, "E0059");
    EXPECT_EQ(error.text, "HTTP/1.1 404 Not Found\n\n" + server_.Url("/V9/02/Tessaron.Exe") + "\n" +
                              folder + "TessaronEng.tmp");
    const DialogInfo notice = Answer(ui, "Pellinor");
    EXPECT_EQ(notice.text, "System Error E0056, -59");
    EXPECT_FALSE(notice.hasIcon);
    EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
}

TEST_F(UpgradeTest, IncompleteShortOrForeignDownloadsChangeNothing) {
    const std::string folder = Install("Lock");
    const std::string page = "<html><body>" + std::string(4000, 'x') + "</body></html>";
    const std::string truncated = newBytes_.substr(0, newBytes_.size() / 2);
    const std::vector<std::function<ScriptedReply()>> replies = {
        // The connection drops halfway through the announced length.
        [&] {
            return ScriptedReply(HttpHead("HTTP/1.1 200 OK",
                                          {"Content-Length: " + std::to_string(newBytes_.size())}) +
                                     truncated,
                                 AfterReply::Close);
        },
        // Complete, but under 1024 bytes: no program is that small.
        [] {
            return ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 600"}) + "MZ" +
                                 std::string(598, 'z'));
        },
        // A hotel network's login page, with status 200.
        [&] {
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(page.size())}) +
                page);
        },
        // A login page that begins with "MZ": a program is more than its first bytes.
        [] {
            const std::string mz = "MZ<html>hotel login</html>" + std::string(2000, ' ');
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(mz.size())}) + mz);
        },
    };
    for (const auto& reply : replies) {
        Serve(reply);
        UiDriver& ui = Start();
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");
        EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0056, -1");
        EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
        EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
        ui.Click(Control::cmdExit);
        EXPECT_TRUE(ui.WaitForExit(5000));
    }
}

TEST_F(UpgradeTest, ReadOnlyProgramIsKeptAndTheFailureNamed) {
    const std::string folder = Install("Lock");
    ::SetFileAttributesW(Widen(folder + "Tessaron.Exe").c_str(), FILE_ATTRIBUTE_READONLY);
    ServeNewProgram();
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0056, -5");
    EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
    EXPECT_TRUE(ui.Dialogs().empty()) << "no success box";
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_EQ(ReadBytes(folder + "TessaronEng.tmp"), newBytes_) << "the download waits beside it";
    ::SetFileAttributesW(Widen(folder + "Tessaron.Exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(UpgradeTest, HeldProgramIsKeptAndTheFailureNamed) {
    const std::string folder = Install("Lock");
    ASSERT_NE(HoldFile(folder + "Tessaron.Exe"), nullptr);
    ServeNewProgram();
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    const std::string notice = Answer(ui, "Pellinor").text;
    EXPECT_TRUE(notice == "System Error E0056, -32" || notice == "System Error E0056, -5")
        << notice;
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
}

TEST_F(UpgradeTest, TemporaryNameFollowsTheLanguageAndShowsDuringTheTransfer) {
    for (bool chinese : {false, true}) {
        const std::string folder = Install(chinese ? "Chinese" : "English", Desktop::User,
                                           chinese ? "Chinese.lnk" : "English.lnk");
        ServeStalledHalfway(std::chrono::milliseconds(2500));
        UiDriver& ui = Start();
        if (chinese) SwitchToChinese(ui);
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");
        const std::string temp = folder + (chinese ? "Tessaron.tmp" : "TessaronEng.tmp");
        EXPECT_TRUE(WaitUntil([&] { return ui.Text(Control::Label3) == temp; }))
            << ui.Text(Control::Label3);
        EXPECT_TRUE(WaitUntil([&] { return ui.ProgressPosition() > 0; }));
        SaveScreenshot(ui.MainWindow(), chinese ? "upgrade-progress-zh" : "upgrade-progress-en");
        Answer(ui, "N9082");
        EXPECT_TRUE(ui.WaitForExit(10000));
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
        RemoveTree(folder);
    }
}

TEST_F(UpgradeTest, TypedBaseKeepsItsTrailingBlankAsPercent20) {
    Install("Lock");
    ServeNewProgram();
    UiDriver& ui = StartWithBase(server_.Url("/V9/02/ "));
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    Answer(ui, "N9082");
    EXPECT_TRUE(ui.WaitForExit(10000));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestTarget(requests[2]), "/V9/02/%20Tessaron.Exe");
}

}  // namespace
}  // namespace pellinor::e2e
