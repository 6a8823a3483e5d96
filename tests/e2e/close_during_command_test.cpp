// Closing the window while a command waits: the command runs to its end and
// the program ends after it; it is never cut off halfway through a
// replacement. An information dialog opened after the close request closes
// by itself.
#include "Fixture.h"
#include "helpers/VersionTrailer.h"
#include "support/ScriptedHttpServer.h"

namespace pellinor::e2e {
namespace {

class CloseDuringCommandTest : public WineTest {
  protected:
    std::string Install() {
        const std::string folder = MakeFolder("Lock");
        EXPECT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
        MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
        return folder;
    }
    // Half the body, a pause long enough to close the window, then the rest
    // (or, with status 404, the rest of an error page).
    void ServeStalled(const std::string& statusLine) {
        const std::string body = newBytes_;
        server_.SetHandler([body, statusLine](const std::string&) {
            ScriptedReply reply(
                HttpHead(statusLine, {"Content-Length: " + std::to_string(body.size())}) +
                body.substr(0, body.size() / 2));
            reply.Then(body.substr(body.size() / 2), std::chrono::milliseconds(2500));
            return reply;
        });
    }
    UiDriver& StartAndConfirm(const std::string& temp) {
        UiDriver& ui = StartPellinor();
        EXPECT_TRUE(ui.Started());
        ui.DoubleClick(Control::Image1);
        EXPECT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
        ui.SetEditText(server_.Url("/V9/02/"));
        ui.Click(Control::BitBtn2);
        std::optional<DialogInfo> confirm = ui.WaitForDialog(20000);
        EXPECT_TRUE(confirm && confirm->caption == "N9079");
        if (confirm) AnswerDialog(confirm->handle, IDOK);
        EXPECT_TRUE(WaitUntil(
            [&] { return ui.Text(Control::Label3) == temp && ui.ProgressPosition() > 0; }));
        return ui;
    }

    std::string oldBytes_ = WithVersionTrailer(ReadBytes(ProgramPath("tessaron")), "old");
    std::string newBytes_ = WithVersionTrailer(ReadBytes(ProgramPath("tessaron")), "new");
    ScriptedHttpServer server_;
};

TEST_F(CloseDuringCommandTest, UpgradeFinishesThenTheProgramEnds) {
    const std::string folder = Install();
    ServeStalled("HTTP/1.1 200 OK");
    UiDriver& ui = StartAndConfirm(folder + "TessaronEng.tmp");

    ::PostMessageW(ui.MainWindow(), WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(ui.WaitForExit(1000)) << "the download goes on";
    std::optional<DialogInfo> done = ui.WaitForDialog(20000);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->caption, "N9082");
    AnswerDialog(done->handle, IDOK);
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

TEST_F(CloseDuringCommandTest, FailureNoticeAfterTheCloseRequestClosesByItself) {
    const std::string folder = Install();
    ServeStalled("HTTP/1.1 404 Not Found");
    UiDriver& ui = StartAndConfirm(folder + "TessaronEng.tmp");

    ::PostMessageW(ui.MainWindow(), WM_CLOSE, 0, 0);
    std::optional<DialogInfo> error = ui.WaitForDialog(20000);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->caption, "E0059");
    AnswerDialog(error->handle, IDOK);
    // The "System Error" notice would follow; after the close request it
    // closes at once, and the program ends.
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
}

}  // namespace
}  // namespace pellinor::e2e
