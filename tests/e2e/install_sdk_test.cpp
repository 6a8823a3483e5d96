// Installation and SDK download on the real Pellinor.exe. Both buttons stay
// hidden in the product; the tests press them the way the window would.
// What is checked: where the file lands, that it is started or opened, and
// that a file that could not take its name is never started in its place.
#include "Fixture.h"
#include "driver/Shortcuts.h"
#include "platform/win32/Utf.h"
#include "support/ScriptedHttpServer.h"
#include "text/Texts.h"

#ifndef PELLINOR_TEST_SERVER_PORT
#define PELLINOR_TEST_SERVER_PORT 47652
#endif

namespace pellinor::e2e {
namespace {

// The tests' own D: drive (tests/e2e/wine-session maps it to a folder).
constexpr const char* kDriveD = "D:\\";

std::string OkReply(const std::string& body) {
    return HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body;
}

class CommandTest : public WineTest {
  protected:
    void SetUp() override {
        WineTest::SetUp();
        marker_ = ReadBytes(ProgramPath("marker"));
        ASSERT_GT(marker_.size(), 1024u);
        ASSERT_TRUE(PathExists(kDriveD)) << "the session maps D: for these tests";
    }

    // Serves bytes for every path ending in name; 404 for others.
    void Serve(ScriptedHttpServer& server, const std::string& name, const std::string& body) {
        server.SetHandler([name, body](const std::string& request) {
            const std::string target = RequestTarget(request);
            if (target.size() >= name.size() &&
                target.compare(target.size() - name.size(), name.size(), name) == 0) {
                return ScriptedReply(OkReply(body));
            }
            return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        });
    }

    // The hidden mode on, the base pointed at the server, BitBtn1 pressed.
    UiDriver& StartInstall(ScriptedHttpServer& server, bool chinese) {
        UiDriver& ui = StartPellinor();
        EXPECT_TRUE(ui.Started());
        if (chinese) {
            ui.DoubleClick(Control::StatusBar1);
            EXPECT_TRUE(
                WaitUntil([&] { return ui.Text(Control::pnl1) == Tr(TextId::Banner, true); }));
        }
        ui.DoubleClick(Control::Image1);
        EXPECT_TRUE(
            WaitUntil([&] { return ui.Enabled(Control::BitBtn1) && ui.Visible(Control::Edit1); }));
        ui.SetEditText(server.Url("/V9/02/"));
        ui.Click(Control::BitBtn1);
        return ui;
    }

    bool AllCommandsDisabled(UiDriver& ui) {
        return !ui.Enabled(Control::BitBtn1) && !ui.Enabled(Control::BitBtn2) &&
               !ui.Enabled(Control::BitBtn3) && !ui.Enabled(Control::cmdExit);
    }

    void RemoveFromDriveD(const std::string& name) {
        ::SetFileAttributesW(Widen(std::string(kDriveD) + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(Widen(std::string(kDriveD) + name).c_str());
        ::DeleteFileW(Widen(std::string(kDriveD) + name + ".marker").c_str());
    }

    std::string marker_;
};

TEST_F(CommandTest, SetupLandsOnDriveDInTheLanguagesNameAndIsStarted) {
    for (bool chinese : {false, true}) {
        const std::string name = chinese ? "R7.35Setup" : "R7.35SetupEng";
        RemoveFromDriveD(name + ".exe");
        ScriptedHttpServer server;
        Serve(server, "/V9/02/" + name + ".exe", marker_);
        UiDriver& ui = StartInstall(server, chinese);

        EXPECT_EQ(Answer(ui, "N9078").text, Tr(TextId::N9078, chinese));
        EXPECT_TRUE(ui.WaitForExit(15000));
        const std::string setup = std::string(kDriveD) + name + ".exe";
        EXPECT_EQ(ReadBytes(setup), marker_);
        EXPECT_FALSE(PathExists(std::string(kDriveD) + name + ".tmp"));
        // The shell started it: it left its trace beside itself.
        EXPECT_TRUE(WaitUntil([&] { return PathExists(setup + ".marker"); }, 10000));
        RemoveFromDriveD(name + ".exe");
    }
}

TEST_F(CommandTest, CancelChangesNothingButThePicture) {
    ScriptedHttpServer server;
    Serve(server, "R7.35SetupEng.exe", marker_);
    UiDriver& ui = StartInstall(server, false);
    Answer(ui, "N9078", IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !ui.Visible(Control::Image2); }));
    EXPECT_TRUE(ui.Enabled(Control::BitBtn2));
    EXPECT_TRUE(ui.Enabled(Control::cmdExit));
    EXPECT_TRUE(ui.Dialogs().empty());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(CommandTest, MissingSetupShowsE0059ThenE0058WithEveryButtonOff) {
    ScriptedHttpServer server;
    Serve(server, "nothing-matches", "");
    UiDriver& ui = StartInstall(server, false);
    Answer(ui, "N9078");
    EXPECT_EQ(Answer(ui, "E0059").text.rfind("HTTP/1.1 404 Not Found\n\n", 0), 0u);
    EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0058, -59");
    EXPECT_TRUE(WaitUntil([&] { return AllCommandsDisabled(ui); }));
    EXPECT_TRUE(ui.Running());
}

TEST_F(CommandTest, SetupInUseIsNeverStartedStale) {
    const std::string setup = std::string(kDriveD) + "R7.35SetupEng.exe";
    RemoveFromDriveD("R7.35SetupEng.exe");
    ASSERT_TRUE(WriteBytes(setup, marker_));
    ChildProcess* holder = HoldFile(setup);
    ASSERT_NE(holder, nullptr);
    ScriptedHttpServer server;
    Serve(server, "R7.35SetupEng.exe", marker_ + "newer");
    UiDriver& ui = StartInstall(server, false);
    Answer(ui, "N9078");
    const std::string notice = Answer(ui, "Pellinor").text;
    EXPECT_TRUE(notice == "System Error E0058, -32" || notice == "System Error E0058, -5")
        << notice;
    EXPECT_FALSE(PathExists(setup + ".marker")) << "the old setup must not be started";
    EXPECT_EQ(ReadBytes(std::string(kDriveD) + "R7.35SetupEng.tmp"), marker_ + "newer");
    holder->Terminate();
    RemoveFromDriveD("R7.35SetupEng.exe");
    RemoveFromDriveD("R7.35SetupEng.tmp");
}

// The SDK comes from a fixed address on the server root, so these tests use
// the copy of Pellinor.exe built with the tests' server as its default host.
class SdkTest : public CommandTest {
  protected:
    void SetUp() override {
        CommandTest::SetUp();
        desktop_ = UserDesktopFolder();
        OpenArchivesWithMarker(TempFolder() + "opened.txt");
    }
    void TearDown() override {
        ForgetArchiveOpener();
        for (const char* name :
             {"R7.35_SDK.rar", "R7.35接口函数.rar", "R7.35Q38.tmp", "R7.35Q38_Eng.tmp"}) {
            ::DeleteFileW(Widen(desktop_ + name).c_str());
        }
        CommandTest::TearDown();
    }
    UiDriver& StartLocal() {
        UiDriver& ui = StartPellinor(ExeFolder() + "local\\Pellinor.exe");
        EXPECT_TRUE(ui.Started());
        return ui;
    }
    std::string desktop_;
};

TEST_F(SdkTest, ArchiveReplacesTheFormerOneOnTheDesktopAndIsOpened) {
    for (bool chinese : {false, true}) {
        const std::string archive = desktop_ + (chinese ? "R7.35接口函数.rar" : "R7.35_SDK.rar");
        ASSERT_TRUE(WriteBytes(archive, "Rar! former archive"));
        const std::string body = "Rar!" + std::string(3000, 's');
        ScriptedHttpServer server(PELLINOR_TEST_SERVER_PORT);
        Serve(server, chinese ? "/Q38.rar" : "/Q38_Eng.rar", body);
        UiDriver& ui = StartLocal();
        if (chinese) {
            ui.DoubleClick(Control::StatusBar1);
            ASSERT_TRUE(
                WaitUntil([&] { return ui.Text(Control::pnl1) == Tr(TextId::Banner, true); }));
        }
        // A base typed in the hidden mode must not matter to the SDK's address.
        ui.DoubleClick(Control::Image1);
        ASSERT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
        ui.SetEditText("http://127.0.0.1:1/elsewhere/");
        ui.Click(Control::BitBtn3);

        EXPECT_TRUE(ui.WaitForExit(15000)) << "no box: the SDK download asks nothing";
        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(RequestTarget(requests[0]), chinese ? "/Q38.rar" : "/Q38_Eng.rar");
        EXPECT_EQ(ReadBytes(archive), body);
        EXPECT_TRUE(WaitUntil([&] { return PathExists(TempFolder() + "opened.txt"); }, 10000));
        EXPECT_NE(ReadBytes(TempFolder() + "opened.txt")
                      .find(chinese ? "R7.35接口函数.rar" : "R7.35_SDK.rar"),
                  std::string::npos);
        ::DeleteFileW(Widen(TempFolder() + "opened.txt").c_str());
    }
}

TEST_F(SdkTest, FailureShowsE0059NoticeAndOpensNothing) {
    ScriptedHttpServer server(PELLINOR_TEST_SERVER_PORT);
    Serve(server, "nothing-matches", "");
    UiDriver& ui = StartLocal();
    ui.Click(Control::BitBtn3);
    Answer(ui, "E0059");
    EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0059, -59");
    EXPECT_TRUE(WaitUntil([&] { return AllCommandsDisabled(ui); }));
    EXPECT_FALSE(PathExists(TempFolder() + "opened.txt"));
}

}  // namespace
}  // namespace pellinor::e2e
